#include "drag_fixture.h"

#include "dbpl.h"

TEST_F(DragTest, HeldEntitiesKeepTheirOrderTagsAndShownState) {
    AcDbLine* a = lineAt(1);
    AcDbLine* b = lineAt(2);
    EXPECT_EQ(drag.Append(a, L"a", -1), 0);
    EXPECT_EQ(drag.Append(b, L"b", 0), 0); // inserted before a
    EXPECT_EQ(drag.Append(a, L"again", -1), -1);
    EXPECT_EQ(drag.Append(nullptr, L"none", -1), -1);
    drag.SetEntEnable(1, 0);
    drag.SetEntEnable(7, 0);
    Events held;
    for (int i = -1; i <= drag.Length(); ++i) {
        int enabled = -1;
        CString tag = L"x";
        AcDbEntity* e = drag.At(i, &enabled, &tag);
        held.push_back((e == a   ? L"a "
                        : e == b ? L"b "
                        : e      ? L"? "
                                 : L"- ") +
                       std::wstring(tag) + kz::formatWide(L" %d", enabled));
    }
    EXPECT_EQ(held, (Events{L"-  0", L"b b 1", L"a a 0", L"-  0"}));
    drag.RemoveAll(0); // given back undeleted
    EXPECT_EQ(drag.Length(), 0);
    EXPECT_EQ(drag.Append(a, L"a", -1), 0); // no longer held: taken again
    drag.RemoveAll(0);
    delete a;
    delete b;
}

// Under AddressSanitizer, a committed entity deleted by the drag is a double free when
// the drawing closes.
TEST_F(DragTest, EntitiesTheEndCallbackCommittedStayWithTheDrawing) {
    AcDbLine* committed = lineAt(3);
    drag.Append(committed, L"c", -1);
    drag.Append(lineAt(4), L"d", -1);
    log.commitFirst = true;
    ASSERT_EQ(run(L"1,1\n"), RTNORM);
    AcDbObjectId id = committed->objectId();
    drag.RemoveAll(1);
    AcDbLine* reopened = nullptr;
    ASSERT_EQ(acdbOpenObject(reopened, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reopened->startPoint(), AcGePoint3d(3, 0, 0));
    reopened->close();
    // Destroyed after the drawing it committed to was closed.
    auto other = std::make_unique<CDrag>(0);
    log = Log{{}, other.get(), true, true};
    other->Append(lineAt(5), L"e", -1);
    script(L"2,2\n");
    other->Dynamic(nullptr, onEnd, nullptr, nullptr, nullptr, &log, nullptr, false, 0, 1, 1, 1);
    kz::ed::closeDocument();
    other.reset();
}

TEST_F(DragTest, PolylineSegmentUnderThePick) {
    auto* pl = new AcDbPolyline;
    pl->addVertexAt(0, AcGePoint2d(0, 0), 1.0); // a half circle below the x axis
    pl->addVertexAt(1, AcGePoint2d(10, 0));
    pl->addVertexAt(2, AcGePoint2d(5, -8));
    AcDbObjectId id = addToDrawing(pl);
    auto segmentAt = [&](double x, double y) {
        double pick[3] = {x, y, 0};
        AcGePoint3d p1, p2;
        int found = drag.GetPLinePoint(id, pick, p1, p2);
        return kz::formatWide(L"%d ", found) + pointText(p1) + L" " + pointText(p2);
    };
    // On the arc, nearer to the second segment than to the arc's chord.
    EXPECT_EQ(segmentAt(5, -5), L"0 0,0 10,0");
    EXPECT_EQ(segmentAt(7.6, -4), L"0 10,0 5,-8");
    acdbOpenObject(pl, id, AcDb::kForWrite);
    pl->setClosed(true);
    pl->close();
    EXPECT_EQ(segmentAt(4, -6.4), L"0 5,-8 0,0");
    id = addToDrawing(lineAt(0));
    EXPECT_EQ(segmentAt(0, 0).substr(0, 2), L"1 ");
}

TEST_F(DragTest, PolylineSegmentStartingAtAVertex) {
    AcGePoint3dArray points;
    for (AcGePoint3d p : {AcGePoint3d(0, 0, 5), AcGePoint3d(10, 0, 5), AcGePoint3d(10, 10, 5)})
        points.append(p);
    AcDbObjectId id3 = addToDrawing(new AcDb3dPolyline(AcDb::k3dSimplePoly, points));
    AcDbObjectId id2 = addToDrawing(new AcDb2dPolyline(AcDb::k2dSimplePoly, points, 3.0));
    for (AcDbObjectId id : {id3, id2}) {
        AcDbObject* pl = nullptr;
        acdbOpenAcDbObject(pl, id, AcDb::kForRead);
        std::unique_ptr<AcDbObjectIterator> it(id == id3
                                                   ? AcDb3dPolyline::cast(pl)->vertexIterator()
                                                   : AcDb2dPolyline::cast(pl)->vertexIterator());
        pl->close();
        it->start();
        it->step();
        AcGePoint3d p1, p2;
        EXPECT_EQ(drag.GetPLinePoint(it->objectId(), nullptr, p1, p2), 0);
        const double z = id == id3 ? 5 : 3; // a 2D polyline's vertices lie at its elevation
        EXPECT_EQ(p1, AcGePoint3d(10, 0, z));
        EXPECT_EQ(p2, AcGePoint3d(10, 10, z));
        it->step();
        EXPECT_EQ(drag.GetPLinePoint(it->objectId(), nullptr, p1, p2), 2); // the open end
    }
}
