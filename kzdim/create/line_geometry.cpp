#include "create/line_geometry.h"

#include <algorithm>
#include <cmath>

bool IntersectLines(const AcGePoint3d& a1, const AcGePoint3d& a2, const AcGePoint3d& b1,
                    const AcGePoint3d& b2, AcGePoint3d& point) {
    auto* first = new AcDbLine(a1, a2);
    auto* second = new AcDbLine(b1, b2);
    AcGePoint3dArray points;
    first->intersectWith(second, AcDb::kExtendBoth, points);
    delete first;
    delete second;
    if (points.length() == 0)
        return false;
    point = points[0];
    return true;
}

namespace {

// The size of a line for the distance tolerance: its largest coordinate, at least 1.
double LineSize(const AcGePoint3d& a, const AcGePoint3d& b) {
    double size = 1;
    for (const AcGePoint3d& p : {a, b, AcGePoint3d::kOrigin})
        size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    return size;
}

} // namespace

// The closest points of the two lines, a1 + t d1 and b1 + u d2, in the same operations
// and order as the database lines' intersection, so that every bit agrees: lines with no
// length or parallel within 1e-10 do not meet, nor do skew lines whose closest points
// lie more than 1e-9 of the larger line's size apart.
bool IntersectLinesDirect(const AcGePoint3d& a1, const AcGePoint3d& a2, const AcGePoint3d& b1,
                          const AcGePoint3d& b2, AcGePoint3d& point) {
    double eps = 1e-9 * std::max(LineSize(a1, a2), LineSize(b1, b2));
    AcGeVector3d d1 = a2 - a1, d2 = b2 - b1, r = a1 - b1;
    double A = d1.dotProduct(d1), B = d1.dotProduct(d2), C = d2.dotProduct(d2);
    if (A == 0 || C == 0)
        return false;
    if (d1.crossProduct(d2).length() <= 1e-10 * std::sqrt(A) * std::sqrt(C))
        return false;
    double D = d1.dotProduct(r), E = d2.dotProduct(r);
    double denom = A * C - B * B;
    double t = (B * E - C * D) / denom;
    double u = (A * E - B * D) / denom;
    AcGePoint3d p = a1 + d1 * t, q = b1 + d2 * u;
    if (p.distanceTo(q) > eps)
        return false;
    point = p;
    return true;
}
