#include "geassign.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
}

TEST(AcGeVector3d, ParallelAndCodirectionalUseTheVectorTolerance) {
    const AcGeVector3d x(2, 0, 0);
    EXPECT_TRUE(x.isParallelTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_FALSE(x.isCodirectionalTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_TRUE(x.isCodirectionalTo(AcGeVector3d(0.1, 0, 0)));
    // A direction 1e-6 radians off is not parallel at the default tolerance, and is
    // with a looser one.
    const AcGeVector3d tilted(1, 1e-6, 0);
    EXPECT_FALSE(x.isParallelTo(tilted));
    AcGeTol loose;
    loose.setEqualVector(1e-5);
    EXPECT_TRUE(x.isParallelTo(tilted, loose));
    // Zero vectors have no direction.
    EXPECT_FALSE(AcGeVector3d::kIdentity.isParallelTo(x));
    EXPECT_FALSE(x.isCodirectionalTo(AcGeVector3d::kIdentity));
    EXPECT_TRUE(x.isPerpendicularTo(AcGeVector3d(0, 0, -3)));
}

TEST(AcGeVector3d, NormalLengthAndProducts) {
    AcGeVector3d v(3, 4, 0);
    EXPECT_DOUBLE_EQ(v.length(), 5.0);
    EXPECT_DOUBLE_EQ(v.lengthSqrd(), 25.0);
    EXPECT_TRUE(v.normal().isEqualTo(AcGeVector3d(0.6, 0.8, 0)));
    EXPECT_TRUE(v.normal().isUnitLength());
    EXPECT_EQ(AcGeVector3d::kIdentity.normal(), AcGeVector3d::kIdentity); // no NaN
    EXPECT_EQ(AcGeVector3d::kXAxis.crossProduct(AcGeVector3d::kYAxis), AcGeVector3d::kZAxis);
    EXPECT_DOUBLE_EQ(v.dotProduct(AcGeVector3d(1, 1, 1)), 7.0);
    v.normalize();
    EXPECT_DOUBLE_EQ(v.length(), 1.0);
}

TEST(AcGeVector3d, AnglesAndRotation) {
    const AcGeVector3d x = AcGeVector3d::kXAxis;
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, 1, 0)), kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(AcGeVector3d(-1, 0, 0)), kPi, 1e-15);
    // Measured around a reference axis the clockwise quarter turn is three quarters.
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, -1, 0), AcGeVector3d::kZAxis), 1.5 * kPi, 1e-15);
    EXPECT_NEAR(x.angleTo(AcGeVector3d(0, -1, 0), -AcGeVector3d::kZAxis), 0.5 * kPi, 1e-15);
    // Nearly parallel vectors still get an accurate small angle.
    EXPECT_NEAR(x.angleTo(AcGeVector3d(1, 1e-9, 0)), 1e-9, 1e-20);

    AcGeVector3d r = x;
    r.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(r.isEqualTo(AcGeVector3d::kYAxis));
    r.rotateBy(kPi / 2, AcGeVector3d(0, 0, -7)); // the axis length does not matter
    EXPECT_TRUE(r.isEqualTo(AcGeVector3d::kXAxis));

    for (const AcGeVector3d& v : {AcGeVector3d(0, 0, 1), AcGeVector3d(1, 2, 3),
                                  AcGeVector3d(-5, 0.01, 0), AcGeVector3d(0, 1, 0)}) {
        const AcGeVector3d p = v.perpVector();
        EXPECT_FALSE(p.isZeroLength());
        EXPECT_NEAR(p.dotProduct(v), 0.0, 1e-12);
    }
}

TEST(AcGePoint3d, ArithmeticDistanceAndTolerance) {
    const AcGePoint3d a(1, 2, 3), b(4, 6, 3);
    EXPECT_EQ(b - a, AcGeVector3d(3, 4, 0));
    EXPECT_EQ(a + (b - a), b);
    EXPECT_DOUBLE_EQ(a.distanceTo(b), 5.0);
    EXPECT_EQ(a.asVector(), AcGeVector3d(1, 2, 3));
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[2], 3.0);

    const AcGePoint3d near(1 + 5e-11, 2, 3);
    EXPECT_TRUE(a.isEqualTo(near));
    EXPECT_FALSE(a.isEqualTo(AcGePoint3d(1 + 2e-10, 2, 3)));
    AcGeTol half;
    half.setEqualPoint(0.5);
    EXPECT_TRUE(a.isEqualTo(AcGePoint3d(1.4, 2.2, 3), half));
    EXPECT_FALSE(a.isEqualTo(AcGePoint3d(1.6, 2, 3), half));

    AcGePoint3d s(3, 3, 0);
    s.scaleBy(2, AcGePoint3d(1, 1, 0));
    EXPECT_EQ(s, AcGePoint3d(5, 5, 0));
    s.rotateBy(kPi, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    EXPECT_EQ(s, AcGePoint3d(-3, -3, 0));
}

TEST(AcGeAssign, ArrayViewsShareStorage) {
    AcGePoint3d p(1, 2, 3);
    double* d = asDblArray(p);
    d[1] = 20;
    EXPECT_EQ(p.y, 20.0);
    double raw[3] = {7, 8, 9};
    asPnt3d(raw).z = 90;
    EXPECT_EQ(raw[2], 90.0);
    EXPECT_EQ(asVec3d(raw), AcGeVector3d(7, 8, 90));
}

TEST(AcGeVector2d, AngleIsHalfOpenFullTurn) {
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 0).angle(), 0.0);
    EXPECT_DOUBLE_EQ(AcGeVector2d(-1, -1).angle(), 1.25 * kPi);
    const double a = AcGeVector2d(1, -1e-300).angle();
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 2 * kPi);
    EXPECT_NEAR(AcGeVector2d(1, 0).angleTo(AcGeVector2d(0, -1)), -kPi / 2, 1e-15);
    AcGePoint2d p(2, 1);
    p.rotateBy(kPi / 2, AcGePoint2d(1, 1));
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(1, 2)));
}
