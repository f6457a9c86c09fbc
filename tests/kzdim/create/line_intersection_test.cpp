// Intersecting two lines in place gives, bit for bit, what intersecting two temporary
// database lines gives: the crossing point, or no point for parallel, degenerate and
// skew lines, at any size and with coordinates that are not numbers.
#include "create/line_geometry.h"
#include "random_route.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace {

bool SameBits(const AcGePoint3d& a, const AcGePoint3d& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Tally {
    int met = 0, missed = 0;
};

void ExpectSame(const AcGePoint3d& a1, const AcGePoint3d& a2, const AcGePoint3d& b1,
                const AcGePoint3d& b2, Tally& tally, const std::string& what) {
    const AcGePoint3d unset(-7, -7, -7);
    AcGePoint3d reference = unset, fast = unset;
    bool r = IntersectLines(a1, a2, b1, b2, reference);
    bool f = IntersectLinesDirect(a1, a2, b1, b2, fast);
    ASSERT_EQ(r, f) << what;
    ASSERT_TRUE(SameBits(reference, fast))
        << what << ": (" << reference.x << ", " << reference.y << ", " << reference.z
        << ") against (" << fast.x << ", " << fast.y << ", " << fast.z << ")";
    (r ? tally.met : tally.missed) += 1;
}

TEST(LineIntersection, SameAsTheDatabaseLinesOnTheDragsLines) {
    // As the placement makes them: a line across the dimension through a route point
    // and one along it through the cursor, 100 long, at any rotation.
    RandomRoute rnd(77);
    Tally tally;
    for (int i = 0; i < 20000; ++i) {
        double scale = rnd.Chance(0.2) ? 1e7 : 1e3;
        AcGePoint3d r(rnd.Real(-scale, scale), rnd.Real(-scale, scale), 0);
        AcGePoint3d p(rnd.Real(-scale, scale), rnd.Real(-scale, scale), rnd.Chance(0.1) ? 1e-3 : 0);
        double theta = rnd.Chance(0.5) ? rnd.Int(0, 3) * std::numbers::pi / 2
                                       : rnd.Real(0, 2 * std::numbers::pi);
        double psi = theta + std::numbers::pi / 2;
        AcGeVector3d across(100 * std::cos(psi), 100 * std::sin(psi), 0);
        AcGeVector3d along(100 * std::cos(theta), 100 * std::sin(theta), 0);
        ExpectSame(r, r + across, p, p + along, tally, "drag line " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(tally.met, 15000);
    EXPECT_GT(tally.missed, 500); // the skew ones
}

TEST(LineIntersection, SameAsTheDatabaseLinesAtTheEdges) {
    RandomRoute rnd(78);
    Tally tally;
    auto grid = [&] { return AcGePoint3d(rnd.Int(-4, 4) * 50.0, rnd.Int(-4, 4) * 50.0, 0); };
    for (int i = 0; i < 20000; ++i) {
        AcGePoint3d a1 = grid(), a2 = grid(), b1 = grid(), b2 = grid();
        switch (rnd.Int(0, 5)) {
        case 0: // parallel or on one another
            b2 = b1 + (a2 - a1) * rnd.Int(-2, 2);
            break;
        case 1: // nearly parallel
            b2 = b1 + (a2 - a1) + AcGeVector3d(0, rnd.Real(-1e-6, 1e-6), 0);
            break;
        case 2: // slightly out of plane
            b1.z = rnd.Real(-1e-6, 1e-6);
            break;
        case 3: // far away and tiny
            a1 += AcGeVector3d(1e9, -1e9, 0);
            a2 = a1 + AcGeVector3d(rnd.Real(-1e-3, 1e-3), rnd.Real(-1e-3, 1e-3), 0);
            break;
        default: // anywhere, sometimes of no length
            break;
        }
        ExpectSame(a1, a2, b1, b2, tally, "line pair " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(tally.met, 5000);
    EXPECT_GT(tally.missed, 5000);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    AcGePoint3d o(0, 0, 0), x(100, 0, 0), y(0, 100, 0);
    ExpectSame(AcGePoint3d(nan, 0, 0), x, o, y, tally, "not a number");
    ExpectSame(o, x, AcGePoint3d(5, nan, 0), y, tally, "not a number in the other");
    ExpectSame(AcGePoint3d(inf, 0, 0), x, o, y, tally, "infinite");
    ExpectSame(o, AcGePoint3d(0, 0, 0), o, y, tally, "a point");
}

} // namespace
