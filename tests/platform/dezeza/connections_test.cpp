// Which elements connect (connection points within 0.5) and route groups.
#include "route_fixture.h"

namespace {

class ConnectionsTest : public RouteTest {
protected:
    void SetUp() override {
        RouteTest::SetUp();
        pipe = defineStraight(L"PIPE10", 10, L"RT01", 3);
        // b starts 0.4 after a's end; c starts 0.6 after b's end; duct d (route kind 5)
        // stands 0.3 after b's end.
        a = insert(pipe, {{0, 0, 0}});
        b = insert(pipe, {{10.4, 0, 0}});
        c = insert(pipe, {{21, 0, 0}});
        d = insert(defineStraight(L"DUCT", 10, L"RT02", 5), {{20.7, 0, 0}, 90});
    }
    AcDbObjectIdArray connected(std::vector<AcDbObjectId> candidates, AcDbObjectId element,
                                int mode = 0, int kind = 0) {
        AcDbObjectIdArray list, out;
        for (AcDbObjectId id : candidates)
            list.append(id);
        int n = RootComn_GetConnectBlock4(list, element, out, mode, kind);
        EXPECT_EQ(n, out.length());
        return out;
    }
    AcDbObjectId pipe, a, b, c, d;
};

TEST_F(ConnectionsTest, ConnectionPointsWithinHalfAUnitConnect) {
    EXPECT_EQ(ids(connected({a, b, c, d}, b)), (std::vector<AcDbObjectId>{a, d}));
    AcDbObjectId edge = insert(pipe, {{-10.5, 0, 0}});             // exactly 0.5 away
    AcDbObjectId beyond = insert(pipe, {{0, 10.5000001, 0}, 270}); // just beyond
    EXPECT_EQ(ids(connected({edge, beyond}, a)), std::vector<AcDbObjectId>{edge});
}

TEST_F(ConnectionsTest, SelfDuplicatesNullsAndNonElementsAreNeverReported) {
    AcDbObjectId line = addToModelSpace(new AcDbLine({10, 0, 0}, {10, 5, 0}));
    EXPECT_EQ(ids(connected({b, b, AcDbObjectId(), line, a}, a)), std::vector<AcDbObjectId>{b});
    EXPECT_EQ(connected({a}, a).length(), 0);
    RuleComn_eraseAll(b);
    EXPECT_EQ(connected({b}, a).length(), 0);
}

TEST_F(ConnectionsTest, ModeOneStopsAtTheFirstAndRouteKindsFilter) {
    EXPECT_EQ(ids(connected({d, a, c}, b, 1)), std::vector<AcDbObjectId>{d});
    EXPECT_EQ(ids(connected({d, a, c}, b, 0, 3)), std::vector<AcDbObjectId>{a});
    // An element without a route kind passes every filter.
    AcDbObjectId cap = insert(defineElement(L"CAP", {{0, 0, 0}}, {}, {L"KK"}), {{0, 0, 0}});
    EXPECT_EQ(connected({cap}, a, 0, 5).length(), 1);
}

TEST_F(ConnectionsTest, RouteGroupsBoundTheNeighbourQueries) {
    AcDbObjectId group = makeGroup(L"ROUTE1", {a, b, c});
    makeGroup(L"ROUTE2", {d});
    EXPECT_EQ(RuleComn_getGroupID(c, 0), group);
    AcDbObjectIdArray found;
    // d touches b's end but is in another group.
    EXPECT_EQ(RuleComn_getGroupRootIDs(AcGePoint3d(10.2, 0, 0), b, found, 0, 0), 1);
    EXPECT_EQ(RuleComn_getGroupRootIDs(AcGePoint3d(20.4, 0, 0), b, found, 0, 0), 0);
    EXPECT_EQ(RuleComn_getGroupRootIDs(a, found, 0, 0), 1);
    EXPECT_EQ(ids(found), (std::vector<AcDbObjectId>{a, b}));
    // Members are added once; without a group and a name nothing is added.
    EXPECT_EQ(RootComn_AddGroupMember(group, a, L""), 0);
    AcDbObjectIdArray members;
    EXPECT_EQ(RuleComn_getRouteMembers(a, members), 3);
    EXPECT_NE(RootComn_AddGroupMember(AcDbObjectId(), a, L""), 0);
}

TEST_F(ConnectionsTest, AnElementInNoGroupTakesTheRouteElementsOfItsSpace) {
    insert(pipe, {{10.4, 0, 0}, 180}, nullptr); // touches b but carries no KZ_LINK
    AcDbObjectIdArray found;
    EXPECT_EQ(RuleComn_getGroupRootIDs(b, found, 0, 0), 2);
    EXPECT_EQ(ids(found), (std::vector<AcDbObjectId>{a, d}));
}

} // namespace
