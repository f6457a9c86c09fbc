#include "../db_fixture.h"

#include "dbdim.h"
#include "tag_filer.h"

#include <cmath>
#include <memory>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TEST_F(DbTest, RotatedDimensionWritesItsSubclassesAndReadsThemBack) {
    AcDbRotatedDimension dim(kPi / 2, AcGePoint3d(1, 2, 0), AcGePoint3d(1, 52, 0),
                             AcGePoint3d(-20, 0, 0), L"<> mm");
    dim.setTextPosition(AcGePoint3d(-25, 30, 0));
    dim.setTextRotation(kPi / 4);
    TagFiler out(db.get());
    ASSERT_EQ(dim.dxfOutFields(&out), Acad::eOk);

    std::vector<std::string> markers = {"AcDbEntity", "AcDbDimension", "AcDbAlignedDimension",
                                        "AcDbRotatedDimension"};
    EXPECT_EQ(out.markers(), markers);
    ASSERT_NE(out.find(70, "AcDbDimension"), nullptr);
    EXPECT_EQ(*out.find(70, "AcDbDimension"), "160"); // rotated, own block, user text place
    EXPECT_EQ(*out.find(1, "AcDbDimension"), "<> mm");
    EXPECT_EQ(*out.find(3, "AcDbDimension"), "Standard");
    EXPECT_NEAR(std::stod(*out.find(42, "AcDbDimension")), 50.0, 1e-9);
    EXPECT_NEAR(std::stod(*out.find(53, "AcDbDimension")), 45.0, 1e-9);
    EXPECT_NEAR(std::stod(*out.find(50, "AcDbAlignedDimension")), 90.0, 1e-9);
    EXPECT_EQ(out.find(52), nullptr); // square extension lines write no oblique angle

    AcDbRotatedDimension back;
    ASSERT_EQ(back.dxfInFields(&out), Acad::eOk);
    EXPECT_TRUE(back.xLine1Point().isEqualTo(AcGePoint3d(1, 2, 0)));
    EXPECT_TRUE(back.xLine2Point().isEqualTo(AcGePoint3d(1, 52, 0)));
    EXPECT_TRUE(back.dimLinePoint().isEqualTo(AcGePoint3d(-20, 0, 0)));
    EXPECT_NEAR(back.rotation(), kPi / 2, 1e-12);
    EXPECT_NEAR(back.textRotation(), kPi / 4, 1e-12);
    EXPECT_FALSE(back.isUsingDefaultTextPosition());
    EXPECT_TRUE(back.textPosition().isEqualTo(AcGePoint3d(-25, 30, 0)));
    EXPECT_EQ(back.formatMeasurement(), L"50 mm");
    EXPECT_EQ(back.dimensionStyle(), db->dimstyle());
}

TEST_F(DbTest, ObliqueAndUnknownDimensionTagsSurviveARoundTrip) {
    AcDbAlignedDimension dim(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(0, 5, 0));
    dim.setOblique(kPi / 3);
    TagFiler out(db.get());
    dim.dxfOutFields(&out);
    EXPECT_EQ(*out.find(70, "AcDbDimension"), "33"); // aligned, own block
    EXPECT_NEAR(std::stod(*out.find(52)), 60.0, 1e-9);
    EXPECT_EQ(out.find(50), nullptr);
    out.tags.push_back({100, "AcDbAlignedDimension"});
    out.tags.push_back({1234, "future"}); // a field this host does not model

    AcDbAlignedDimension back;
    back.dxfInFields(&out);
    EXPECT_NEAR(back.oblique(), kPi / 3, 1e-12);
    ASSERT_EQ(out.kept.size(), 1u);
    EXPECT_EQ(out.kept[0].code, 1234);

    // 90 degrees from another writer means square extension lines.
    TagFiler square(db.get());
    square.tags = {{100, "AcDbDimension"}, {52, "90.0"}, {100, "AcDbAlignedDimension"}};
    AcDbAlignedDimension sq;
    sq.dxfInFields(&square);
    EXPECT_EQ(sq.oblique(), 0.0);
}
