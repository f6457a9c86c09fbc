#include "dxf_test_support.h"

#include "dxf/sections.h"

#include <gtest/gtest.h>

using namespace kz::dxf;

namespace {

struct Scanned {
    bool ok;
    SectionScan scan;
    DxfError error;
};

Scanned scan(std::string text, TagFile& keep) {
    keep = dxftest::parseOk(std::move(text));
    Scanned s;
    s.ok = scanSections(keep, s.scan, s.error);
    return s;
}

} // namespace

TEST(DxfSections, SectionsAreFoundWithTheirTagRanges) {
    TagFile f;
    auto s = scan("999\ncomment\n  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n"
                  "  0\nENDSEC\n  0\nSECTION\n  2\n ENTITIES \n  0\nENDSEC\n  0\nEOF\n",
                  f);
    ASSERT_TRUE(s.ok) << s.error.message;
    EXPECT_TRUE(s.scan.hasEof);
    EXPECT_TRUE(s.scan.warnings.empty());
    ASSERT_EQ(s.scan.sections.size(), 2u);
    const DxfSection& header = s.scan.sections[0];
    EXPECT_EQ(header.name, "HEADER");
    EXPECT_EQ(header.line, 3u);
    EXPECT_EQ(header.end - header.begin, 2u);
    EXPECT_EQ(f.tags()[header.begin].value, "$ACADVER");
    EXPECT_TRUE(f.tags()[header.end].isMarker("ENDSEC"));
    const DxfSection* entities = s.scan.find("ENTITIES");
    ASSERT_TRUE(entities);
    EXPECT_EQ(entities->begin, entities->end); // empty section
    EXPECT_EQ(s.scan.find("BLOCKS"), nullptr);
}

TEST(DxfSections, MissingEofAndTagsAfterEofAreToleratedWithWarnings) {
    TagFile f;
    auto s = scan("  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n", f);
    ASSERT_TRUE(s.ok);
    EXPECT_FALSE(s.scan.hasEof);
    ASSERT_EQ(s.scan.warnings.size(), 1u);
    EXPECT_EQ(s.scan.warnings[0].problem, DxfProblem::MissingEof);

    auto t = scan("  0\nEOF\n  0\nSECTION\n", f);
    ASSERT_TRUE(t.ok);
    ASSERT_EQ(t.scan.warnings.size(), 1u);
    EXPECT_EQ(t.scan.warnings[0].problem, DxfProblem::TextAfterEof);
    EXPECT_EQ(t.scan.warnings[0].line, 3u);
}

TEST(DxfSections, StructuralErrorsNameTheLine) {
    struct Case {
        const char* text;
        DxfProblem problem;
        const char* message;
    } cases[] = {
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  0\nEOF\n", DxfProblem::MissingEndsec,
         "t.dxf:7: EOF inside section ENTITIES begun at line 1 (missing ENDSEC)"},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n", DxfProblem::MissingEndsec,
         "t.dxf:1: section ENTITIES has no ENDSEC (the file ends inside it)"},
        {"  0\nSECTION\n  2\nA\n  0\nSECTION\n  2\nB\n  0\nENDSEC\n", DxfProblem::NestedSection,
         "t.dxf:5: SECTION inside section A begun at line 1 (missing ENDSEC)"},
        {"  0\nSECTION\n  8\nA\n", DxfProblem::SectionWithoutName,
         "t.dxf:3: SECTION without a name (expected group code 2, found group code 8 with "
         "value \"A\")"},
        {"  0\nSECTION\n", DxfProblem::SectionWithoutName,
         "t.dxf:1: SECTION without a name (the file ends)"},
        {"  0\nENDSEC\n", DxfProblem::EndsecWithoutSection, "t.dxf:1: ENDSEC without SECTION"},
        {"  0\nSECTION\n  2\nA\n  0\nENDSEC\n  8\nL\n", DxfProblem::TagOutsideSection,
         "t.dxf:7: expected SECTION or EOF, found group code 8 with value \"L\""},
    };
    for (const auto& c : cases) {
        TagFile f;
        auto s = scan(c.text, f);
        EXPECT_FALSE(s.ok) << c.text;
        EXPECT_EQ(s.error.problem, c.problem) << c.text;
        EXPECT_EQ(s.error.message, c.message);
    }
}
