// Intersections of lines, circles and arcs in every extension mode.
#include "../db_fixture.h"

#include "dbents.h"

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

AcGePoint3dArray meet(const AcDbEntity& a, const AcDbEntity& b, AcDb::Intersect mode,
                      Acad::ErrorStatus expected = Acad::eOk) {
    AcGePoint3dArray points;
    EXPECT_EQ(a.intersectWith(&b, mode, points), expected);
    return points;
}

// A line 100 units long from p at the angle, as the text and extension-line commands
// build them.
AcDbLine probe(const AcGePoint3d& p, double angle) {
    return AcDbLine(p, p + AcGeVector3d(100 * std::cos(angle), 100 * std::sin(angle), 0));
}

} // namespace

TEST(LineIntersect, ExtendBothMeetsWhereTheInfiniteLinesCross) {
    // Vertical probe through (30, 5) and a horizontal one through (-200, 40): the
    // crossing lies outside both 100-unit segments.
    AcDbLine up = probe({30, 5, 0}, kPi / 2);
    AcDbLine across = probe({-200, 40, 0}, 0);
    EXPECT_TRUE(meet(up, across, AcDb::kOnBothOperands).isEmpty());
    AcGePoint3dArray pts = meet(up, across, AcDb::kExtendBoth);
    ASSERT_EQ(pts.length(), 1);
    EXPECT_NEAR(pts[0].x, 30, 1e-9);
    EXPECT_NEAR(pts[0].y, 40, 1e-9);

    // A 135-degree text rotation: lock direction 45 degrees through the base point,
    // cursor line at 135 degrees through the cursor.
    AcDbLine lock = probe({0, 0, 0}, kPi / 4);
    AcDbLine cursor = probe({10, 0, 0}, 3 * kPi / 4);
    pts = meet(lock, cursor, AcDb::kExtendBoth);
    ASSERT_EQ(pts.length(), 1);
    EXPECT_NEAR(pts[0].x, 5, 1e-9);
    EXPECT_NEAR(pts[0].y, 5, 1e-9);
}

TEST(LineIntersect, ExtendThisAndExtendArgProlongOnlyTheirOwnOperand) {
    AcDbLine shortOne({0, 0, 0}, {1, 0, 0});  // reaches x = 5 only when extended
    AcDbLine crossing({5, -1, 0}, {5, 1, 0}); // spans the x axis
    EXPECT_TRUE(meet(shortOne, crossing, AcDb::kOnBothOperands).isEmpty());
    EXPECT_EQ(meet(shortOne, crossing, AcDb::kExtendThis).length(), 1);
    EXPECT_TRUE(meet(shortOne, crossing, AcDb::kExtendArg).isEmpty());
    EXPECT_TRUE(meet(crossing, shortOne, AcDb::kExtendThis).isEmpty());
    EXPECT_EQ(meet(crossing, shortOne, AcDb::kExtendArg).length(), 1);
    // Extension goes both ways: behind the start as well.
    AcDbLine behind({10, 0, 0}, {20, 0, 0});
    EXPECT_EQ(meet(behind, crossing, AcDb::kExtendThis).length(), 1);
}

TEST(LineIntersect, TouchingAtAnEndCounts) {
    AcDbLine a({0, 0, 0}, {10, 0, 0});
    AcDbLine b({10, 0, 0}, {10, 10, 0});
    AcGePoint3dArray pts = meet(a, b, AcDb::kOnBothOperands);
    ASSERT_EQ(pts.length(), 1);
    EXPECT_TRUE(pts[0].isEqualTo({10, 0, 0}));
}

TEST(LineIntersect, ParallelCollinearAndSkewLinesGiveNoPoint) {
    AcDbLine a({0, 0, 0}, {10, 0, 0});
    AcDbLine parallel({0, 5, 0}, {10, 5, 0});
    AcDbLine collinear({5, 0, 0}, {20, 0, 0});
    AcDbLine reversed({20, 0, 0}, {-5, 0, 0});
    AcDbLine skew({5, -5, 1}, {5, 5, 1});
    for (const AcDbLine* other : {&parallel, &collinear, &reversed, &skew}) {
        EXPECT_TRUE(meet(a, *other, AcDb::kExtendBoth).isEmpty());
        EXPECT_TRUE(meet(a, *other, AcDb::kOnBothOperands).isEmpty());
    }
    // Lines in 3D that do meet.
    AcDbLine rising({5, -5, -1}, {5, 5, 1});
    EXPECT_EQ(meet(a, rising, AcDb::kOnBothOperands).length(), 1);
}

TEST(LineIntersect, PointsAreAppendedAfterWhatTheArrayHeld) {
    AcDbLine a({0, 0, 0}, {10, 0, 0});
    AcDbLine b({5, -1, 0}, {5, 1, 0});
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(5, 0, 0));
    ASSERT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 2);
}

TEST(CircleIntersect, LineThroughCircleTangentAndMiss) {
    AcDbCircle circle({0, 0, 0}, AcGeVector3d::kZAxis, 5);
    AcDbLine through({-10, 3, 0}, {10, 3, 0});
    AcGePoint3dArray pts = meet(through, circle, AcDb::kOnBothOperands);
    ASSERT_EQ(pts.length(), 2);
    EXPECT_NEAR(std::fabs(pts[0].x), 4, 1e-9);
    EXPECT_NEAR(pts[0].x, -pts[1].x, 1e-9);

    AcDbLine tangent({-10, 5, 0}, {10, 5, 0});
    pts = meet(circle, tangent, AcDb::kOnBothOperands);
    ASSERT_EQ(pts.length(), 1);
    EXPECT_TRUE(pts[0].isEqualTo({0, 5, 0}, AcGeTol()));

    AcDbLine outside({-10, 6, 0}, {10, 6, 0});
    EXPECT_TRUE(meet(circle, outside, AcDb::kExtendBoth).isEmpty());

    // A short line inside the circle reaches it only when extended.
    AcDbLine inside({-1, 0, 0}, {1, 0, 0});
    EXPECT_TRUE(meet(inside, circle, AcDb::kOnBothOperands).isEmpty());
    EXPECT_EQ(meet(inside, circle, AcDb::kExtendThis).length(), 2);
}

TEST(CircleIntersect, LinePiercingTheCirclesPlane) {
    AcDbCircle circle({0, 0, 0}, AcGeVector3d::kZAxis, 5);
    AcDbLine onRim({3, 4, -1}, {3, 4, 1});
    AcDbLine offRim({1, 1, -1}, {1, 1, 1});
    EXPECT_EQ(meet(onRim, circle, AcDb::kOnBothOperands).length(), 1);
    EXPECT_TRUE(meet(offRim, circle, AcDb::kOnBothOperands).isEmpty());
}

TEST(CircleIntersect, TwoCircles) {
    AcDbCircle a({0, 0, 0}, AcGeVector3d::kZAxis, 5);
    AcDbCircle b({8, 0, 0}, AcGeVector3d::kZAxis, 5);
    AcGePoint3dArray pts = meet(a, b, AcDb::kOnBothOperands);
    ASSERT_EQ(pts.length(), 2);
    EXPECT_NEAR(pts[0].x, 4, 1e-9);
    EXPECT_NEAR(std::fabs(pts[0].y), 3, 1e-9);
    AcDbCircle touching({10, 0, 0}, AcGeVector3d::kZAxis, 5);
    EXPECT_EQ(meet(a, touching, AcDb::kOnBothOperands).length(), 1);
    AcDbCircle concentric({0, 0, 0}, AcGeVector3d::kZAxis, 5);
    EXPECT_TRUE(meet(a, concentric, AcDb::kOnBothOperands).isEmpty());
}

TEST(ArcIntersect, OnlyTheArcsSweepCountsUnlessExtended) {
    // Upper half circle of radius 5: a horizontal line at y = -3 misses it but meets
    // its circle.
    AcDbArc upper({0, 0, 0}, 5, 0, kPi);
    AcDbLine below({-10, -3, 0}, {10, -3, 0});
    AcDbLine above({-10, 3, 0}, {10, 3, 0});
    EXPECT_TRUE(meet(below, upper, AcDb::kOnBothOperands).isEmpty());
    EXPECT_EQ(meet(below, upper, AcDb::kExtendArg).length(), 2);
    EXPECT_EQ(meet(upper, below, AcDb::kExtendThis).length(), 2);
    EXPECT_EQ(meet(above, upper, AcDb::kOnBothOperands).length(), 2);

    // An arc crossing angle 0 (from 315 to 45 degrees) holds the point (5, 0).
    AcDbArc wrapping({0, 0, 0}, 5, 7 * kPi / 4, kPi / 4);
    AcDbLine vertical({5, -1, 0}, {5, 1, 0});
    EXPECT_EQ(meet(vertical, wrapping, AcDb::kOnBothOperands).length(), 1);
    AcDbLine left({-5, -1, 0}, {-5, 1, 0});
    EXPECT_TRUE(meet(left, wrapping, AcDb::kOnBothOperands).isEmpty());
}

TEST(CurveIntersect, EntitiesThatAreNotCurvesAreNotSupported) {
    AcDbLine line({0, 0, 0}, {1, 0, 0});
    AcDbPoint point({0, 0, 0});
    meet(line, point, AcDb::kExtendBoth, Acad::eNotImplementedYet);
    AcGePoint3dArray pts;
    EXPECT_EQ(line.intersectWith(nullptr, AcDb::kExtendBoth, pts), Acad::eNullEntityPointer);
}
