// KZ_REJOB1 as the route length edit runs it: Kelto.arx loaded by the host, the
// parameters handed over, the command and the displacement queued on the command line.
#include "../acad/ed/ed_fixture.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "Kelto.h"
#include "aced.h"
#include "ed/command_loop.h"
#include "rxregsvc.h"
#include "win_codepage.h"

#include <string>

namespace {

class RejobCommandTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::wstring path = kz::utf8ToWide(KZ_BIN_DIR) + L"/Kelto.arx";
        ASSERT_TRUE(acrxDynamicLinker->loadModule(path.c_str(), false));
        kelto = GetModuleHandleW(L"Kelto.arx");
        ASSERT_NE(kelto, nullptr);
        // Pipe A (0,0)-(10,0) and a cap at its end, in one group.
        pipe = block(L"PIPE10", {{0, 0, 0}, {10, 0, 0}}, L"RT01");
        AcDbObjectId capBlock = block(L"CAP", {{0, 0, 0}}, L"KK01");
        a = reference(pipe, {0, 0, 0});
        cap = reference(capBlock, {10, 0, 0});
        RootComn_AddGroupMember(AcDbObjectId(), a, L"ROUTE1");
        RootComn_AddGroupMember(AcDbObjectId(), cap, L"ROUTE1");
    }

    AcDbObjectId block(const wchar_t* name, std::initializer_list<AcGePoint3d> connections,
                       const wchar_t* identifier) {
        AcDbBlockTable* bt = nullptr;
        acdbOpenObject(bt, db()->blockTableId(), AcDb::kForWrite);
        auto* btr = new AcDbBlockTableRecord();
        btr->setName(name);
        AcDbObjectId id;
        bt->add(id, btr);
        bt->close();
        for (const AcGePoint3d& p : connections) {
            auto* point = new AcDbPoint(p);
            ApiComn_SetLayer(point, KZCONECT_LAYER);
            btr->appendAcDbEntity(point);
            point->close();
        }
        btr->close();
        CStringArray record;
        record.Add(identifier);
        ApiComn_appendAttributesArray(id, KZ_ELEMENT_APPNAME, &record, true);
        return id;
    }
    AcDbObjectId reference(AcDbObjectId btr, AcGePoint3d at) {
        AcDbObjectId id = add(new AcDbBlockReference(at, btr));
        CStringArray link;
        link.Add(L"1|||01||0|");
        ApiComn_appendAttributesArray(id, KZ_LINK_APPNAME, &link, true);
        return id;
    }
    // The cap stands at (x, 0) and the pipe that replaced A runs from the origin to it.
    void expectEnd(double x) {
        EXPECT_EQ(RuleComn_getInsertPos(cap), AcGePoint3d(x, 0, 0));
        AcDbObjectIdArray joined;
        ASSERT_EQ(RuleComn_getGroupRootIDs(cap, joined, 0, 0), 1);
        EXPECT_NE(joined[0], a);
        AcGePoint3d r0, r1;
        ASSERT_EQ(RuleComn_rootPoint(joined[0], r0, r1, false), 0);
        EXPECT_NEAR(r0.distanceTo(AcGePoint3d(0, 0, 0)), 0, 1e-9);
        EXPECT_NEAR(r1.distanceTo(AcGePoint3d(x, 0, 0)), 0, 1e-9);
    }

    HMODULE kelto = nullptr;
    AcDbObjectId pipe, a, cap;
};

TEST_F(RejobCommandTest, TheServicesAreExportedByName) {
    for (const wchar_t* name : {L"KZAddinGetIniFile", L"KZAddinGetFont", L"KZAddinGetLinkRootEX",
                                L"KZAddinAutoCommParam", L"acrxEntryPoint"})
        EXPECT_NE(ApiComn_GetProcAdrs(kelto, name), nullptr) << std::string(name, name + 4);
    EXPECT_EQ(ApiComn_GetProcAdrs(kelto, L"KZAddinNoSuchService"), nullptr);
}

TEST_F(RejobCommandTest, QueuedCommandAndDisplacementStretchTheRoute) {
    AcGePoint3d insertion(10, 0, 0);
    ASSERT_EQ(KZAddinAutoCommParam(1, cap, &insertion), 0);
    ASSERT_EQ(ApiComn_sendCommand(L"KZ_REJOB1", 0, 0, 1), 0);
    ASSERT_EQ(ApiComn_sendCommand(L"@2.500000,0.000000", 0, 1, 0), 0);
    script(L"");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_TRUE(a.isErased());
    expectEnd(12.5);
    EXPECT_NE(transcript().find(L"KZ_REJOB1: 1 element(s) moved;"), std::wstring::npos)
        << std::string(transcript().begin(), transcript().end());
}

TEST_F(RejobCommandTest, AnAbsolutePointIsTheBaseElementsNewInsertionPoint) {
    AcGePoint3d insertion(10, 0, 0);
    KZAddinAutoCommParam(1, cap, &insertion);
    script(L"KZ_REJOB1\n7,0\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    expectEnd(7);
}

TEST_F(RejobCommandTest, WithoutParametersOrDisplacementNothingChanges) {
    script(L"KZ_REJOB1\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_NE(transcript().find(L"no base element was given"), std::wstring::npos);
    KZAddinAutoCommParam(1, cap, nullptr);
    script(L"KZ_REJOB1\nsideways\n*CANCEL*\n");
    kz::ed::runCommandLoop();
    EXPECT_NE(transcript().find(L"Requires @dx,dy or x,y."), std::wstring::npos);
    EXPECT_FALSE(a.isErased());
    // The parameters served that run: the next one has none.
    script(L"KZ_REJOB1\n@1,0\n");
    kz::ed::runCommandLoop();
    EXPECT_FALSE(a.isErased());
}

} // namespace
