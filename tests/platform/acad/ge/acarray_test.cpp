#include "acarray.h"
#include "gept3dar.h"

#include <gtest/gtest.h>

#include <string>

TEST(AcArray, GrowsByGrowLengthThenByHalfItsSize) {
    AcArray<int> a;
    EXPECT_EQ(a.growLength(), 8);
    EXPECT_EQ(a.physicalLength(), 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(a.append(i * 10), i); // append returns the new index
    EXPECT_EQ(a.physicalLength(), 8);
    a.append(80);
    EXPECT_EQ(a.physicalLength(), 16);
    for (int i = 9; i < 25; ++i)
        a.append(i * 10);
    EXPECT_EQ(a.physicalLength(), 36); // 16 + 8, then 24 + 12
    EXPECT_EQ(a.length(), 25);
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(a[i], i * 10);

    AcArray<int> b(2, 3);
    EXPECT_EQ(b.physicalLength(), 2);
    EXPECT_EQ(b.logicalLength(), 0);
    b.append(1);
    b.append(2);
    b.append(3);
    EXPECT_EQ(b.physicalLength(), 5);
    b.setGrowLength(0); // taken as 1
    EXPECT_EQ(b.growLength(), 1);
}

TEST(AcArray, AppendingOwnElementSurvivesReallocation) {
    AcArray<std::string> a(1, 1);
    a.append("first");
    a.append(a[0]); // the reference points into the block that is about to move
    a.append(a);    // appending the array to itself doubles it
    ASSERT_EQ(a.length(), 4);
    for (const auto& s : a)
        EXPECT_EQ(s, "first");
}

TEST(AcArray, InsertAndRemoveKeepOrder) {
    AcArray<int> a{1, 2, 3, 4, 5};
    a.insertAt(0, 0).insertAt(6, 6).insertAt(3, 99);
    EXPECT_EQ(a, (AcArray<int>{0, 1, 2, 99, 3, 4, 5, 6}));
    a.removeAt(3).removeFirst().removeLast();
    EXPECT_EQ(a, (AcArray<int>{1, 2, 3, 4, 5}));
    a.removeSubArray(1, 3);
    EXPECT_EQ(a, (AcArray<int>{1, 5}));

    AcArray<int> b{7, 8, 7, 9};
    EXPECT_TRUE(b.remove(7, 1)); // the first 7 at or after index 1
    EXPECT_EQ(b, (AcArray<int>{7, 8, 9}));
    EXPECT_FALSE(b.remove(42));
    EXPECT_EQ(b.find(9), 2);
    EXPECT_EQ(b.find(42), -1);
    int at = -1;
    EXPECT_FALSE(b.find(7, at, 1));
    EXPECT_EQ(at, -1); // untouched when not found
    EXPECT_TRUE(b.contains(8));
    EXPECT_FALSE(b.contains(7, 1));

    b.removeAll();
    EXPECT_TRUE(b.isEmpty());
    EXPECT_EQ(b.physicalLength(), 4); // the block is kept
}

TEST(AcArray, LengthSettersExposeDefaultsAndTruncate) {
    AcArray<int> a{1, 2, 3};
    a.setLogicalLength(1).setLogicalLength(3);
    EXPECT_EQ(a, (AcArray<int>{1, 0, 0})); // old values do not come back
    a.setLogicalLength(-5);
    EXPECT_EQ(a.length(), 0);
    AcArray<int> b{1, 2, 3, 4};
    b.setPhysicalLength(2);
    EXPECT_EQ(b, (AcArray<int>{1, 2}));
    EXPECT_EQ(b.physicalLength(), 2);
}

TEST(AcArray, CopiesAreIndependentAndMovesEmptyTheSource) {
    AcGePoint3dArray a;
    a.append(AcGePoint3d(1, 2, 3));
    AcGePoint3dArray copy(a);
    copy[0].x = 10;
    EXPECT_EQ(a[0].x, 1.0);
    AcGePoint3dArray assigned;
    assigned = copy;
    EXPECT_EQ(assigned.first().x, 10.0);
    AcGePoint3dArray moved(std::move(assigned));
    EXPECT_EQ(moved.length(), 1);
    EXPECT_EQ(assigned.length(), 0); // NOLINT(bugprone-use-after-move): defined as empty
    EXPECT_EQ(assigned.asArrayPtr(), nullptr);
}

TEST(AcArray, ReverseSetAllSwap) {
    AcArray<int> a{1, 2, 3, 4};
    a.reverse();
    EXPECT_EQ(a, (AcArray<int>{4, 3, 2, 1}));
    a.swap(0, 3);
    EXPECT_EQ(a, (AcArray<int>{1, 3, 2, 4}));
    a.setAll(7);
    EXPECT_EQ(a, (AcArray<int>{7, 7, 7, 7}));
    EXPECT_NE(a, (AcArray<int>{7, 7, 7}));
}

#ifdef NDEBUG
TEST(AcArray, BadIndexInReleaseReadsDefaultAndLeavesArrayAlone) {
    AcArray<int> a{1, 2};
    testing::internal::CaptureStderr();
    EXPECT_EQ(a[2], 0);
    a[5] = 42;              // discarded
    EXPECT_EQ(a.at(-1), 0); // the discarded write does not leak into the next bad read
    const AcArray<int> empty;
    EXPECT_EQ(empty.first(), 0);
    a.removeAt(9);
    a.insertAt(3, 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(a, (AcArray<int>{1, 2}));
    EXPECT_NE(err.find("AcArray::operator[]: index 2 outside an array of length 2"),
              std::string::npos);
    EXPECT_NE(err.find("AcArray::removeAt: index 9"), std::string::npos);
    EXPECT_NE(err.find("AcArray::insertAt: index 3"), std::string::npos);
}
#else
TEST(AcArrayDeathTest, BadIndexInDebugAbortsWithMessage) {
    AcArray<int> a{1, 2};
    EXPECT_DEATH(a[2], "AcArray::operator\\[\\]: index 2 outside an array of length 2");
    EXPECT_DEATH(a.last() = a.first() + AcArray<int>().last(), "AcArray::last");
}
#endif
