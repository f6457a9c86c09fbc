#include "windows.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>

namespace {

TEST(WideNumbers, WtoiReadsTheLeadingNumber) {
    EXPECT_EQ(_wtoi(L"12abc"), 12);
    EXPECT_EQ(_wtoi(L"abc"), 0);
    EXPECT_EQ(_wtoi(L"  \t-42 7"), -42);
    EXPECT_EQ(_wtoi(L"+8"), 8);
    EXPECT_EQ(_wtoi(L"- 8"), 0);
    EXPECT_EQ(_wtoi(L"66577"), 66577);
    EXPECT_EQ(_wtoi(L"１０４１"), 1041); // full-width digits, as MSVC reads them
    EXPECT_EQ(_wtoi(L""), 0);
    EXPECT_EQ(_wtoi(nullptr), 0);
}

TEST(WideNumbers, OverflowSaturates) {
    errno = 0;
    EXPECT_EQ(_wtoi(L"99999999999"), INT_MAX);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_wtoi(L"-99999999999"), INT_MIN);
    EXPECT_EQ(_wtoi(L"-2147483648"), INT_MIN);
    EXPECT_EQ(_wtoi(L"2147483647"), INT_MAX);
    EXPECT_EQ(_wtol(L"3000000000"), 2147483647L); // Windows long is 32 bits
    EXPECT_EQ(_wtoi64(L"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(_wtoi64(L"9223372036854775807|5"), INT64_MAX);
    EXPECT_EQ(_wtoi64(L"92233720368547758070"), INT64_MAX);
    EXPECT_EQ(_wtoi64(L"-92233720368547758090"), INT64_MIN);
    EXPECT_EQ(_wtoi64(L"1234567890123,5"), 1234567890123LL);
}

TEST(WideNumbers, WtofReadsPrefixWithDotWhateverTheLocale) {
    EXPECT_DOUBLE_EQ(_wtof(L" 12.5mm"), 12.5);
    EXPECT_DOUBLE_EQ(_wtof(L"-1e3"), -1000.0);
    EXPECT_DOUBLE_EQ(_wtof(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(_wtof(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"7寸"), 7.0);
    EXPECT_DOUBLE_EQ(_wtof(L"0x10"), 16.0);
    EXPECT_TRUE(std::isinf(_wtof(L"1e999")));
}

TEST(WideCompare, CaseFoldingIsAsciiOnly) {
    EXPECT_EQ(_wcsicmp(L"Kelto.ARX", L"kelto.arx"), 0);
    EXPECT_LT(_wcsicmp(L"abc", L"ABD"), 0);
    EXPECT_GT(_wcsicmp(L"abc", L"AB"), 0);
    EXPECT_NE(_wcsicmp(L"ＡＢ", L"ａｂ"), 0); // full-width letters are not folded
    EXPECT_EQ(_wcsnicmp(L"LANGUAGEx", L"languageY", 8), 0);
    EXPECT_NE(_wcsnicmp(L"LANGUAGEx", L"languageY", 9), 0);
    EXPECT_EQ(_wcsnicmp(L"ab", L"AB", 10), 0);
    wchar_t text[] = L"aB寸z";
    EXPECT_STREQ(_wcsupr(text), L"AB寸Z");
    EXPECT_STREQ(_wcslwr(text), L"ab寸z");
}

TEST(WideCopy, SafeCopiesReportInsteadOfOverrunning) {
    wchar_t buf[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(wcscpy_s(buf, L"abc"), 0);
    EXPECT_STREQ(buf, L"abc");
    EXPECT_EQ(wcscpy_s(buf, L"abcd"), ERANGE);
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(wcscpy_s(buf, 4, nullptr), EINVAL);
    EXPECT_EQ(wcscpy_s(nullptr, 4, L"a"), EINVAL);

    EXPECT_EQ(wcsncpy_s(buf, L"abcdef", 2), 0);
    EXPECT_STREQ(buf, L"ab");
    EXPECT_EQ(wcsncpy_s(buf, L"abcdef", 5), ERANGE);
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(wcsncpy_s(buf, L"abcdef", _TRUNCATE), STRUNCATE);
    EXPECT_STREQ(buf, L"abc");
    EXPECT_EQ(wcsncpy_s(buf, L"ab", _TRUNCATE), 0);
    EXPECT_STREQ(buf, L"ab");

    EXPECT_EQ(wcscat_s(buf, L"c"), 0);
    EXPECT_STREQ(buf, L"abc");
    EXPECT_EQ(wcscat_s(buf, L"d"), ERANGE);
    EXPECT_STREQ(buf, L"");
}

TEST(WidePrintf, SwprintfSReportsTooSmallBuffers) {
    wchar_t buf[8];
    EXPECT_EQ(swprintf_s(buf, L"%d-%s", 12, L"ab"), 5);
    EXPECT_STREQ(buf, L"12-ab");
    EXPECT_EQ(swprintf_s(buf, L"%s", L"12345678"), -1);
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(swprintf_s(buf, 8, L"%s", L"1234567"), 7);
}

TEST(WidePrintf, SnwprintfLeavesNoTerminatorWhenFull) {
    wchar_t buf[6];
    std::wmemset(buf, L'#', 6);
    EXPECT_EQ(_snwprintf(buf, 6, L"%d", 123), 3);
    EXPECT_STREQ(buf, L"123");
    std::wmemset(buf, L'#', 6);
    EXPECT_EQ(_snwprintf(buf, 3, L"%d", 123), 3);
    EXPECT_EQ(std::wstring(buf, 4), L"123#"); // exactly full: not terminated
    std::wmemset(buf, L'#', 6);
    EXPECT_EQ(_snwprintf(buf, 2, L"%d", 123), -1);
    EXPECT_EQ(std::wstring(buf, 3), L"12#");
    EXPECT_EQ(_snwprintf(nullptr, 0, L"%s", L"abcd"), 4);
}

TEST(LastError, IsKeptPerThread) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(GetLastError(), 0u);
}

} // namespace
