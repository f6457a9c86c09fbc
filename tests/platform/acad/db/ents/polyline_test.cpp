// Lightweight polylines: bulged segments in extents, parameters and intersections,
// transforms and DXF fields.
#include "../db_fixture.h"
#include "recording_filer.h"

#include "dbents.h"
#include "dbextents.h"
#include "dbpl.h"

#include <cmath>
#include <memory>

namespace {

const double kPi = 3.14159265358979323846;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

// (0,0) to (2,0) as a half circle below the chord (bulge 1), then up to (2,2).
std::unique_ptr<AcDbPolyline> bulged(double firstBulge = 1) {
    auto pl = std::make_unique<AcDbPolyline>();
    pl->addVertexAt(0, {0, 0}, firstBulge);
    pl->addVertexAt(1, {2, 0});
    pl->addVertexAt(2, {2, 2});
    return pl;
}

AcDbExtents extentsOf(const AcDbEntity& e) {
    AcDbExtents ext;
    EXPECT_EQ(e.getGeomExtents(ext), Acad::eOk);
    return ext;
}

} // namespace

TEST(Polyline, BulgedSegmentsWidenTheExtents) {
    AcDbExtents ext = extentsOf(*bulged(1));
    expectPoint(ext.minPoint(), {0, -1, 0});
    expectPoint(ext.maxPoint(), {2, 2, 0});
    // A negative bulge turns the other way: the half circle lies above the chord and
    // within the box of the rest.
    ext = extentsOf(*bulged(-1));
    expectPoint(ext.minPoint(), {0, 0, 0});
    // A quarter circle (bulge tan(pi/8)) from (0,0) to (2,0) peaks below the chord by
    // r - r cos(45 deg), r = sqrt(2).
    ext = extentsOf(*bulged(std::tan(kPi / 8)));
    EXPECT_NEAR(ext.minPoint().y, -(std::sqrt(2.0) - 1), 1e-9);
    // A three-quarter arc (bulge tan(3 pi / 8)) reaches past both chord ends.
    ext = extentsOf(*bulged(std::tan(3 * kPi / 8)));
    double r = 1 / std::sin(3 * kPi / 4);
    EXPECT_NEAR(ext.minPoint().x, 1 - r, 1e-9);
    EXPECT_NEAR(ext.minPoint().y, -1 - r, 1e-9);
}

TEST(Polyline, VerticesSegmentsAndParameters) {
    auto pl = bulged();
    pl->setElevation(3);
    EXPECT_EQ(pl->numVerts(), 3u);
    AcGePoint3d p;
    ASSERT_EQ(pl->getPointAt(2, p), Acad::eOk);
    expectPoint(p, {2, 2, 3});
    EXPECT_EQ(pl->getPointAt(3, p), Acad::eInvalidIndex);
    EXPECT_EQ(pl->segType(0), AcDbPolyline::kArc);
    EXPECT_EQ(pl->segType(1), AcDbPolyline::kLine);
    EXPECT_EQ(pl->segType(2), AcDbPolyline::kEmpty);
    AcGeLineSeg3d seg;
    ASSERT_EQ(pl->getLineSegAt(1, seg), Acad::eOk);
    expectPoint(seg.endPoint(), {2, 2, 3});
    EXPECT_EQ(pl->getLineSegAt(2, seg), Acad::eInvalidIndex);
    pl->setClosed(true);
    EXPECT_EQ(pl->segType(2), AcDbPolyline::kLine);

    // Parameter 0.5 is the bottom of the half circle; the arc is pi long.
    ASSERT_EQ(pl->getPointAtParam(0.5, p), Acad::eOk);
    expectPoint(p, {1, -1, 3});
    double d = 0;
    ASSERT_EQ(pl->getDistAtParam(1.5, d), Acad::eOk);
    EXPECT_NEAR(d, kPi + 1, 1e-9);
    double param = 0;
    ASSERT_EQ(pl->getParamAtPoint({2, 1, 3}, param), Acad::eOk);
    EXPECT_NEAR(param, 1.5, 1e-9);

    EXPECT_EQ(pl->addVertexAt(5, {0, 0}), Acad::eInvalidIndex);
    ASSERT_EQ(pl->removeVertexAt(0), Acad::eOk);
    EXPECT_EQ(pl->numVerts(), 2u);
    EXPECT_FALSE(pl->hasBulges());

    // A single vertex (as a polyline of picked points can be) has the point's extents.
    AcDbPolyline one;
    one.addVertexAt(0, {4, 5}, 0, -1, -1);
    AcDbExtents ext = extentsOf(one);
    expectPoint(ext.minPoint(), {4, 5, 0});
    expectPoint(ext.maxPoint(), {4, 5, 0});
    AcDbPolyline none;
    EXPECT_EQ(none.getGeomExtents(ext), Acad::eInvalidExtents);
}

TEST(Polyline, IntersectsThroughItsSegments) {
    AcDbPolyline square;
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 10}})
        square.addVertexAt(square.numVerts(), {double(x), double(y)});
    square.setClosed(true);
    AcGePoint3dArray pts;
    AcDbLine across({-5, 5, 0}, {15, 5, 0});
    ASSERT_EQ(square.intersectWith(&across, AcDb::kOnBothOperands, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 2);
    // Through two corners: each corner once, though two segments meet there.
    AcDbLine diagonal({-1, -1, 0}, {11, 11, 0});
    pts.setLogicalLength(0);
    square.intersectWith(&diagonal, AcDb::kOnBothOperands, pts);
    EXPECT_EQ(pts.length(), 2);

    // The half circle of the bulged polyline.
    auto pl = bulged();
    AcDbLine vertical({1, -5, 0}, {1, -0.5, 0});
    pts.setLogicalLength(0);
    ASSERT_EQ(pl->intersectWith(&vertical, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], {1, -1, 0});
}

TEST(Polyline, ExtendingProlongsOnlyTheEndSegments) {
    AcDbPolyline corner; // (0,0) - (10,0) - (10,10)
    corner.addVertexAt(0, {0, 0});
    corner.addVertexAt(1, {10, 0});
    corner.addVertexAt(2, {10, 10});
    AcDbLine left({-5, -1, 0}, {-5, 1, 0});
    AcDbLine high({20, 20, 0}, {30, 20, 0});
    AcGePoint3dArray pts;
    corner.intersectWith(&left, AcDb::kOnBothOperands, pts);
    EXPECT_TRUE(pts.isEmpty());
    corner.intersectWith(&left, AcDb::kExtendThis, pts);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], {-5, 0, 0});
    pts.setLogicalLength(0);
    corner.intersectWith(&high, AcDb::kExtendBoth, pts);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], {10, 20, 0});
    // A closed polyline has no ends to prolong.
    corner.setClosed(true);
    pts.setLogicalLength(0);
    corner.intersectWith(&left, AcDb::kExtendThis, pts);
    EXPECT_TRUE(pts.isEmpty());
}

TEST(Polyline, TransformKeepsTheArcsShape) {
    auto pl = bulged();
    AcGeMatrix3d mirror;
    mirror.entry[0][0] = -1;
    ASSERT_EQ(pl->transformBy(AcGeMatrix3d::translation({0, 0, 4}) * mirror), Acad::eOk);
    AcDbExtents ext = extentsOf(*pl);
    expectPoint(ext.minPoint(), {-2, -1, 4});
    expectPoint(ext.maxPoint(), {0, 2, 4});
    AcGePoint3d p;
    pl->getPointAtParam(0.5, p);
    expectPoint(p, {-1, -1, 4});

    AcGeMatrix3d squash;
    squash.entry[1][1] = 0.5;
    EXPECT_EQ(pl->transformBy(squash), Acad::eNotApplicable);
}

TEST_F(DbTest, PolylineDxfFieldsRoundTrip) {
    auto pl = bulged(0.5);
    pl->setWidthsAt(1, 0.2, 0.4);
    pl->setClosed(true);
    pl->setElevation(1.5);
    RecordingFiler out(db.get());
    std::unique_ptr<AcDbPolyline> back(roundTrip(*pl, db.get(), &out));
    EXPECT_EQ(out.values(90), std::vector<std::string>{"3"});
    EXPECT_EQ(out.values(70), std::vector<std::string>{"1"});
    EXPECT_EQ(out.values(10).size(), 3u);
    EXPECT_EQ(out.values(40).size(), 3u); // per-vertex widths for every vertex
    EXPECT_TRUE(out.values(43).empty());
    ASSERT_EQ(back->numVerts(), 3u);
    double bulge = 0, sw = 0, ew = 0;
    back->getBulgeAt(0, bulge);
    back->getWidthsAt(1, sw, ew);
    EXPECT_DOUBLE_EQ(bulge, 0.5);
    EXPECT_DOUBLE_EQ(sw, 0.2);
    EXPECT_DOUBLE_EQ(ew, 0.4);
    EXPECT_TRUE(back->isClosed());
    EXPECT_DOUBLE_EQ(back->elevation(), 1.5);

    // Constant width, vertex identifiers and unknown tags.
    std::vector<Tag> tags = {{100, "AcDbPolyline"},
                             {90, "2"},
                             {70, "128"},
                             {43, "0.7"},
                             {10, "1"},
                             {20, "2"},
                             {91, "7"},
                             {10, "3"},
                             {20, "4"},
                             {91, "8"},
                             {1001, "X"}};
    RecordingFiler in(db.get(), tags);
    AcDbPolyline read;
    read.dxfInFields(&in);
    EXPECT_EQ(in.kept, (std::vector<Tag>{{1001, "X"}}));
    double width = 0;
    EXPECT_EQ(read.getConstantWidth(width), Acad::eOk);
    EXPECT_DOUBLE_EQ(width, 0.7);
    EXPECT_TRUE(read.hasPlinegen());
    RecordingFiler rewritten(db.get());
    read.dxfOutFields(&rewritten);
    EXPECT_EQ(rewritten.values(91), (std::vector<std::string>{"7", "8"}));
    EXPECT_DOUBLE_EQ(std::stod(rewritten.values(43).at(0)), 0.7);
}
