#include "dxf_test_support.h"

#include "dxf/text_escapes.h"

#include <gtest/gtest.h>

using namespace kz::dxf;

TEST(DxfEscapes, UnicodeEscapesIncludingSurrogatePairs) {
    EXPECT_EQ(decodeEscapes("caf\\U+00E9"), "café");
    EXPECT_EQ(decodeEscapes("\\U+5BF8\\U+6CD5"), "寸法");
    EXPECT_EQ(decodeEscapes("\\u+00e9"), "é");
    EXPECT_EQ(decodeEscapes("\\U+D83D\\U+DE00!"), "\U0001F600!");
    // Not escapes, or not decodable: kept as written.
    for (const char* kept : {"\\U+00", "\\U+00G9", "\\U+D83D", "\\U+DE00", "\\U+0000",
                             "C:\\Users\\x", "\\P new paragraph", "\\U+D83Dx\\U+DE00"})
        EXPECT_EQ(decodeEscapes(kept), kept);
}

TEST(DxfEscapes, MultibyteEscapesUseTheirCodePage) {
    EXPECT_EQ(decodeEscapes("\\M+1907E"), "厨");        // code page 932
    EXPECT_EQ(decodeEscapes("\\M+5BABA"), "汉");        // code page 936
    EXPECT_EQ(decodeEscapes("\\M+4907E"), "\\M+4907E"); // Johab: not converted
    EXPECT_EQ(decodeEscapes("\\M+1FFFF"), "\\M+1FFFF"); // not a character
    EXPECT_EQ(decodeEscapes("\\M+190"), "\\M+190");
}

TEST(DxfEscapes, CaretNotationForControlCharacters) {
    EXPECT_EQ(decodeEscapes("a^Jb^Ic"), "a\nb\tc");
    EXPECT_EQ(decodeEscapes("x^ 2"), "x^2");
    EXPECT_EQ(decodeEscapes("^"), "^");
    EXPECT_EQ(decodeEscapes("a^b^2"), "a^b^2"); // only ^@ .. ^_ and "^ " are escapes
    EXPECT_EQ(decodeEscapes("^@"), std::string(1, '\0'));

    std::string out;
    appendEscapedForWriting(out, std::string("a\nb\tc^d\r", 8), true);
    EXPECT_EQ(out, "a^Jb^Ic^ d^M");
    EXPECT_EQ(decodeEscapes(out), std::string("a\nb\tc^d\r", 8));
    EXPECT_FALSE(needsEscapeForWriting("plain 寸法 C:\\dir\\U1", true));
    EXPECT_TRUE(needsEscapeForWriting("^", false));
}

// Text that holds an escape as it stands (left so by a damaged file, whose escape was
// broken by a NUL or built by another escape) is written so that it reads back as the
// same text, not as the character the escape names.
TEST(DxfEscapes, TextThatLooksLikeAnEscapeReadsBackAsItself) {
    for (std::string text :
         {"caf\\M+1907E", "\\U+00E9 and \\u+00e9", "\\m+1907e\\", "a\\U+", "\\\\U+0041"}) {
        std::string out;
        appendEscapedForWriting(out, text, true);
        EXPECT_EQ(decodeEscapes(out), text) << out;
    }
    EXPECT_FALSE(needsEscapeForWriting("\\U0041 \\P \\M", true));
    // Values of other types are not decoded so, and are written as they stand.
    EXPECT_FALSE(needsEscapeForWriting("2.\\U+00E9", false));
}

TEST(DxfEscapes, DecodingInPlaceNeverGrowsAndMixesForms) {
    std::string s = "^J\\U+00E9\\M+1907E^ \\U+D83D\\U+DE00";
    std::size_t n = decodeEscapesInPlace(s.data(), s.size());
    EXPECT_EQ(s.substr(0, n), "\né厨^\U0001F600");
    // An escape that decodes to a backslash is not decoded again.
    EXPECT_EQ(decodeEscapes("\\U+005CU+00E9"), "\\U+00E9");
}

TEST(DxfEscapes, EncodingForAsciiOnlyTargetsRoundTrips) {
    const std::string text = "café 寸法 \U0001F600";
    std::string escaped = encodeUnicodeEscapes(text);
    EXPECT_EQ(escaped, "caf\\U+00E9 \\U+5BF8\\U+6CD5 \\U+D83D\\U+DE00");
    EXPECT_EQ(decodeEscapes(escaped), text);
    EXPECT_EQ(encodeUnicodeEscapes("a\xFF"), "a\\U+FFFD");
}

TEST(DxfEscapes, StringTagsAreDecodedOnReadOtherTagsOnlyForCarets) {
    auto f = dxftest::parseOk("  1\nline^Jtwo \\U+00E9\n 70\n^J\\U+00E9\n1000\nx^ y\n  1\nplain\n");
    ASSERT_EQ(f.tags().size(), 4u);
    EXPECT_EQ(f.tags()[0].value, "line\ntwo é");
    // An integer code: the writer escapes control characters in every value (a damaged
    // one is kept as read and written back), so carets are decoded here too.
    EXPECT_EQ(f.tags()[1].value, "\n\\U+00E9");
    EXPECT_EQ(f.tags()[2].value, "x^y");
    EXPECT_EQ(f.tags()[3].value, "plain");
}
