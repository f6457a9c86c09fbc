#include "afxcoll.h"

#include <gtest/gtest.h>

namespace {

std::wstring join(const CStringArray& a) {
    std::wstring out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        out += std::wstring(a[i].GetString()) + L";";
    return out;
}

TEST(CStringArray, AddAccessAndBounds) {
    CStringArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add(L"1A"), 0);
    EXPECT_EQ(a.Add(CString(L"2B")), 1);
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetCount(), 2);
    EXPECT_EQ(a.GetUpperBound(), 1);
    a.SetAt(0, L"x");
    a.ElementAt(1) += L"!";
    a[1] += L"?";
    EXPECT_EQ(join(a), L"x;2B!?;");
    a.SetAtGrow(3, L"d");
    EXPECT_EQ(join(a), L"x;2B!?;;d;");
}

TEST(CStringArray, InsertRemoveAndSize) {
    CStringArray a;
    a.Add(L"a");
    a.Add(L"d");
    a.InsertAt(1, L"b");
    a.InsertAt(2, L"c", 2);
    EXPECT_EQ(join(a), L"a;b;c;c;d;");
    a.RemoveAt(2);
    EXPECT_EQ(join(a), L"a;b;c;d;");
    a.RemoveAt(0, 2);
    EXPECT_EQ(join(a), L"c;d;");
    a.InsertAt(4, L"z"); // beyond the end: the gap is filled with empty strings
    EXPECT_EQ(join(a), L"c;d;;;z;");
    a.SetSize(1);
    EXPECT_EQ(join(a), L"c;");
    a.SetSize(3);
    EXPECT_EQ(join(a), L"c;;;");
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CStringArray, AppendCopyAndSelf) {
    CStringArray a, b;
    a.Add(L"1");
    b.Add(L"2");
    b.Add(L"3");
    EXPECT_EQ(a.Append(b), 1);
    EXPECT_EQ(join(a), L"1;2;3;");
    EXPECT_EQ(a.Append(a), 3);
    EXPECT_EQ(join(a), L"1;2;3;1;2;3;");
    a.Copy(b);
    EXPECT_EQ(join(a), L"2;3;");
    a.InsertAt(1, &b);
    EXPECT_EQ(join(a), L"2;2;3;3;");
    a.InsertAt(0, a[3]); // an element of the array itself
    EXPECT_EQ(join(a), L"3;2;2;3;3;");
}

TEST(CStringArrayDeathTest, IndexOutsideIsReported) {
    CStringArray a;
    a.Add(L"x");
    EXPECT_DEATH(a.GetAt(1), "CStringArray::GetAt: index 1 outside 0..0");
    EXPECT_DEATH(a.RemoveAt(0, 2), "CStringArray::RemoveAt");
}

} // namespace
