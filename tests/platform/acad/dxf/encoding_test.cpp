#include "dxf_test_support.h"

#include "dxf/dxf_encoding.h"
#include "dxf/tag_reader.h"

#include <gtest/gtest.h>

using namespace kz::dxf;
using dxftest::parseOk;

namespace {

std::string header(const std::string& version, const std::string& codePage) {
    std::string s = "  0\nSECTION\n  2\nHEADER\n";
    if (!version.empty())
        s += "  9\n$ACADVER\n  1\n" + version + "\n";
    if (!codePage.empty())
        s += "  9\n$DWGCODEPAGE\n  3\n" + codePage + "\n";
    return s + "  0\nENDSEC\n";
}

std::string textEntity(const std::string& text) {
    return "  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  1\n" + text + "\n  0\nENDSEC\n  0\nEOF\n";
}

// The value of the first group code 1 tag after the header.
std::string firstText(const TagFile& f) {
    for (const Tag& t : f.tags())
        if (t.code == 1 && t.value.substr(0, 2) != "AC")
            return std::string(t.value);
    return {};
}

} // namespace

TEST(DxfEncoding, ShiftJisFileIsDecodedWithItsLinesIntact) {
    TagFile f;
    DxfError e;
    ASSERT_TRUE(loadTagFile(KZ_TEST_DATA_DIR "/sjis_ac1015.dxf", f, e)) << e.message;
    EXPECT_EQ(f.version(), "AC1015");
    EXPECT_EQ(f.codePage(), "ANSI_932");
    EXPECT_EQ(f.encoding(), "ANSI_932");
    EXPECT_TRUE(f.warnings().empty());
    std::vector<std::string> names;
    const Tag* text = nullptr;
    for (const Tag& t : f.tags()) {
        if (t.code == 8)
            names.emplace_back(t.value);
        if (t.code == 1 && !text && t.value != "AC1015")
            text = &t;
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "寸法線");
    ASSERT_TRUE(text);
    // "表" and "ソ" have '\' (0x5C) as second byte in Shift-JIS: decoding before
    // escapes keeps them intact.
    EXPECT_EQ(text->value, "表ソ ｼｽﾃﾑ 寸法");
    EXPECT_EQ(text->line, 57u);
    // \U+ and \M+ escapes in the same file.
    EXPECT_EQ(f.tags().back().value, "EOF");
    EXPECT_EQ(f.tags()[f.tags().size() - 3].value, "café 厨");
}

TEST(DxfEncoding, Ansi1252IsTheDefaultForOldFiles) {
    auto f = parseOk(header("AC1015", "") + textEntity("caf\xE9 \x80"));
    EXPECT_EQ(f.encoding(), "ANSI_1252");
    EXPECT_EQ(firstText(f), "café €");
    auto g = parseOk(header("AC1009", "ANSI_1251") + textEntity("\xC4\xE0"));
    EXPECT_EQ(firstText(g), "Да");
}

TEST(DxfEncoding, NewFilesAreUtf8WithOrWithoutByteOrderMark) {
    auto f = parseOk(header("AC1027", "ANSI_1252") + textEntity("寸法 é"));
    EXPECT_EQ(f.encoding(), "UTF-8");
    EXPECT_EQ(firstText(f), "寸法 é");
    EXPECT_TRUE(f.warnings().empty());

    auto g = parseOk("\xEF\xBB\xBF" + header("AC1032", "") + textEntity("寸法"));
    EXPECT_EQ(firstText(g), "寸法");
    EXPECT_EQ(g.tags()[0].line, 1u);
    EXPECT_EQ(g.tags()[0].value, "SECTION");
}

TEST(DxfEncoding, Utf16TextFromEditorsIsConverted) {
    const std::u16string text = u"  0\r\nSECTION\r\n  1\r\n寸法\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    auto f = parseOk(bytes);
    ASSERT_EQ(f.tags().size(), 2u);
    EXPECT_EQ(f.tags()[1].value, "寸法");
    EXPECT_EQ(f.tags()[1].line, 3u);
    EXPECT_EQ(dxftest::parseError("\xFE\xFF\0 \0 \0"
                                  "0")
                  .problem,
              DxfProblem::NotDxf);
}

TEST(DxfEncoding, MislabelledFilesAreReadWithoutLosingTextAndWarn) {
    // Old version, UTF-8 content.
    auto f = parseOk(header("AC1015", "ANSI_1252") + textEntity("寸法"));
    EXPECT_EQ(f.encoding(), "UTF-8");
    EXPECT_EQ(firstText(f), "寸法");
    ASSERT_EQ(f.warnings().size(), 1u);
    EXPECT_EQ(f.warnings()[0].problem, DxfProblem::EncodingMismatch);

    // New version, code page content.
    auto g = parseOk(header("AC1021", "ANSI_1252") + textEntity("caf\xE9"));
    EXPECT_EQ(g.encoding(), "ANSI_1252");
    EXPECT_EQ(firstText(g), "café");
    ASSERT_EQ(g.warnings().size(), 1u);

    // Unknown code page: what is not UTF-8 cannot be read; it becomes U+FFFD, so that a
    // save (UTF-8) is well-formed and reads back the same. Both problems are named.
    auto h = parseOk(header("AC1015", "ANSI_99") + textEntity("caf\xE9"));
    ASSERT_EQ(h.warnings().size(), 2u);
    EXPECT_EQ(h.warnings()[0].problem, DxfProblem::UnknownCodePage);
    EXPECT_EQ(h.warnings()[1].problem, DxfProblem::EncodingMismatch);
    EXPECT_EQ(firstText(h), "caf\uFFFD");
}

TEST(DxfEncoding, HeaderProbeToleratesMissingAndDamagedHeaders) {
    EXPECT_EQ(probeHeader(textEntity("x")).version, "");
    HeaderProbe p = probeHeader(header("AC1018", "ANSI_936"));
    EXPECT_EQ(p.version, "AC1018");
    EXPECT_EQ(p.codePage, "ANSI_936");
    EXPECT_EQ(probeHeader("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\nbad").version, "");
    EXPECT_TRUE(isUtf8Version("AC1021"));
    EXPECT_TRUE(isUtf8Version("AC1032"));
    EXPECT_FALSE(isUtf8Version("AC1018"));
    EXPECT_FALSE(isUtf8Version("AC10"));
}
