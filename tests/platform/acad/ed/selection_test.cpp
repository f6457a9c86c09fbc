#include "ed_fixture.h"

#include "acdocman.h"
#include "aced.h"
#include "afxwin.h"
#include "ed/command_loop.h"
#include "ed/drawing_view.h"
#include "ed/selection_sets.h"

#include <cmath>

namespace {

// Handles of the set's members, blank-separated; frees the set.
std::wstring members(ads_name ss) {
    Adesk::Int32 n = 0;
    if (acedSSLength(ss, &n) != RTNORM)
        return L"(no set)";
    std::wstring out;
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name e;
        acedSSName(ss, i, e);
        AcDbObjectId id;
        acdbGetObjectId(id, e);
        out += (out.empty() ? L"" : L" ") + EditorTest::hexOf(id);
    }
    acedSSFree(ss);
    return out;
}

class SelectionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // The view of a new drawing: the pick box is 3 pixels of 297/800 units.
        kz::ed::drawingView() = kz::ed::DrawingView();
        a = addLine(0, 0, 100, 0);
        b = addLine(0, 20, 100, 20);
        acdbRegApp(L"KZ_TEST", db());
        AcDbEntity* ent = nullptr;
        acdbOpenObject(ent, b, AcDb::kForWrite);
        resbuf* xd = acutBuildList(1001, L"KZ_TEST", 1000, L"x", 0);
        ent->setXData(xd);
        acutRelRb(xd);
        ent->close();
        c = add(new AcDbCircle(AcGePoint3d(50, 60, 0), AcGeVector3d::kZAxis, 10));
    }
    std::wstring h(AcDbObjectId id) { return hex(id); }
    AcDbObjectId a, b, c;
};

resbuf* typeFilter(const wchar_t* type) {
    resbuf* rb = acutNewRb(0);
    rb->resval.rstring = acutNewString(type);
    return rb;
}

TEST_F(SelectionTest, PicksTakeTheTopmostObjectWithinThePickBox) {
    AcDbObjectId over = addLine(50, -5, 50, 5); // drawn after a, crossing it
    script(L"50,0.5\n20,1.5\n20,1\n\n");
    // 1.5 units off a is outside the box of 1.11 units: a window starts at 20,1.5 and
    // ends at 20,1 (nothing inside, since it has no width).
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), h(over));
    EXPECT_NE(transcript().find(L"Specify opposite corner: 20,1\n0 found"), std::wstring::npos);
}

TEST_F(SelectionTest, WindowCrossingImpliedWindowsAllLastPreviousAndRemove) {
    script(L"W\n-1,-1\n101,21\nC\n40,55\n45,65\n\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), h(a) + L" " + h(b) + L" " + h(c));

    // Right to left from an empty spot is a crossing; then remove the previous set
    // from ALL and add the last object again.
    script(L"60,25\n-10,10\n\nALL\nR\nP\nA\nL\n\n");
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), h(b));
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), h(a) + L" " + h(c));
    EXPECT_NE(transcript().find(L"Remove objects: P\n1 found, 1 removed, 2 total"),
              std::wstring::npos);
    EXPECT_NE(transcript().find(L"1 found (1 duplicate), 2 total"), std::wstring::npos);
}

TEST_F(SelectionTest, HandlesFiltersAndNothingSelected) {
    resbuf* filter = acutBuildList(-3, 1001, L"KZ_*", 0);
    script(L"#" + h(a) + L"\n#" + h(b) + L"\n#FFFF\n\n\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, filter, ss), RTNORM);
    EXPECT_EQ(members(ss), h(b));
    EXPECT_NE(transcript().find(L"1 found\n1 was filtered out.\n"), std::wstring::npos);
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, filter, ss), RTERROR); // Enter at once
    acutRelRb(filter);

    resbuf* unusable = acutBuildList(10, std::array<double, 3>{0, 0, 0}.data(), 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, unusable, ss), RTERROR);
    acutRelRb(unusable);
    EXPECT_EQ(acedSSGet(L"_:Q", nullptr, nullptr, nullptr, ss), RTERROR);
}

TEST_F(SelectionTest, SingleSelectionWithPromptsAndTypeFilter) {
    resbuf* filter = typeFilter(L"CIRCLE,ARC");
    const ACHAR* prompts[2] = {L"\nPick: ", L""};
    script(L"50,0\n60,60\n0,20\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_:$:S", prompts, nullptr, filter, ss), RTNORM);
    EXPECT_EQ(members(ss), h(c));
    EXPECT_EQ(transcript(), L"\nPick: 50,0\n1 found\n1 was filtered out.\nPick: 60,60\n1 found\n");
    acutRelRb(filter);
}

TEST_F(SelectionTest, KeywordsGoToTheCallbackWhichMayAddObjects) {
    static std::vector<std::wstring> seen;
    static AcDbObjectId toAdd;
    seen.clear();
    toAdd = c;
    acedSSSetKwordCallbackPtr([](const ACHAR* kw) -> resbuf* {
        seen.push_back(kw);
        resbuf* rb = acutNewRb(RTENAME);
        acdbGetAdsName(rb->resval.rlname, toAdd);
        return rb;
    });
    const ACHAR* prompts[2] = {L"\nSelect or [Points(OP)]:", L""};
    script(L"op\n_Point\nOpen\n\n");
    ads_name ss;
    int status = acedSSGet(L"_:$:K", prompts, L"Op _ Point", nullptr, ss);
    acedSSSetKwordCallbackPtr(nullptr);
    ASSERT_EQ(status, RTCAN); // "Open" is neither a keyword nor a selection
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Point", L"Point"}));
    EXPECT_NE(transcript().find(L"Expects a point or Window/Last/Crossing/ALL/Previous/Add/"
                                L"Remove/Op"),
              std::wstring::npos);
}

TEST_F(SelectionTest, SetsAreBuiltFreedAndCheckedByName) {
    ads_name e1, e2, set, bogus = {12345, 0};
    acdbGetAdsName(e1, a);
    acdbGetAdsName(e2, b);
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
    Adesk::Int32 n = -1;
    ASSERT_EQ(spedSSLength(set, &n), RTNORM);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(acedSSAdd(e1, set, set), RTNORM);
    EXPECT_EQ(acedSSAdd(e2, set, set), RTNORM);
    EXPECT_EQ(acedSSAdd(e1, set, set), RTNORM); // once only
    EXPECT_EQ(acedSSMemb(e2, set), RTNORM);
    EXPECT_EQ(acedSSDel(e2, set), RTNORM);
    EXPECT_EQ(acedSSMemb(e2, set), RTERROR);
    ads_name out;
    EXPECT_EQ(acedSSName(set, 1, out), RTERROR);
    EXPECT_EQ(acedSSAdd(bogus, set, set), RTERROR);
    EXPECT_EQ(members(set), h(a));
    EXPECT_EQ(acedSSFree(set), RTERROR); // freed by members()
    long len = 0;
    EXPECT_EQ(acedSSLength(set, &len), RTERROR);
    EXPECT_EQ(kz::ed::SelectionSets::get().liveCount(), 0u);
}

void impliedCommand() {
    ads_name ss;
    int status = acedSSGet(L"I", nullptr, nullptr, nullptr, ss);
    acutPrintf(L"[I %d %s]", status, status == RTNORM ? members(ss).c_str() : L"");
}

TEST_F(SelectionTest, ThePickFirstSetGoesToTheNextCommandThatUsesIt) {
    acedRegCmds->addCommand(L"TESTG", L"TUSES", nullptr, ACRX_CMD_USEPICKSET, impliedCommand);
    acedRegCmds->addCommand(L"TESTG", L"TPLAIN", nullptr, ACRX_CMD_MODAL, impliedCommand);
    ads_name set, e;
    acedSSAdd(nullptr, nullptr, set);
    acdbGetAdsName(e, c);
    acedSSAdd(e, set, set);
    acdbGetAdsName(e, a);
    acedSSAdd(e, set, set);
    ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
    acedSSFree(set);
    // Given to TUSES, then gone; selected again at the command prompt, then cleared by
    // a command that does not use it.
    script(L"TUSES\nTUSES\n#" + h(b) + L"\n0,0\nTUSES\n#" + h(b) + L"\nTPLAIN\nTUSES\n");
    kz::ed::runCommandLoop();
    std::wstring results;
    for (std::size_t at = transcript().find(L"[I "); at != std::wstring::npos;
         at = transcript().find(L"[I ", at + 1))
        results += transcript().substr(at, transcript().find(L']', at) - at + 1);
    const std::wstring ok = std::to_wstring(RTNORM), error = std::to_wstring(RTERROR);
    EXPECT_EQ(results, L"[I " + ok + L" " + h(c) + L" " + h(a) + L"][I " + error + L" ][I " + ok +
                           L" " + h(b) + L" " + h(a) + L"][I " + error + L" ][I " + error + L" ]");
    acedRegCmds->removeGroup(L"TESTG");
}

// A new block of the drawing holding a line from (0,0) to (10,0); the record is left
// open for write, for more entities.
AcDbBlockTableRecord* blockWithALine(AcDbDatabase* db, const wchar_t* name, AcDbObjectId& blockId,
                                     AcDbObjectId& line) {
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    table->add(blockId, block);
    table->close();
    auto* blockLine = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    block->appendAcDbEntity(line, blockLine);
    blockLine->close();
    return block;
}

TEST_F(SelectionTest, NestedPicksDescendIntoBlockReferences) {
    AcDbObjectId blockId, inner;
    blockWithALine(db(), L"B1", blockId, inner)->close();
    auto* ref = new AcDbBlockReference(AcGePoint3d(200, 100, 0), blockId);
    ref->setRotation(M_PI / 2);
    ref->setScaleFactors(AcGeScale3d(3.0));
    AcDbObjectId refId = add(ref);

    script(L"200,115\n");
    ads_name ent;
    ads_point pt;
    ads_matrix xform;
    resbuf* refs = nullptr;
    ASSERT_EQ(acedNEntSelP(nullptr, ent, pt, 0, xform, &refs), RTNORM);
    AcDbObjectId picked;
    acdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, inner);
    EXPECT_NEAR(xform[0][3], 200, 1e-9);
    EXPECT_NEAR(xform[1][3], 100, 1e-9);
    EXPECT_NEAR(xform[1][0], 3, 1e-9); // block x axis along world y, scaled 3
    ASSERT_NE(refs, nullptr);
    AcDbObjectId container;
    acdbGetObjectId(container, refs->resval.rlname);
    EXPECT_EQ(container, refId);
    EXPECT_EQ(refs->rbnext, nullptr);
    acutRelRb(refs);

    // With pickflag the point is given; a miss is RTERROR; acedEntSel gives the
    // reference itself.
    pt[0] = 0;
    pt[1] = 0;
    ASSERT_EQ(acedNEntSelP(nullptr, ent, pt, 1, xform, &refs), RTNORM);
    acdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, a);
    EXPECT_EQ(refs, nullptr);
    pt[0] = 500;
    EXPECT_EQ(acedNEntSelP(nullptr, ent, pt, 1, xform, &refs), RTERROR);
    script(L"200,115\n");
    ASSERT_EQ(acedEntSel(nullptr, ent, pt), RTNORM);
    acdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, refId);
}

// A damaged drawing's block that holds references to itself: picks and crossing
// selections walk it once, not once per path through its ten references (10^16).
TEST_F(SelectionTest, ABlockHoldingItselfIsWalkedOnce) {
    AcDbObjectId blockId, line;
    AcDbBlockTableRecord* block = blockWithALine(db(), L"LOOP", blockId, line);
    for (int i = 0; i < 10; ++i) {
        auto* self = new AcDbBlockReference(AcGePoint3d(0, 1 + i, 0), blockId);
        block->appendAcDbEntity(self);
        self->close();
    }
    block->close();
    AcDbObjectId refId = add(new AcDbBlockReference(AcGePoint3d(300, 100, 0), blockId));

    ads_name ent;
    ads_point pt = {305, 100, 0};
    ads_matrix xform;
    resbuf* refs = nullptr;
    ASSERT_EQ(acedNEntSelP(nullptr, ent, pt, 1, xform, &refs), RTNORM);
    AcDbObjectId picked;
    acdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, line);
    acutRelRb(refs);
    pt[1] = 105; // where only the references inside would be
    EXPECT_EQ(acedNEntSelP(nullptr, ent, pt, 1, xform, &refs), RTERROR);

    // Crossings that only the inner references would touch, and one over the line.
    script(L"C\n304,104\n306,106\n\n");
    ads_name ss;
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTERROR);
    script(L"C\n304,99\n306,101\n\n");
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), h(refId));
}

TEST_F(SelectionTest, TheViewMapsWorldPointsToPixels) {
    kz::ed::DrawingView& v = kz::ed::drawingView();
    v.zoomExtents(AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(1000, 100, 0)));
    ads_point world = {0, 50, 0};
    POINT px;
    ASSERT_TRUE(acedCoordFromWorldToPixel(acedGetWinNum(v.screenLeft, v.screenTop), world, px));
    EXPECT_EQ(px.y, v.height / 2);
    EXPECT_NEAR(px.x, v.width * 0.05 / 1.1, 1.0); // 5% margin on each side of the width
    ads_point back;
    acedCoordFromPixelToWorld(2, px, back);
    EXPECT_NEAR(back[0], 0, v.unitsPerPixel());
    EXPECT_EQ(acedGetWinNum(v.screenLeft - 1, v.screenTop + 10), 0);
    EXPECT_EQ(acedGetWinNum(v.screenLeft + v.width, v.screenTop), 0);
    EXPECT_FALSE(acedCoordFromWorldToPixel(0, world, px));

    // A point given at a prompt moves the cursor there, in screen pixels.
    script(L"0,50\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"P: ", p), RTNORM);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, px.x + v.screenLeft);
    EXPECT_EQ(cursor.y, px.y + v.screenTop);
}

TEST_F(EditorTest, TheHostWindowsAreRealWindows) {
    HWND view = adsw_acadDocWnd();
    ASSERT_TRUE(IsWindow(view));
    EXPECT_EQ(GetParent(view), adsw_acadMainWnd());
    ASSERT_NE(acedGetAcadDwgView(), nullptr);
    EXPECT_EQ(acedGetAcadDwgView()->GetSafeHwnd(), view);
    RECT client;
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, kz::ed::drawingView().width);
    EXPECT_EQ(client.bottom, kz::ed::drawingView().height);
}

TEST_F(EditorTest, ResourceHandlesNestAndRestore) {
    HINSTANCE before = AfxGetResourceHandle();
    HINSTANCE a = reinterpret_cast<HINSTANCE>(0x1000), b = reinterpret_cast<HINSTANCE>(0x2000);
    acDocManager->pushResourceHandle(a);
    acDocManager->pushResourceHandle(b);
    EXPECT_EQ(AfxGetResourceHandle(), b);
    EXPECT_EQ(acDocManager->popResourceHandle(), Acad::eOk);
    EXPECT_EQ(AfxGetResourceHandle(), a);
    EXPECT_EQ(acDocManager->popResourceHandle(), Acad::eOk);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(acDocManager->popResourceHandle(), Acad::eNotApplicable);
}

} // namespace
