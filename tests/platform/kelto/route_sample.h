// A small route for the KZ_REJOB1 tests: pipe A (0,0)-(10,0), elbow E (10,0)-(12,2),
// pipe B (12,2)-(12,10) and cap C at (12,10), all in group "ROUTE1".
#pragma once

#include "../dezeza/route_fixture.h"

class RouteSampleTest : public RouteTest {
protected:
    void SetUp() override {
        RouteTest::SetUp();
        buildRoute();
    }
    void buildRoute() {
        pipe10 = defineStraight(L"PIPE10", 10, L"RT01", 1);
        pipe8 = defineStraight(L"PIPE8", 8, L"RT01", 1);
        AcDbObjectId elbow = defineElement(L"ELBOW", {{0, 0, 0}, {2, 2, 0}}, {}, {L"RBL01", L"2", L"1"});
        AcDbObjectId cap = defineElement(L"CAP", {{0, 0, 0}}, {}, {L"KK01", L"0", L"1"});
        a = insert(pipe10, {{0, 0, 0}}, L"1|||01||0|", {{L"S016", L"MARU"}});
        e = insert(elbow, {{10, 0, 0}});
        b = insert(pipe8, {{12, 2, 0}, 90});
        c = insert(cap, {{12, 10, 0}});
        group = makeGroup(L"ROUTE1", {a, e, b, c});
    }
    std::vector<AcDbObjectId> groupMembers() {
        AcDbGroup* g = nullptr;
        EXPECT_EQ(acdbOpenObject(g, group, AcDb::kForRead), Acad::eOk);
        AcDbObjectIdArray ids;
        g->allEntityIds(ids);
        g->close();
        return std::vector<AcDbObjectId>(ids.begin(), ids.end());
    }
    AcDbObjectId pipe10, pipe8, a, e, b, c, group;
};
