// The edge index trims every extension line exactly as the walk over all segments does,
// and notices when the segments it was made from change.
#include "create/dim_data.h"
#include "create/placement.h"
#include "create/route_edge_index.h"
#include "random_route.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Extension lines that start on, at or near route geometry and run along it, across
// it or anywhere: origins at piece ends, on pieces and on duct sides; feet along the
// piece, across it or at random.
struct LineMaker {
    RandomRoute& rnd;
    const CDimData& job;

    AcGePoint3d OnRoute(AcGeVector3d& along) {
        const DimSegment& seg = job.segments[rnd.Int(0, job.segmentCount - 1)];
        RouteEdge edges[2];
        int n = SegmentEdges(seg, edges);
        if (n == 0) {
            along = AcGeVector3d(1, 0, 0);
            return seg.points[0];
        }
        const RouteEdge& e = edges[rnd.Int(0, n - 1)];
        along = e.end - e.start;
        switch (rnd.Int(0, 3)) {
        case 0:
            return e.start;
        case 1:
            return e.end;
        case 2:
            return e.start + along * (rnd.Int(0, 8) / 8.0);
        default:
            return e.start + along * rnd.Real(-0.5, 1.5);
        }
    }

    void Make(AcGePoint3d& origin, AcGePoint3d& foot) {
        AcGeVector3d along;
        origin = rnd.Chance(0.9) ? OnRoute(along)
                                 : AcGePoint3d(rnd.Real(-3000, 3000), rnd.Real(-3000, 3000), 0);
        if (along.isZeroLength())
            along = AcGeVector3d(1, 0, 0);
        AcGeVector3d unit = along.normal();
        switch (rnd.Int(0, 3)) {
        case 0: // along the piece, either way, any length
            foot = origin + unit * (rnd.Int(-12, 12) * 50.0);
            break;
        case 1: // across it
            foot = origin + AcGeVector3d(-unit.y, unit.x, 0) * rnd.Real(-800, 800);
            break;
        case 2: // ending on other route geometry
            foot = OnRoute(along);
            break;
        default:
            foot = AcGePoint3d(rnd.Real(-3000, 3000), rnd.Real(-3000, 3000), 0);
            break;
        }
    }
};

bool Same(const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

TEST(RouteEdgeIndex, TrimsExactlyAsTheWalkOnRandomRoutes) {
    RandomRoute rnd(20240607);
    int stops = 0, calls = 0;
    for (int route = 0; route < 300; ++route) {
        CDimData job;
        RandomRoute::Load(job, rnd.Make(rnd.Int(1, 60), {-1, 1, 2, 100, 0}));
        RouteEdgeIndex index(job);
        LineMaker lines{rnd, job};
        for (int k = 0; k < 200; ++k) {
            AcGePoint3d origin, foot;
            lines.Make(origin, foot);
            AcGePoint3d walked = origin, fast = origin;
            TrimExtensionOrigin(job, walked, foot);
            index.Trim(fast, foot);
            ++calls;
            stops += Same(walked, origin) ? 0 : 1;
            ASSERT_TRUE(Same(walked, fast))
                << "route " << route << " line " << k << ": origin (" << origin.x << ", "
                << origin.y << ") foot (" << foot.x << ", " << foot.y << ") walk gives ("
                << walked.x << ", " << walked.y << "), index (" << fast.x << ", " << fast.y << ")";
        }
    }
    // The lines must have hit route geometry often, or the comparison proves little.
    EXPECT_GT(stops, calls / 10);
}

TEST(RouteEdgeIndex, FirstStoppingSegmentInArrayOrderWins) {
    // Two overlapping lines: the later one in the array would collapse the origin to
    // the foot, the earlier one moves it to its end.
    CDimData job;
    RandomRoute::Load(job, {{-1, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0)},
                            {-1, AcGePoint3d(-500, 0, 0), AcGePoint3d(500, 0, 0)}});
    RouteEdgeIndex index(job);
    AcGePoint3d origin(50, 0, 0);
    index.Trim(origin, AcGePoint3d(300, 0, 0));
    EXPECT_TRUE(Same(origin, AcGePoint3d(100, 0, 0)));
    std::swap(job.segments[0].points, job.segments[1].points);
    EXPECT_FALSE(index.Describes(job));
    RouteEdgeIndex swapped(job);
    origin = AcGePoint3d(50, 0, 0);
    swapped.Trim(origin, AcGePoint3d(300, 0, 0));
    EXPECT_TRUE(Same(origin, AcGePoint3d(300, 0, 0)));
}

TEST(RouteEdgeIndex, DescribesOnlyTheSegmentsItWasMadeFrom) {
    CDimData job;
    RandomRoute rnd(7);
    RandomRoute::Load(job, rnd.Make(20, {-1, 2, 100}));
    RouteEdgeIndex index(job);
    EXPECT_TRUE(index.Describes(job));
    job.segments[5].width += 1.0;
    EXPECT_FALSE(index.Describes(job));
    job.segments[5].width -= 1.0;
    EXPECT_TRUE(index.Describes(job));
    // A move far below the point tolerance still changes the edges.
    int walked = 0;
    while (job.segments[walked].points.length() < 2)
        ++walked;
    AcGePoint3d& first = job.segments[walked].points[0];
    const double x = first.x;
    first.x = std::nextafter(x, 1e300);
    EXPECT_FALSE(index.Describes(job));
    first.x = x;
    EXPECT_TRUE(index.Describes(job));
    job.segments[19].kind = job.segments[19].kind == 100 ? -1 : 100;
    EXPECT_FALSE(index.Describes(job));
    RandomRoute::Load(job, rnd.Make(19, {-1}));
    EXPECT_FALSE(index.Describes(job));
}

TEST(RouteEdgeIndex, CoordinatesThatAreNotNumbersNeverStop) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CDimData job;
    RandomRoute::Load(job, {{-1, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0)},
                            {-1, AcGePoint3d(nan, 0, 0), AcGePoint3d(100, 0, 0)},
                            {100, AcGePoint3d(0, 0, 0), AcGePoint3d(inf, 0, 0), 20.0}});
    RouteEdgeIndex index(job);
    for (AcGePoint3d foot :
         {AcGePoint3d(80, 0, 0), AcGePoint3d(nan, 0, 0), AcGePoint3d(inf, 0, 0)}) {
        AcGePoint3d walked(20, 0, 0), fast(20, 0, 0);
        TrimExtensionOrigin(job, walked, foot);
        index.Trim(fast, foot);
        EXPECT_TRUE(Same(walked, fast)) << foot.x;
    }
}

} // namespace
