#include "create/segment_order.h"

#include "create/dim_data.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// A straight element's root points as RuleComn_rootPoint gives them.
struct RootPoints {
    AcGePoint3d r0, r1;
};

void SwapFirstTwo(DimSegment& s) {
    AcGePoint3d first = s.points[0];
    s.points[0] = s.points[1];
    s.points[1] = first;
}

// The key points F and S of a segment for side s, turning the segment when its first
// point does not come first along the chain. root: the element's root points read
// before, or null to read them from the drawing.
void KeyPoints(DimSegment& seg, int side, const RootPoints* root, AcGePoint3d& f, AcGePoint3d& s) {
    bool two = seg.points.length() >= 2;
    f = seg.points[0];
    s = two ? seg.points[1] : AcGePoint3d::kOrigin;
    if (two && seg.kind == 1) {
        // A straight element is keyed by its root (centre line), in the direction of
        // its picked points.
        AcGePoint3d r0, r1;
        if (root) {
            r0 = root->r0;
            r1 = root->r1;
        } else {
            RuleComn_rootPoint(seg.elementId, r0, r1, false);
        }
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

int Compare(DimSegment& a, const RootPoints* rootA, DimSegment& b, const RootPoints* rootB) {
    int side = a.sideMode;
    AcGePoint3d fa, sa, fb, sb;
    KeyPoints(a, side, rootA, fa, sa);
    KeyPoints(b, side, rootB, fb, sb);
    if (side < 1 || side > 4)
        return 0;
    int d = KeyDifference(side, fa, fb);
    if (d != 0)
        return d;
    return KeyDifference(side, sa, sb);
}

// A segment in the sort with its root points.
struct SortItem {
    DimSegment* seg;
    RootPoints root;
};

int CompareItems(const void* pa, const void* pb) {
    auto& a = *static_cast<SortItem*>(const_cast<void*>(pa));
    auto& b = *static_cast<SortItem*>(const_cast<void*>(pb));
    return Compare(*a.seg, &a.root, *b.seg, &b.root);
}

} // namespace

int CompareSegments(const void* pa, const void* pb) {
    auto& a = *static_cast<DimSegment*>(const_cast<void*>(pa));
    auto& b = *static_cast<DimSegment*>(const_cast<void*>(pb));
    return Compare(a, nullptr, b, nullptr);
}

// The comparisons turn segments as they go and the first comparison of a turned
// segment keys it differently from the later ones, so the comparator is not a strict
// order and the result depends on the sequence of comparisons. The items are sorted by
// the same qsort with the same comparisons; only the drawing is read once per element
// instead of at every comparison (the root points do not change during the sort).
void SortSegments(CDimData& job) {
    if (job.segmentCount <= 1)
        return;
    std::vector<SortItem> items(static_cast<std::size_t>(job.segmentCount));
    for (int i = 0; i < job.segmentCount; ++i) {
        SortItem& item = items[static_cast<std::size_t>(i)];
        item.seg = &job.segments[i];
        if (item.seg->points.length() >= 2 && item.seg->kind == 1)
            RuleComn_rootPoint(item.seg->elementId, item.root.r0, item.root.r1, false);
    }
    std::qsort(items.data(), items.size(), sizeof(SortItem), CompareItems);
    std::vector<DimSegment> sorted;
    sorted.reserve(items.size());
    for (const SortItem& item : items)
        sorted.push_back(std::move(*item.seg));
    for (int i = 0; i < job.segmentCount; ++i)
        job.segments[i] = std::move(sorted[static_cast<std::size_t>(i)]);
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
