#include "edit/base_search.h"

#include "frame/host_addin.h"

#include <cmath>
#include <set>

namespace {

double AttributeNumber(AcDbObjectId id, const wchar_t* tag) {
    CAttributeData attributes;
    return ApiComn_atof(attributes.GetValueAttID(id, tag));
}

// The absolute difference truncated toward zero is at most 1.
bool Near(double a, double b) {
    return static_cast<long long>(std::fabs(a - b)) <= 1;
}

int RootType(AcDbObjectId id) {
    return DeZeza_GetRootType(id, nullptr);
}

struct Walker {
    AcDbObjectIdArray& candidates;
    int routeKind;
    // Elements entered so far: connections from the host add-in need not be
    // candidates, so the shrinking candidate list alone would not stop the walk.
    std::set<AcDbObjectId> entered;

    AcDbObjectId Walk(AcDbObjectId start) {
        if (!entered.insert(start).second)
            return {};
        AcDbObjectIdArray copy = candidates;
        AcDbObjectIdArray connected;
        RootComn_GetConnectBlock4(copy, start, connected, 0, routeKind);
        LevelFilter(start, connected);
        if (connected.isEmpty()) {
            if (routeKind != 2)
                return {};
            auto linkRoot = FindAddinService<KZAddinGetLinkRootEXFn>(L"KZAddinGetLinkRootEX");
            if (!linkRoot)
                return {};
            linkRoot(start, &connected);
            if (connected.isEmpty())
                return {};
        }
        for (const AcDbObjectId& c : connected)
            if (GetRouteElementKind(c) == 1)
                return c;
        for (const AcDbObjectId& c : connected)
            candidates.remove(c);
        for (const AcDbObjectId& c : connected) {
            AcDbObjectId found = Walk(c);
            if (!found.isNull())
                return found;
        }
        return {};
    }
};

} // namespace

void LevelFilter(AcDbObjectId start, AcDbObjectIdArray& connected) {
    CAttributeData attributes;
    int t = RootType(start);
    if (t == 7) {
        CString levelText = attributes.GetValueAttID(start, L"S401");
        if (levelText.IsEmpty() || levelText == L"-")
            return;
        double a0 = ApiComn_atof(levelText);
        double top = a0 + AttributeNumber(start, L"S304");
        for (int i = connected.length() - 1; i >= 0; --i) {
            AcDbObjectId c = connected[i];
            int ct = RootType(c);
            if (ct == 0)
                continue;
            double a = AttributeNumber(c, L"S401");
            if (ct == 7 || (!Near(a, a0) && !Near(a, top)))
                connected.removeAt(i);
        }
        return;
    }
    CString levelText = attributes.GetValueAttID(start, L"S401");
    double g = t == 1 ? AttributeNumber(start, L"S402") : 0.0;
    if (levelText.IsEmpty() || g != 0.0)
        return;
    double h = ApiComn_atof(levelText);
    for (int i = connected.length() - 1; i >= 0; --i) {
        AcDbObjectId c = connected[i];
        int ct = RootType(c);
        bool keep;
        if (ct == 7) {
            double a = AttributeNumber(c, L"S401");
            double b = AttributeNumber(c, L"S304");
            keep = Near(h, a) || Near(h, a + b);
        } else if (ct == 0 || ct == 1) {
            keep = true;
        } else {
            keep = AttributeNumber(c, L"S401") == h;
        }
        if (!keep)
            connected.removeAt(i);
    }
}

bool FindBaseCandidate(AcDbObjectId start, AcDbObjectId segment, AcDbObjectId groupId,
                       int routeKind, AcDbObjectId& found) {
    AcDbGroup* group = nullptr;
    if (acdbOpenObject(group, groupId, AcDb::kForRead) != Acad::eOk)
        return false;
    AcDbObjectIdArray members;
    group->allEntityIds(members);
    group->close();
    members.remove(segment);
    Walker walker{members, routeKind, {}};
    found = walker.Walk(start);
    return !found.isNull();
}
