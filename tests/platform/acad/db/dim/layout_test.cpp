#include "../db_fixture.h"

#include "db/dim_graphics.h"
#include "dbdim.h"

#include <cmath>

namespace {

using kz::dim::DimLayout;
using Role = DimLayout::Role;
constexpr double kPi = 3.14159265358979323846;

int count(const DimLayout& l, Role role) {
    int n = 0;
    for (auto& line : l.lines)
        n += line.role == role;
    return n;
}

const DimLayout::Line* first(const DimLayout& l, Role role) {
    for (auto& line : l.lines)
        if (line.role == role)
            return &line;
    return nullptr;
}

// A horizontal dimension over 0..100 with its line at y = 20 and default variables
// (arrow 2.5, text 2.5, gap 0.625, offset 0.625, extension 1.25).
class DimLayoutTest : public DbTest {
protected:
    AcDbRotatedDimension dim{0, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0),
                             AcGePoint3d(50, 20, 0)};
    DimLayout lay() {
        DimLayout l;
        EXPECT_TRUE(kz::dim::layoutDimension(dim, l));
        return l;
    }
};

} // namespace

TEST_F(DimLayoutTest, ExtensionLinesRunFromTheOffsetToBeyondTheDimensionLine) {
    DimLayout l = lay();
    ASSERT_EQ(count(l, Role::ExtLine1), 1);
    ASSERT_EQ(count(l, Role::ExtLine2), 1);
    const auto* e1 = first(l, Role::ExtLine1);
    EXPECT_TRUE(e1->start.isEqualTo(AcGePoint3d(0, 0.625, 0)));
    EXPECT_TRUE(e1->end.isEqualTo(AcGePoint3d(0, 21.25, 0)));
    EXPECT_TRUE(first(l, Role::ExtLine2)->start.isEqualTo(AcGePoint3d(100, 0.625, 0)));

    dim.setDimse1(true);
    l = lay();
    EXPECT_EQ(count(l, Role::ExtLine1), 0);
    EXPECT_EQ(count(l, Role::ExtLine2), 1);
    dim.setDimse2(true);
    EXPECT_EQ(count(lay(), Role::ExtLine2), 0);
}

TEST_F(DimLayoutTest, ArrowheadsPointOutAtTheExtensionLines) {
    DimLayout l = lay();
    ASSERT_EQ(l.arrows.size(), 2u);
    EXPECT_TRUE(l.arrows[0].tip.isEqualTo(AcGePoint3d(0, 20, 0)));
    EXPECT_NEAR(std::cos(l.arrows[0].rotation), -1.0, 1e-12);
    EXPECT_TRUE(l.arrows[1].tip.isEqualTo(AcGePoint3d(100, 20, 0)));
    EXPECT_NEAR(l.arrows[1].rotation, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(l.arrows[1].size, 2.5);
    EXPECT_EQ(l.arrows[0].kind, kz::dim::Arrow::ClosedFilled);

    // Too little room: the arrowheads turn round and sit outside.
    dim.setXLine2Point(AcGePoint3d(4, 0, 0));
    l = lay();
    ASSERT_EQ(l.arrows.size(), 2u);
    EXPECT_NEAR(l.arrows[0].rotation, 0.0, 1e-12);
}

TEST_F(DimLayoutTest, CentredTextBreaksTheDimensionLine) {
    DimLayout l = lay();
    ASSERT_TRUE(l.text);
    EXPECT_EQ(l.text->contents, L"100");
    EXPECT_TRUE(l.text->centre.isEqualTo(AcGePoint3d(50, 20, 0)));
    ASSERT_EQ(count(l, Role::DimLine), 2);
    for (auto& line : l.lines) {
        if (line.role != Role::DimLine)
            continue;
        // Neither piece reaches into the text and its gap.
        double nearX =
            std::fabs(line.start.x - 50) < std::fabs(line.end.x - 50) ? line.start.x : line.end.x;
        EXPECT_GE(std::fabs(nearX - 50), l.text->width / 2 + 0.625 - 1e-9);
    }
}

TEST_F(DimLayoutTest, TextAboveSitsGapPlusHalfHeightOverTheLine) {
    dim.setDimtad(1);
    DimLayout l = lay();
    ASSERT_TRUE(l.text);
    EXPECT_NEAR(l.text->centre.x, 50.0, 1e-9);
    EXPECT_NEAR(l.text->centre.y, 20 + 0.625 + 2.5 / 2, 1e-9);
    ASSERT_EQ(count(l, Role::DimLine), 1); // whole: from arrow tail to arrow tail
    const auto* d = first(l, Role::DimLine);
    EXPECT_NEAR(std::fabs(d->end.x - d->start.x), 100 - 2 * 2.5, 1e-9);

    dim.setDimtad(4); // below
    EXPECT_NEAR(lay().text->centre.y, 20 - 0.625 - 1.25, 1e-9);
    dim.setDimtad(3); // JIS: above
    EXPECT_NEAR(lay().text->centre.y, 20 + 0.625 + 1.25, 1e-9);
}

TEST_F(DimLayoutTest, OutsideTextGoesAwayFromTheMeasuredPoints) {
    dim.setDimtad(2);
    EXPECT_GT(lay().text->centre.y, 20); // points below the line: text above it
    dim.setDimLinePoint(AcGePoint3d(50, -20, 0));
    EXPECT_NEAR(lay().text->centre.y, -20 - 0.625 - 1.25, 1e-9);
}

TEST_F(DimLayoutTest, VerticalDimensionTextReadsFromBelowAndSitsLeftWhenAbove) {
    AcDbRotatedDimension v(kPi / 2, AcGePoint3d(0, 0, 0), AcGePoint3d(0, 100, 0),
                           AcGePoint3d(-20, 50, 0));
    v.setDimtad(1);
    DimLayout l;
    ASSERT_TRUE(kz::dim::layoutDimension(v, l));
    ASSERT_TRUE(l.text);
    EXPECT_NEAR(l.text->rotation, kPi / 2, 1e-12);
    EXPECT_NEAR(l.text->centre.x, -20 - 0.625 - 1.25, 1e-9);
    EXPECT_NEAR(l.text->centre.y, 50, 1e-9);
    // Drawn the other way round, the text still reads from below.
    AcDbRotatedDimension down(-kPi / 2, AcGePoint3d(0, 0, 0), AcGePoint3d(0, 100, 0),
                              AcGePoint3d(-20, 50, 0));
    ASSERT_TRUE(kz::dim::layoutDimension(down, l));
    EXPECT_NEAR(l.text->rotation, kPi / 2, 1e-12);
}

TEST_F(DimLayoutTest, UserTextPositionFollowsTheMovementRule) {
    dim.setDimtad(1);
    dim.setDimtmove(2);
    dim.setTextPosition(AcGePoint3d(70, 40, 0));
    DimLayout l = lay();
    EXPECT_TRUE(l.text->centre.isEqualTo(AcGePoint3d(70, 40, 0)));
    EXPECT_EQ(count(l, Role::Leader), 0);
    EXPECT_NEAR(first(l, Role::DimLine)->start.y, 20, 1e-9); // the line stays

    dim.setDimtmove(1);
    l = lay();
    ASSERT_EQ(count(l, Role::Leader), 1);
    EXPECT_TRUE(first(l, Role::Leader)->start.isEqualTo(AcGePoint3d(50, 20, 0)));

    dim.setDimtmove(0); // the dimension line comes to the text
    l = lay();
    EXPECT_TRUE(l.text->centre.isEqualTo(AcGePoint3d(70, 40, 0)));
    EXPECT_NEAR(first(l, Role::DimLine)->start.y, 40 - 0.625 - 1.25, 1e-9);
    EXPECT_NEAR(first(l, Role::ExtLine1)->end.y, 40 - 0.625 - 1.25 + 1.25, 1e-9);

    dim.useDefaultTextPosition();
    EXPECT_TRUE(lay().text->centre.isEqualTo(AcGePoint3d(50, 21.875, 0)));
}

TEST_F(DimLayoutTest, DimscaleScalesArrowheadsTextAndOffsets) {
    dim.setDimscale(2);
    DimLayout l = lay();
    EXPECT_DOUBLE_EQ(l.arrows[0].size, 5.0);
    EXPECT_DOUBLE_EQ(l.text->height, 5.0);
    EXPECT_TRUE(first(l, Role::ExtLine1)->start.isEqualTo(AcGePoint3d(0, 1.25, 0)));
    EXPECT_TRUE(first(l, Role::ExtLine1)->end.isEqualTo(AcGePoint3d(0, 22.5, 0)));
}

TEST_F(DimLayoutTest, TextThatDoesNotFitMovesOutUnlessForcedInside) {
    // "2" is 1.75 wide and needs a gap each side: more than the 2 units measured.
    dim.setXLine2Point(AcGePoint3d(2, 0, 0));
    dim.setDimtad(1);
    DimLayout l = lay();
    EXPECT_GT(l.text->centre.x, 2.0 + 1.75 / 2); // beyond extension line 2
    dim.setDimtix(true);
    EXPECT_NEAR(lay().text->centre.x, 1.0, 1e-9);
}

TEST_F(DimLayoutTest, ColoursAndTextStyleComeFromTheVariables) {
    AcCmColor red, blue, green;
    red.setColorIndex(1);
    blue.setColorIndex(5);
    green.setColorIndex(3);
    dim.setDimclrd(red);
    dim.setDimclre(blue);
    dim.setDimclrt(green);
    DimLayout l = lay();
    EXPECT_EQ(first(l, Role::DimLine)->color.colorIndex(), 1);
    EXPECT_EQ(first(l, Role::ExtLine1)->color.colorIndex(), 5);
    EXPECT_EQ(l.arrows[0].color.colorIndex(), 1);
    EXPECT_EQ(l.text->color.colorIndex(), 3);
    EXPECT_EQ(l.text->style, db->textstyle());
    ASSERT_EQ(l.defpoints.size(), 3u);
    EXPECT_TRUE(l.defpoints[0].isEqualTo(AcGePoint3d(50, 20, 0)));
}
