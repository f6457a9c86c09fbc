#include "../db_fixture.h"

#include "acutmem.h"
#include "dbdim.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
const AcGePoint3d kA(0, 0, 0), kB(30, 40, 0), kLine(0, 60, 0);

} // namespace

TEST_F(DbTest, RotatedMeasuresAlongItsDirectionAlignedMeasuresTheDistance) {
    AcDbRotatedDimension horizontal(0, kA, kB, kLine);
    AcDbRotatedDimension vertical(kPi / 2, kA, kB, kLine);
    AcDbRotatedDimension slanted(kPi / 6, kA, kB, kLine);
    AcDbAlignedDimension aligned(kA, kB, kLine);

    EXPECT_NEAR(horizontal.measurement(), 30.0, 1e-9);
    EXPECT_NEAR(vertical.measurement(), 40.0, 1e-9);
    EXPECT_NEAR(slanted.measurement(), 30 * std::cos(kPi / 6) + 40 * std::sin(kPi / 6), 1e-9);
    EXPECT_NEAR(aligned.measurement(), 50.0, 1e-9);

    // The order of the points does not make a measurement negative.
    AcDbRotatedDimension reversed(0, kB, kA, kLine);
    double v = -1;
    EXPECT_EQ(reversed.measurement(v), Acad::eOk);
    EXPECT_NEAR(v, 30.0, 1e-9);
}

TEST_F(DbTest, MeasurementFollowsThePoints) {
    AcDbRotatedDimension dim(0, kA, kB, kLine);
    ASSERT_EQ(dim.setXLine1Point(AcGePoint3d(-20, 5, 0)), Acad::eOk);
    EXPECT_NEAR(dim.measurement(), 50.0, 1e-9);
    ASSERT_EQ(dim.setRotation(kPi / 2), Acad::eOk);
    EXPECT_NEAR(dim.measurement(), 35.0, 1e-9);
    EXPECT_EQ(dim.setXLine2Point(AcGePoint3d(NAN, 0, 0)), Acad::eInvalidInput);
    EXPECT_NEAR(dim.measurement(), 35.0, 1e-9);
}

TEST_F(DbTest, MeasurementTextUsesDecimalsAndZeroSuppression) {
    AcDbRotatedDimension dim(0, AcGePoint3d(0, 0, 0), AcGePoint3d(1234.5, 0, 0), kLine);
    // Metric defaults: two decimals, trailing zeros suppressed.
    EXPECT_EQ(dim.dimdec(), 2);
    EXPECT_EQ(dim.dimzin(), 8);
    EXPECT_EQ(dim.formatMeasurement(), L"1234.5");
    dim.setDimzin(0);
    EXPECT_EQ(dim.formatMeasurement(), L"1234.50");
    dim.setDimdec(0);
    EXPECT_EQ(dim.formatMeasurement(), L"1235"); // halves round away from zero
    dim.setDimdec(3);
    dim.setDimzin(8);
    dim.setXLine2Point(AcGePoint3d(1000, 0, 0));
    EXPECT_EQ(dim.formatMeasurement(), L"1000");
    dim.setXLine2Point(AcGePoint3d(0.25, 0, 0));
    dim.setDimzin(12);
    EXPECT_EQ(dim.formatMeasurement(), L".25");
    dim.setDimzin(8);
    dim.setDimdsep(L',');
    EXPECT_EQ(dim.formatMeasurement(), L"0,25");
}

TEST_F(DbTest, MeasurementTextAppliesFactorRoundingSuffixAndOverride) {
    AcDbRotatedDimension dim(0, AcGePoint3d(0, 0, 0), AcGePoint3d(101, 0, 0), kLine);
    dim.setDimlfac(2);
    EXPECT_EQ(dim.formatMeasurement(), L"202");
    dim.setDimrnd(5);
    EXPECT_EQ(dim.formatMeasurement(), L"200");
    dim.setDimpost(L"<> mm");
    EXPECT_EQ(dim.formatMeasurement(), L"200 mm");
    dim.setDimpost(L"");
    dim.setDimensionText(L"L=<>");
    EXPECT_EQ(dim.formatMeasurement(), L"L=200");
    dim.setDimensionText(L"FREE");
    EXPECT_EQ(dim.formatMeasurement(), L"FREE");
    dim.setDimensionText(L" ");
    EXPECT_EQ(dim.formatMeasurement(), L""); // a single blank hides the text
    ACHAR* text = dim.dimensionText();
    EXPECT_STREQ(text, L" ");
    acutDelString(text);
    EXPECT_EQ(dim.setDimlfac(0), Acad::eInvalidInput);
}

TEST_F(DbTest, DimensionClassesAreToldApart) {
    AcDbRotatedDimension rotated;
    AcDbAlignedDimension aligned;
    EXPECT_TRUE(rotated.isKindOf(AcDbDimension::desc()));
    EXPECT_TRUE(aligned.isKindOf(AcDbDimension::desc()));
    EXPECT_EQ(AcDbRotatedDimension::cast(&aligned), nullptr);
    EXPECT_EQ(AcDbAlignedDimension::cast(&rotated), nullptr);
    std::unique_ptr<AcRxObject> copy(rotated.clone());
    EXPECT_NE(AcDbRotatedDimension::cast(copy.get()), nullptr);
}
