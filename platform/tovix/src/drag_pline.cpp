// CDrag::GetPLinePoint: the segment of a polyline under a pick, or the segment that
// starts at a picked vertex.
#include "Drag.h"

#include "dbents.h"
#include "dbpl.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

struct Vertex {
    AcGePoint3d point;  // world
    double bulge = 0.0; // as seen from +Z (0 when the plane is not the XY plane)
    AcDbObjectId id;    // old-style polylines: the vertex entity
};

struct Outline {
    std::vector<Vertex> vertices;
    bool closed = false;
    std::size_t segments() const {
        std::size_t n = vertices.size();
        return n < 2 ? 0 : (closed ? n : n - 1);
    }
};

// Bulges only describe arcs in the view when the plane is the XY plane; seen from
// below, an arc turns the other way.
double viewBulge(double bulge, const AcGeVector3d& normal) {
    if (std::fabs(normal.x) > 1e-9 || std::fabs(normal.y) > 1e-9)
        return 0.0;
    return normal.z < 0 ? -bulge : bulge;
}

bool readOutline(const AcDbObject* object, Outline& out) {
    if (auto* pl = AcDbPolyline::cast(object)) {
        for (unsigned int i = 0; i < pl->numVerts(); ++i) {
            Vertex v;
            double bulge = 0.0;
            pl->getPointAt(i, v.point);
            pl->getBulgeAt(i, bulge);
            v.bulge = viewBulge(bulge, pl->normal());
            out.vertices.push_back(v);
        }
        out.closed = pl->isClosed();
        return true;
    }
    if (auto* pl = AcDb2dPolyline::cast(object)) {
        std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
        for (it->start(); !it->done(); it->step()) {
            if (auto* vertex = AcDb2dVertex::cast(it->entity())) {
                out.vertices.push_back({pl->vertexPosition(*vertex),
                                        viewBulge(vertex->bulge(), pl->normal()), it->objectId()});
            }
        }
        out.closed = pl->isClosed();
        return true;
    }
    if (auto* pl = AcDb3dPolyline::cast(object)) {
        std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
        for (it->start(); !it->done(); it->step()) {
            if (auto* vertex = AcDb3dPolylineVertex::cast(it->entity()))
                out.vertices.push_back({vertex->position(), 0.0, it->objectId()});
        }
        out.closed = pl->isClosed();
        return true;
    }
    return false;
}

// Distance in the XY plane from q to the straight or arc segment from a to b.
double segmentDistance(const AcGePoint3d& q, const AcGePoint3d& a, const AcGePoint3d& b,
                       double bulge) {
    const double cx = b.x - a.x, cy = b.y - a.y;
    const double len2 = cx * cx + cy * cy;
    auto toEnd = [&] {
        return std::min(std::hypot(q.x - a.x, q.y - a.y), std::hypot(q.x - b.x, q.y - b.y));
    };
    if (len2 == 0.0)
        return toEnd();
    if (std::fabs(bulge) < 1e-12) {
        double t = std::clamp(((q.x - a.x) * cx + (q.y - a.y) * cy) / len2, 0.0, 1.0);
        return std::hypot(q.x - (a.x + t * cx), q.y - (a.y + t * cy));
    }
    // The centre lies off the chord's middle, to its left by (L/2)(1 - b^2)/(2b); the
    // arc bulges to the right for a positive bulge (counter-clockwise from a to b).
    const double len = std::sqrt(len2);
    const double lx = -cy / len, ly = cx / len; // left of the chord
    const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    const double off = len / 2 * (1 - bulge * bulge) / (2 * bulge);
    const double ox = mx + lx * off, oy = my + ly * off;
    const double r = std::hypot(a.x - ox, a.y - oy);
    const double dq = std::hypot(q.x - ox, q.y - oy);
    if (dq == 0.0)
        return r;
    // The arc's point in q's direction is on the arc when it lies on the bulging side.
    const double px = ox + (q.x - ox) * r / dq, py = oy + (q.y - oy) * r / dq;
    const double side = (px - mx) * lx + (py - my) * ly;
    if (side * bulge <= 0.0)
        return std::fabs(dq - r);
    return toEnd();
}

} // namespace

int CDrag::GetPLinePoint(AcDbObjectId id, double pick[3], AcGePoint3d& p1, AcGePoint3d& p2) {
    AcDbObjectId vertexId;
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk)
        return 1;
    if (AcDb2dVertex::cast(object) || AcDb3dPolylineVertex::cast(object)) {
        vertexId = id;
        AcDbObjectId owner = object->ownerId();
        object->close();
        if (acdbOpenAcDbObject(object, owner, AcDb::kForRead) != Acad::eOk)
            return 1;
    }
    Outline outline;
    bool known = readOutline(object, outline);
    object->close();
    if (!known || (vertexId.isNull() && pick == nullptr))
        return 1;

    const std::size_t n = outline.vertices.size();
    std::size_t found = n;
    if (!vertexId.isNull()) {
        for (std::size_t i = 0; i < n; ++i) {
            if (outline.vertices[i].id == vertexId)
                found = i;
        }
        if (found >= outline.segments())
            return 2;
    } else {
        const AcGePoint3d q(pick[0], pick[1], pick[2]);
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < outline.segments(); ++i) {
            const Vertex& a = outline.vertices[i];
            double d = segmentDistance(q, a.point, outline.vertices[(i + 1) % n].point, a.bulge);
            if (d < best) {
                best = d;
                found = i;
            }
        }
        if (found == n)
            return 2;
    }
    p1 = outline.vertices[found].point;
    p2 = outline.vertices[(found + 1) % n].point;
    return 0;
}
