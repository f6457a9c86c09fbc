#include "create/dim_data.h"
#include "create/placement.h"

#include <cmath>
#include <cstdio>

int FindRouteSide(const AcDbExtents& extents, const AcGePoint3d& p) {
    AcGePoint3d m = extents.minPoint();
    AcGePoint3d big = extents.maxPoint();
    int g = RuleComn_getIntAngle(m, big);
    if (g == 0)
        return RuleComn_isSide(m, big, p) == 2 ? 2 : 4;
    if (g == 90)
        return RuleComn_isSide(m, big, p) == 2 ? 1 : 3;
    AcGePoint3d lowerLeft(m.x, m.y, 0), upperLeft(m.x, big.y, 0), upperRight(big.x, big.y, 0),
        lowerRight(big.x, m.y, 0);
    int sum = 0;
    if (RuleComn_isSide(lowerLeft, upperLeft, p) == 2)
        sum += 1;
    if (RuleComn_isSide(upperLeft, upperRight, p) == 2)
        sum += 2;
    if (RuleComn_isSide(upperRight, lowerRight, p) == 2)
        sum += 4;
    if (RuleComn_isSide(lowerRight, lowerLeft, p) == 2)
        sum += 8;
    switch (sum) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 4:
        return 3;
    case 8:
        return 4;
    default:
        return 0;
    }
}

int CursorSideOfLine(const AcGePoint3d& x1, const AcGePoint3d& x2, const AcGePoint3d& c) {
    int a = static_cast<int>(RootComn_Get2PointAngle(c, x1) + 0.5);
    int b = static_cast<int>(RootComn_Get2PointAngle(x2, x1) + 0.5);
    int d = a + 90 - b;
    if (d < 0)
        d += 360;
    if (d < 90 || d > 270)
        return 1;
    if (d > 90 && d < 270)
        return 2;
    return 0;
}

double RoundedDegrees(double radians) {
    double v = radians / M_PI * 180.0 + 0.0001;
    if (v >= 360.0)
        v -= 360.0;
    wchar_t text[64];
    std::swprintf(text, 64, L"%.2lf", v);
    return ApiComn_atof(text);
}

int ClassifyOverlap(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                    const AcGePoint3d& p3, bool& same) {
    AcGeLineSeg3d s1(p0, p1);
    AcGeLineSeg3d s2(p2, p3);
    const AcGeTol& tol = AcGeContext::gTol;
    if (!s1.isParallelTo(s2, tol))
        return -1;
    same = s1.direction().isEqualTo(s2.direction(), tol);
    bool a = s1.isOn(p2, tol);
    bool b = s1.isOn(p3, tol);
    bool c = s2.isOn(p0, tol);
    bool e = s2.isOn(p1, tol);
    if (a && b)
        return 1;
    if (a && !b)
        return 2;
    if (!a && !b && c && e)
        return 4;
    if (b && !a)
        return 3;
    return 0;
}

namespace {

// Applies one overlap result to the origin; true when the walk stops.
bool ApplyOverlap(int r, bool same, const AcGePoint3d& start, const AcGePoint3d& end,
                  AcGePoint3d& origin, const AcGePoint3d& foot, bool ductEdge) {
    if (r == 1 || (ductEdge && r == 3)) {
        origin = foot;
        return true;
    }
    if (r == 2 || r == 4) {
        origin = same ? end : start;
        return true;
    }
    return false;
}

} // namespace

int SegmentEdges(const DimSegment& seg, RouteEdge (&edges)[2]) {
    if (seg.points.length() < 2)
        return 0;
    if (seg.kind == -1 || seg.kind == 1) {
        edges[0] = RouteEdge{seg.points[0], seg.points[1], false};
        return 1;
    }
    if (seg.kind != 100)
        return 0;
    AcGePoint3d c0 = seg.points[0];
    AcGePoint3d c1 = seg.points[1];
    double h = seg.width * 0.5;
    double len = c0.distanceTo(c1);
    double x = acutAngle(asDblArray(c0), asDblArray(c1));
    double psiDeg = ApiComn_ConvToAngle(x) + 90.0;
    if (psiDeg >= 180.0)
        psiDeg -= 180.0;
    double psi = ApiComn_ConvToRadian(psiDeg);
    AcGeVector3d u(std::cos(psi), std::sin(psi), 0.0);
    AcGeVector3d v(std::cos(x), std::sin(x), 0.0);
    AcGePoint3d oneStart = c0 + u * h;
    AcGePoint3d twoStart = c0 - u * h;
    edges[0] = RouteEdge{oneStart, oneStart + v * len, true};
    edges[1] = RouteEdge{twoStart, twoStart + v * len, true};
    return 2;
}

bool TrimAlongEdge(const RouteEdge& edge, AcGePoint3d& origin, const AcGePoint3d& foot) {
    bool same = false;
    int r = ClassifyOverlap(edge.start, edge.end, origin, foot, same);
    return ApplyOverlap(r, same, edge.start, edge.end, origin, foot, edge.ductEdge);
}

void TrimExtensionOrigin(const CDimData& job, AcGePoint3d& origin, const AcGePoint3d& foot) {
    for (int i = 0; i < job.segmentCount; ++i) {
        RouteEdge edges[2];
        int n = SegmentEdges(job.segments[i], edges);
        for (int k = 0; k < n; ++k)
            if (TrimAlongEdge(edges[k], origin, foot))
                return;
    }
}
