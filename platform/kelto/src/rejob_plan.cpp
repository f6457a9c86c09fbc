// The re-layout of KZ_REJOB1: which straight element is stretched, which elements move,
// and the replacement of the stretched element.
#include "DeZeza.h"
#include "KeltoHost.h"

#include "dbents.h"
#include "dbgroup.h"
#include "dbsymtb.h"

#include <cmath>
#include <cwchar>
#include <deque>
#include <memory>

namespace kz::kelto {

namespace {

struct Node {
    AcDbObjectId id;
    std::vector<AcGePoint3d> points; // connection points, world coordinates
};

std::vector<AcGePoint3d> connectionPoints(AcDbObjectId id, const AcGeMatrix3d* xform = nullptr) {
    AcGePoint3dArray pts;
    DeZeza_GetConnectPoint(id, pts, KZCONECT_LAYER, xform);
    return std::vector<AcGePoint3d>(pts.begin(), pts.end());
}

bool near(const AcGePoint3d& p, const std::vector<AcGePoint3d>& points) {
    for (const auto& q : points)
        if (p.distanceTo(q) <= kDeZezaConnectTolerance)
            return true;
    return false;
}

bool touches(const Node& a, const Node& b) {
    for (const auto& p : a.points)
        if (near(p, b.points))
            return true;
    return false;
}

bool isStraight(AcDbObjectId id) {
    wchar_t identifier[kDeZezaIdBufferSize];
    DeZeza_GetIDByBlockName(id, identifier);
    return std::wcsncmp(identifier, L"RT", 2) == 0;
}

bool isParallel(const AcGeVector3d& a, const AcGeVector3d& b) {
    return a.crossProduct(b).length() <= 1e-6 * a.length() * b.length();
}

// The graph of the route around base: node 0 is the base element, then the other
// members of its route; edges join connected elements.
struct RouteGraph {
    std::vector<Node> nodes;
    std::vector<std::vector<std::size_t>> edges;
};

RouteGraph buildGraph(AcDbObjectId base) {
    RouteGraph g;
    g.nodes.push_back({base, connectionPoints(base)});
    AcDbObjectIdArray members;
    RuleComn_getRouteMembers(base, members);
    for (const AcDbObjectId& id : members)
        if (id != base)
            g.nodes.push_back({id, connectionPoints(id)});
    g.edges.resize(g.nodes.size());
    for (std::size_t i = 0; i < g.nodes.size(); ++i)
        for (std::size_t j = i + 1; j < g.nodes.size(); ++j)
            if (touches(g.nodes[i], g.nodes[j])) {
                g.edges[i].push_back(j);
                g.edges[j].push_back(i);
            }
    return g;
}

// The first node met breadth first from the base that can take the displacement.
std::optional<std::size_t> findSegment(const RouteGraph& g, const AcGeVector3d& d) {
    std::vector<bool> seen(g.nodes.size(), false);
    std::deque<std::size_t> queue{0};
    seen[0] = true;
    while (!queue.empty()) {
        std::size_t i = queue.front();
        queue.pop_front();
        for (std::size_t j : g.edges[i]) {
            if (seen[j])
                continue;
            seen[j] = true;
            const Node& n = g.nodes[j];
            if (n.points.size() >= 2 && isStraight(n.id) &&
                (d.isZeroLength() || isParallel(n.points[1] - n.points[0], d)))
                return j;
            queue.push_back(j);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<RejobPlan> planRejob(AcDbObjectId base, const AcGeVector3d& d, std::wstring& why) {
    RouteGraph g = buildGraph(base);
    if (g.nodes[0].points.empty()) {
        why = L"the base element has no connection points";
        return std::nullopt;
    }
    std::optional<std::size_t> seg = findSegment(g, d);
    if (!seg) {
        why = d.isZeroLength() ? L"no straight element is joined to the base element"
                               : L"no straight element along the displacement is joined to "
                                 L"the base element";
        return std::nullopt;
    }
    // Everything still joined to the base element without the segment moves.
    std::vector<bool> moves(g.nodes.size(), false);
    std::vector<std::size_t> stack{0};
    moves[0] = true;
    while (!stack.empty()) {
        std::size_t i = stack.back();
        stack.pop_back();
        for (std::size_t j : g.edges[i])
            if (j != *seg && !moves[j]) {
                moves[j] = true;
                stack.push_back(j);
            }
    }
    const Node& s = g.nodes[*seg];
    bool first = false, second = false;
    for (std::size_t i = 0; i < g.nodes.size(); ++i) {
        if (!moves[i])
            continue;
        first = first || near(s.points[0], g.nodes[i].points);
        second = second || near(s.points[1], g.nodes[i].points);
    }
    if (first == second) {
        why = first ? L"the route closes on itself around the straight element"
                    : L"the straight element is not joined at an end of its root";
        return std::nullopt;
    }
    RejobPlan plan;
    plan.segment = s.id;
    plan.movingEndIsSecond = second;
    const AcGePoint3d& fixed = second ? s.points[0] : s.points[1];
    const AcGePoint3d& moving = second ? s.points[1] : s.points[0];
    AcGeVector3d axis = moving - fixed;
    plan.oldLength = axis.length();
    AcGeVector3d stretched = (moving + d) - fixed;
    plan.newLength = stretched.dotProduct(axis) > 0 ? stretched.length() : -stretched.length();
    if (plan.newLength <= kDeZezaConnectTolerance) {
        why = L"the straight element would be too short";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < g.nodes.size(); ++i)
        if (moves[i] && !g.nodes[i].id.isErased())
            plan.moved.push_back(g.nodes[i].id);
    return plan;
}

namespace {

// A copy of the segment scaled along its block's x axis so that its root is newLength
// long, with the fixed end where it was. Null when the root does not run along x.
std::unique_ptr<AcDbBlockReference> stretchedCopy(const RejobPlan& plan) {
    AcGeMatrix3d identity;
    std::vector<AcGePoint3d> block = connectionPoints(plan.segment, &identity);
    if (block.size() < 2)
        return nullptr;
    AcGeVector3d root = block[1] - block[0];
    if (std::fabs(root.x) <= 1e-9 || std::hypot(root.y, root.z) > 1e-9 * root.length())
        return nullptr;
    AcDbBlockReference* ref = nullptr;
    if (acdbOpenObject(ref, plan.segment, AcDb::kForRead) != Acad::eOk)
        return nullptr;
    std::unique_ptr<AcDbBlockReference> copy(AcDbBlockReference::cast(ref->clone()));
    AcGePoint3d fixedInBlock = plan.movingEndIsSecond ? block[0] : block[1];
    AcGePoint3d fixedInWorld = ref->blockTransform() * fixedInBlock;
    ref->close();
    if (!copy)
        return nullptr;
    AcGeScale3d scale = copy->scaleFactors();
    scale.sx *= plan.newLength / plan.oldLength;
    if (copy->setScaleFactors(scale) != Acad::eOk)
        return nullptr;
    AcGePoint3d placed = copy->blockTransform() * fixedInBlock;
    copy->setPosition(copy->position() + (fixedInWorld - placed));
    return copy;
}

void translate(AcDbObjectId id, const AcGeVector3d& d) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite) != Acad::eOk)
        return;
    ent->transformBy(AcGeMatrix3d::translation(d));
    ent->close();
}

} // namespace

Acad::ErrorStatus applyRejob(const RejobPlan& plan, const AcGeVector3d& d,
                             AcDbObjectId& replacement) {
    std::unique_ptr<AcDbBlockReference> copy = stretchedCopy(plan);
    if (!copy)
        return Acad::eNotApplicable;
    AcDbEntity* old = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbEntity(old, plan.segment, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    AcDbObjectId spaceId = old->blockId();
    old->close();
    AcDbBlockTableRecord* space = nullptr;
    es = acdbOpenObject(space, spaceId, AcDb::kForWrite);
    if (es != Acad::eOk)
        return es;
    es = space->appendAcDbEntity(replacement, copy.get());
    space->close();
    if (es != Acad::eOk)
        return es;
    copy.release()->close();

    for (const AcDbObjectId& id : plan.moved)
        translate(id, d);
    AcDbObjectId groupId = RuleComn_getGroupID(plan.segment, 0);
    AcDbGroup* group = nullptr;
    if (!groupId.isNull() && acdbOpenObject(group, groupId, AcDb::kForWrite) == Acad::eOk) {
        group->replace(plan.segment, replacement);
        group->close();
    }
    if (acdbOpenAcDbEntity(old, plan.segment, AcDb::kForWrite) == Acad::eOk) {
        old->erase();
        old->close();
    }
    AcDbObjectIdArray added;
    added.append(replacement);
    RuleComn_notifyReplaced(plan.segment, added);
    return Acad::eOk;
}

} // namespace kz::kelto
