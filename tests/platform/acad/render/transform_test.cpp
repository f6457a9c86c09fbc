// Entities drawn through block references land where the references put them.
#include "render_fixture.h"

#include <cmath>
#include <numbers>

using namespace kz::render;

namespace {
constexpr double kPi = std::numbers::pi;

// The angle a modulo a full turn, in [0, 2 pi).
double turn(double a) {
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}
} // namespace

TEST_F(RenderTest, ReferenceMovesScalesAndTurnsTheBlockAboutItsBasePoint) {
    // The base point (10, 5) of the block lands on the insertion point; block x runs
    // along world y after a quarter turn, twice as long.
    AcDbObjectId block = addBlock(L"B", AcGePoint3d(10, 5, 0),
                                  {new AcDbLine(AcGePoint3d(10, 5, 0), AcGePoint3d(13, 5, 0)),
                                   new AcDbCircle(AcGePoint3d(11, 6, 0), AcGeVector3d::kZAxis, 1)});
    add(reference(block, AcGePoint3d(100, 50, 0), kPi / 2, AcGeScale3d(2, 2, 1)));

    Scene s = scene();
    auto paths = itemsOf<Path>(s);
    ASSERT_EQ(paths.size(), 1u);
    ASSERT_EQ(paths[0].points.size(), 2u);
    expectNear(paths[0].points[0], 100, 50);
    expectNear(paths[0].points[1], 100, 56);
    auto circles = itemsOf<Circle>(s);
    ASSERT_EQ(circles.size(), 1u);
    // Block offset (1, 1) scaled to (2, 2) and turned to (-2, 2).
    expectNear(circles[0].centre, 98, 52);
    EXPECT_NEAR(circles[0].radius, 2, 1e-9);
}

TEST_F(RenderTest, NestedReferencesComposeTheirTransforms) {
    AcDbObjectId inner = addBlock(L"INNER", AcGePoint3d::kOrigin,
                                  {new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))});
    // The outer block holds the inner one at (5, 0) turned a quarter; the outer is
    // placed at (100, 0) scaled by 3 and turned a half turn.
    AcDbObjectId outer =
        addBlock(L"OUTER", AcGePoint3d::kOrigin, {reference(inner, AcGePoint3d(5, 0, 0), kPi / 2)});
    add(reference(outer, AcGePoint3d(100, 0, 0), kPi, AcGeScale3d(3)));

    auto paths = itemsOf<Path>(scene());
    ASSERT_EQ(paths.size(), 1u);
    // Inner (0,0)-(1,0) -> outer block (5,0)-(5,1) -> x3 (15,0)-(15,3) -> half turn.
    expectNear(paths[0].points[0], 85, 0);
    expectNear(paths[0].points[1], 85, -3);
}

TEST_F(RenderTest, UnevenScaleMakesACircleAnEllipseAndKeepsArcsOnTheirEnds) {
    AcDbObjectId block = addBlock(L"E", AcGePoint3d::kOrigin,
                                  {new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1),
                                   new AcDbArc(AcGePoint3d(10, 0, 0), 1, 0, kPi / 2)});
    add(reference(block, AcGePoint3d(0, 0, 0), 0, AcGeScale3d(3, 1, 1)));

    Scene s = scene();
    EXPECT_TRUE(itemsOf<Circle>(s).empty());
    EXPECT_TRUE(itemsOf<Arc>(s).empty());
    auto paths = itemsOf<Path>(s);
    ASSERT_EQ(paths.size(), 2u);
    // The ellipse: closed, 3 wide and 1 high around the origin.
    EXPECT_TRUE(paths[0].closed);
    Box box;
    for (auto p : paths[0].points)
        box.add(p);
    EXPECT_NEAR(box.minX, -3, 1e-9);
    EXPECT_NEAR(box.maxX, 3, 1e-9);
    EXPECT_NEAR(box.maxY, 1, 1e-3);
    // The arc's part of an ellipse runs from (33, 0) to (30, 1).
    EXPECT_FALSE(paths[1].closed);
    expectNear(paths[1].points.front(), 33, 0);
    expectNear(paths[1].points.back(), 30, 1);
}

TEST_F(RenderTest, MirroredReferenceAndDownwardNormalTurnArcsTheOtherWay) {
    // Block arc from 0 to 90 degrees around (2, 0); mirrored in x it spans 90 to 180
    // degrees around (-2, 0) as seen from above.
    AcDbObjectId block =
        addBlock(L"M", AcGePoint3d::kOrigin, {new AcDbArc(AcGePoint3d(2, 0, 0), 1, 0, kPi / 2)});
    add(reference(block, AcGePoint3d(0, 0, 0), 0, AcGeScale3d(-1, 1, 1)));
    // An arc whose normal points down: its plane's x axis is world -x, so 0 to 90
    // degrees around the normal runs from (5, 0) to (10, 5), clockwise from above.
    add(new AcDbArc(AcGePoint3d(10, 0, 0), AcGeVector3d(0, 0, -1), 5, 0, kPi / 2));

    auto arcs = itemsOf<Arc>(scene());
    ASSERT_EQ(arcs.size(), 2u);
    expectNear(arcs[0].centre, -2, 0);
    EXPECT_NEAR(turn(arcs[0].startAngle), kPi / 2, 1e-9);
    EXPECT_NEAR(turn(arcs[0].endAngle), kPi, 1e-9);
    expectNear(arcs[1].centre, 10, 0);
    EXPECT_NEAR(arcs[1].radius, 5, 1e-9);
    EXPECT_NEAR(turn(arcs[1].startAngle), kPi / 2, 1e-9);
    EXPECT_NEAR(turn(arcs[1].endAngle), kPi, 1e-9);
}

TEST_F(RenderTest, AttributesAreDrawnWhereTheyStandAndTextTurnsWithTheReference) {
    auto* text = new AcDbText(AcGePoint3d(1, 0, 0), L"IN BLOCK", AcDbObjectId(), 2.0, 0.0);
    AcDbObjectId block = addBlock(L"T", AcGePoint3d::kOrigin, {text});
    AcDbBlockReference* ref =
        reference(block, AcGePoint3d(50, 50, 0), kPi / 2, AcGeScale3d(2, 1, 1));
    AcDbObjectId refId = add(ref);
    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    auto* att = new AcDbAttribute(AcGePoint3d(7, 8, 0), L"V1", L"TAG");
    att->setDatabaseDefaults(db.get());
    att->setHeight(3);
    ASSERT_EQ(open->appendAttribute(att), Acad::eOk);
    att->close();
    open->close();

    auto texts = itemsOf<Text>(scene());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, L"IN BLOCK");
    expectNear(texts[0].position, 50, 52);
    EXPECT_NEAR(texts[0].style.rotation, kPi / 2, 1e-9);
    // Stretched along the baseline only: the height stays, the glyphs widen.
    EXPECT_NEAR(texts[0].style.height, 2.0, 1e-9);
    EXPECT_NEAR(texts[0].style.widthFactor, 2.0, 1e-9);
    // The attribute is in world coordinates already.
    EXPECT_EQ(texts[1].text, L"V1");
    expectNear(texts[1].position, 7, 8);
    EXPECT_NEAR(texts[1].style.height, 3.0, 1e-9);
    EXPECT_NEAR(texts[1].style.rotation, 0.0, 1e-9);
}

TEST_F(RenderTest, BlockThatHoldsItselfStopsAndIsReported) {
    AcDbObjectId block = addBlock(L"SELF", AcGePoint3d::kOrigin,
                                  {new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))});
    AcDbBlockTableRecord* btr = nullptr;
    ASSERT_EQ(acdbOpenObject(btr, block, AcDb::kForWrite), Acad::eOk);
    AcDbBlockReference* self = reference(block, AcGePoint3d(2, 0, 0));
    ASSERT_EQ(btr->appendAcDbEntity(self), Acad::eOk);
    self->close();
    btr->close();
    add(reference(block, AcGePoint3d(0, 0, 0)));

    Scene s = scene();
    // The block's line once; the reference inside it is not followed.
    EXPECT_EQ(itemsOf<Path>(s).size(), 1u);
    ASSERT_EQ(s.notDrawn.size(), 1u);
    EXPECT_NE(s.notDrawn[0].first.find("INSERT"), std::string::npos);
}
