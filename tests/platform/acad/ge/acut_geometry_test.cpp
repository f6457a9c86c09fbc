#include "acutads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

double angle(double x1, double y1, double x2, double y2) {
    const ads_point p1 = {x1, y1, 0}, p2 = {x2, y2, 0};
    return acutAngle(p1, p2);
}
} // namespace

TEST(AcutAngle, EveryQuadrantAndAxisCounterClockwiseFromX) {
    EXPECT_DOUBLE_EQ(angle(0, 0, 1, 0), 0.0);
    EXPECT_DOUBLE_EQ(angle(0, 0, 1, 1), kPi / 4);
    EXPECT_DOUBLE_EQ(angle(0, 0, 0, 1), kPi / 2);
    EXPECT_DOUBLE_EQ(angle(0, 0, -1, 1), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(angle(0, 0, -1, 0), kPi);
    EXPECT_DOUBLE_EQ(angle(0, 0, -1, -1), 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(angle(0, 0, 0, -1), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(angle(0, 0, 1, -1), 7 * kPi / 4);
    // Only the difference matters, and the reverse direction is half a turn away.
    EXPECT_DOUBLE_EQ(angle(100, 50, 90, 50), kPi);
    EXPECT_DOUBLE_EQ(angle(90, 50, 100, 50), 0.0);
}

TEST(AcutAngle, StaysInsideHalfOpenRangeAtTheZeroBoundary) {
    // Just below the x axis: close to 2 pi but never 2 pi.
    const double below = angle(0, 0, 1, -1e-12);
    EXPECT_LT(below, 2 * kPi);
    EXPECT_GT(below, 2 * kPi - 1e-11);
    // So little below that adding 2 pi rounds to 2 pi: that is 0.
    EXPECT_EQ(angle(0, 0, 1, -1e-300), 0.0);
    // A difference of -0.0 in y gives a positive zero, not -0, and pi backwards.
    const ads_point a = {0, 5, 0};
    const ads_point e = {0, 0.0, 0}, f = {1, -0.0, 0};
    EXPECT_FALSE(std::signbit(acutAngle(e, f)));
    EXPECT_DOUBLE_EQ(acutAngle(f, e), kPi);
    // Equal points and a purely vertical (z) difference give 0.
    const ads_point up = {0, 5, 10};
    EXPECT_EQ(acutAngle(a, a), 0.0);
    EXPECT_EQ(acutAngle(a, up), 0.0);
}

TEST(AcutPolarAndDistance, RoundTripInPlaceAndKeepZ) {
    ads_point p = {10, 20, 3};
    const ads_point start = {10, 20, 3};
    acutPolar(p, kPi / 3, 8, p); // result may be the input
    EXPECT_NEAR(p[X], 14, 1e-12);
    EXPECT_NEAR(p[Y], 20 + 8 * std::sin(kPi / 3), 1e-12);
    EXPECT_EQ(p[Z], 3);
    EXPECT_NEAR(acutDistance(start, p), 8, 1e-12);
    EXPECT_NEAR(acutAngle(start, p), kPi / 3, 1e-12);
    const ads_point q = {13, 24, 15};
    EXPECT_DOUBLE_EQ(acutDistance(start, q), 13.0); // 3, 4, 12
}
