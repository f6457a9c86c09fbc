// The re-layout of KZ_REJOB1: the segment that is stretched, the elements that move,
// the replacement that takes the segment's place, and the refusals.
#include "route_sample.h"

#include "KeltoHost.h"

namespace {

using kz::kelto::applyRejob;
using kz::kelto::planRejob;

struct Told {
    AcDbObjectId old;
    std::vector<AcDbObjectId> added;
};

class Witness : public CReplaceReactor {
public:
    void terminated(AcDbObjectId old, AcDbObjectIdArray added) override {
        calls.push_back({old, std::vector<AcDbObjectId>(added.begin(), added.end())});
    }
    std::vector<Told> calls;
};

class RejobPlanTest : public RouteSampleTest {
protected:
    void SetUp() override {
        RouteSampleTest::SetUp();
        RuleComn_addReplaceReactor(&witness);
    }
    void TearDown() override {
        RuleComn_removeReplaceReactor(&witness);
        RouteSampleTest::TearDown();
    }
    AcDbObjectId run(AcDbObjectId base, AcGeVector3d d) {
        std::wstring why;
        auto plan = planRejob(base, d, why);
        EXPECT_TRUE(plan) << std::string(why.begin(), why.end());
        if (!plan)
            return {};
        AcDbObjectId copy;
        EXPECT_EQ(applyRejob(*plan, d, copy), Acad::eOk);
        return copy;
    }
    Witness witness;
};

TEST_F(RejobPlanTest, TheFarSideMovesAndTheSegmentAlongTheDisplacementStretches) {
    // Base: the vertical pipe B; lengthening A by 5 moves B, the elbow and the cap.
    std::wstring why;
    auto plan = planRejob(b, AcGeVector3d(5, 0, 0), why);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->segment, a);
    EXPECT_TRUE(plan->movingEndIsSecond);
    EXPECT_EQ(plan->moved, (std::vector<AcDbObjectId>{b, e, c}));
    EXPECT_DOUBLE_EQ(plan->oldLength, 10);
    EXPECT_DOUBLE_EQ(plan->newLength, 15);

    AcDbObjectId copy;
    ASSERT_EQ(applyRejob(*plan, AcGeVector3d(5, 0, 0), copy), Acad::eOk);
    EXPECT_NE(copy, a);
    EXPECT_NE(copy.handle(), a.handle());
    std::vector<AcGePoint3d> root = points(copy, KZCONECT_LAYER);
    ASSERT_EQ(root.size(), 2u);
    expectPoint(root[0], {0, 0, 0});
    expectPoint(root[1], {15, 0, 0});
    expectPoint(points(copy, KZLENGTH_LAYER)[1], {15, 0, 0});
    expectPoint(points(e, KZCONECT_LAYER)[1], {17, 2, 0});
    expectPoint(points(b, KZCONECT_LAYER)[1], {17, 10, 0});
    expectPoint(RuleComn_getInsertPos(c), {17, 10, 0});

    // The copy takes A's place in the group, A is erased, the reactors hear of it.
    EXPECT_EQ(groupMembers(), (std::vector<AcDbObjectId>{copy, e, b, c}));
    EXPECT_TRUE(a.isErased());
    ASSERT_EQ(witness.calls.size(), 1u);
    EXPECT_EQ(witness.calls[0].old, a);
    EXPECT_EQ(witness.calls[0].added, std::vector<AcDbObjectId>{copy});
    // It is a copy: its link record, identifier and attributes came along.
    CStringArray link;
    EXPECT_EQ(ApiComn_extractAttributesArrayID(copy, KZ_LINK_APPNAME, &link, 0), 0);
    EXPECT_EQ(link[0], CString(L"1|||01||0|"));
    EXPECT_EQ(CAttributeData().GetValueAttID(copy, L"S016"), CString(L"MARU"));
    // The route still holds together.
    AcDbObjectIdArray joined;
    EXPECT_EQ(RuleComn_getGroupRootIDs(e, joined, 0, 0), 2);
}

TEST_F(RejobPlanTest, AnErasedTemporaryBaseMovesTheNearEndOfTheSegment) {
    // The route length edit puts a temporary end element at the free end of A; it may
    // be erased before KZ_REJOB1 runs.
    AcDbObjectId endBlock = defineElement(L"*U", {{0, 0, 0}}, {}, {L"KK"});
    AcDbObjectId temp = insert(endBlock, {{0, 0, 0}}, L"0|||01||1|");
    ASSERT_EQ(RootComn_AddGroupMember(group, temp, L""), 0);
    ASSERT_EQ(RuleComn_eraseAll(temp), 1);

    AcDbObjectId copy = run(temp, AcGeVector3d(-2, 0, 0));
    std::vector<AcGePoint3d> root = points(copy, KZCONECT_LAYER);
    expectPoint(root[0], {-2, 0, 0});
    expectPoint(root[1], {10, 0, 0});
    expectPoint(points(e, KZCONECT_LAYER)[0], {10, 0, 0}); // nothing else moved
    expectPoint(RuleComn_getInsertPos(c), {12, 10, 0});
}

TEST_F(RejobPlanTest, AZeroDisplacementStillReplacesTheNearestStraightElement) {
    AcDbObjectId copy = run(e, AcGeVector3d(0, 0, 0));
    ASSERT_FALSE(copy.isNull());
    EXPECT_TRUE(a.isErased()); // A comes before B in the group
    std::vector<AcGePoint3d> root = points(copy, KZCONECT_LAYER);
    expectPoint(root[0], {0, 0, 0});
    expectPoint(root[1], {10, 0, 0});
    EXPECT_EQ(witness.calls.size(), 1u);
}

TEST_F(RejobPlanTest, TurnedAndScaledSegmentsKeepTheirFixedEnd) {
    // A second route: a pipe turned by 30 degrees and scaled by 2 (root 20 long),
    // with a cap at its far end as the base.
    AcDbObjectId turned = insert(pipe10, {{100, 100, 0}, 30, AcGeScale3d(2, 2, 1)});
    std::vector<AcGePoint3d> before = points(turned, KZCONECT_LAYER);
    AcDbObjectId capBlock = defineElement(L"CAP2", {{0, 0, 0}}, {}, {L"KK02"});
    AcDbObjectId cap = insert(capBlock, {before[1], 0});
    makeGroup(L"ROUTE2", {turned, cap});
    AcGeVector3d along = (before[1] - before[0]).normal() * 4;

    AcDbObjectId copy = run(cap, along);
    std::vector<AcGePoint3d> after = points(copy, KZCONECT_LAYER);
    expectPoint(after[0], before[0], 1e-9);
    expectPoint(after[1], before[1] + along, 1e-9);
    expectPoint(RuleComn_getInsertPos(cap), before[1] + along, 1e-9);
    EXPECT_FALSE(a.isErased()); // the other route is untouched
}

TEST_F(RejobPlanTest, RefusalsChangeNothing) {
    std::wstring why;
    EXPECT_FALSE(planRejob(b, AcGeVector3d(1, 1, 0), why)); // no straight element along it
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(planRejob(b, AcGeVector3d(-9.6, 0, 0), why)); // A would be 0.4 long
    EXPECT_FALSE(planRejob(b, AcGeVector3d(-12, 0, 0), why));  // A would turn round

    // A straight element drawn across its block's x axis cannot be stretched.
    AcDbObjectId across = defineElement(L"ACROSS", {{0, 0, 0}, {0, 10, 0}}, {},
                                        {L"RT09", L"1", L"1"});
    AcDbObjectId p = insert(across, {{50, 0, 0}});
    AcDbObjectId capBlock = defineElement(L"CAP3", {{0, 0, 0}}, {}, {L"KK03"});
    AcDbObjectId cap = insert(capBlock, {{50, 10, 0}});
    makeGroup(L"ROUTE3", {p, cap});
    auto plan = planRejob(cap, AcGeVector3d(0, 3, 0), why);
    ASSERT_TRUE(plan);
    AcDbObjectId copy;
    EXPECT_EQ(applyRejob(*plan, AcGeVector3d(0, 3, 0), copy), Acad::eNotApplicable);
    expectPoint(RuleComn_getInsertPos(cap), {50, 10, 0});
    EXPECT_FALSE(p.isErased());
    EXPECT_TRUE(witness.calls.empty());
}

} // namespace
