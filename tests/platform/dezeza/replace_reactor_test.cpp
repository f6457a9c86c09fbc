// Replace reactors: registration, the calls the host add-in makes, and reactors that
// fail or change the registration while being told.
#include "route_fixture.h"

#include <stdexcept>
#include <vector>

namespace {

struct Call {
    char what; // 'e' erase, 't' terminated
    AcDbObjectId old;
    std::vector<AcDbObjectId> added;
};

class RecordingReactor : public CReplaceReactor {
public:
    explicit RecordingReactor(std::vector<Call>& log) : m_log(log) {}
    void erase(AcDbObjectId element) override { m_log.push_back({'e', element, {}}); }
    void terminated(AcDbObjectId old, AcDbObjectIdArray added) override {
        m_log.push_back({'t', old, std::vector<AcDbObjectId>(added.begin(), added.end())});
        if (onTerminated)
            onTerminated();
    }
    std::function<void()> onTerminated;

private:
    std::vector<Call>& m_log;
};

class ReplaceReactorTest : public RouteTest {
protected:
    void TearDown() override {
        for (auto* r : registered)
            RuleComn_removeReplaceReactor(r);
        RouteTest::TearDown();
    }
    void add(CReplaceReactor* r) {
        ASSERT_EQ(RuleComn_addReplaceReactor(r), 0);
        registered.push_back(r);
    }
    std::vector<CReplaceReactor*> registered;
};

TEST_F(ReplaceReactorTest, EveryRegisteredReactorIsToldInOrder) {
    std::vector<Call> first, second;
    RecordingReactor a(first), b(second);
    add(&a);
    add(&b);
    EXPECT_EQ(RuleComn_addReplaceReactor(&a), 1);
    EXPECT_EQ(RuleComn_addReplaceReactor(nullptr), -1);

    AcDbObjectId pipe = defineStraight(L"P", 10, L"RT");
    AcDbObjectId oldId = insert(pipe, {});
    AcDbObjectId n1 = insert(pipe, {{0, 5, 0}});
    AcDbObjectId n2 = insert(pipe, {{0, 9, 0}});
    RuleComn_notifyReplaced(oldId, AcDbObjectIdArray{n1, n2});
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].what, 't');
    EXPECT_EQ(first[0].old, oldId);
    EXPECT_EQ(first[0].added, (std::vector<AcDbObjectId>{n1, n2}));
    EXPECT_EQ(second.size(), 1u);

    // Erasing through the route library tells erase().
    EXPECT_EQ(RuleComn_eraseAll(AcDbObjectIdArray{n1, n2}), 2);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[1].what, 'e');
    EXPECT_EQ(first[2].old, n2);

    EXPECT_EQ(RuleComn_removeReplaceReactor(&a), 0);
    EXPECT_EQ(RuleComn_removeReplaceReactor(&a), 1);
    RuleComn_notifyErased(oldId);
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(second.size(), 4u);
}

TEST_F(ReplaceReactorTest, AFailingReactorDoesNotStopTheOthers) {
    std::vector<Call> log1, log2;
    RecordingReactor thrower(log1), after(log2);
    thrower.onTerminated = [] { throw std::runtime_error("reactor failed"); };
    add(&thrower);
    add(&after);
    RuleComn_notifyReplaced(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_EQ(log1.size(), 1u);
    EXPECT_EQ(log2.size(), 1u);
}

TEST_F(ReplaceReactorTest, RegistrationChangesDuringACallCountFromTheNextCall) {
    std::vector<Call> log1, log2;
    RecordingReactor late(log2);
    RecordingReactor adder(log1);
    adder.onTerminated = [&] {
        if (registered.size() == 1)
            add(&late);
    };
    add(&adder);
    RuleComn_notifyReplaced(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_TRUE(log2.empty());
    RuleComn_notifyReplaced(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_EQ(log2.size(), 1u);
}

TEST(ReplaceReactorClassTest, RunTimeClassAndBaseOperations) {
    EXPECT_STREQ(CReplaceReactor::desc()->name(), L"CReplaceReactor");
    EXPECT_TRUE(CReplaceReactor::desc()->isDerivedFrom(AcRxObject::desc()));
    std::vector<Call> log;
    RecordingReactor r(log);
    EXPECT_EQ(CReplaceReactor::cast(&r), &r);
    CReplaceReactor base;
    base.erase(AcDbObjectId());                // does nothing, must not fail
    base.terminated(AcDbObjectId(), AcDbObjectIdArray());
    EXPECT_TRUE(log.empty());
}

} // namespace
