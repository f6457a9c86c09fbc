#include "create/line_geometry.h"

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
