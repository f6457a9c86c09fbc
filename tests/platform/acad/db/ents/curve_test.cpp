// Points, parameters, distances, extents and transforms of lines, circles and arcs.
#include "../db_fixture.h"

#include "dbents.h"
#include "dbextents.h"

#include <cmath>

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

TEST(Curve, LineParametersAreDistancesFromTheStart) {
    AcDbLine line({1, 1, 0}, {4, 5, 0}); // length 5
    double p = 0, d = 0;
    ASSERT_EQ(line.getEndParam(p), Acad::eOk);
    EXPECT_DOUBLE_EQ(p, 5);
    AcGePoint3d at;
    ASSERT_EQ(line.getPointAtParam(2.5, at), Acad::eOk);
    expectPoint(at, {2.5, 3, 0});
    EXPECT_EQ(line.getPointAtParam(6, at), Acad::eInvalidInput);
    ASSERT_EQ(line.getDistAtPoint({2.5, 3, 0}, d), Acad::eOk);
    EXPECT_NEAR(d, 2.5, 1e-12);
    EXPECT_EQ(line.getDistAtPoint({0, 3, 0}, d), Acad::eInvalidInput);

    AcGePoint3d near;
    // (14, 10) lies beside the prolonged line, level with (10, 13).
    ASSERT_EQ(line.getClosestPointTo({14, 10, 0}, near), Acad::eOk);
    expectPoint(near, {4, 5, 0});
    ASSERT_EQ(line.getClosestPointTo({14, 10, 0}, near, true), Acad::eOk);
    expectPoint(near, {10, 13, 0});
}

TEST(Curve, ArcRunsCounterClockwiseFromStartToEndAngle) {
    AcDbArc arc({0, 0, 0}, 2, kPi / 2, 0); // three quarters: from 90 round to 360 degrees
    AcGePoint3d start, end;
    ASSERT_EQ(arc.getStartPoint(start), Acad::eOk);
    ASSERT_EQ(arc.getEndPoint(end), Acad::eOk);
    expectPoint(start, {0, 2, 0});
    expectPoint(end, {2, 0, 0});
    double length = 0, endParam = 0;
    ASSERT_EQ(arc.getEndParam(endParam), Acad::eOk);
    ASSERT_EQ(arc.getDistAtParam(endParam, length), Acad::eOk);
    EXPECT_NEAR(length, 3 * kPi, 1e-9);
    // Through the left, the bottom and back to the right: extents are the full circle
    // but for the upper right quadrant.
    AcDbExtents ext = extentsOf(arc);
    expectPoint(ext.minPoint(), {-2, -2, 0});
    expectPoint(ext.maxPoint(), {2, 2, 0});
    AcDbArc quarter({0, 0, 0}, 2, 0, kPi / 2);
    ext = extentsOf(quarter);
    expectPoint(ext.minPoint(), {0, 0, 0});
    expectPoint(ext.maxPoint(), {2, 2, 0});
}

TEST(Curve, CircleExtentsAndClosestPoint) {
    AcDbCircle circle({10, 0, 0}, AcGeVector3d::kZAxis, 3);
    AcDbExtents ext = extentsOf(circle);
    expectPoint(ext.minPoint(), {7, -3, 0});
    expectPoint(ext.maxPoint(), {13, 3, 0});
    AcGePoint3d near;
    ASSERT_EQ(circle.getClosestPointTo({10, 10, 0}, near), Acad::eOk);
    expectPoint(near, {10, 3, 0});
    EXPECT_TRUE(circle.isClosed());
    EXPECT_EQ(circle.setRadius(0), Acad::eInvalidInput);
}

TEST(Curve, TiltedCircleExtentsSpanItsPlane) {
    // A circle standing in the x-z plane.
    AcDbCircle circle({0, 0, 0}, AcGeVector3d::kYAxis, 1);
    AcDbExtents ext = extentsOf(circle);
    expectPoint(ext.minPoint(), {-1, 0, -1});
    expectPoint(ext.maxPoint(), {1, 0, 1});
}

TEST(Curve, TransformsMoveScaleAndMirror) {
    AcGeMatrix3d moveRotate = AcGeMatrix3d::translation({5, 0, 0}) *
                              AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    AcDbLine line({1, 0, 0}, {2, 0, 0});
    ASSERT_EQ(line.transformBy(moveRotate), Acad::eOk);
    expectPoint(line.startPoint(), {5, 1, 0});
    expectPoint(line.endPoint(), {5, 2, 0});

    AcDbCircle circle({1, 0, 0}, AcGeVector3d::kZAxis, 1);
    ASSERT_EQ(circle.transformBy(AcGeMatrix3d::scaling(3)), Acad::eOk);
    expectPoint(circle.center(), {3, 0, 0});
    EXPECT_DOUBLE_EQ(circle.radius(), 3);
    AcGeMatrix3d squash;
    squash.entry[1][1] = 0.5;
    EXPECT_EQ(circle.transformBy(squash), Acad::eNotApplicable);
    EXPECT_DOUBLE_EQ(circle.radius(), 3);

    // Mirrored in the y axis, the upper right quarter becomes the upper left one.
    AcDbArc arc({0, 0, 0}, 1, 0, kPi / 2);
    AcGeMatrix3d mirror;
    mirror.entry[0][0] = -1;
    ASSERT_EQ(arc.transformBy(mirror), Acad::eOk);
    AcDbExtents ext = extentsOf(arc);
    expectPoint(ext.minPoint(), {-1, 0, 0});
    expectPoint(ext.maxPoint(), {0, 1, 0});
    AcGePoint3d start, end;
    arc.getStartPoint(start);
    arc.getEndPoint(end);
    // The start point (1, 0) went to (-1, 0).
    expectPoint(start, {-1, 0, 0});
    expectPoint(end, {0, 1, 0});
}

TEST(Curve, SolidAndPointExtentsAndTransform) {
    AcDbSolid solid({0, 0, 0}, {2, 0, 0}, {1, 3, 0});
    AcGePoint3d fourth;
    ASSERT_EQ(solid.getPointAt(3, fourth), Acad::eOk);
    expectPoint(fourth, {1, 3, 0});
    EXPECT_EQ(solid.getPointAt(4, fourth), Acad::eInvalidIndex);
    AcDbExtents ext = extentsOf(solid);
    expectPoint(ext.maxPoint(), {2, 3, 0});
    ASSERT_EQ(solid.transformBy(AcGeMatrix3d::translation({0, 0, 2})), Acad::eOk);
    expectPoint(extentsOf(solid).minPoint(), {0, 0, 2});

    AcDbPoint point({1, 2, 3});
    expectPoint(extentsOf(point).maxPoint(), {1, 2, 3});
}
