#include "windows.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

std::wstring fmt(const wchar_t* f, auto... args) {
    return kz::formatWide(f, args...);
}

TEST(Format, IntegersFollowMsvcSizes) {
    EXPECT_EQ(fmt(L"%d|%i|%u", -5, 7, 4000000000u), L"-5|7|4000000000");
    EXPECT_EQ(fmt(L"%x|%X|%o|%#x", 255, 255, 8, 255), L"ff|FF|10|0xff");
    // long is 32 bits on Windows: %ld and %lx read 32-bit values.
    EXPECT_EQ(fmt(L"%ld|%lu|%lx", -1, 4294967295u, -1), L"-1|4294967295|ffffffff");
    EXPECT_EQ(fmt(L"%I64d|%I64u|%lld|%llu", INT64_MIN, UINT64_MAX, INT64_MAX, 1ull),
              L"-9223372036854775808|18446744073709551615|9223372036854775807|1");
    EXPECT_EQ(fmt(L"%I64x|%I32d|%Iu|%zd", 0x1234567890ll, -3, size_t{9}, ptrdiff_t{-9}),
              L"1234567890|-3|9|-9");
    EXPECT_EQ(fmt(L"%hd|%hhu", 70000, 300), L"4464|44");
}

TEST(Format, FlagsWidthAndPrecision) {
    EXPECT_EQ(fmt(L"[%5d][%-5d][%05d][%+d][% d]", 42, 42, 42, 42, 42),
              L"[   42][42   ][00042][+42][ 42]");
    EXPECT_EQ(fmt(L"[%*d][%-*d][%*d]", 4, 1, 3, 2, -3, 3), L"[   1][2  ][3  ]");
    EXPECT_EQ(fmt(L"[%.3d][%8.3f][%.*f]", 7, 3.14159, 2, 2.005), L"[007][   3.142][2.00]");
    EXPECT_EQ(fmt(L"[%.*f]", -1, 1.5), L"[1.500000]"); // negative precision: none given
}

TEST(Format, FloatingPoint) {
    EXPECT_EQ(fmt(L"%f|%lf|%e|%E", 1.5, -2.25, 12345.678, 0.00012),
              L"1.500000|-2.250000|1.234568e+04|1.200000E-04");
    EXPECT_EQ(fmt(L"%g|%g|%G", 0.0001, 1e20, 1e-10), L"0.0001|1e+20|1E-10");
    // The settings file writes doubles as "%.*g" with 15: whole numbers lose their
    // decimals, others keep 15 significant digits.
    EXPECT_EQ(fmt(L"%.*g", 15, 1250.0), L"1250");
    EXPECT_EQ(fmt(L"%.*g", 15, 0.1), L"0.1");
    EXPECT_EQ(fmt(L"%.*g", 15, 1234.5), L"1234.5");
    EXPECT_EQ(fmt(L"%.*g", 15, 2.0 / 3.0), L"0.666666666666667");
    EXPECT_EQ(fmt(L"%lf,%lf %lf,%lf", 1.0, -2.5, 1e6, 0.0000004),
              L"1.000000,-2.500000 1000000.000000,0.000000");
}

TEST(Format, StringsAndCharacters) {
    const wchar_t* wide = L"寸法";
    EXPECT_EQ(fmt(L"<%s><%ls><%S><%hs>", wide, wide, "線", "ab"), L"<寸法><寸法><線><ab>");
    EXPECT_EQ(fmt(L"[%5s][%-4s][%.1s][%03s]", L"ab", L"c", L"xyz", L"7"), L"[   ab][c   ][x][007]");
    EXPECT_EQ(fmt(L"%c%C%lc%hc", L'寸', 'a', L'b', 'c'), L"寸abc");
    EXPECT_EQ(fmt(L"[%s][%.3s]", static_cast<const wchar_t*>(nullptr),
                  static_cast<const wchar_t*>(nullptr)),
              L"[(null)][(nu]");
}

TEST(Format, PointerPrintsSixteenUpperCaseDigits) {
    EXPECT_EQ(fmt(L"%p", reinterpret_cast<void*>(0xABCDEFull)), L"0000000000ABCDEF");
}

TEST(Format, BadConversionsAreCopiedWithoutTakingArguments) {
    // "%y" takes nothing, so 5 goes to %d.
    EXPECT_EQ(fmt(L"%y %d", 5), L"%y 5");
    EXPECT_EQ(fmt(L"100%% done %"), L"100% done %");
    EXPECT_EQ(fmt(L"%5"), L"%5");
    int written = 0;
    EXPECT_EQ(fmt(L"a%nb", &written), L"a%nb");
    EXPECT_EQ(written, 0);
    EXPECT_EQ(fmt(nullptr), L"");
    // A huge width is clamped, not allocated.
    EXPECT_EQ(fmt(L"%999999999d", 1).size(), std::size_t{1} << 20);
}

} // namespace
