// Which elements connect (connection points within 0.5) and route groups.
#include "route_fixture.h"

namespace {

class ConnectionsTest : public RouteTest {
protected:
    void SetUp() override {
        RouteTest::SetUp();
        pipe = defineStraight(L"PIPE10", 10, L"RT01", 3);
        // a: (0,0)-(10,0); b starts 0.4 after a's end (connected); c starts 0.6 after
        // b's end (not connected); d is of route kind 5.
        a = insert(pipe, {{0, 0, 0}});
        b = insert(pipe, {{10.4, 0, 0}});
        c = insert(pipe, {{21, 0, 0}});
        AcDbObjectId otherKind = defineStraight(L"DUCT", 10, L"RT02", 5);
        d = insert(otherKind, {{20.4 + 0.3, 0, 0}, 90});
    }
    AcDbObjectId pipe, a, b, c, d;
};

TEST_F(ConnectionsTest, ConnectionPointsWithinHalfAUnitConnect) {
    AcDbObjectIdArray found;
    EXPECT_EQ(RootComn_GetConnectBlock4({a, b, c}, b, found, 0, 0), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{a});

    // Exactly 0.5 apart still connects; just beyond it does not.
    AcDbObjectId edge = insert(pipe, {{-10.5, 0, 0}});
    AcDbObjectId beyond = insert(pipe, {{0, 10.5000001, 0}, 270});
    found.setLogicalLength(0);
    EXPECT_EQ(RootComn_GetConnectBlock4({edge, beyond}, a, found, 0, 0), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{edge});
}

TEST_F(ConnectionsTest, TheElementItselfDuplicatesAndNonElementsAreNeverReported) {
    AcDbObjectId line = addToModelSpace(new AcDbLine({10, 0, 0}, {10, 5, 0}));
    AcDbObjectIdArray found;
    found.append(c); // results are appended
    int n = RootComn_GetConnectBlock4({b, b, AcDbObjectId(), line, a, c}, a, found, 0, 0);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(ids(found), (std::vector<AcDbObjectId>{c, b}));
    // a reports nothing for itself alone.
    found.setLogicalLength(0);
    EXPECT_EQ(RootComn_GetConnectBlock4({a}, a, found, 0, 0), 0);
}

TEST_F(ConnectionsTest, ModeOneStopsAtTheFirstAndRouteKindFilters) {
    AcDbObjectIdArray found;
    // b touches a (start) and d (the duct stands on b's end at 20.7, 0.3 away).
    EXPECT_EQ(RootComn_GetConnectBlock4({d, a, c}, b, found, 0, 0), 2);
    EXPECT_EQ(ids(found), (std::vector<AcDbObjectId>{d, a}));
    found.setLogicalLength(0);
    EXPECT_EQ(RootComn_GetConnectBlock4({d, a, c}, b, found, 1, 0), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{d});
    found.setLogicalLength(0);
    EXPECT_EQ(RootComn_GetConnectBlock4({d, a, c}, b, found, 0, 3), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{a});
    // An element without a route kind (0) passes every filter.
    AcDbObjectId plain = defineElement(L"CAP", {{0, 0, 0}}, {}, {L"KK"});
    AcDbObjectId cap = insert(plain, {{0, 0, 0}});
    found.setLogicalLength(0);
    EXPECT_EQ(RootComn_GetConnectBlock4({cap}, a, found, 0, 5), 1);
}

TEST_F(ConnectionsTest, RouteGroupsHoldTheRouteAndAnswerNeighbourQueries) {
    AcDbObjectId group = makeGroup(L"ROUTE1", {a, b, c});
    makeGroup(L"ROUTE2", {d});
    EXPECT_EQ(RuleComn_getGroupID(b, 0), group);
    EXPECT_NE(RuleComn_getGroupID(d, 0), group);

    // Neighbours at a point: members other than the element with a connection point
    // within 0.5 of it; d (another group) is left out although it touches b's end.
    AcDbObjectIdArray found;
    EXPECT_EQ(RuleComn_getGroupRootIDs(AcGePoint3d(10.2, 0, 0), b, found, 0, 0), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{a});
    found.setLogicalLength(0);
    EXPECT_EQ(RuleComn_getGroupRootIDs(AcGePoint3d(20.4, 0, 0), b, found, 0, 0), 0);

    // Neighbours of an element: members connected to it.
    found.setLogicalLength(0);
    EXPECT_EQ(RuleComn_getGroupRootIDs(a, found, 0, 0), 1);
    EXPECT_EQ(ids(found), std::vector<AcDbObjectId>{b});

    // Adding to a group by id appends once.
    AcDbObjectId e = insert(pipe, {{-10, 0, 0}});
    EXPECT_EQ(RootComn_AddGroupMember(group, e, L""), 0);
    EXPECT_EQ(RootComn_AddGroupMember(group, e, L""), 0);
    AcDbGroup* g = nullptr;
    ASSERT_EQ(acdbOpenObject(g, group, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(g->numEntities(), 4u);
    g->close();
    EXPECT_NE(RootComn_AddGroupMember(AcDbObjectId(), e, L""), 0); // no group, no name
}

TEST_F(ConnectionsTest, AnElementInNoGroupTakesTheRouteElementsOfItsSpace) {
    EXPECT_TRUE(RuleComn_getGroupID(b, 0).isNull());
    AcDbObjectId unlinked = insert(pipe, {{10.4, 0, 0}, 180}, nullptr); // no KZ_LINK
    AcDbObjectIdArray found;
    EXPECT_EQ(RuleComn_getGroupRootIDs(b, found, 0, 0), 2);
    EXPECT_EQ(ids(found), (std::vector<AcDbObjectId>{a, d}));
    (void)unlinked;
}

TEST_F(ConnectionsTest, ErasedMembersLeaveTheRoute) {
    makeGroup(L"ROUTE1", {a, b, c});
    EXPECT_EQ(RuleComn_eraseAll(a), 1);
    EXPECT_EQ(RuleComn_eraseAll(a), 0); // already erased
    AcDbObjectIdArray found;
    EXPECT_EQ(RuleComn_getGroupRootIDs(b, found, 0, 0), 0);
}

} // namespace
