// The re-layout of KZ_REJOB1 and the product's services. The route: pipe A
// (0,0)-(10,0), elbow E (10,0)-(12,2), pipe B (12,2)-(12,10), cap C at (12,10), all in
// group "ROUTE1".
#include "../dezeza/route_fixture.h"

#include "Kelto.h"
#include "KeltoHost.h"

namespace {

using kz::kelto::applyRejob;
using kz::kelto::planRejob;

class Witness : public CReplaceReactor {
public:
    void terminated(AcDbObjectId old, AcDbObjectIdArray added) override {
        calls.push_back({old});
        calls.back().insert(calls.back().end(), added.begin(), added.end());
    }
    std::vector<std::vector<AcDbObjectId>> calls;
};

class RejobTest : public RouteTest {
protected:
    void SetUp() override {
        RouteTest::SetUp();
        pipe10 = defineStraight(L"PIPE10", 10, L"RT01", 1);
        AcDbObjectId elbow = defineElement(L"ELBOW", {{0, 0, 0}, {2, 2, 0}}, {}, {L"RBL01"});
        cap = defineElement(L"CAP", {{0, 0, 0}}, {}, {L"KK01"});
        a = insert(pipe10, {{0, 0, 0}}, L"1|||01||0|", {{L"S016", L"MARU"}});
        e = insert(elbow, {{10, 0, 0}});
        b = insert(defineStraight(L"PIPE8", 8, L"RT01", 1), {{12, 2, 0}, 90});
        c = insert(cap, {{12, 10, 0}});
        group = makeGroup(L"ROUTE1", {a, e, b, c});
        RuleComn_addReplaceReactor(&witness);
    }
    void TearDown() override {
        RuleComn_removeReplaceReactor(&witness);
        RouteTest::TearDown();
    }
    AcDbObjectId run(AcDbObjectId base, AcGeVector3d d) {
        std::wstring why;
        auto plan = planRejob(base, d, why);
        AcDbObjectId copy;
        EXPECT_TRUE(plan && applyRejob(*plan, d, copy) == Acad::eOk);
        return copy;
    }
    Witness witness;
    AcDbObjectId pipe10, cap, a, e, b, c, group;
};

TEST_F(RejobTest, TheFarSideMovesAndTheSegmentAlongTheDisplacementStretches) {
    std::wstring why;
    auto plan = planRejob(b, AcGeVector3d(5, 0, 0), why);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->segment, a);
    EXPECT_EQ(plan->moved, (std::vector<AcDbObjectId>{b, e, c}));
    AcDbObjectId copy;
    ASSERT_EQ(applyRejob(*plan, AcGeVector3d(5, 0, 0), copy), Acad::eOk);
    EXPECT_NE(copy.handle(), a.handle());
    expectPoint(points(copy, KZCONECT_LAYER)[0], {0, 0, 0});
    expectPoint(points(copy, KZCONECT_LAYER)[1], {15, 0, 0});
    expectPoint(points(copy, KZLENGTH_LAYER)[1], {15, 0, 0});
    expectPoint(points(b, KZCONECT_LAYER)[1], {17, 10, 0});
    expectPoint(RuleComn_getInsertPos(c), {17, 10, 0});
    // The copy takes A's place in the group and keeps A's data; A is erased; the
    // reactors are told.
    AcDbObjectIdArray members;
    RuleComn_getRouteMembers(e, members);
    EXPECT_EQ(ids(members), (std::vector<AcDbObjectId>{copy, e, b, c}));
    EXPECT_TRUE(a.isErased());
    EXPECT_EQ(witness.calls, (std::vector<std::vector<AcDbObjectId>>{{a, copy}}));
    EXPECT_EQ(CAttributeData().GetValueAttID(copy, L"S016"), CString(L"MARU"));
    EXPECT_EQ(ApiComn_extractAttributesArrayID(copy, KZ_LINK_APPNAME, nullptr, 0), 0);
}

TEST_F(RejobTest, AnErasedTemporaryBaseMovesTheNearEndOfTheSegment) {
    AcDbObjectId temp = insert(defineElement(L"*U", {{0, 0, 0}}, {}, {L"KK"}), {{0, 0, 0}});
    RootComn_AddGroupMember(group, temp, L"");
    RuleComn_eraseAll(temp);
    AcDbObjectId copy = run(temp, AcGeVector3d(-2, 0, 0));
    expectPoint(points(copy, KZCONECT_LAYER)[0], {-2, 0, 0});
    expectPoint(points(copy, KZCONECT_LAYER)[1], {10, 0, 0});
    expectPoint(RuleComn_getInsertPos(e), {10, 0, 0}); // nothing else moved
}

TEST_F(RejobTest, AZeroDisplacementReplacesAndTurnedScaledSegmentsKeepTheirFixedEnd) {
    AcDbObjectId same = run(e, AcGeVector3d(0, 0, 0)); // A comes before B in the group
    EXPECT_TRUE(a.isErased());
    expectPoint(points(same, KZCONECT_LAYER)[1], {10, 0, 0});

    AcDbObjectId turned = insert(pipe10, {{100, 100, 0}, 30, AcGeScale3d(2, 2, 1)});
    std::vector<AcGePoint3d> before = points(turned, KZCONECT_LAYER);
    AcDbObjectId end = insert(cap, {before[1]});
    makeGroup(L"ROUTE2", {turned, end});
    AcGeVector3d along = (before[1] - before[0]).normal() * 4;
    AcDbObjectId copy = run(end, along);
    expectPoint(points(copy, KZCONECT_LAYER)[0], before[0]);
    expectPoint(points(copy, KZCONECT_LAYER)[1], before[1] + along);
}

TEST_F(RejobTest, RefusalsChangeNothing) {
    std::wstring why;
    EXPECT_FALSE(planRejob(b, AcGeVector3d(1, 1, 0), why)); // along no straight element
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(planRejob(b, AcGeVector3d(-9.6, 0, 0), why)); // A would be 0.4 long
    EXPECT_FALSE(planRejob(b, AcGeVector3d(-12, 0, 0), why));  // A would turn round
    // A straight element drawn across its block's x axis cannot be stretched.
    AcDbObjectId p =
        insert(defineElement(L"ACROSS", {{0, 0, 0}, {0, 10, 0}}, {}, {L"RT09"}), {{50, 0, 0}});
    AcDbObjectId end = insert(cap, {{50, 10, 0}});
    makeGroup(L"ROUTE3", {p, end});
    auto plan = planRejob(end, AcGeVector3d(0, 3, 0), why);
    ASSERT_TRUE(plan);
    AcDbObjectId copy;
    EXPECT_EQ(applyRejob(*plan, AcGeVector3d(0, 3, 0), copy), Acad::eNotApplicable);
    expectPoint(RuleComn_getInsertPos(end), {50, 10, 0});
    EXPECT_FALSE(p.isErased());
    EXPECT_TRUE(witness.calls.empty());
}

TEST_F(RejobTest, ServicesLinkedElementsParametersAndFont) {
    AcDbObjectId d = insert(pipe10, {{0, 0, 0}, 180}); // in no group, touches A
    AcDbObjectIdArray linked;
    EXPECT_EQ(KZAddinGetLinkRootEX(a, &linked), 2);
    EXPECT_EQ(ids(linked), (std::vector<AcDbObjectId>{e, d}));
    EXPECT_EQ(KZAddinGetLinkRootEX(a, nullptr), -1);

    EXPECT_EQ(KZAddinAutoCommParam(1, b, nullptr), 0); // the element's own insertion point
    auto params = kz::kelto::takeRejobParams();
    ASSERT_TRUE(params);
    EXPECT_EQ(params->base, b);
    EXPECT_EQ(params->insertionPoint, AcGePoint3d(12, 2, 0));
    EXPECT_FALSE(kz::kelto::takeRejobParams()); // they serve one run
    EXPECT_EQ(KZAddinAutoCommParam(1, AcDbObjectId(), nullptr), -1);

    EXPECT_EQ(KZAddinGetFont(), KZAddinGetFont());
    EXPECT_STREQ(KZAddinGetFont()->lfFaceName, L"ＭＳ ゴシック");
}

} // namespace
