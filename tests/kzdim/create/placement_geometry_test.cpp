// The geometric decisions of the placement drag: which side of the route the cursor is
// on, on which side of an extension line, angles in whole hundredths of a degree, how
// two segments overlap, and where an extension line starts.
#include "create/dim_data.h"
#include "create/placement.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0.0);
}

AcDbExtents box(double x0, double y0, double x1, double y1) {
    return AcDbExtents(P(x0, y0), P(x1, y1));
}

TEST(FindRouteSide, SidesOfABoxAndOfFlatExtents) {
    const AcDbExtents b = box(0, 0, 100, 50);
    EXPECT_EQ(FindRouteSide(b, P(-10, 25)), 1);
    EXPECT_EQ(FindRouteSide(b, P(50, 100)), 2);
    EXPECT_EQ(FindRouteSide(b, P(110, 25)), 3);
    EXPECT_EQ(FindRouteSide(b, P(50, -10)), 4);
    EXPECT_EQ(FindRouteSide(b, P(50, 25)), 0);   // inside
    EXPECT_EQ(FindRouteSide(b, P(-10, 100)), 0); // beyond a corner
    EXPECT_EQ(FindRouteSide(b, P(200, -5)), 0);

    // A horizontal run: above or below, however far along.
    EXPECT_EQ(FindRouteSide(box(0, 0, 100, 0), P(500, 10)), 2);
    EXPECT_EQ(FindRouteSide(box(0, 0, 100, 0), P(-500, -10)), 4);
    // A vertical run: left or right.
    EXPECT_EQ(FindRouteSide(box(0, 0, 0, 100), P(-10, 50)), 1);
    EXPECT_EQ(FindRouteSide(box(0, 0, 0, 100), P(10, 500)), 3);
}

TEST(CursorSideOfLine, LeftRightAndAlongTheLine) {
    EXPECT_EQ(CursorSideOfLine(P(0, 0), P(100, 0), P(50, 10)), 2);
    EXPECT_EQ(CursorSideOfLine(P(0, 0), P(100, 0), P(50, -10)), 1);
    EXPECT_EQ(CursorSideOfLine(P(100, 0), P(0, 0), P(50, 10)), 1);
    EXPECT_EQ(CursorSideOfLine(P(0, 0), P(0, 100), P(-5, 50)), 2);
    // On the line's extension the angles differ by exactly 90 or 270 degrees.
    EXPECT_EQ(CursorSideOfLine(P(0, 0), P(100, 0), P(150, 0)), 0);
    EXPECT_EQ(CursorSideOfLine(P(0, 0), P(100, 0), P(-50, 0)), 0);
}

TEST(RoundedDegrees, TwoDecimalsAndAFullTurnIsZero) {
    EXPECT_DOUBLE_EQ(RoundedDegrees(M_PI / 2), 90.0);
    EXPECT_DOUBLE_EQ(RoundedDegrees(0.123456), 7.07);
    EXPECT_DOUBLE_EQ(RoundedDegrees(2 * M_PI), 0.0);
    // The 0.0001 nudge carries a value just under a half hundredth over it.
    EXPECT_DOUBLE_EQ(RoundedDegrees(12.344951 * M_PI / 180), 12.35);
    EXPECT_DOUBLE_EQ(RoundedDegrees(12.344849 * M_PI / 180), 12.34);
}

TEST(ClassifyOverlap, EveryCaseOfTwoSegments) {
    bool same = false;
    const AcGePoint3d a = P(0, 0), b = P(100, 0);
    EXPECT_EQ(ClassifyOverlap(a, b, P(0, 0), P(0, 100), same), -1);
    EXPECT_EQ(ClassifyOverlap(a, b, P(20, 0), P(50, 0), same), 1);
    EXPECT_TRUE(same);
    EXPECT_EQ(ClassifyOverlap(a, b, P(50, 0), P(150, 0), same), 2);
    EXPECT_TRUE(same);
    EXPECT_EQ(ClassifyOverlap(a, b, P(150, 0), P(50, 0), same), 3);
    EXPECT_FALSE(same);
    EXPECT_EQ(ClassifyOverlap(a, b, P(200, 0), P(-10, 0), same), 4);
    EXPECT_FALSE(same);
    EXPECT_EQ(ClassifyOverlap(a, b, P(0, 5), P(100, 5), same), 0);   // parallel, apart
    EXPECT_EQ(ClassifyOverlap(a, b, P(150, 0), P(250, 0), same), 0); // in line, apart
}

class TrimExtensionOriginTest : public ::testing::Test {
protected:
    CDimData job;
    void route(int kind, AcGePoint3d p0, AcGePoint3d p1, double width = 0.0) {
        job.AllocateSegments(2);
        job.segments[0].kind = kind;
        job.segments[0].points.append(p0);
        job.segments[0].points.append(p1);
        job.segments[0].width = width;
        job.segments[1].kind = 0; // a fitting: one point, never stops the walk
        job.segments[1].points.append(p1);
    }
    AcGePoint3d trimmed(AcGePoint3d origin, AcGePoint3d foot) {
        TrimExtensionOrigin(job, origin, foot);
        return origin;
    }
};

TEST_F(TrimExtensionOriginTest, LinesAndStraightElements) {
    for (int kind : {-1, 1}) {
        route(kind, P(0, 0), P(100, 0));
        // Running out of the element towards the dimension line: starts at its end.
        EXPECT_TRUE(trimmed(P(20, 0), P(-50, 0)).isEqualTo(P(0, 0)));
        EXPECT_TRUE(trimmed(P(20, 0), P(180, 0)).isEqualTo(P(100, 0)));
        // Lying on the element: collapses to the foot.
        EXPECT_TRUE(trimmed(P(20, 0), P(80, 0)).isEqualTo(P(80, 0)));
        // Only the foot on the element: unchanged for lines.
        EXPECT_TRUE(trimmed(P(-30, 0), P(60, 0)).isEqualTo(P(-30, 0)));
        // Across the element: unchanged.
        EXPECT_TRUE(trimmed(P(20, 0), P(20, 300)).isEqualTo(P(20, 0)));
    }
    route(0, P(0, 0), P(100, 0)); // other kinds are not walked
    EXPECT_TRUE(trimmed(P(20, 0), P(80, 0)).isEqualTo(P(20, 0)));
}

TEST_F(TrimExtensionOriginTest, DuctsAreWalkedAlongBothEdges) {
    route(100, P(0, 0), P(100, 0), 20.0);
    EXPECT_TRUE(trimmed(P(30, 10), P(-40, 10)).isEqualTo(P(0, 10)));
    EXPECT_TRUE(trimmed(P(30, -10), P(140, -10)).isEqualTo(P(100, -10)));
    EXPECT_TRUE(trimmed(P(30, 10), P(60, 10)).isEqualTo(P(60, 10)));
    // A case the lines do not have: only the foot end on the edge collapses too.
    EXPECT_TRUE(trimmed(P(-30, 10), P(60, 10)).isEqualTo(P(60, 10)));
    EXPECT_TRUE(trimmed(P(30, 0), P(-40, 0)).isEqualTo(P(30, 0))); // the centre line
}

} // namespace
