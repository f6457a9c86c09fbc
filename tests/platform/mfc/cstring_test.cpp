#include "afx.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>

// Readable CString values in failure messages.
void PrintTo(const CString& s, std::ostream* os) {
    *os << '"' << kz::wideToUtf8(s.view()) << '"';
}

namespace {

TEST(CString, ConstructionAndBasics) {
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_EQ(CString(L"寸法線").GetLength(), 3);
    EXPECT_EQ(CString("寸法線"), L"寸法線"); // narrow text is UTF-8
    EXPECT_EQ(CString(L'-', 3), L"---");
    EXPECT_EQ(CString(L"abcdef", 2), L"ab");
    EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(CString(MAKEINTRESOURCEW(103)), L""); // resource ids are not text

    CString s(L"abc");
    EXPECT_EQ(s.GetAt(1), L'b');
    EXPECT_EQ(s[2], L'c');
    s.SetAt(0, L'X');
    EXPECT_STREQ(static_cast<const wchar_t*>(s), L"Xbc");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), L"");
}

TEST(CString, ConcatenationAndComparison) {
    CString a(L"寸法");
    CString b = a + L"線" + L'1' + CString(L"x");
    EXPECT_EQ(b, L"寸法線1x");
    b += L"!";
    b += L'?';
    b += CString(L"ab");
    b += "ü";
    EXPECT_EQ(b, L"寸法線1x!?abü");
    EXPECT_EQ(L"p" + CString(L"q"), L"pq");
    EXPECT_EQ(L'p' + CString(L"q"), L"pq");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(CString(L"b") > L"a");
    EXPECT_TRUE(L"a" != CString(L"A"));
    EXPECT_EQ(CString(L"abc").Compare(L"abd"), -1);
    EXPECT_EQ(CString(L"abc").Compare(L"abc"), 0);
    EXPECT_EQ(CString(L"KAKU").CompareNoCase(L"kaku"), 0);
    EXPECT_LT(CString(L"kaka").CompareNoCase(L"KAKU"), 0);
    EXPECT_NE(CString(L"ＫＡＫＵ").CompareNoCase(L"ｋａｋｕ"), 0);
    // Self-append doubles the text even when the buffer has to grow.
    CString self(L"ab");
    self += self;
    self.Append(self.GetString() + 1);
    EXPECT_EQ(self, L"ababbab");
}

TEST(CString, Searching) {
    CString s(L"1|22|333");
    EXPECT_EQ(s.Find(L'|'), 1);
    EXPECT_EQ(s.Find(L'|', 2), 4);
    EXPECT_EQ(s.Find(L'|', 5), -1);
    EXPECT_EQ(s.Find(L'|', 100), -1);
    EXPECT_EQ(s.Find(L"22"), 2);
    EXPECT_EQ(s.Find(L"33", 6), 6);
    EXPECT_EQ(s.Find(L"x"), -1);
    EXPECT_EQ(s.ReverseFind(L'|'), 4);
    EXPECT_EQ(s.ReverseFind(L'x'), -1);
    EXPECT_EQ(s.FindOneOf(L"3|"), 1);
    EXPECT_EQ(s.FindOneOf(L"xyz"), -1);
}

TEST(CString, ExtractionClampsLikeMfc) {
    CString s(L"abcdef");
    EXPECT_EQ(s.Left(2), L"ab");
    EXPECT_EQ(s.Left(100), L"abcdef");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Right(2), L"ef");
    EXPECT_EQ(s.Right(100), L"abcdef");
    EXPECT_EQ(s.Mid(4), L"ef");
    EXPECT_EQ(s.Mid(2, 2), L"cd");
    EXPECT_EQ(s.Mid(4, 100), L"ef");
    EXPECT_EQ(s.Mid(6), L"");
    EXPECT_EQ(s.Mid(100, 2), L"");
    EXPECT_EQ(s.Mid(-3, 2), L"ab");
    EXPECT_EQ(s.Mid(1, INT_MAX), L"bcdef");
    EXPECT_EQ(s.SpanIncluding(L"abc"), L"abc");
    EXPECT_EQ(s.SpanExcluding(L"dx"), L"abc");
}

TEST(CString, CaseAndTrimming) {
    CString s(L"aBc寸ｚ");
    EXPECT_EQ(s.MakeUpper(), L"ABC寸ｚ");
    EXPECT_EQ(s.MakeLower(), L"abc寸ｚ");
    EXPECT_EQ(s.MakeReverse(), L"ｚ寸cba");
    CString t(L" \t\u3000値 \r\n");
    EXPECT_EQ(t.Trim(), L"値");
    CString u(L"xx値xx");
    EXPECT_EQ(CString(u).TrimLeft(L'x'), L"値xx");
    EXPECT_EQ(CString(u).TrimRight(L"yx"), L"xx値");
    EXPECT_EQ(CString(L"  a  ").TrimLeft(), L"a  ");
    EXPECT_EQ(CString(L"  a  ").TrimRight(), L"  a");
    EXPECT_EQ(CString(L"    ").Trim(), L"");
}

TEST(CString, EditingInPlace) {
    CString s(L"a-b-c");
    EXPECT_EQ(s.Replace(L'-', L'+'), 2);
    EXPECT_EQ(s, L"a+b+c");
    EXPECT_EQ(s.Replace(L"+", L"<>"), 2);
    EXPECT_EQ(s, L"a<>b<>c");
    EXPECT_EQ(s.Replace(L"<>", nullptr), 2);
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    CString aaa(L"aaaa");
    EXPECT_EQ(aaa.Replace(L"aa", L"a"), 2); // left to right, no overlap
    EXPECT_EQ(aaa, L"aa");
    EXPECT_EQ(s.Remove(L'b'), 1);
    EXPECT_EQ(s, L"ac");
    EXPECT_EQ(s.Insert(1, L'b'), 3);
    EXPECT_EQ(s.Insert(100, L"de"), 5);
    EXPECT_EQ(s.Insert(-5, L"_"), 6);
    EXPECT_EQ(s, L"_abcde");
    EXPECT_EQ(s.Delete(0), 5);
    EXPECT_EQ(s.Delete(3, 100), 3);
    EXPECT_EQ(s.Delete(10, 2), 3);
    EXPECT_EQ(s, L"abc");
}

TEST(CString, TokenizeSplitsAndSkipsEmptyFields) {
    CString s(L"|0||01|1|");
    std::vector<CString> tokens;
    int pos = 0;
    for (CString t = s.Tokenize(L"|", pos); pos != -1; t = s.Tokenize(L"|", pos))
        tokens.push_back(t);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], L"0");
    EXPECT_EQ(tokens[1], L"01");
    EXPECT_EQ(tokens[2], L"1");
    // Without delimiters the rest is one token and the walk ends after it.
    pos = 1;
    EXPECT_EQ(s.Tokenize(L"", pos), L"0||01|1|");
    EXPECT_EQ(s.Tokenize(L"", pos), L"");
    EXPECT_EQ(pos, -1);
}

TEST(CString, BufferAccess) {
    CString s(L"ab");
    wchar_t* p = s.GetBuffer(10);
    EXPECT_EQ(s.GetAllocLength() >= 10, true);
    EXPECT_STREQ(p, L"ab");
    wcscpy_s(p, 11, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"0123456789");
    p = s.GetBuffer(0);
    p[3] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    p = s.GetBufferSetLength(5);
    EXPECT_EQ(s.GetLength(), 5);
    p[3] = L'x';
    p[4] = L'y';
    s.ReleaseBuffer(5);
    EXPECT_EQ(s, CString(L"012xy"));
    CString empty;
    swprintf_s(empty.GetBuffer(260), 260, L"%d", 1041);
    empty.ReleaseBuffer();
    EXPECT_EQ(empty, L"1041");
}

TEST(CString, FormatEachConversion) {
    CString s;
    s.Format(L"%d|%i|%u|%ld|%lu|%x|%X|%o|%c", -1, 2, 3u, -4, 5u, 255, 255, 8, L'寸');
    EXPECT_EQ(s, L"-1|2|3|-4|5|ff|FF|10|寸");
    s.Format(L"%s|%ls|%S|%5.1f|%lf|%e|%g|%%", L"寸法", L"線", "ab", 2.25, 1.5, 1.0, 0.5);
    EXPECT_EQ(s, L"寸法|線|ab|  2.2|1.500000|1.000000e+00|0.5|%");
    s.Format(L"|%I64d", INT64_MIN);
    EXPECT_EQ(s, L"|-9223372036854775808");
    s.Format(L"|%I64d,%I64d", std::int64_t{8796093022208}, std::int64_t{0});
    EXPECT_EQ(s, L"|8796093022208,0");
    s.Format(L"%I64u|%lld", UINT64_MAX, -7ll);
    EXPECT_EQ(s, L"18446744073709551615|-7");
    s.Format(L"%.*g", 15, 7.0);
    EXPECT_EQ(s, L"7");
    s.Format(L"%*d|%-4d|%+05d|% d|%#o", 5, 1, 2, 3, 4, 8);
    EXPECT_EQ(s, L"    1|2   |+0003| 4|010");
    s.Format(L"%y %d", 1);
    EXPECT_EQ(s, L"%y 1"); // the bad conversion is printed, 1 goes to %d
    s.AppendFormat(L"-%d", 2);
    EXPECT_EQ(s, L"%y 1-2");
}

TEST(CString, PassedStraightToPercentS) {
    // MFC code hands CString objects to "%s" without a cast.
    CString name(L"寸法線");
    CString s;
    s.Format(L"[%s][%-5s]", name, CString(L"ab"));
    EXPECT_EQ(s, L"[寸法線][ab   ]");
    wchar_t buf[32];
    swprintf_s(buf, L"%s\\KzConfig.ini", CString(L"C:\\sys"));
    EXPECT_STREQ(buf, L"C:\\sys\\KzConfig.ini");
}

TEST(CString, FormatMayUseItsOwnText) {
    CString s(L"ab");
    s.Format(L"%s%s", s.GetString(), s.GetString());
    EXPECT_EQ(s, L"abab");
}

TEST(CStringDeathTest, IndexOutsideIsReported) {
    CString s(L"ab");
    EXPECT_DEATH(s.GetAt(2), "CString::GetAt: index 2 outside 0..1");
    EXPECT_DEATH(s.SetAt(-1, L'x'), "CString::SetAt");
}

} // namespace
