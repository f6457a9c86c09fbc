// Replace reactors: registration, the calls made to them, and reactors that fail or
// register others while being told.
#include "route_fixture.h"

#include <functional>
#include <stdexcept>

namespace {

class Recorder : public CReplaceReactor {
public:
    void erase(AcDbObjectId element) override { log.push_back({element}); }
    void terminated(AcDbObjectId old, AcDbObjectIdArray added) override {
        log.push_back({old});
        log.back().insert(log.back().end(), added.begin(), added.end());
        if (then)
            then();
    }
    std::vector<std::vector<AcDbObjectId>> log;
    std::function<void()> then;
};

TEST_F(RouteTest, ReactorsAreToldInOrderUntilRemoved) {
    Recorder first, second;
    ASSERT_EQ(RuleComn_addReplaceReactor(&first), 0);
    ASSERT_EQ(RuleComn_addReplaceReactor(&second), 0);
    EXPECT_EQ(RuleComn_addReplaceReactor(&first), 1);
    EXPECT_EQ(RuleComn_addReplaceReactor(nullptr), -1);
    AcDbObjectId pipe = defineStraight(L"P", 10, L"RT");
    AcDbObjectId old = insert(pipe, {}), n1 = insert(pipe, {}), n2 = insert(pipe, {});
    RuleComn_notifyReplaced(old, AcDbObjectIdArray{n1, n2});
    EXPECT_EQ(RuleComn_eraseAll(AcDbObjectIdArray{n1, n2, n2}), 2); // erased once each
    using Log = std::vector<std::vector<AcDbObjectId>>;
    EXPECT_EQ(first.log, (Log{{old, n1, n2}, {n1}, {n2}}));
    EXPECT_EQ(second.log, first.log);
    EXPECT_EQ(RuleComn_removeReplaceReactor(&first), 0);
    EXPECT_EQ(RuleComn_removeReplaceReactor(&first), 1);
    RuleComn_notifyErased(old);
    EXPECT_EQ(first.log.size(), 3u);
    EXPECT_EQ(second.log.size(), 4u);
    RuleComn_removeReplaceReactor(&second);
}

TEST_F(RouteTest, AFailingReactorDoesNotStopTheOthersAndNewOnesWaitForTheNextCall) {
    Recorder thrower, adder, late;
    thrower.then = [] { throw std::runtime_error("reactor failed"); };
    adder.then = [&] { RuleComn_addReplaceReactor(&late); };
    RuleComn_addReplaceReactor(&thrower);
    RuleComn_addReplaceReactor(&adder);
    RuleComn_notifyReplaced(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_EQ(adder.log.size(), 1u);
    EXPECT_TRUE(late.log.empty());
    RuleComn_notifyReplaced(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_EQ(late.log.size(), 1u);
    for (auto* r : {&thrower, &adder, &late})
        RuleComn_removeReplaceReactor(r);
    EXPECT_STREQ(CReplaceReactor::desc()->name(), L"CReplaceReactor");
    EXPECT_EQ(CReplaceReactor::cast(&late), &late);
}

} // namespace
