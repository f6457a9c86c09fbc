// Old-style 2D and 3D polylines: vertex lists of new and resident polylines, vertex
// positions through the elevation, curves, erasing, copies and DXF fields.
#include "../db_fixture.h"
#include "recording_filer.h"

#include "db/database_impl.h"
#include "dbents.h"
#include "dbextents.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

AcGePoint3dArray points(std::initializer_list<AcGePoint3d> list) {
    AcGePoint3dArray a;
    for (auto& p : list)
        a.append(p);
    return a;
}

// The ids and entities the iterator visits.
std::vector<AcDbObjectIterator::Entry> walk(AcDbObjectIterator* raw) {
    std::unique_ptr<AcDbObjectIterator> it(raw);
    std::vector<AcDbObjectIterator::Entry> out;
    for (; !it->done(); it->step())
        out.push_back({it->objectId(), it->entity()});
    return out;
}

} // namespace

TEST_F(DbTest, NewPolyline2dKeepsItsVerticesUntilItJoinsTheDatabase) {
    AcArray<double> bulges;
    bulges.append(0);
    bulges.append(1);
    auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, points({{0, 0, 9}, {4, 0, 9}, {4, 4, 9}}),
                                  2.0, false, 0, 0, &bulges);
    auto before = walk(pl->vertexIterator());
    ASSERT_EQ(before.size(), 3u);
    for (auto& e : before)
        EXPECT_TRUE(e.id.isNull());
    // The points' z gives way to the elevation.
    auto* second = AcDb2dVertex::cast(before[1].entity);
    ASSERT_NE(second, nullptr);
    expectPoint(pl->vertexPosition(*second), {4, 0, 2});
    EXPECT_DOUBLE_EQ(second->bulge(), 1);

    AcDbObjectId plId = addToModelSpace(pl);
    AcDb2dPolyline* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, plId, AcDb::kForWrite), Acad::eOk);
    auto after = walk(open->vertexIterator());
    ASSERT_EQ(after.size(), 3u);
    for (auto& e : after) {
        ASSERT_FALSE(e.id.isNull());
        EXPECT_EQ(e.entity->ownerId(), plId);
    }
    EXPECT_EQ(*open->kzSubentities(),
              (std::vector<AcDbObjectId>{after[0].id, after[1].id, after[2].id}));
    EXPECT_FALSE(open->kzSequenceEnd()->isNull());

    // A vertex appended to the resident polyline joins at once, at the end.
    AcDbObjectId added;
    auto* vertex = new AcDb2dVertex({0, 4, 0});
    ASSERT_EQ(open->appendVertex(added, vertex), Acad::eOk);
    EXPECT_FALSE(added.isNull());
    vertex->close();
    EXPECT_EQ(open->kzSubentities()->back(), added);

    // The curve: a straight segment, a half circle of radius 2 right of (4,0)-(4,4),
    // then back to (0,4).
    AcDbExtents ext;
    ASSERT_EQ(open->getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), {0, 0, 2});
    expectPoint(ext.maxPoint(), {6, 4, 2});

    // Erasing takes the vertices along; an erased vertex leaves the iteration.
    ASSERT_EQ(open->erase(), Acad::eOk);
    EXPECT_TRUE(added.isErased());
    ASSERT_EQ(open->erase(false), Acad::eOk);
    open->close();
    AcDbEntity* v = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(v, added, AcDb::kForWrite), Acad::eOk);
    v->erase();
    v->close();
    ASSERT_EQ(acdbOpenObject(open, plId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(walk(open->vertexIterator()).size(), 3u);
    open->close();
    EXPECT_EQ(db->impl().accessViolations(), 0);
}

TEST_F(DbTest, Polyline2dCloneAndTransform) {
    auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, points({{0, 0, 0}, {4, 0, 0}}), 1.0);
    AcDbObjectId plId = addToModelSpace(pl);
    AcDb2dPolyline* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, plId, AcDb::kForWrite), Acad::eOk);
    std::unique_ptr<AcDb2dPolyline> copy(AcDb2dPolyline::cast(open->clone()));
    ASSERT_EQ(open->transformBy(AcGeMatrix3d::translation({1, 2, 3})), Acad::eOk);
    AcGePoint3d start;
    open->getStartPoint(start);
    expectPoint(start, {1, 2, 4});
    EXPECT_DOUBLE_EQ(open->elevation(), 4);
    open->close();

    // The copy kept its own vertices where they were.
    auto vertices = walk(copy->vertexIterator());
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_TRUE(vertices[0].id.isNull());
    copy->getStartPoint(start);
    expectPoint(start, {0, 0, 1});
}

TEST_F(DbTest, Polyline2dDxfFields) {
    AcDb2dPolyline pl(AcDb::k2dCubicSplinePoly, points({}), 2.5, true);
    RecordingFiler out(db.get());
    std::unique_ptr<AcDb2dPolyline> back(roundTrip(pl, db.get(), &out));
    EXPECT_EQ(out.values(70), std::vector<std::string>{"5"}); // closed, spline
    EXPECT_EQ(out.values(75), std::vector<std::string>{"6"});
    EXPECT_EQ(back->polyType(), AcDb::k2dCubicSplinePoly);
    EXPECT_TRUE(back->isClosed());
    EXPECT_DOUBLE_EQ(back->elevation(), 2.5);

    AcDb2dVertex vertex({1, 2, 0}, 0.25, 0.1, 0.2);
    RecordingFiler vout(db.get());
    std::unique_ptr<AcDb2dVertex> vback(roundTrip(vertex, db.get(), &vout));
    auto marker = std::find(vout.written.begin(), vout.written.end(), Tag{100, "AcDbVertex"});
    ASSERT_NE(marker, vout.written.end());
    EXPECT_EQ(*(marker + 1), (Tag{100, "AcDb2dVertex"}));
    EXPECT_DOUBLE_EQ(vback->bulge(), 0.25);
    EXPECT_DOUBLE_EQ(vback->endWidth(), 0.2);
    expectPoint(vback->position(), {1, 2, 0});
}

TEST_F(DbTest, Polyline3dVerticesAndCurve) {
    auto* pl = new AcDb3dPolyline(AcDb::k3dSimplePoly, points({{0, 0, 0}, {3, 0, 4}, {3, 5, 4}}));
    AcDbObjectId plId = addToModelSpace(pl);
    AcDb3dPolyline* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, plId, AcDb::kForWrite), Acad::eOk);
    auto vertices = walk(open->vertexIterator());
    ASSERT_EQ(vertices.size(), 3u);
    auto* v = AcDb3dPolylineVertex::cast(vertices[1].entity);
    ASSERT_NE(v, nullptr);
    expectPoint(v->position(), {3, 0, 4});
    EXPECT_EQ(v->ownerId(), plId);

    double length = 0, endParam = 0;
    open->getEndParam(endParam);
    EXPECT_DOUBLE_EQ(endParam, 2);
    open->getDistAtParam(endParam, length);
    EXPECT_NEAR(length, 10, 1e-12);
    AcDbExtents ext;
    ASSERT_EQ(open->getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.maxPoint(), {3, 5, 4});

    AcDbLine line({3, 2, 4}, {-3, 2, 4});
    AcGePoint3dArray pts;
    ASSERT_EQ(open->intersectWith(&line, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], {3, 2, 4});

    ASSERT_EQ(open->transformBy(AcGeMatrix3d::translation({0, 0, -4})), Acad::eOk);
    expectPoint(v->position(), {3, 0, 0});
    open->makeClosed();
    open->close();

    AcDb3dPolyline* read = nullptr;
    ASSERT_EQ(acdbOpenObject(read, plId, AcDb::kForRead), Acad::eOk);
    RecordingFiler out(db.get());
    read->dxfOutFields(&out);
    EXPECT_EQ(out.values(70), std::vector<std::string>{"9"}); // 3D, closed
    read->close();
    AcDb3dPolylineVertex vertex({1, 2, 3});
    RecordingFiler vout(db.get());
    vertex.dxfOutFields(&vout);
    EXPECT_EQ(vout.values(70), std::vector<std::string>{"32"});
    EXPECT_EQ(db->impl().accessViolations(), 0);
}
