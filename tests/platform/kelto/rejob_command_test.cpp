// KZ_REJOB1 as the route length edit runs it: Kelto.arx loaded by the host, the
// parameters handed over, the command and the displacement queued on the command line.
#include "../acad/ed/ed_fixture.h"
#include "../dezeza/route_fixture.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "Kelto.h"
#include "aced.h"
#include "ed/command_loop.h"
#include "rxregsvc.h"
#include "win_codepage.h"

namespace {

class RejobCommandTest : public RouteFixture<EditorTest> {
protected:
    void SetUp() override {
        RouteFixture<EditorTest>::SetUp();
        std::wstring path = kz::utf8ToWide(KZ_BIN_DIR) + L"/Kelto.arx";
        ASSERT_TRUE(acrxDynamicLinker->loadModule(path.c_str(), false));
        // Pipe A (0,0)-(10,0) and a cap at its end, in one group.
        a = insert(defineStraight(L"PIPE10", 10, L"RT01"), {{0, 0, 0}});
        cap = insert(defineElement(L"CAP", {{0, 0, 0}}, {}, {L"KK01"}), {{10, 0, 0}});
        makeGroup(L"ROUTE1", {a, cap});
    }
    // The cap stands at (x, 0) and the pipe that replaced A runs from the origin to it.
    void expectEnd(double x) {
        EXPECT_EQ(RuleComn_getInsertPos(cap), AcGePoint3d(x, 0, 0));
        AcDbObjectIdArray joined;
        ASSERT_EQ(RuleComn_getGroupRootIDs(cap, joined, 0, 0), 1);
        AcGePoint3d r0, r1;
        ASSERT_EQ(RuleComn_rootPoint(joined[0], r0, r1, false), 0);
        EXPECT_LT(r0.distanceTo(AcGePoint3d(0, 0, 0)), 1e-9);
        EXPECT_LT(r1.distanceTo(AcGePoint3d(x, 0, 0)), 1e-9);
    }
    AcDbObjectId a, cap;
};

TEST_F(RejobCommandTest, QueuedCommandAndDisplacementStretchTheRoute) {
    // Without parameters the command refuses; a refused displacement is asked again.
    KZAddinAutoCommParam(1, cap, nullptr);
    script(L"KZ_REJOB1\nsideways\n*CANCEL*\nKZ_REJOB1\n");
    kz::ed::runCommandLoop();
    EXPECT_NE(transcript().find(L"Requires @dx,dy or x,y."), std::wstring::npos);
    EXPECT_NE(transcript().find(L"no base element was given"), std::wstring::npos);
    EXPECT_FALSE(a.isErased());

    // What the route length edit does: the parameters, then two queued texts.
    auto param = reinterpret_cast<KZAddinAutoCommParamFn>(
        ApiComn_GetProcAdrs(GetModuleHandleW(L"Kelto.arx"), L"KZAddinAutoCommParam"));
    ASSERT_NE(param, nullptr);
    AcGePoint3d insertion(10, 0, 0);
    ASSERT_EQ(param(1, cap, &insertion), 0);
    ASSERT_EQ(ApiComn_sendCommand(L"KZ_REJOB1", 0, 0, 1), 0);
    ASSERT_EQ(ApiComn_sendCommand(L"@2.500000,0.000000", 0, 1, 0), 0);
    script(L"");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_TRUE(a.isErased());
    expectEnd(12.5);
    EXPECT_NE(transcript().find(L"KZ_REJOB1: 1 element(s) moved;"), std::wstring::npos);

    // "x,y" is the base element's new insertion point.
    insertion.set(12.5, 0, 0);
    param(1, cap, &insertion);
    script(L"KZ_REJOB1\n7,0\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    expectEnd(7);
}

} // namespace
