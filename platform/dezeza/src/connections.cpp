// Which route elements connect: a connection point of one within the tolerance of a
// connection point of the other.
#include "DeZeza.h"
#include "route_data.h"

#include <algorithm>
#include <new>

namespace {

using kz::dezeza::connectionPoints;
using kz::dezeza::passesKind;
using kz::dezeza::touches;

bool listed(const AcDbObjectIdArray& ids, AcDbObjectId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Appends each candidate other than self (and not erased) whose connection points touch
// the given ones.
int appendTouching(const std::vector<AcDbObjectId>& candidates, AcDbObjectId self,
                   const std::vector<AcGePoint3d>& points, AcDbObjectIdArray& out, int mode,
                   int routeKind) {
    int added = 0;
    if (points.empty())
        return 0;
    AcDbObjectIdArray seen;
    for (const AcDbObjectId& c : candidates) {
        if (c.isNull() || c == self || c.isErased() || listed(seen, c))
            continue;
        seen.append(c);
        if (!passesKind(c, routeKind) || !touches(points, connectionPoints(c)))
            continue;
        out.append(c);
        ++added;
        if (mode == 1)
            break;
    }
    return added;
}

} // namespace

int RootComn_GetConnectBlock4(AcDbObjectIdArray candidates, AcDbObjectId& element,
                              AcDbObjectIdArray& connected, int mode, int routeKind) {
    try {
        std::vector<AcDbObjectId> list(candidates.begin(), candidates.end());
        return appendTouching(list, element, connectionPoints(element), connected, mode, routeKind);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int RuleComn_getRouteMembers(AcDbObjectId element, AcDbObjectIdArray& members) {
    try {
        int added = 0;
        for (const AcDbObjectId& id : kz::dezeza::routeMembers(element)) {
            members.append(id);
            ++added;
        }
        return added;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int RuleComn_getGroupRootIDs(AcGePoint3d point, AcDbObjectId element, AcDbObjectIdArray& found,
                             int mode, int routeKind) {
    try {
        return appendTouching(kz::dezeza::routeMembers(element), element, {point}, found, mode,
                              routeKind);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int RuleComn_getGroupRootIDs(AcDbObjectId element, AcDbObjectIdArray& found, int mode,
                             int routeKind) {
    try {
        return appendTouching(kz::dezeza::routeMembers(element), element, connectionPoints(element),
                              found, mode, routeKind);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
