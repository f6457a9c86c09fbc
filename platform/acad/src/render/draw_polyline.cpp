// Lightweight, 2D and 3D polylines. Planar polylines are laid out in their own plane
// (bulges become arcs, widths become filled bands) and placed through the frame, so a
// block scaled unevenly stretches them as it stretches everything else.
#include "render/collector.h"

#include "dbents.h"
#include "dbpl.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace kz::render {

namespace {

struct Vertex {
    double x = 0, y = 0, bulge = 0, startWidth = 0, endWidth = 0;
};

// A polyline in its plane: vertices in plane coordinates, and the plane's place.
struct PlanarPolyline {
    std::vector<Vertex> vertices;
    bool closed = false;
    AcGeMatrix3d planeToBlock; // plane coordinates (at the elevation) to block coordinates
};

// Steps of at most 5 degrees along an arc.
int arcSteps(double angle) {
    return std::max(2, static_cast<int>(std::ceil(std::abs(angle) / (std::numbers::pi / 36))));
}

// Points along the segment from a to b, a included, b not: the bulge's arc or just a.
// With offsets, each point is moved sideways (to the left of the direction of travel)
// by the offset interpolated from startOffset to endOffset.
void segmentPoints(const Vertex& a, const Vertex& b, double startOffset, double endOffset,
                   std::vector<AcGePoint3d>& out, bool includeEnd) {
    const double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
    if (a.bulge == 0 || chord == 0) {
        const double nx = chord > 0 ? -dy / chord : 0, ny = chord > 0 ? dx / chord : 0;
        out.emplace_back(a.x + nx * startOffset, a.y + ny * startOffset, 0);
        if (includeEnd)
            out.emplace_back(b.x + nx * endOffset, b.y + ny * endOffset, 0);
        return;
    }
    // The arc through a and b turning by 4 atan(bulge), counter-clockwise when positive.
    const double theta = 4 * std::atan(a.bulge);
    const double radius = chord / (2 * std::sin(std::abs(theta) / 2));
    const double toCentre = radius * std::cos(theta / 2) * (theta > 0 ? 1 : -1);
    const double cx = (a.x + b.x) / 2 - dy / chord * toCentre;
    const double cy = (a.y + b.y) / 2 + dx / chord * toCentre;
    const double start = std::atan2(a.y - cy, a.x - cx);
    const int steps = arcSteps(theta);
    for (int i = 0; i <= steps; ++i) {
        if (i == steps && !includeEnd)
            break;
        const double t = double(i) / steps, angle = start + theta * t;
        // Left of the travel direction is towards the centre on a counter-clockwise arc.
        const double offset = startOffset + (endOffset - startOffset) * t;
        const double r = radius + (theta > 0 ? -offset : offset);
        out.emplace_back(cx + r * std::cos(angle), cy + r * std::sin(angle), 0);
    }
}

void draw(Collector& c, const PlanarPolyline& pl, const Frame& frame, const Look& look) {
    const std::size_t n = pl.vertices.size();
    if (n == 0)
        return;
    Frame placed = frame;
    placed.xform = frame.xform * pl.planeToBlock;
    const std::size_t segments = pl.closed ? n : n - 1;
    bool wide = false;
    for (std::size_t i = 0; i < segments; ++i)
        wide = wide || pl.vertices[i].startWidth > 0 || pl.vertices[i].endWidth > 0;
    if (!wide) {
        std::vector<AcGePoint3d> points;
        for (std::size_t i = 0; i < segments; ++i)
            segmentPoints(pl.vertices[i], pl.vertices[(i + 1) % n], 0, 0, points, false);
        if (!pl.closed || n == 1)
            points.emplace_back(pl.vertices[n - 1].x, pl.vertices[n - 1].y, 0);
        c.path(placed, points, pl.closed && n > 2, look);
        return;
    }
    // Each wide segment is a band between its two edges; thin ones are lines.
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& a = pl.vertices[i];
        const Vertex& b = pl.vertices[(i + 1) % n];
        std::vector<AcGePoint3d> outline;
        if (a.startWidth <= 0 && a.endWidth <= 0) {
            segmentPoints(a, b, 0, 0, outline, true);
            c.path(placed, outline, false, look);
            continue;
        }
        std::vector<AcGePoint3d> right;
        segmentPoints(a, b, a.startWidth / 2, a.endWidth / 2, outline, true);
        segmentPoints(a, b, -a.startWidth / 2, -a.endWidth / 2, right, true);
        outline.insert(outline.end(), right.rbegin(), right.rend());
        c.fill(placed, outline, look);
    }
}

AcGeMatrix3d planeAt(const AcGeVector3d& normal, double elevation) {
    return AcGeMatrix3d::planeToWorld(normal) *
           AcGeMatrix3d::translation(AcGeVector3d(0, 0, elevation));
}

// The entities of a vertex list, in order: those not erased.
template <class V> std::vector<const V*> verticesOf(AcDbObjectIterator* it) {
    std::unique_ptr<AcDbObjectIterator> owned(it);
    std::vector<const V*> out;
    for (it->start(); !it->done(); it->step()) {
        const AcDbEntity* e = it->entity();
        if (!e)
            e = AcDbEntity::cast(residentObject(it->objectId()));
        if (const V* v = V::cast(e))
            out.push_back(v);
    }
    return out;
}

} // namespace

bool drawPolyline(Collector& c, const AcDbEntity* entity, const Frame& frame) {
    Look look;
    if (const auto* pl = AcDbPolyline::cast(entity)) {
        if (!c.lookOf(entity, frame, look))
            return true;
        PlanarPolyline p;
        p.closed = pl->isClosed();
        p.planeToBlock = planeAt(pl->normal(), pl->elevation());
        double constant = 0;
        if (pl->getConstantWidth(constant) != Acad::eOk)
            constant = 0;
        for (unsigned int i = 0; i < pl->numVerts(); ++i) {
            Vertex v;
            AcGePoint2d q;
            pl->getPointAt(i, q);
            v.x = q.x;
            v.y = q.y;
            pl->getBulgeAt(i, v.bulge);
            pl->getWidthsAt(i, v.startWidth, v.endWidth);
            if (v.startWidth == 0 && v.endWidth == 0)
                v.startWidth = v.endWidth = constant;
            p.vertices.push_back(v);
        }
        draw(c, p, frame, look);
        return true;
    }
    if (const auto* pl = AcDb2dPolyline::cast(entity)) {
        if (!c.lookOf(entity, frame, look))
            return true;
        PlanarPolyline p;
        p.closed = pl->isClosed();
        p.planeToBlock = planeAt(pl->normal(), pl->elevation());
        for (const AcDb2dVertex* vertex : verticesOf<AcDb2dVertex>(pl->vertexIterator())) {
            // A spline's frame is not part of the curve shown.
            if (vertex->vertexType() == AcDb::k2dSplineCtlVertex)
                continue;
            Vertex v{vertex->position().x, vertex->position().y, vertex->bulge(),
                     vertex->startWidth(), vertex->endWidth()};
            if (v.startWidth == 0 && v.endWidth == 0) {
                v.startWidth = pl->defaultStartWidth();
                v.endWidth = pl->defaultEndWidth();
            }
            p.vertices.push_back(v);
        }
        draw(c, p, frame, look);
        return true;
    }
    if (const auto* pl = AcDb3dPolyline::cast(entity)) {
        if (!c.lookOf(entity, frame, look))
            return true;
        std::vector<AcGePoint3d> points;
        for (const auto* vertex : verticesOf<AcDb3dPolylineVertex>(pl->vertexIterator()))
            if (vertex->vertexType() != AcDb::k3dControlVertex)
                points.push_back(vertex->position());
        if (!points.empty())
            c.path(frame, points, pl->isClosed() && points.size() > 2, look);
        return true;
    }
    return false;
}

} // namespace kz::render
