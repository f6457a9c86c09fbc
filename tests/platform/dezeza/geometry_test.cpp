// Directions in whole degrees, sides and the direction test.
#include "DeZeza.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A point at distance 10 from the origin in the direction deg (degrees).
AcGePoint3d towards(double deg) {
    double r = deg * std::numbers::pi / 180.0;
    return {10 * std::cos(r), 10 * std::sin(r), 0};
}

TEST(IntAngleTest, RoundsHalfUpAndWrapsAt360) {
    const AcGePoint3d o = AcGePoint3d::kOrigin;
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(0)), 0);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(0.49)), 0);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(0.5)), 1);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(89.6)), 90);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(180)), 180);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(359.4)), 359);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(359.49)), 359);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(359.5)), 0);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(359.9)), 0);
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(-0.3)), 0); // just below the x axis
    EXPECT_EQ(RuleComn_getIntAngle(o, towards(-0.7)), 359);
    // Only the XY plane counts; equal points give 0.
    EXPECT_EQ(RuleComn_getIntAngle({1, 1, 0}, {1, 2, 50}), 90);
    EXPECT_EQ(RuleComn_getIntAngle({3, 4, 0}, {3, 4, 9}), 0);
    // From the second point back to the first is the opposite direction.
    EXPECT_EQ(RuleComn_getIntAngle({10, 0, 0}, {0, 0, 0}), 180);
    EXPECT_EQ(RuleComn_getIntAngle({0, 10, 0}, {0, 0, 0}), 270);
}

TEST(IntAngleTest, TwoPointAngleIsTheUnroundedDirection) {
    EXPECT_NEAR(RootComn_Get2PointAngle({0, 0, 0}, towards(359.7)), 359.7, 1e-9);
    EXPECT_NEAR(RootComn_Get2PointAngle({0, 0, 0}, towards(45)), 45.0, 1e-9);
    EXPECT_EQ(RootComn_Get2PointAngle({0, 0, 0}, {-5, -1e-300, 0}), 180.0);
    EXPECT_EQ(RootComn_Get2PointAngle({0, 0, 0}, {5, -1e-300, 0}), 0.0); // never 360
    EXPECT_EQ(RootComn_Get2PointAngle({2, 2, 0}, {2, 2, 0}), 0.0);
    AcGePoint3d p;
    RootComn_PointRotation2({1, 2, 3}, 10, 90, p);
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 12, 1e-12);
    EXPECT_EQ(p.z, 3);
}

TEST(SideTest, LeftOfTheDirectedLineIsTwo) {
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {10, 0, 0}, {5, 1, 0}), 2);
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {10, 0, 0}, {5, -1, 0}), 1);
    EXPECT_EQ(RuleComn_isSide({10, 0, 0}, {0, 0, 0}, {5, 1, 0}), 1);
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {0, 10, 0}, {-3, 50, 0}), 2); // beyond the end
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {10, 0, 0}, {20, 0, 7}), 0);  // on the line
    EXPECT_EQ(RuleComn_isSide({1, 1, 0}, {1, 1, 0}, {5, 1, 0}), 0);   // no line
}

TEST(DirectionTest, SameWayWithinNinetyDegreesOrTheSameWholeDegree) {
    const AcGePoint3d o = AcGePoint3d::kOrigin;
    EXPECT_TRUE(RuleComn_isDirection(o, towards(0), {5, 5, 0}, {6, 5, 0}, false));
    EXPECT_TRUE(RuleComn_isDirection(o, towards(0), o, towards(89), false));
    EXPECT_FALSE(RuleComn_isDirection(o, towards(0), o, towards(90), false));
    EXPECT_FALSE(RuleComn_isDirection(o, towards(0), o, towards(180), false));
    EXPECT_FALSE(RuleComn_isDirection(o, towards(30), o, towards(31), true));
    EXPECT_TRUE(RuleComn_isDirection(o, towards(30), o, towards(30.3), true));
    EXPECT_TRUE(RuleComn_isDirection(o, towards(359.8), o, towards(0.2), true));
    EXPECT_FALSE(RuleComn_isDirection(o, o, o, towards(0), false));
}

} // namespace
