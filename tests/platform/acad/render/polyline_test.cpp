// Polylines: bulges as arcs, widths as filled bands, placed through references.
#include "render_fixture.h"

#include "dbpl.h"

#include <cmath>

using namespace kz::render;

namespace {

// A lightweight polyline through the points, each with its bulge.
AcDbPolyline* lwpolyline(std::initializer_list<std::array<double, 3>> points, bool closed = false) {
    auto* pl = new AcDbPolyline;
    unsigned int i = 0;
    for (const auto& p : points)
        pl->addVertexAt(i++, AcGePoint2d(p[0], p[1]), p[2]);
    pl->setClosed(closed);
    return pl;
}

bool hasPointNear(const std::vector<Point>& points, double x, double y, double tol = 1e-6) {
    for (const Point& p : points)
        if (std::abs(p.x - x) < tol && std::abs(p.y - y) < tol)
            return true;
    return false;
}

} // namespace

TEST_F(RenderTest, BulgeBecomesAnArcOnTheSideItsSignSays) {
    // A half circle counter-clockwise from (0,0) to (10,0) passes below, through (5,-5);
    // then a straight leg up.
    add(lwpolyline({{0, 0, 1.0}, {10, 0, 0}, {10, 10, 0}}));
    // Clockwise (negative bulge) passes above.
    add(lwpolyline({{0, 20, -1.0}, {10, 20, 0}}));

    auto paths = itemsOf<Path>(scene());
    ASSERT_EQ(paths.size(), 2u);
    const auto& p = paths[0].points;
    expectNear(p.front(), 0, 0);
    expectNear(p.back(), 10, 10);
    EXPECT_TRUE(hasPointNear(p, 5, -5)) << "the arc's lowest point";
    // Every point before the straight leg lies on the circle.
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        if (p[i].x < 10 - 1e-9 || p[i].y < -1e-9) {
            EXPECT_NEAR(std::hypot(p[i].x - 5, p[i].y), 5, 1e-9) << i;
        }
    }
    EXPECT_FALSE(paths[0].closed);
    EXPECT_TRUE(hasPointNear(paths[1].points, 5, 25));
}

TEST_F(RenderTest, ClosedPolylineReturnsToItsStartAndKeepsItsElevationPlane) {
    auto* square = lwpolyline({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}, true);
    square->setElevation(7);
    add(square);
    auto paths = itemsOf<Path>(scene());
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_TRUE(paths[0].closed);
    EXPECT_EQ(paths[0].points.size(), 4u);
    expectNear(paths[0].points[2], 4, 4);
}

TEST_F(RenderTest, WidthsAreFilledBandsAndTaper) {
    auto* constant = lwpolyline({{0, 0, 0}, {10, 0, 0}});
    constant->setConstantWidth(2);
    add(constant);
    auto* taper = lwpolyline({{0, 10, 0}, {10, 10, 0}});
    taper->setWidthsAt(0, 4, 0);
    add(taper);

    Scene s = scene();
    EXPECT_TRUE(itemsOf<Path>(s).empty());
    auto fills = itemsOf<Fill>(s);
    ASSERT_EQ(fills.size(), 2u);
    const auto& band = fills[0].points;
    ASSERT_EQ(band.size(), 4u);
    EXPECT_TRUE(hasPointNear(band, 0, 1) && hasPointNear(band, 10, 1) &&
                hasPointNear(band, 10, -1) && hasPointNear(band, 0, -1));
    const auto& wedge = fills[1].points;
    EXPECT_TRUE(hasPointNear(wedge, 0, 12) && hasPointNear(wedge, 0, 8) &&
                hasPointNear(wedge, 10, 10));
}

TEST_F(RenderTest, PolylineInAnUnevenlyScaledReferenceStretchesWithIt) {
    AcDbObjectId block =
        addBlock(L"PL", AcGePoint3d::kOrigin, {lwpolyline({{0, 0, 1.0}, {10, 0, 0}})});
    add(reference(block, AcGePoint3d(100, 0, 0), 0, AcGeScale3d(2, 1, 1)));
    auto paths = itemsOf<Path>(scene());
    ASSERT_EQ(paths.size(), 1u);
    expectNear(paths[0].points.front(), 100, 0);
    expectNear(paths[0].points.back(), 120, 0);
    EXPECT_TRUE(hasPointNear(paths[0].points, 110, -5));
}

TEST_F(RenderTest, OldStylePolylinesDrawThroughTheirVertices) {
    AcGePoint3dArray pts2d;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {5.0, 0.0}, {5.0, 5.0}})
        pts2d.append(AcGePoint3d(x, y, 0));
    add(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts2d, 0, true));
    AcGePoint3dArray pts3d;
    for (auto [x, z] : {std::pair{20.0, 0.0}, {25.0, 3.0}, {30.0, 9.0}})
        pts3d.append(AcGePoint3d(x, 1, z));
    add(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts3d));

    auto paths = itemsOf<Path>(scene());
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_TRUE(paths[0].closed);
    ASSERT_EQ(paths[0].points.size(), 3u);
    expectNear(paths[0].points[2], 5, 5);
    EXPECT_FALSE(paths[1].closed);
    ASSERT_EQ(paths[1].points.size(), 3u);
    expectNear(paths[1].points[1], 25, 1); // seen from above: z drops out
}
