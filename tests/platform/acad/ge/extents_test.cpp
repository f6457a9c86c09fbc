#include "dbextents.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

TEST(AcDbExtents, EmptyIsNeutralAndFirstPointBecomesBothCorners) {
    AcDbExtents e;
    EXPECT_TRUE(e.isEmpty());
    EXPECT_EQ(e.minPoint(), AcGePoint3d(1e20, 1e20, 1e20));
    e.addExt(AcDbExtents());
    EXPECT_TRUE(e.isEmpty());
    // Far points are not swallowed by the empty box's corner values.
    e.addPoint(AcGePoint3d(2e20, -3e20, 5));
    EXPECT_FALSE(e.isEmpty());
    EXPECT_EQ(e.minPoint(), AcGePoint3d(2e20, -3e20, 5));
    EXPECT_EQ(e.maxPoint(), AcGePoint3d(2e20, -3e20, 5));

    AcDbExtents box(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 5, 0));
    const AcDbExtents before = box;
    box.addExt(AcDbExtents());
    box.expandBy(AcGeVector3d(1, 1, 1));
    box.expandBy(AcGeVector3d(-1, -1, -1));
    EXPECT_NE(box, before);
    EXPECT_EQ(box.minPoint(), AcGePoint3d(-1, -1, -1));
    EXPECT_EQ(box.maxPoint(), AcGePoint3d(11, 6, 1));
    AcDbExtents empty;
    empty.expandBy(AcGeVector3d(5, 5, 5));
    empty.transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 1, 1)));
    EXPECT_TRUE(empty.isEmpty());
}

TEST(AcDbExtents, AddingPointsAndBoxesGrowsComponentwise) {
    AcDbExtents e;
    e.addPoint(AcGePoint3d(5, -2, 0));
    e.addPoint(AcGePoint3d(-1, 3, 7));
    EXPECT_EQ(e.minPoint(), AcGePoint3d(-1, -2, 0));
    EXPECT_EQ(e.maxPoint(), AcGePoint3d(5, 3, 7));
    e.addPoint(AcGePoint3d(std::numeric_limits<double>::quiet_NaN(), 100, 100));
    e.addPoint(AcGePoint3d(std::numeric_limits<double>::infinity(), 0, 0));
    EXPECT_EQ(e.maxPoint(), AcGePoint3d(5, 3, 7)); // ignored
    e.addExt(AcDbExtents(AcGePoint3d(0, 0, -4), AcGePoint3d(20, 1, 1)));
    EXPECT_EQ(e.minPoint(), AcGePoint3d(-1, -2, -4));
    EXPECT_EQ(e.maxPoint(), AcGePoint3d(20, 3, 7));
}

TEST(AcDbExtents, SetRefusesReversedCorners) {
    AcDbExtents e(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1));
    EXPECT_EQ(e.set(AcGePoint3d(2, 0, 0), AcGePoint3d(1, 1, 1)), Acad::eInvalidExtents);
    EXPECT_EQ(e.maxPoint(), AcGePoint3d(1, 1, 1)); // unchanged
    EXPECT_TRUE(AcDbExtents(AcGePoint3d(0, 2, 0), AcGePoint3d(1, 1, 1)).isEmpty());
    EXPECT_EQ(e.set(AcGePoint3d(3, 3, 3), AcGePoint3d(3, 3, 3)), Acad::eOk); // a point box
    EXPECT_FALSE(e.isEmpty());
}

TEST(AcDbExtents, TransformedBoxHoldsEveryTransformedCorner) {
    // A 10 x 10 square turned 45 degrees about its corner spans 10 * sqrt 2 across.
    AcDbExtents e(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
    e.transformBy(AcGeMatrix3d::rotation(std::numbers::pi / 4, AcGeVector3d::kZAxis));
    const double h = 10 * std::numbers::sqrt2 / 2;
    AcGeTol tol;
    tol.setEqualPoint(1e-9);
    EXPECT_TRUE(e.minPoint().isEqualTo(AcGePoint3d(-h, 0, 0), tol));
    EXPECT_TRUE(e.maxPoint().isEqualTo(AcGePoint3d(h, 2 * h, 0), tol));
    // A mirror keeps min below max.
    AcDbExtents m(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    m.transformBy(AcGeMatrix3d::mirroring(AcGePoint3d::kOrigin));
    EXPECT_EQ(m.minPoint(), AcGePoint3d(-4, -5, -6));
    EXPECT_EQ(m.maxPoint(), AcGePoint3d(-1, -2, -3));
}
