// The group code line is read by a quick path for its usual form and by the general
// path for every other; both must give the same tags, and the general path the errors.
// The UTF-8 check skips ASCII a word at a time: sequences at every alignment, and a
// sequence cut short by an ASCII byte, must be judged as byte by byte.
#include "dxf_test_support.h"

#include "dxf/tag_reader.h"

#include <gtest/gtest.h>

using namespace kz::dxf;
using dxftest::codesAndValues;
using dxftest::parseError;
using dxftest::parseOk;
using Pairs = std::vector<std::pair<int, std::string>>;

namespace {

std::string entities(const std::string& body) {
    return "  0\nSECTION\n  2\nENTITIES\n" + body + "  0\nENDSEC\n  0\nEOF\n";
}

const char* const kBom = "\xEF\xBB\xBF";

} // namespace

TEST(DxfCodeLineForms, EveryWayOfWritingACodeGivesTheSameTag) {
    const Pairs expected = {
        {0, "SECTION"}, {2, "ENTITIES"}, {10, "1.5"}, {0, "ENDSEC"}, {0, "EOF"}};
    for (const char* code :
         {"10", "  10", "10\r", "  10\r", "\t10", "10 ", "  10\r\r", "0010", "00010", "+10"}) {
        SCOPED_TRACE(code);
        if (std::string(code) == "+10") {
            // A sign other than '-' is no group code.
            EXPECT_EQ(parseError(entities(std::string(code) + "\n1.5\n")).problem,
                      DxfProblem::BadGroupCode);
            continue;
        }
        auto f = parseOk(entities(std::string(code) + "\n1.5\n"));
        EXPECT_EQ(codesAndValues(f), expected);
        ASSERT_EQ(f.tags().size(), 5u);
        EXPECT_EQ(f.tags()[2].line, 5u);
    }
}

TEST(DxfCodeLineForms, CodesTheQuickPathRefusesAreReportedAtTheirLine) {
    auto big = parseError(entities(" 1072\nx\n"));
    EXPECT_EQ(big.problem, DxfProblem::GroupCodeOutOfRange);
    EXPECT_EQ(big.line, 5u);
    EXPECT_NE(big.message.find("1072"), std::string::npos) << big.message;

    auto negative = parseError(entities(" -5\nx\n"));
    EXPECT_EQ(negative.problem, DxfProblem::GroupCodeOutOfRange);
    EXPECT_NE(negative.message.find("-5"), std::string::npos) << negative.message;

    // The last line is a code with "\r" and no newline: the value is missing.
    auto cut = parseError("  0\nSECTION\n  2\nENTITIES\n 10\r");
    EXPECT_EQ(cut.problem, DxfProblem::MissingValue);
    EXPECT_EQ(cut.line, 5u);
}

TEST(DxfCodeLineForms, Utf8SequencesAtEveryAlignmentAreWellFormed) {
    // With a byte order mark, well-formed UTF-8 is read as UTF-8 without a warning;
    // the padding moves the sequences across the 8-byte steps of the check.
    for (int pad = 0; pad < 9; ++pad) {
        SCOPED_TRACE(pad);
        const std::string text = std::string(static_cast<std::size_t>(pad), 'a') + "寸法€ü";
        auto f = parseOk(kBom + entities("  1\n" + text + "\n"));
        EXPECT_EQ(f.encoding(), "UTF-8");
        EXPECT_TRUE(f.warnings().empty());
        ASSERT_EQ(f.tags().size(), 5u);
        EXPECT_EQ(f.tags()[2].value, text);
    }
}

TEST(DxfCodeLineForms, ASequenceCutShortByAsciiIsMalformedAtEveryAlignment) {
    for (int pad = 0; pad < 9; ++pad) {
        SCOPED_TRACE(pad);
        // "寸" is E5 AF B8: its last byte is missing before the 'x'.
        const std::string text = std::string(static_cast<std::size_t>(pad), 'a') + "\xE5\xAFx";
        auto f = parseOk(kBom +
                         std::string("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n"
                                     "AC1021\n  0\nENDSEC\n") +
                         entities("  1\n" + text + "\n"));
        ASSERT_FALSE(f.warnings().empty());
        EXPECT_EQ(f.warnings()[0].problem, DxfProblem::EncodingMismatch);
        // The damaged bytes were decoded (not kept malformed); the text around them is kept.
        std::string_view value = f.tags().at(f.tags().size() - 3).value;
        EXPECT_NE(value, text);
        EXPECT_EQ(value.substr(0, static_cast<std::size_t>(pad)), std::string(pad, 'a'));
        EXPECT_EQ(value.back(), 'x');
    }
}
