#include "win_codepage.h"

#include <gtest/gtest.h>

TEST(Codepage, Utf8RoundTripKeepsJapaneseAndAstralCharacters) {
    const std::wstring text = L"寸法線 ｼｽﾃﾑ \U0001F600 abc";
    EXPECT_EQ(kz::utf8ToWide(kz::wideToUtf8(text)), text);
}

TEST(Codepage, MalformedUtf8BecomesReplacementCharacterNotError) {
    EXPECT_EQ(kz::utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(kz::utf8ToWide("a\xFF"
                             "b"),
              L"a\uFFFDb");
    EXPECT_EQ(kz::utf8ToWide("\xE0\x80\x80"), L"\uFFFD\uFFFD\uFFFD"); // overlong
    EXPECT_FALSE(kz::isValidUtf8("a\xC3"));
    EXPECT_TRUE(kz::isValidUtf8("寸法"));
}

TEST(Codepage, ShiftJisDecodesAndEncodes) {
    // "寸法" in code page 932.
    const std::string sjis = "\x90\xA1\x96\x40";
    auto wide = kz::decodeCodePage(sjis, "ANSI_932");
    ASSERT_TRUE(wide);
    EXPECT_EQ(*wide, L"寸法");
    auto back = kz::encodeCodePage(*wide, "ANSI_932");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, sjis);
    // Half-width katakana are single bytes in code page 932.
    EXPECT_EQ(kz::decodeCodePage("\xBC\xBD\xC3\xD1", "932").value(), L"ｼｽﾃﾑ");
}

TEST(Codepage, UnknownCodePageIsReportedAndTruncatedShiftJisDoesNotStop) {
    EXPECT_FALSE(kz::decodeCodePage("x", "ANSI_99999"));
    auto wide = kz::decodeCodePage("a\x90", "ANSI_932");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->substr(0, 1), L"a");
}

TEST(Codepage, WindowsEntryPointsReportSizes) {
    const char* utf8 = "寸法";
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    EXPECT_EQ(n, 3); // two characters and the terminator
    wchar_t buf[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buf, 8), 3);
    EXPECT_STREQ(buf, L"寸法");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buf, 1), 0); // too small
}

TEST(Codepage, ExactEncodingRefusesWhatTheCodePageLacks) {
    EXPECT_EQ(kz::encodeCodePageExact(L"寸法", "932").value(), "\x90\xA1\x96\x40");
    EXPECT_FALSE(kz::encodeCodePageExact(L"寸\U0001F600", "932"));
    EXPECT_FALSE(kz::encodeCodePageExact(std::wstring(1, wchar_t(0xD800)), "UTF-8"));
    // The lenient encoder writes one '?' per missing character, not one per byte.
    EXPECT_EQ(kz::encodeCodePage(L"a\U0001F600b", "932").value(), "a?b");
    EXPECT_EQ(kz::encodeCodePageExact(L"ab", "UTF-16BE").value(), std::string("\0a\0b", 4));
    EXPECT_EQ(kz::decodeCodePage(std::string("\0a\0b", 4), "1201").value(), L"ab");
}

TEST(Codepage, ReusedDecoderStartsAfreshForEachText) {
    kz::CodePageDecoder sjis("932");
    ASSERT_TRUE(sjis.known());
    EXPECT_EQ(sjis.decode("\x90\xA1"), L"寸");
    EXPECT_EQ(sjis.decode("a\x90"), L"a\uFFFD"); // a cut character
    EXPECT_EQ(sjis.decode("\x96\x40"), L"法");   // not joined with the previous text
    kz::CodePageDecoder utf16("UTF-16LE");
    EXPECT_EQ(utf16.decode(std::string("a\0b\0", 4)), L"ab");
    kz::CodePageDecoder unknown("ANSI_99999");
    EXPECT_FALSE(unknown.known());
    EXPECT_EQ(unknown.decode("abc"), L"");
}

// Found by fuzzing the ini reader: a lone surrogate made the decoder skip one byte, and
// every character after it was read from the wrong byte (a "]" appeared from nowhere).
TEST(Codepage, LoneSurrogateInUtf16IsOneReplacementAndTheRestStaysInStep) {
    const std::string le("A\0\x5D\xD8"
                         "B\0C\0\x00\xDC",
                         10);
    EXPECT_EQ(kz::decodeCodePage(le, "UTF-16LE"), L"A\uFFFDBC\uFFFD");
    kz::CodePageDecoder be("UTF-16BE");
    EXPECT_EQ(be.decode(std::string("\0A\xD8\x5D\0B\0", 7)), L"A\uFFFDB\uFFFD");
}
