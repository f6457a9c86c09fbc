#include "geline3d.h"
#include "gelnsg3d.h"

#include <gtest/gtest.h>

namespace {
AcGeTol pointTol(double t) {
    AcGeTol tol;
    tol.setEqualPoint(t);
    return tol;
}
} // namespace

TEST(AcGeLineSeg3d, EndPointsLengthAndUnitDirection) {
    const AcGeLineSeg3d s(AcGePoint3d(1, 1, 0), AcGePoint3d(4, 5, 0));
    EXPECT_EQ(s.startPoint(), AcGePoint3d(1, 1, 0));
    EXPECT_EQ(s.endPoint(), AcGePoint3d(4, 5, 0));
    EXPECT_DOUBLE_EQ(s.length(), 5.0);
    EXPECT_EQ(s.midPoint(), AcGePoint3d(2.5, 3, 0));
    EXPECT_TRUE(s.direction().isEqualTo(AcGeVector3d(0.6, 0.8, 0)));
    EXPECT_TRUE(s.direction().isUnitLength());
    // Segments of different lengths in the same direction have equal directions,
    // reversed ones opposite directions.
    const AcGeLineSeg3d longer(AcGePoint3d(0, 0, 0), AcGePoint3d(300, 400, 0));
    const AcGeLineSeg3d reversed(AcGePoint3d(4, 5, 0), AcGePoint3d(1, 1, 0));
    EXPECT_TRUE(s.direction().isEqualTo(longer.direction()));
    EXPECT_TRUE(s.direction().isEqualTo(-reversed.direction()));

    // A segment shorter than the tolerance still has a unit direction.
    const AcGeLineSeg3d tiny(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 1e-12, 0));
    EXPECT_TRUE(tiny.direction().isEqualTo(AcGeVector3d::kYAxis));

    AcGeLineSeg3d d;
    d.set(AcGePoint3d(2, 2, 2), AcGePoint3d(2, 2, 2));
    EXPECT_TRUE(d.direction().isZeroLength());
    EXPECT_FALSE(d.isParallelTo(s)); // a point has no direction
    EXPECT_TRUE(d.isOn(AcGePoint3d(2, 2, 2)));
}

TEST(AcGeLineSeg3d, IsOnMeansOnTheBoundedSegmentWithinPointTolerance) {
    const AcGeLineSeg3d s(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0));
    EXPECT_TRUE(s.isOn(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(s.isOn(AcGePoint3d(100, 0, 0)));
    EXPECT_TRUE(s.isOn(AcGePoint3d(37.5, 0, 0)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(100.001, 0, 0))); // on the line, past the end
    EXPECT_FALSE(s.isOn(AcGePoint3d(-0.001, 0, 0)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(50, 1e-6, 0)));
    EXPECT_TRUE(s.isOn(AcGePoint3d(50, 5e-11, 0))); // within the default 1e-10
    EXPECT_TRUE(s.isOn(AcGePoint3d(100 + 5e-11, 0, 0)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(50, 0, 1e-6))); // out of the plane
    EXPECT_TRUE(s.isOn(AcGePoint3d(100.3, 0.3, 0), pointTol(0.5)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(100.4, 0.4, 0), pointTol(0.5))); // 0.566 from the end

    // The infinite line through the same points has no ends.
    const AcGeLine3d l(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0));
    EXPECT_TRUE(l.isOn(AcGePoint3d(-1e6, 0, 0)));
    EXPECT_EQ(l.closestPointTo(AcGePoint3d(150, 7, 0)), AcGePoint3d(150, 0, 0));
    EXPECT_EQ(s.closestPointTo(AcGePoint3d(150, 7, 0)), AcGePoint3d(100, 0, 0));
    EXPECT_DOUBLE_EQ(s.distanceTo(AcGePoint3d(50, -3, 4)), 5.0);
}

TEST(AcGeLineSeg3d, ParallelIgnoresPositionAndSenseButNotAngle) {
    const AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
    EXPECT_TRUE(a.isParallelTo(AcGeLineSeg3d(AcGePoint3d(50, 0, 0), AcGePoint3d(51, 1, 0))));
    EXPECT_TRUE(a.isParallelTo(AcGeLineSeg3d(AcGePoint3d(5, 0, 0), AcGePoint3d(-5, -10, 0))));
    EXPECT_FALSE(a.isParallelTo(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10.0001, 0))));
    AcGeTol loose;
    loose.setEqualVector(1e-4);
    EXPECT_TRUE(
        a.isParallelTo(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10.0001, 0)), loose));
    EXPECT_TRUE(a.isColinearTo(AcGeLine3d(AcGePoint3d(-3, -3, 0), AcGeVector3d(2, 2, 0))));
    EXPECT_FALSE(a.isColinearTo(AcGeLine3d(AcGePoint3d(-3, -2, 0), AcGeVector3d(2, 2, 0))));
}

TEST(AcGeLineSeg3d, IntersectionMustLieOnBothBoundedSegments) {
    const AcGeLineSeg3d h(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3d p(-1, -1, -1);
    EXPECT_TRUE(h.intersectWith(AcGeLineSeg3d(AcGePoint3d(4, -2, 0), AcGePoint3d(4, 3, 0)), p));
    EXPECT_EQ(p, AcGePoint3d(4, 0, 0));
    // Touching at an end point counts.
    EXPECT_TRUE(h.intersectWith(AcGeLineSeg3d(AcGePoint3d(10, 0, 0), AcGePoint3d(10, 5, 0)), p));
    EXPECT_EQ(p, AcGePoint3d(10, 0, 0));
    // Lines would meet at (12, 0): segments do not, and p stays as it was.
    const AcGeLineSeg3d beyond(AcGePoint3d(12, 1, 0), AcGePoint3d(12, 5, 0));
    EXPECT_FALSE(h.intersectWith(beyond, p));
    EXPECT_EQ(p, AcGePoint3d(10, 0, 0));
    // As infinite lines they meet.
    const AcGeLine3d hl(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
    const AcGeLine3d vl(AcGePoint3d(12, 1, 0), AcGeVector3d(0, 4, 0));
    EXPECT_TRUE(hl.intersectWith(vl, p));
    EXPECT_EQ(p, AcGePoint3d(12, 0, 0));
    // A line and a segment: bounded on one side only.
    EXPECT_FALSE(beyond.intersectWith(hl, p));
    EXPECT_TRUE(h.intersectWith(vl, p) == false);
    // Parallel (even overlapping) and skew entities have no single intersection.
    EXPECT_FALSE(h.intersectWith(AcGeLineSeg3d(AcGePoint3d(5, 0, 0), AcGePoint3d(20, 0, 0)), p));
    EXPECT_FALSE(hl.intersectWith(AcGeLine3d(AcGePoint3d(0, 1, 1), AcGeVector3d(0, 1, 0)), p));
    // Oblique lines in another plane.
    const AcGeLine3d a(AcGePoint3d(0, 0, 5), AcGeVector3d(1, 1, 0));
    const AcGeLine3d b(AcGePoint3d(10, 0, 5), AcGeVector3d(-1, 1, 0));
    EXPECT_TRUE(a.intersectWith(b, p));
    EXPECT_EQ(p, AcGePoint3d(5, 5, 5));
}
