// Chain order of picked segments and the direction each one is turned to.
#include "create/dim_data.h"
#include "create/segment_order.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Seg {
    std::vector<AcGePoint3d> points;
    int kind = -1;
};

class SegmentOrderTest : public ::testing::Test {
protected:
    CDimData job;

    void load(int side, const std::vector<Seg>& segs) {
        job.sideMode = side;
        job.AllocateSegments(static_cast<int>(segs.size()));
        for (std::size_t i = 0; i < segs.size(); ++i) {
            DimSegment& d = job.segments[i];
            d.sideMode = side;
            d.kind = segs[i].kind;
            for (const AcGePoint3d& p : segs[i].points)
                d.points.append(p);
        }
    }
    void sortAndOrient() {
        std::qsort(job.segments, static_cast<std::size_t>(job.segmentCount), sizeof(DimSegment),
                   CompareSegments);
        OrientSegments(job);
    }
    AcGePoint3d at(int segment, int point) const { return job.segments[segment].points[point]; }
};

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0.0);
}

// Where a point differs: the two coordinates in the failure message.
::testing::AssertionResult At(const AcGePoint3d& actual, double x, double y) {
    if (actual.x == x && actual.y == y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ") instead of (" << x << ", " << y << ")";
}
#define EXPECT_POINT(actual, x, y) EXPECT_TRUE(At((actual), (x), (y)))

TEST_F(SegmentOrderTest, ChainRunsAlongEachSideAndSegmentsStartWhereTheLastEnded) {
    // Side 2 (above): left to right, each horizontal segment with its left point first.
    load(2, {{{P(300, 0), P(200, 0)}}, {{P(200, 0), P(100, 0)}}, {{P(100, 0), P(0, 0)}}});
    sortAndOrient();
    EXPECT_POINT(at(0, 0), 0, 0);
    EXPECT_POINT(at(0, 1), 100, 0);
    EXPECT_POINT(at(1, 0), 100, 0);
    EXPECT_POINT(at(2, 0), 200, 0);
    EXPECT_POINT(at(2, 1), 300, 0);

    // Side 1 (left): top to bottom.
    load(1, {{{P(0, 0), P(0, 100)}}, {{P(0, 100), P(0, 200)}}});
    sortAndOrient();
    EXPECT_POINT(at(0, 0), 0, 200);
    EXPECT_POINT(at(1, 0), 0, 100);
    EXPECT_POINT(at(1, 1), 0, 0);

    // Side 4 (below): right to left; side 3 (right): bottom to top.
    load(4, {{{P(0, 0), P(100, 0)}}, {{P(100, 0), P(250, 0)}}});
    sortAndOrient();
    EXPECT_POINT(at(0, 0), 250, 0);
    EXPECT_POINT(at(1, 1), 0, 0);
    load(3, {{{P(0, 100), P(0, 200)}}, {{P(0, 0), P(0, 100)}}});
    sortAndOrient();
    EXPECT_POINT(at(0, 0), 0, 0);
    EXPECT_POINT(at(1, 1), 0, 200);
}

TEST_F(SegmentOrderTest, KeysLessThanOneUnitApartAreEqual) {
    // First points 0.6 apart: the primary key ties and the second points decide.
    load(2, {{{P(10.6, 0), P(50, 0)}}, {{P(10.0, 0), P(20, 0)}}});
    EXPECT_GT(CompareSegments(&job.segments[0], &job.segments[1]), 0);
    EXPECT_LT(CompareSegments(&job.segments[1], &job.segments[0]), 0);
    // One-point segments (fittings) key on their point, with the origin as second key.
    load(2, {{{P(5.0, 0)}}, {{P(5.5, 7)}}, {{P(9.0, 0)}}});
    EXPECT_EQ(CompareSegments(&job.segments[0], &job.segments[1]), 0);
    EXPECT_LT(CompareSegments(&job.segments[0], &job.segments[2]), 0);
}

TEST_F(SegmentOrderTest, ComparingTwiceTurnsASegmentOnceAndUnknownSidesTurnNothing) {
    load(2, {{{P(100, 0), P(0, 0)}}, {{P(300, 0), P(200, 0)}}});
    CompareSegments(&job.segments[0], &job.segments[1]);
    CompareSegments(&job.segments[0], &job.segments[1]);
    EXPECT_POINT(at(0, 0), 0, 0);
    EXPECT_POINT(at(1, 0), 200, 0);

    load(0, {{{P(100, 0), P(0, 0)}}, {{P(300, 0), P(200, 0)}}});
    EXPECT_EQ(CompareSegments(&job.segments[0], &job.segments[1]), 0);
    EXPECT_EQ(CompareSegments(&job.segments[1], &job.segments[0]), 0);
    OrientSegments(job);
    EXPECT_POINT(at(0, 0), 100, 0);
    EXPECT_POINT(at(1, 0), 200, 0); // nearest end to the previous segment's last point
}

TEST_F(SegmentOrderTest, FirstSegmentsAndDuctsAcrossTheChainGetAFixedDirection) {
    // On side 1 a nearly horizontal first segment (0.3 apart) runs left to right.
    load(1, {{{P(100, 0.3), P(0, 0)}}});
    OrientSegments(job);
    EXPECT_POINT(at(0, 0), 0, 0);
    // 0.6 apart it is not "across" and keeps its direction.
    load(1, {{{P(100, 0.6), P(0, 0)}}});
    OrientSegments(job);
    EXPECT_POINT(at(0, 0), 100, 0.6);

    // A vertical duct after the first segment on side 2 runs downwards, although its
    // lower end is the one nearest to where the previous segment ends.
    load(2, {{{P(0, 0), P(100, 0)}}, {{P(100, 0), P(100, 500)}, 100}});
    OrientSegments(job);
    EXPECT_POINT(at(1, 0), 100, 500);
    // The same segment as a plain line starts at the nearest end.
    load(2, {{{P(0, 0), P(100, 0)}}, {{P(100, 500), P(100, 0)}}});
    OrientSegments(job);
    EXPECT_POINT(at(1, 0), 100, 0);
}

} // namespace
