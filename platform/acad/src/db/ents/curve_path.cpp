#include "db/ents/curve_path.h"

#include "dbextents.h"

#include <algorithm>
#include <cmath>

namespace kz {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
} // namespace

PathPiece PathPiece::segment(const AcGePoint3d& a, const AcGePoint3d& b, double p0, double p1) {
    PathPiece p;
    p.start = a;
    p.end = b;
    p.param0 = p0;
    p.param1 = p1;
    return p;
}

PathPiece PathPiece::arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                         const AcGeVector3d& xAxis, double startAngle, double sweep, double p0,
                         double p1) {
    PathPiece p;
    p.isArc = true;
    p.center = center;
    p.radius = radius;
    p.normal = normal.normal();
    // The x axis is made exactly perpendicular to the normal.
    p.xAxis = (xAxis - p.normal * xAxis.dotProduct(p.normal)).normal();
    if (p.xAxis.isZeroLength())
        p.xAxis = p.normal.perpVector().normal();
    p.startAngle = startAngle;
    p.sweep = sweep;
    p.param0 = p0;
    p.param1 = p1;
    p.start = p.pointAt(0);
    p.end = p.pointAt(1);
    return p;
}

AcGePoint3d PathPiece::pointAtAngle(double angle) const {
    return center + xAxis * (radius * std::cos(angle)) + yAxis() * (radius * std::sin(angle));
}

AcGePoint3d PathPiece::pointAt(double t) const {
    if (isArc)
        return pointAtAngle(startAngle + t * sweep);
    return start + (end - start) * t;
}

double PathPiece::length() const {
    return isArc ? radius * std::fabs(sweep) : start.distanceTo(end);
}

double PathPiece::fractionAtAngle(double angle) const {
    // The angle travelled from the start in the sweep's direction, 0 to 2 pi.
    double travelled = std::fmod((angle - startAngle) * (sweep > 0 ? 1 : -1), kTwoPi);
    if (travelled < 0)
        travelled += kTwoPi;
    if (travelled > kTwoPi - 1e-12)
        travelled = 0;
    return sweep == 0 ? 0 : travelled / std::fabs(sweep);
}

double PathPiece::closestT(const AcGePoint3d& p) const {
    if (!isArc) {
        AcGeVector3d d = end - start;
        double len2 = d.lengthSqrd();
        if (len2 == 0)
            return 0;
        return std::clamp((p - start).dotProduct(d) / len2, 0.0, 1.0);
    }
    if (sweep == 0)
        return 0;
    AcGeVector3d v = p - center;
    double t = fractionAtAngle(std::atan2(v.dotProduct(yAxis()), v.dotProduct(xAxis)));
    if (t <= 1)
        return t;
    // Beyond the arc: the nearer end.
    return pointAt(0).distanceTo(p) <= pointAt(1).distanceTo(p) ? 0 : 1;
}

double CurvePath::length() const {
    double total = 0;
    for (auto& piece : pieces)
        total += piece.length();
    return total;
}

void CurvePath::addToExtents(AcDbExtents& ext) const {
    for (auto& piece : pieces) {
        ext.addPoint(piece.startPoint());
        ext.addPoint(piece.endPoint());
        if (!piece.isArc)
            continue;
        // Along each world axis the arc is extreme where its tangent is perpendicular
        // to that axis: at the angle of the axis seen in the arc's plane, and opposite.
        AcGeVector3d y = piece.yAxis();
        for (int axis = 0; axis < 3; ++axis) {
            double base = std::atan2(y[axis], piece.xAxis[axis]);
            for (double angle : {base, base + kPi})
                if (piece.fractionAtAngle(angle) <= 1 + 1e-12)
                    ext.addPoint(piece.pointAtAngle(angle));
        }
    }
}

bool CurvePath::pointAtParam(double param, AcGePoint3d& p) const {
    for (auto& piece : pieces) {
        double lo = std::min(piece.param0, piece.param1), hi = std::max(piece.param0, piece.param1);
        double slack = 1e-12 * std::max(1.0, std::fabs(hi));
        if (param < lo - slack || param > hi + slack)
            continue;
        double t = hi == lo ? 0 : (param - piece.param0) / (piece.param1 - piece.param0);
        p = piece.pointAt(std::clamp(t, 0.0, 1.0));
        return true;
    }
    return false;
}

void CurvePath::closest(const AcGePoint3d& p, bool extend, AcGePoint3d& onCurve, double& param,
                        double& dist) const {
    double best = -1, before = 0;
    onCurve = p;
    param = dist = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const PathPiece& piece = pieces[i];
        double t = piece.closestT(p);
        if (extend && extendable && !piece.isArc && piece.length() > 0) {
            // The unclamped foot of the perpendicular, where the piece may be prolonged.
            AcGeVector3d d = piece.end - piece.start;
            double free = (p - piece.start).dotProduct(d) / d.lengthSqrd();
            if ((i == 0 && free < 0) || (i + 1 == pieces.size() && free > 1))
                t = free;
        }
        AcGePoint3d q = piece.pointAt(t);
        double d = q.distanceTo(p);
        if (best < 0 || d < best) {
            best = d;
            onCurve = q;
            param = piece.param0 + t * (piece.param1 - piece.param0);
            dist = before + t * piece.length();
        }
        before += piece.length();
    }
}

void appendBulgeSegment(CurvePath& path, const AcGePoint3d& a, const AcGePoint3d& b, double bulge,
                        const AcGeVector3d& normal, double p0, double p1) {
    double chord = a.distanceTo(b);
    if (bulge == 0 || chord == 0) {
        path.pieces.push_back(PathPiece::segment(a, b, p0, p1));
        return;
    }
    // Included angle 4 atan(bulge); the centre lies off the chord's midpoint, to the
    // left of the chord (around normal) for a counter-clockwise arc.
    double sweep = 4 * std::atan(bulge);
    double radius = chord / (2 * std::fabs(std::sin(sweep / 2)));
    AcGeVector3d n = normal.normal();
    AcGeVector3d along = (b - a).normal();
    AcGeVector3d left = n.crossProduct(along);
    double offset = chord / 2 / std::tan(sweep / 2); // signed with the bulge
    AcGePoint3d center = a + (b - a) * 0.5 + left * offset;
    AcGeVector3d toStart = a - center;
    AcGeVector3d x = toStart.normal();
    path.pieces.push_back(PathPiece::arc(center, radius, n, x, 0.0, sweep, p0, p1));
}

} // namespace kz
