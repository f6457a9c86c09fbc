#include "dxf_test_support.h"

#include "dxf/tag_reader.h"

#include <gtest/gtest.h>

using namespace kz::dxf;
using dxftest::codesAndValues;
using dxftest::parseError;
using dxftest::parseOk;
using Pairs = std::vector<std::pair<int, std::string>>;

namespace {

const char* kLineSnippet = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2F\n  8\n0\n 10\n1.5\n"
                           " 20\n-2.0\n 30\n0.0\n  0\nENDSEC\n  0\nEOF\n";

} // namespace

TEST(DxfTokenizer, ReadsCodesValuesAndLineNumbersOfARealSnippet) {
    auto f = parseOk(kLineSnippet);
    const Pairs expected = {{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"},  {5, "2F"},
                            {8, "0"},       {10, "1.5"},     {20, "-2.0"}, {30, "0.0"},
                            {0, "ENDSEC"},  {0, "EOF"}};
    EXPECT_EQ(codesAndValues(f), expected);
    ASSERT_EQ(f.tags().size(), 10u);
    EXPECT_EQ(f.tags()[0].line, 1u);
    EXPECT_EQ(f.tags()[5].line, 11u);
    EXPECT_EQ(f.tags()[9].line, 19u);
}

TEST(DxfTokenizer, CrLfAndLfGiveTheSameTags) {
    std::string crlf;
    for (const char* p = kLineSnippet; *p; ++p) {
        if (*p == '\n')
            crlf.push_back('\r');
        crlf.push_back(*p);
    }
    EXPECT_EQ(codesAndValues(parseOk(crlf)), codesAndValues(parseOk(kLineSnippet)));
    // Damaged conversions leave "\r\r\n"; the extra CR is dropped too.
    EXPECT_EQ(codesAndValues(parseOk("0\r\r\nEOF\r\r\n")), (Pairs{{0, "EOF"}}));
}

TEST(DxfTokenizer, CodeLinesMayBePaddedValueLinesKeepTheirSpaces) {
    auto f = parseOk("  1\n  text with spaces  \r\n\t70 \r\n     6\n1001\nAPP\n");
    EXPECT_EQ(codesAndValues(f),
              (Pairs{{1, "  text with spaces  "}, {70, "     6"}, {1001, "APP"}}));
}

TEST(DxfTokenizer, EmptyValuesLastLineWithoutNewlineAndTrailingBlankLines) {
    EXPECT_EQ(codesAndValues(parseOk("  1\n\n  0\nEOF")), (Pairs{{1, ""}, {0, "EOF"}}));
    EXPECT_EQ(codesAndValues(parseOk("  0\nEOF\n\n  \r\n\n")), (Pairs{{0, "EOF"}}));
    // A missing EOF with trailing blank lines is not a broken tag.
    EXPECT_EQ(codesAndValues(parseOk("  8\nL\n\n\n")), (Pairs{{8, "L"}}));
}

TEST(DxfTokenizer, TruncatedFileSaysTheValueLineIsMissing) {
    auto e = parseError("  0\nSECTION\n  2\n");
    EXPECT_EQ(e.problem, DxfProblem::MissingValue);
    EXPECT_EQ(e.message, "t.dxf:3: file ends in the middle of a tag (value line missing)");
    EXPECT_EQ(parseError("  0\nSECTION\n  2").problem, DxfProblem::MissingValue);
}

TEST(DxfTokenizer, NonNumericGroupCodeIsReportedWithLineAndText) {
    auto e = parseError("  0\nSECTION\nabc\nX\n");
    EXPECT_EQ(e.problem, DxfProblem::BadGroupCode);
    EXPECT_EQ(e.line, 3u);
    EXPECT_EQ(e.message, "t.dxf:3: expected an integer group code, found \"abc\"");
    // Lines out of step: a missing value line makes a value be read as a code.
    EXPECT_EQ(parseError("  0\nLINE\n 10\n 20\n2.0\n").message,
              "t.dxf:5: expected an integer group code, found \"2.0\"");
    EXPECT_EQ(parseError("  0\nA\n1 0\nB\n").problem, DxfProblem::BadGroupCode);
    EXPECT_EQ(parseError("  0\nA\n-\nB\n").problem, DxfProblem::BadGroupCode);
    EXPECT_EQ(parseError("  0\nA\n\nB\n").message,
              "t.dxf:3: expected an integer group code, found \"\"");
}

TEST(DxfTokenizer, GroupCodeOutsideTheFormatIsRefused) {
    auto e = parseError("  0\nA\n5000\nB\n");
    EXPECT_EQ(e.problem, DxfProblem::GroupCodeOutOfRange);
    EXPECT_EQ(e.line, 3u);
    EXPECT_NE(e.message.find("group code 5000 is outside 0-1071"), std::string::npos);
    EXPECT_EQ(parseError("-1\nA\n").problem, DxfProblem::GroupCodeOutOfRange);
    EXPECT_EQ(parseError("99999999999999999999\nA\n").problem, DxfProblem::GroupCodeOutOfRange);
    EXPECT_EQ(codesAndValues(parseOk("1071\n5\n")), (Pairs{{1071, "5"}}));
}

TEST(DxfTokenizer, HugeLineIsRefusedAtItsLine) {
    std::string text = "  0\nSECTION\n  1\n";
    text.append(10 * 1024 * 1024, 'x');
    text.append("\n  0\nEOF\n");
    auto e = parseError(text);
    EXPECT_EQ(e.problem, DxfProblem::LineTooLong);
    EXPECT_EQ(e.message, "t.dxf:4: line longer than 1048576 bytes");
    // Also as a group code line, and as a last line without newline.
    EXPECT_EQ(parseError(std::string(kMaxLineLength + 1, '1')).problem, DxfProblem::LineTooLong);
    // Exactly the limit is accepted.
    std::string atLimit = "  1\n" + std::string(kMaxLineLength, 'y') + "\n";
    EXPECT_EQ(parseOk(atLimit).tags().at(0).value.size(), kMaxLineLength);
}

TEST(DxfTokenizer, EmptyBinaryAndDwgFilesAreRecognised) {
    EXPECT_EQ(parseError("").message, "t.dxf: the file is empty");
    EXPECT_EQ(parseError(" \r\n\n").problem, DxfProblem::EmptyFile);
    EXPECT_EQ(parseError("\xEF\xBB\xBF").problem, DxfProblem::EmptyFile);

    std::string binary = "Vendor Binary DXF\r\n";
    binary.append("\x1A\0\0\0SECTION\0", 13);
    auto e = parseError(binary);
    EXPECT_EQ(e.problem, DxfProblem::BinaryDxf);
    EXPECT_NE(e.message.find("binary DXF"), std::string::npos);

    std::string dwg("AC1015\0\0\0\0\0\x01\x02\x03\x04\x05\x06", 17);
    EXPECT_EQ(parseError(dwg).problem, DxfProblem::NotDxf);
}

TEST(DxfTokenizer, BinaryGarbageGivesAReadableMessage) {
    std::string garbage("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    auto e = parseError(garbage);
    EXPECT_EQ(e.problem, DxfProblem::BadGroupCode);
    // The bytes were taken as code page 1252 (no header says otherwise).
    EXPECT_EQ(e.message, "t.dxf:1: expected an integer group code, found \"‰PNG\"");
    std::string nul("\0\0\0\x01"
                    "abc\n",
                    8);
    EXPECT_EQ(parseError(nul).message,
              "t.dxf:1: expected an integer group code, found \"\\x00\\x00\\x00\\x01abc\"");
}

TEST(DxfTokenizer, TextAfterEofIsToleratedWithAWarning) {
    auto f = parseOk(std::string("  0\nEOF\n\x1A\0\0", 11));
    EXPECT_TRUE(f.warnings().empty());
    EXPECT_EQ(f.tags().size(), 1u);

    auto g = parseOk("  0\nEOF\nsaved by some tool\n");
    ASSERT_EQ(g.warnings().size(), 1u);
    EXPECT_EQ(g.warnings()[0].problem, DxfProblem::TextAfterEof);
    EXPECT_EQ(g.warnings()[0].line, 3u);
    EXPECT_EQ(g.tags().size(), 1u);
}

TEST(DxfTokenizer, TokenizerWorksOnABorrowedBufferWithoutCopying) {
    const std::string buf = " 10\n1.0\n 20\n2.0\n";
    Tokenizer tok(buf, 7);
    Tag t;
    ASSERT_TRUE(tok.next(t));
    EXPECT_EQ(t.line, 7u);
    EXPECT_EQ(t.value.data(), buf.data() + 4);
    ASSERT_TRUE(tok.next(t));
    EXPECT_EQ(t.line, 9u);
    EXPECT_FALSE(tok.next(t));
    EXPECT_FALSE(tok.failed());
}

TEST(DxfTokenizer, MovingATagFileKeepsTagsValidEvenForTinyFiles) {
    TagFile moved = parseOk("0\nEOF\n");
    TagFile other = std::move(moved);
    ASSERT_EQ(other.tags().size(), 1u);
    EXPECT_EQ(other.tags()[0].value, "EOF");
    EXPECT_GE(other.tags()[0].value.data(), other.text().data());
    EXPECT_LT(other.tags()[0].value.data(), other.text().data() + other.text().size());
}
