// Sorting with each straight element's root points read once gives the order, the
// turned segments and the points that qsort with the comparator gives, on random
// routes whose straight elements are drawn with root points along, against, beside or
// across their picked points, or without any.
#include "../../platform/dezeza/route_fixture.h"
#include "create/dim_data.h"
#include "create/segment_order.h"
#include "random_route.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int g_ties = 0;
int CountingCompare(const void* a, const void* b) {
    int r = CompareSegments(a, b);
    g_ties += r == 0 ? 1 : 0;
    return r;
}

class SegmentSort : public RouteTest {
protected:
    int elements = 0;

    // A straight element whose connection points are the root points for a and b.
    AcDbObjectId Element(RandomRoute& rnd, AcGePoint3d a, AcGePoint3d b) {
        std::vector<AcGePoint3d> roots;
        AcGeVector3d d = b - a;
        AcGeVector3d across(-d.y, d.x, 0.0);
        switch (rnd.Int(0, 6)) {
        case 0: // against the picked points
            roots = {b, a};
            break;
        case 1: // a centre line beside them, either way
            roots = {a + across * 0.25, b + across * 0.25};
            if (rnd.Chance(0.5))
                std::swap(roots[0], roots[1]);
            break;
        case 2: // across them: no direction agrees
            roots = {a, a + across};
            break;
        case 3: // one point or none: the roots cannot be read
            if (rnd.Chance(0.5))
                roots = {a};
            break;
        default:
            roots = {a, b};
            break;
        }
        std::wstring name = L"EL" + std::to_wstring(++elements);
        AcDbObjectId block = defineElement(name.c_str(), roots, roots, {L"RT0001", L"1", L"0"});
        return insert(block, {});
    }

    void Load(RandomRoute& rnd, CDimData& job, const std::vector<RoutePiece>& route) {
        RandomRoute::Load(job, route);
        for (int i = 0; i < job.segmentCount; ++i) {
            DimSegment& seg = job.segments[i];
            seg.code = i; // names the segment in the comparison
            if (seg.kind == 1)
                seg.elementId = Element(rnd, seg.points[0], seg.points[1]);
        }
    }
};

bool SameBits(const AcGePoint3d& a, const AcGePoint3d& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(SegmentSort, SameAsQsortWithTheComparator) {
    RandomRoute rnd(2718);
    int turned = 0, straight = 0;
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<RoutePiece> route = rnd.Make(rnd.Int(1, 40), {-1, 1, 1, 2, 100});
        // Some runs put pieces on top of one another so that many keys tie.
        if (rnd.Chance(0.3))
            for (RoutePiece& s : route)
                if (rnd.Chance(0.5))
                    s = route[static_cast<std::size_t>(
                        rnd.Int(0, static_cast<int>(route.size()) - 1))];
        int side = rnd.Int(0, 5); // 0 and 5 are no side
        CDimData reference, fast;
        Load(rnd, reference, route);
        fast.AllocateSegments(reference.segmentCount);
        for (int i = 0; i < reference.segmentCount; ++i) {
            reference.segments[i].sideMode = side;
            fast.segments[i] = reference.segments[i];
        }
        fast.sideMode = reference.sideMode = side;

        std::qsort(reference.segments, static_cast<std::size_t>(reference.segmentCount),
                   sizeof(DimSegment), CountingCompare);
        SortSegments(fast);

        for (int i = 0; i < fast.segmentCount; ++i) {
            const DimSegment& r = reference.segments[i];
            const DimSegment& f = fast.segments[i];
            std::string where = "route " + std::to_string(trial) + ", place " + std::to_string(i);
            ASSERT_EQ(r.code, f.code) << where;
            ASSERT_EQ(r.points.length(), f.points.length()) << where;
            for (int k = 0; k < r.points.length(); ++k)
                ASSERT_TRUE(SameBits(r.points[k], f.points[k])) << where << ", point " << k;
            EXPECT_EQ(r.elementId, f.elementId) << where;
            if (r.kind == 1) {
                ++straight;
                const RoutePiece& piece = route[static_cast<std::size_t>(r.code)];
                turned += SameBits(r.points[0], piece.a) ? 0 : 1;
            }
        }
    }
    // The routes exercised what makes the order delicate.
    EXPECT_GT(g_ties, 200);
    EXPECT_GT(turned, straight / 10);
}

TEST_F(SegmentSort, ZeroOrOneSegmentIsLeftAlone) {
    CDimData job;
    SortSegments(job);
    EXPECT_EQ(job.segmentCount, 0);
    // A single segment is not compared, so not turned either.
    RandomRoute::Load(job, {{-1, AcGePoint3d(100, 0, 0), AcGePoint3d(0, 0, 0), 0.0}});
    job.segments[0].sideMode = 2;
    SortSegments(job);
    EXPECT_TRUE(SameBits(job.segments[0].points[0], AcGePoint3d(100, 0, 0)));
}

} // namespace
