// Intersections of curve paths: straight pieces and circular arcs, each possibly
// prolonged (a straight end piece beyond its end, an arc to its whole circle).
#include "db/ents/curve_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kz {

namespace {

constexpr double kPi = 3.14159265358979323846;

// How far a piece may be prolonged at each end (an arc prolonged at either end is its
// whole circle).
struct Reach {
    bool before = false;
    bool after = false;
};

struct Context {
    double eps; // distances below this are zero
    AcGePoint3dArray* points;
    int first; // the points found here start at this index

    // Adds the point unless it was found already (pieces meeting at a vertex).
    void add(const AcGePoint3d& p) const {
        for (int i = first; i < points->length(); ++i)
            if ((*points)[i].distanceTo(p) <= eps * 10)
                return;
        points->append(p);
    }
};

// Whether the fraction t along a straight piece of this length lies on it (allowing
// its prolongations).
bool withinSegment(double t, double length, Reach reach, double eps) {
    double slack = length > 0 ? eps / length : 0;
    return (reach.before || t >= -slack) && (reach.after || t <= 1 + slack);
}

bool onArc(const PathPiece& arc, Reach reach, const AcGePoint3d& p, double eps) {
    if (reach.before || reach.after || std::fabs(arc.sweep) >= 2 * kPi - 1e-12)
        return true;
    AcGeVector3d v = p - arc.center;
    double angle = std::atan2(v.dotProduct(arc.yAxis()), v.dotProduct(arc.xAxis));
    if (arc.fractionAtAngle(angle) <= 1)
        return true;
    return p.distanceTo(arc.startPoint()) <= eps || p.distanceTo(arc.endPoint()) <= eps;
}

void segmentSegment(const PathPiece& a, Reach ra, const PathPiece& b, Reach rb, const Context& cx) {
    AcGeVector3d d1 = a.end - a.start, d2 = b.end - b.start, r = a.start - b.start;
    double A = d1.dotProduct(d1), B = d1.dotProduct(d2), C = d2.dotProduct(d2);
    if (A == 0 || C == 0)
        return;
    // Parallel (collinear included): no single meeting point.
    if (d1.crossProduct(d2).length() <= 1e-10 * std::sqrt(A) * std::sqrt(C))
        return;
    double D = d1.dotProduct(r), E = d2.dotProduct(r);
    double denom = A * C - B * B;
    double t = (B * E - C * D) / denom;
    double u = (A * E - B * D) / denom;
    AcGePoint3d p = a.start + d1 * t, q = b.start + d2 * u;
    if (p.distanceTo(q) > cx.eps)
        return; // skew lines
    if (withinSegment(t, std::sqrt(A), ra, cx.eps) && withinSegment(u, std::sqrt(C), rb, cx.eps))
        cx.add(p);
}

void segmentArc(const PathPiece& seg, Reach rs, const PathPiece& arc, Reach ra, const Context& cx) {
    AcGeVector3d d = seg.end - seg.start;
    double len = d.length();
    if (len == 0 || arc.radius <= 0)
        return;
    const AcGeVector3d& n = arc.normal;
    double dn = d.dotProduct(n);
    double h = (seg.start - arc.center).dotProduct(n);
    double roots[2];
    int count = 0;
    if (std::fabs(dn) <= 1e-10 * len) {
        // In (or parallel to) the arc's plane: a line and a circle in that plane.
        if (std::fabs(h) > cx.eps)
            return;
        AcGeVector3d x = arc.xAxis, y = arc.yAxis();
        AcGeVector3d rel = seg.start - arc.center;
        double px = rel.dotProduct(x), py = rel.dotProduct(y);
        double dx = d.dotProduct(x), dy = d.dotProduct(y);
        double qa = dx * dx + dy * dy;
        double qb = 2 * (px * dx + py * dy);
        double qc = px * px + py * py - arc.radius * arc.radius;
        double disc = qb * qb - 4 * qa * qc;
        // The distance from the centre to the line decides tangency, with tolerance.
        double s0 = -qb / (2 * qa);
        double gap = std::hypot(px + s0 * dx, py + s0 * dy) - arc.radius;
        if (gap > cx.eps)
            return;
        if (gap >= -cx.eps || disc <= 0) {
            roots[count++] = s0;
        } else {
            double root = std::sqrt(disc) / (2 * qa);
            roots[count++] = s0 - root;
            roots[count++] = s0 + root;
        }
    } else {
        // Crossing the plane: at most one point, where it pierces the plane.
        double s = -h / dn;
        AcGePoint3d p = seg.start + d * s;
        if (std::fabs(p.distanceTo(arc.center) - arc.radius) > cx.eps)
            return;
        roots[count++] = s;
    }
    for (int i = 0; i < count; ++i) {
        AcGePoint3d p = seg.start + d * roots[i];
        if (withinSegment(roots[i], len, rs, cx.eps) && onArc(arc, ra, p, cx.eps))
            cx.add(p);
    }
}

void arcArc(const PathPiece& a, Reach ra, const PathPiece& b, Reach rb, const Context& cx) {
    if (a.radius <= 0 || b.radius <= 0 || !a.normal.isParallelTo(b.normal))
        return;
    if (std::fabs((b.center - a.center).dotProduct(a.normal)) > cx.eps)
        return; // parallel planes
    AcGeVector3d between = b.center - a.center;
    double d = between.length();
    if (d <= cx.eps)
        return; // concentric: equal circles overlap, others never meet
    if (d > a.radius + b.radius + cx.eps || d < std::fabs(a.radius - b.radius) - cx.eps)
        return;
    double along = (a.radius * a.radius - b.radius * b.radius + d * d) / (2 * d);
    double h2 = a.radius * a.radius - along * along;
    double h = h2 > 0 ? std::sqrt(h2) : 0;
    AcGeVector3d u = between / d;
    AcGeVector3d v = a.normal.crossProduct(u);
    AcGePoint3d base = a.center + u * along;
    for (double sign : {1.0, -1.0}) {
        AcGePoint3d p = base + v * (sign * h);
        if (onArc(a, ra, p, cx.eps) && onArc(b, rb, p, cx.eps))
            cx.add(p);
        if (h == 0)
            break;
    }
}

Reach reachOf(const CurvePath& path, std::size_t index, bool extend) {
    Reach r;
    if (!extend || !path.extendable)
        return r;
    r.before = index == 0;
    r.after = index + 1 == path.pieces.size();
    return r;
}

double sizeOf(const CurvePath& path) {
    double size = 1;
    for (auto& piece : path.pieces)
        for (const AcGePoint3d& p : {piece.start, piece.end, piece.center})
            size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    return size;
}

} // namespace

void intersectPaths(const CurvePath& a, const CurvePath& b, AcDb::Intersect mode,
                    AcGePoint3dArray& points) {
    bool extendA = mode == AcDb::kExtendThis || mode == AcDb::kExtendBoth;
    bool extendB = mode == AcDb::kExtendArg || mode == AcDb::kExtendBoth;
    Context cx{1e-9 * std::max(sizeOf(a), sizeOf(b)), &points, points.length()};
    for (std::size_t i = 0; i < a.pieces.size(); ++i) {
        const PathPiece& pa = a.pieces[i];
        Reach ra = reachOf(a, i, extendA);
        for (std::size_t j = 0; j < b.pieces.size(); ++j) {
            const PathPiece& pb = b.pieces[j];
            Reach rb = reachOf(b, j, extendB);
            if (!pa.isArc && !pb.isArc)
                segmentSegment(pa, ra, pb, rb, cx);
            else if (!pa.isArc)
                segmentArc(pa, ra, pb, rb, cx);
            else if (!pb.isArc)
                segmentArc(pb, rb, pa, ra, cx);
            else
                arcArc(pa, ra, pb, rb, cx);
        }
    }
}

} // namespace kz
