// Lines, circles, arcs, points and solids.
#include "render/collector.h"

#include "dbents.h"

namespace kz::render {

namespace {

// The x and y axes of the plane with this normal (the arbitrary axis rule).
void planeAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis) {
    const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(normal);
    xAxis = AcGeVector3d(m(0, 0), m(1, 0), m(2, 0));
    yAxis = AcGeVector3d(m(0, 1), m(1, 1), m(2, 1));
}

} // namespace

bool drawCurve(Collector& c, const AcDbEntity* entity, const Frame& frame) {
    Look look;
    if (const auto* line = AcDbLine::cast(entity)) {
        if (c.lookOf(entity, frame, look))
            c.path(frame, {line->startPoint(), line->endPoint()}, false, look);
        return true;
    }
    if (const auto* circle = AcDbCircle::cast(entity)) {
        AcGeVector3d x, y;
        planeAxes(circle->normal(), x, y);
        if (c.lookOf(entity, frame, look))
            c.arc(frame, circle->center(), x, y, circle->radius(), 0, 0, true, look);
        return true;
    }
    if (const auto* arc = AcDbArc::cast(entity)) {
        AcGeVector3d x, y;
        planeAxes(arc->normal(), x, y);
        if (c.lookOf(entity, frame, look))
            c.arc(frame, arc->center(), x, y, arc->radius(), arc->startAngle(), arc->endAngle(),
                  false, look);
        return true;
    }
    if (const auto* point = AcDbPoint::cast(entity)) {
        if (c.lookOf(entity, frame, look))
            c.mark(frame, point->position(), look);
        return true;
    }
    if (const auto* solid = AcDbSolid::cast(entity)) {
        if (!c.lookOf(entity, frame, look))
            return true;
        // Corners 0, 1, 3, 2 go around the outline; a triangle repeats its third.
        AcGePoint3d p[4];
        for (Adesk::UInt16 i = 0; i < 4; ++i)
            solid->getPointAt(i, p[i]);
        std::vector<AcGePoint3d> outline{p[0], p[1], p[3]};
        if (!p[3].isEqualTo(p[2]))
            outline.push_back(p[2]);
        c.fill(frame, outline, look);
        return true;
    }
    return false;
}

} // namespace kz::render
