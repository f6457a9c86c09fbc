#include "create/segment_order.h"

#include "create/dim_data.h"

namespace {

void SwapFirstTwo(DimSegment& s) {
    AcGePoint3d first = s.points[0];
    s.points[0] = s.points[1];
    s.points[1] = first;
}

// The key points F and S of a segment for side s, turning the segment when its first
// point does not come first along the chain.
void KeyPoints(DimSegment& seg, int side, AcGePoint3d& f, AcGePoint3d& s) {
    bool two = seg.points.length() >= 2;
    f = seg.points[0];
    s = two ? seg.points[1] : AcGePoint3d::kOrigin;
    if (two && seg.kind == 1) {
        // A straight element is keyed by its root (centre line), in the direction of
        // its picked points.
        AcGePoint3d r0, r1;
        RuleComn_rootPoint(seg.elementId, r0, r1, false);
        if (RuleComn_isDirection(f, s, r0, r1, false)) {
            f = r0;
            s = r1;
        } else {
            f = r1;
            s = r0;
        }
    }
    if (!two)
        return;
    bool turn = false;
    switch (side) {
    case 1:
        turn = s.y > f.y;
        break;
    case 2:
        turn = f.x > s.x;
        break;
    case 3:
        turn = f.y > s.y;
        break;
    case 4:
        turn = s.x > f.x;
        break;
    default:
        break;
    }
    if (turn) {
        SwapFirstTwo(seg);
        f = s;
    }
}

// The difference for side s, truncated toward zero: keys less than one unit apart are
// equal.
int KeyDifference(int side, const AcGePoint3d& a, const AcGePoint3d& b) {
    double d = 0.0;
    switch (side) {
    case 1:
        d = b.y - a.y;
        break;
    case 2:
        d = a.x - b.x;
        break;
    case 3:
        d = a.y - b.y;
        break;
    case 4:
        d = b.x - a.x;
        break;
    default:
        return 0;
    }
    return static_cast<int>(d);
}

} // namespace

int CompareSegments(const void* pa, const void* pb) {
    auto& a = *static_cast<DimSegment*>(const_cast<void*>(pa));
    auto& b = *static_cast<DimSegment*>(const_cast<void*>(pb));
    int side = a.sideMode;
    AcGePoint3d fa, sa, fb, sb;
    KeyPoints(a, side, fa, sa);
    KeyPoints(b, side, fb, sb);
    if (side < 1 || side > 4)
        return 0;
    int d = KeyDifference(side, fa, fb);
    if (d != 0)
        return d;
    return KeyDifference(side, sa, sb);
}

namespace {

// Whether two points agree within 0.5 in the one coordinate named (x or y).
bool SameCoordinate(double a, double b) {
    AcGeTol tol;
    tol.setEqualPoint(0.5);
    return AcGePoint3d(a, 0, 0).isEqualTo(AcGePoint3d(b, 0, 0), tol);
}

} // namespace

void OrientSegments(CDimData& job) {
    int side = job.sideMode;
    for (int i = 0; i < job.segmentCount; ++i) {
        DimSegment& seg = job.segments[i];
        if (seg.points.length() < 2)
            continue;
        AcGePoint3d a = seg.points[0];
        AcGePoint3d b = seg.points[1];
        if (i > 0 && seg.kind != 100) {
            const DimSegment& prev = job.segments[i - 1];
            AcGePoint3d p = prev.points.last();
            if (p.distanceTo(a) > p.distanceTo(b))
                SwapFirstTwo(seg);
            continue;
        }
        bool swap = false;
        switch (side) {
        case 1:
            swap = SameCoordinate(a.y, b.y) && a.x > b.x;
            break;
        case 2:
            swap = SameCoordinate(a.x, b.x) && b.y > a.y;
            break;
        case 3:
            swap = SameCoordinate(a.y, b.y) && b.x > a.x;
            break;
        case 4:
            swap = SameCoordinate(a.x, b.x) && a.y > b.y;
            break;
        default:
            break;
        }
        if (swap)
            SwapFirstTwo(seg);
    }
}
