// Directions and sides in the XY plane.
#include "DeZeza.h"

#include <cmath>
#include <numbers>

namespace {

// Degrees of the direction p->q, 0 <= result < 360.
double directionDegrees(const AcGePoint3d& p, const AcGePoint3d& q) {
    double deg = std::atan2(q.y - p.y, q.x - p.x) * 180.0 / std::numbers::pi;
    if (deg < 0)
        deg += 360.0;
    // A tiny negative angle comes back as 360 after the addition.
    if (deg >= 360.0 || deg == 0.0)
        deg = 0.0;
    return deg;
}

} // namespace

double RootComn_Get2PointAngle(AcGePoint3d p, AcGePoint3d q) {
    return directionDegrees(p, q);
}

void RootComn_PointRotation2(AcGePoint3d base, double distance, double angle, AcGePoint3d& result) {
    double rad = angle * std::numbers::pi / 180.0;
    result.set(base.x + distance * std::cos(rad), base.y + distance * std::sin(rad), base.z);
}

int RuleComn_getIntAngle(AcGePoint3d p, AcGePoint3d q) {
    int whole = static_cast<int>(std::floor(directionDegrees(p, q) + 0.5));
    return whole >= 360 ? whole - 360 : whole;
}

int RuleComn_isSide(AcGePoint3d a, AcGePoint3d b, AcGePoint3d p) {
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double length = std::hypot(dx, dy);
    if (length == 0.0)
        return 0;
    double distance = (dx * (p.y - a.y) - dy * (p.x - a.x)) / length;
    if (std::fabs(distance) < 1e-9)
        return 0;
    return distance > 0 ? 2 : 1;
}

bool RuleComn_isDirection(AcGePoint3d p0, AcGePoint3d p1, AcGePoint3d q0, AcGePoint3d q1,
                          bool strict) {
    double ux = p1.x - p0.x, uy = p1.y - p0.y;
    double vx = q1.x - q0.x, vy = q1.y - q0.y;
    if ((ux == 0.0 && uy == 0.0) || (vx == 0.0 && vy == 0.0))
        return false;
    if (strict)
        return RuleComn_getIntAngle(p0, p1) == RuleComn_getIntAngle(q0, q1);
    // Perpendicular directions computed from angles leave a rounding residue.
    return (ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy)) > 1e-12;
}
