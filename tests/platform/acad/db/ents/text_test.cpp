// Single-line texts and attributes: estimated extents by alignment, transforms, and
// the DXF fields that texts and attributes place differently.
#include "../db_fixture.h"
#include "recording_filer.h"

#include "dbents.h"
#include "dbextents.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const double kPi = 3.14159265358979323846;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

AcDbExtents extentsOf(const AcDbEntity& e) {
    AcDbExtents ext;
    EXPECT_EQ(e.getGeomExtents(ext), Acad::eOk);
    return ext;
}

} // namespace

TEST(Text, ExtentsFollowAlignmentRotationAndWidthFactor) {
    AcDbText text({10, 10, 0}, L"ABC", AcDbObjectId(), 2.0);
    // Left on the baseline: three characters 2 wide from the position.
    AcDbExtents ext = extentsOf(text);
    expectPoint(ext.minPoint(), {10, 10, 0});
    expectPoint(ext.maxPoint(), {16, 12, 0});

    text.setWidthFactor(0.5);
    expectPoint(extentsOf(text).maxPoint(), {13, 12, 0});

    // Centred on the alignment point, hanging from it (top).
    text.setHorizontalMode(AcDb::kTextCenter);
    text.setVerticalMode(AcDb::kTextTop);
    text.setAlignmentPoint({20, 20, 0});
    ext = extentsOf(text);
    expectPoint(ext.minPoint(), {18.5, 18, 0});
    expectPoint(ext.maxPoint(), {21.5, 20, 0});

    // Turned by 90 degrees around the alignment point.
    text.setRotation(kPi / 2);
    ext = extentsOf(text);
    expectPoint(ext.minPoint(), {20, 18.5, 0});
    expectPoint(ext.maxPoint(), {22, 21.5, 0});
}

TEST(Text, TransformScalesHeightAndTurnsRotation) {
    AcDbText text({1, 0, 0}, L"X", AcDbObjectId(), 1.0);
    ASSERT_EQ(text.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis) *
                               AcGeMatrix3d::scaling(3)),
              Acad::eOk);
    expectPoint(text.position(), {0, 3, 0});
    EXPECT_NEAR(text.rotation(), kPi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(text.height(), 3);
    EXPECT_DOUBLE_EQ(text.widthFactor(), 1);
    EXPECT_EQ(text.setHeight(0), Acad::eInvalidInput);
}

TEST_F(DbTest, TextVerticalModeComesFromItsSecondMarker) {
    AcDbText text({1, 2, 0}, L"TOP", AcDbObjectId(), 2.0, kPi / 4);
    text.setVerticalMode(AcDb::kTextTop);
    text.setAlignmentPoint({3, 4, 0});
    RecordingFiler out(db.get());
    std::unique_ptr<AcDbText> back(roundTrip(text, db.get(), &out));
    // Rotation in degrees; the vertical mode under the second AcDbText marker.
    EXPECT_DOUBLE_EQ(std::stod(out.values(50).at(0)), 45);
    ASSERT_EQ(out.values(73), std::vector<std::string>{"3"});
    EXPECT_EQ(out.written.back(), (Tag{73, "3"}));
    EXPECT_EQ(out.written.at(out.written.size() - 2), (Tag{100, "AcDbText"}));
    EXPECT_EQ(back->verticalMode(), AcDb::kTextTop);
    expectPoint(back->alignmentPoint(), {3, 4, 0});
    EXPECT_NEAR(back->rotation(), kPi / 4, 1e-12);
    EXPECT_EQ(back->textStyle(), db->textstyle());
}

TEST_F(DbTest, AttributeFieldsAndPlacementFromItsDefinition) {
    AcDbAttributeDefinition def({1, 0, 0}, L"default", L"S041", L"Kind?");
    def.setHeight(2);
    def.setInvisible(true);
    def.setFieldLength(12);
    def.setVerticalMode(AcDb::kTextVertMid);
    AcDbAttribute attr;
    ASSERT_EQ(attr.setAttributeFromBlock(&def, AcGeMatrix3d::translation({10, 0, 0}) *
                                                   AcGeMatrix3d::scaling(2)),
              Acad::eOk);
    EXPECT_STREQ(attr.tagConst(), L"S041");
    EXPECT_STREQ(attr.textStringConst(), L"default");
    EXPECT_TRUE(attr.isInvisible());
    expectPoint(attr.position(), {12, 0, 0});
    EXPECT_DOUBLE_EQ(attr.height(), 4);

    // An attribute's 73 is its field length and 74 its vertical mode.
    RecordingFiler out(db.get());
    std::unique_ptr<AcDbAttribute> back(roundTrip(attr, db.get(), &out));
    auto own = out.subclass("AcDbAttribute");
    EXPECT_NE(std::find(own.begin(), own.end(), Tag{73, "12"}), own.end());
    EXPECT_NE(std::find(own.begin(), own.end(), Tag{74, "2"}), own.end());
    EXPECT_EQ(back->fieldLength(), 12);
    EXPECT_EQ(back->verticalMode(), AcDb::kTextVertMid);
    EXPECT_TRUE(back->isInvisible());

    RecordingFiler defOut(db.get());
    std::unique_ptr<AcDbAttributeDefinition> defBack(roundTrip(def, db.get(), &defOut));
    EXPECT_STREQ(defBack->promptConst(), L"Kind?");
    EXPECT_STREQ(defBack->tagConst(), L"S041");
    EXPECT_TRUE(defBack->isInvisible());
    EXPECT_EQ(def.setTag(L""), Acad::eInvalidInput);
}
