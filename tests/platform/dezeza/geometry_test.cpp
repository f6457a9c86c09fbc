// Directions in whole degrees, sides and the direction test.
#include "DeZeza.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

AcGePoint3d towards(double deg) {
    double r = deg * std::numbers::pi / 180.0;
    return {10 * std::cos(r), 10 * std::sin(r), 0};
}

TEST(DirectionTest, WholeDegreesRoundHalfUpAndWrapAt360) {
    const AcGePoint3d o;
    const std::pair<double, int> cases[] = {{0.49, 0},  {0.5, 1},   {89.6, 90}, {359.49, 359},
                                            {359.5, 0}, {359.9, 0}, {-0.3, 0},  {-0.7, 359}};
    for (auto [deg, whole] : cases)
        EXPECT_EQ(RuleComn_getIntAngle(o, towards(deg)), whole) << deg;
    EXPECT_EQ(RuleComn_getIntAngle({0, 10, 0}, {0, 0, 50}), 270); // XY plane only
    EXPECT_EQ(RuleComn_getIntAngle({3, 4, 0}, {3, 4, 9}), 0);
    EXPECT_NEAR(RootComn_Get2PointAngle(o, towards(359.7)), 359.7, 1e-9);
    EXPECT_EQ(RootComn_Get2PointAngle(o, {5, -1e-300, 0}), 0.0); // never 360
    AcGePoint3d p;
    RootComn_PointRotation2({1, 2, 3}, 10, 90, p);
    EXPECT_LT(p.distanceTo({1, 12, 3}), 1e-12);
}

TEST(DirectionTest, SidesAndSameWay) {
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {10, 0, 0}, {5, 1, 0}), 2);
    EXPECT_EQ(RuleComn_isSide({10, 0, 0}, {0, 0, 0}, {5, 1, 0}), 1);
    EXPECT_EQ(RuleComn_isSide({0, 0, 0}, {10, 0, 0}, {20, 0, 7}), 0);
    EXPECT_EQ(RuleComn_isSide({1, 1, 0}, {1, 1, 0}, {5, 1, 0}), 0);
    const AcGePoint3d o;
    EXPECT_TRUE(RuleComn_isDirection(o, towards(0), o, towards(89), false));
    EXPECT_FALSE(RuleComn_isDirection(o, towards(0), o, towards(90), false));
    EXPECT_FALSE(RuleComn_isDirection(o, towards(30), o, towards(31), true));
    EXPECT_TRUE(RuleComn_isDirection(o, towards(359.8), o, towards(0.2), true));
    EXPECT_FALSE(RuleComn_isDirection(o, o, o, towards(0), false));
}

} // namespace
