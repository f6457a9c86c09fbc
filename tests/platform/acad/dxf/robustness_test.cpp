// Damaged input must give an error or a result, never a crash, and errors must point at
// a line that exists. Run under the sanitizer build to catch memory faults.
#include "dxf/group_codes.h"
#include "dxf/sections.h"
#include "dxf/tag_reader.h"
#include "dxf/tag_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kz::dxf;

namespace {

std::string sampleDrawing() {
    std::string out;
    TagWriter w(out, LineEnding::CrLf);
    w.writeString(0, "SECTION");
    w.writeString(2, "HEADER");
    w.writeString(9, "$ACADVER");
    w.writeString(1, "AC1015");
    w.writeString(9, "$DWGCODEPAGE");
    w.writeString(3, "ANSI_932");
    w.writeString(0, "ENDSEC");
    w.writeString(0, "SECTION");
    w.writeString(2, "ENTITIES");
    for (int i = 0; i < 20; ++i) {
        w.writeString(0, "TEXT");
        w.writeHandle(5, 0x100 + i);
        w.writeString(8, "layer");
        w.writePoint(10, i * 0.5, -i * 1e10, 0.0);
        w.writeInt(70, i);
        w.writeString(1, "t\\U+00E9xt ^ \\M+1907E");
        const std::uint8_t bytes[] = {1, 2, 3};
        w.writeBinary(310, bytes, 3);
    }
    w.writeString(0, "ENDSEC");
    w.writeString(0, "EOF");
    return out;
}

void mutate(std::string& s, std::mt19937& rng) {
    static const char* inserts[] = {"\n",       "\r",   "\\U+",         "\\M+1",
                                    "^",        "\x82", "\xEF\xBB\xBF", "  0\nSECTION\n",
                                    "999999\n", "-",    "\0",           "\x1A"};
    int edits = 1 + static_cast<int>(rng() % 6);
    for (int k = 0; k < edits && !s.empty(); ++k) {
        std::size_t at = rng() % s.size();
        switch (rng() % 4) {
        case 0:
            s[at] = static_cast<char>(rng());
            break;
        case 1: {
            const char* ins = inserts[rng() % std::size(inserts)];
            s.insert(at, ins, std::max<std::size_t>(1, std::char_traits<char>::length(ins)));
            break;
        }
        case 2:
            s.erase(at, rng() % 16);
            break;
        default:
            s.resize(at);
            break;
        }
    }
}

} // namespace

TEST(DxfRobustness, DamagedFilesGiveResultsOrErrorsAtExistingLines) {
    const std::string original = sampleDrawing();
    std::mt19937 rng(12345);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = original;
        mutate(damaged, rng);
        const auto lines =
            static_cast<std::uint32_t>(std::count(damaged.begin(), damaged.end(), '\n') + 1);
        TagFile f;
        DxfError e;
        if (!parseTagFile("d.dxf", damaged, f, e)) {
            ++refused;
            ASSERT_NE(e.problem, DxfProblem::None);
            ASSERT_EQ(e.message.rfind("d.dxf", 0), 0u) << e.message;
            ASSERT_LE(e.line, lines) << e.message;
            continue;
        }
        for (const Tag& t : f.tags()) {
            ASSERT_TRUE(isValidGroupCode(t.code));
            ASSERT_GE(t.line, 1u);
            ASSERT_LE(t.line, lines);
            double d;
            std::int64_t i;
            std::uint64_t h;
            std::vector<std::uint8_t> b;
            f.toDouble(t, d);
            f.toInt64(t, i);
            f.toHandle(t, h);
            f.toBinary(t, b);
        }
        SectionScan scan;
        if (!scanSections(f, scan, e)) {
            ASSERT_LE(e.line, lines) << e.message;
        }
    }
    // The mutations must exercise both paths.
    EXPECT_GT(refused, 100);
    EXPECT_LT(refused, 2900);
}
