#include "gemat3d.h"
#include "gescl3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

AcGeTol tolerance(double t) {
    AcGeTol tol;
    tol.setEqualPoint(t);
    tol.setEqualVector(t);
    return tol;
}

// The transform of a block reference: block definition coordinates (around its base
// point) scaled, rotated about the reference's normal, moved to the insertion point.
AcGeMatrix3d blockTransform(const AcGePoint3d& insertion, double rotation, const AcGeScale3d& scale,
                            const AcGePoint3d& basePoint) {
    return AcGeMatrix3d::translation(insertion.asVector()) *
           AcGeMatrix3d::rotation(rotation, AcGeVector3d::kZAxis) * AcGeMatrix3d(scale) *
           AcGeMatrix3d::translation(-basePoint.asVector());
}
} // namespace

TEST(AcGeMatrix3d, ProductAppliesRightOperandFirst) {
    const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0));
    const AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_EQ((move * turn) * AcGePoint3d(1, 0, 0), AcGePoint3d(10, 1, 0));
    EXPECT_EQ((turn * move) * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 11, 0));
    AcGeMatrix3d m = turn;
    m.preMultBy(move);
    EXPECT_EQ(m, move * turn);
    m = turn;
    m.postMultBy(move);
    EXPECT_EQ(m, turn * move);
    // Vectors ignore the translation.
    EXPECT_EQ(move * AcGeVector3d(1, 2, 3), AcGeVector3d(1, 2, 3));
}

TEST(AcGeMatrix3d, RotationAndScalingKeepTheirCentre) {
    const AcGePoint3d c(5, 5, 0);
    AcGePoint3d p(6, 5, 0);
    p.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, c));
    EXPECT_EQ(p, AcGePoint3d(5, 6, 0));
    EXPECT_EQ(AcGeMatrix3d::rotation(1.0, AcGeVector3d(1, 1, 1), c) * c, c);
    EXPECT_EQ(AcGeMatrix3d::scaling(3, c) * AcGePoint3d(6, 4, 1), AcGePoint3d(8, 2, 3));
    EXPECT_DOUBLE_EQ(AcGeMatrix3d::scaling(3, c).scale(), 3.0);
    EXPECT_DOUBLE_EQ(AcGeMatrix3d(AcGeScale3d(1, -4, 2)).scale(), 4.0);
    // A rotation about a zero axis is no rotation.
    EXPECT_EQ(AcGeMatrix3d::rotation(1.0, AcGeVector3d::kIdentity), AcGeMatrix3d::kIdentity);
}

TEST(AcGeMatrix3d, RotatedScaledBlockReferenceMapsAndInvertsPoints) {
    const AcGePoint3d insertion(1000, 500, 0), base(10, 20, 0);
    const AcGeMatrix3d m = blockTransform(insertion, kPi / 6, AcGeScale3d(2, 3, 1), base);
    // The base point lands on the insertion point; the definition's x axis runs at 30
    // degrees, twice as long.
    EXPECT_TRUE((m * base).isEqualTo(insertion, tolerance(1e-9)));
    const AcGePoint3d alongX = m * (base + AcGeVector3d(1, 0, 0));
    EXPECT_TRUE((alongX - insertion)
                    .isEqualTo(AcGeVector3d(2 * std::cos(kPi / 6), 2 * std::sin(kPi / 6), 0),
                               tolerance(1e-9)));
    const AcGePoint3d alongY = m * (base + AcGeVector3d(0, 1, 0));
    EXPECT_TRUE((alongY - insertion)
                    .isEqualTo(AcGeVector3d(-3 * std::sin(kPi / 6), 3 * std::cos(kPi / 6), 0),
                               tolerance(1e-9)));
    EXPECT_FALSE(m.isUniScaledOrtho());
    EXPECT_NEAR(m.det(), 6.0, 1e-12);

    const AcGeMatrix3d inv = m.inverse();
    EXPECT_TRUE((inv * m).isEqualTo(AcGeMatrix3d::kIdentity, tolerance(1e-12)));
    const AcGePoint3d q(1234.5, 678.9, 0);
    EXPECT_TRUE((m * (inv * q)).isEqualTo(q, tolerance(1e-9)));

    // A nested reference (a block inside a mirrored, uniformly scaled outer one)
    // composes outer * inner and still inverts.
    const AcGeMatrix3d outer =
        blockTransform(AcGePoint3d(-50, 0, 0), kPi, AcGeScale3d(-0.5), AcGePoint3d::kOrigin);
    EXPECT_TRUE(outer.isUniScaledOrtho());
    const AcGeMatrix3d nested = outer * m;
    EXPECT_TRUE((nested.inverse() * (nested * q)).isEqualTo(q, tolerance(1e-9)));
}

TEST(AcGeMatrix3d, SmallScaleIsNotSingularButFlatteningIs) {
    // Singularity ignores the overall scale: a drawing in metres inserted at 1/1000
    // inverts like any other.
    const AcGeMatrix3d tiny = AcGeMatrix3d::scaling(1e-4);
    EXPECT_FALSE(tiny.isSingular());
    EXPECT_TRUE((tiny.inverse() * AcGePoint3d(1e-4, 0, 0)).isEqualTo(AcGePoint3d(1, 0, 0)));
    // A far translation does not make a matrix look singular either.
    EXPECT_FALSE(AcGeMatrix3d::translation(AcGeVector3d(1e9, 1e9, 0)).isSingular());

    const AcGeMatrix3d flat(AcGeScale3d(1, 1, 0));
    EXPECT_TRUE(flat.isSingular());
    AcGeMatrix3d result = AcGeMatrix3d::translation(AcGeVector3d(1, 2, 3));
    const AcGeMatrix3d before = result;
    EXPECT_FALSE(flat.inverse(result, 1e-10));
    EXPECT_EQ(result, before); // left alone
    EXPECT_EQ(flat.inverse(), flat);
}

TEST(AcGeMatrix3d, CoordinateSystemsAlignAndReadBack) {
    const AcGePoint3d origin(10, 20, 30);
    const AcGeVector3d xAxis(0, 1, 0), yAxis(-1, 0, 0), zAxis(0, 0, 1);
    AcGeMatrix3d cs;
    cs.setCoordSystem(origin, xAxis, yAxis, zAxis);
    EXPECT_EQ(cs * AcGePoint3d(1, 2, 3), AcGePoint3d(8, 21, 33));
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    cs.getCoordSystem(o, x, y, z);
    EXPECT_EQ(o, origin);
    EXPECT_EQ(x, xAxis);
    EXPECT_EQ(y, yAxis);
    EXPECT_EQ(cs.translation(), origin.asVector());

    // Aligning world to that system is the same matrix; aligning it back is the inverse.
    const AcGeMatrix3d toCs = AcGeMatrix3d::alignCoordSys(
        AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis,
        origin, xAxis, yAxis, zAxis);
    EXPECT_EQ(toCs, cs);
    const AcGeMatrix3d back = AcGeMatrix3d::alignCoordSys(
        origin, xAxis, yAxis, zAxis, AcGePoint3d::kOrigin, AcGeVector3d::kXAxis,
        AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    EXPECT_TRUE((back * toCs).isEqualTo(AcGeMatrix3d::kIdentity));
    AcGeMatrix3d t = cs;
    EXPECT_EQ(t.transposeIt().transpose(), cs);
}

TEST(AcGeMatrix3d, PlaneMatricesFollowTheArbitraryAxisRule) {
    // Normal (0, 0, -1), a mirrored view: the plane's x axis is world -x.
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(AcGeVector3d(0, 0, -1));
    EXPECT_EQ(toWorld * AcGePoint3d(1, 0, 0), AcGePoint3d(-1, 0, 0));
    EXPECT_EQ(toWorld * AcGePoint3d(0, 1, 0), AcGePoint3d(0, 1, 0));
    // Normal along world x: the plane's x axis is world z cross x = world y.
    EXPECT_EQ(AcGeMatrix3d::planeToWorld(AcGeVector3d(2, 0, 0)) * AcGePoint3d(1, 0, 0),
              AcGePoint3d(0, 1, 0));
    const AcGeVector3d n(1, 2, 3);
    EXPECT_TRUE((AcGeMatrix3d::worldToPlane(n) * AcGeMatrix3d::planeToWorld(n))
                    .isEqualTo(AcGeMatrix3d::kIdentity));
}
