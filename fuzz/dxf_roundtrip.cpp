// The DXF reader and writer: whatever the bytes, reading never crashes; a drawing that
// was read saves, the saved text reads again without error, and saving that gives the
// same text (the database survived the trip), real numbers equal up to rounding.
#include "dbmain.h"
#include "dxf/drawing_io.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string gFirst; // the first save, written out with a report

[[noreturn]] void fault(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz_dxf: %s\n%s\n", what, detail.c_str());
    // KZ_FUZZ_SAVED=FILE keeps the text the reader's drawing saved as, to read the fault.
    if (const char* path = std::getenv("KZ_FUZZ_SAVED"))
        if (std::FILE* f = std::fopen(path, "wb")) {
            std::fwrite(gFirst.data(), 1, gFirst.size(), f);
            std::fclose(f);
        }
    std::abort();
}

// Line number and text of the first difference, for the report.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::size_t i = 0, line = 1, start = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) {
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
        ++i;
    }
    auto lineAt = [start](const std::string& s) {
        std::size_t end = s.find('\n', start);
        return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    return "line " + std::to_string(line) + ": \"" + lineAt(a) + "\" then \"" + lineAt(b) + "\"";
}

// The lines of a text, without their line breaks.
std::vector<std::string_view> linesOf(const std::string& s) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = s.find('\n', start);
        if (end == std::string::npos)
            end = s.size();
        lines.push_back(std::string_view(s).substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A real number as the writer writes one (it always has a point), or nullopt.
std::optional<double> realOf(std::string_view line) {
    if (line.find('.') == std::string_view::npos)
        return std::nullopt;
    std::string text(line);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The two saves hold the same tags, reals allowed to differ by rounding: a point kept in
// world coordinates and written in an entity's own plane (a normal other than z) goes
// through a transform and its inverse at every save, which is exact only to the last
// digits (8.9e-16 became 1.8e-15 in one finding). Everything else must be equal.
bool sameUpToRounding(const std::string& a, const std::string& b) {
    const auto la = linesOf(a), lb = linesOf(b);
    if (la.size() != lb.size())
        return false;
    for (std::size_t i = 0; i < la.size(); ++i) {
        if (la[i] == lb[i])
            continue;
        const auto x = realOf(la[i]), y = realOf(lb[i]);
        if (!x || !y)
            return false;
        const double scale = std::max({1.0, std::fabs(*x), std::fabs(*y)});
        if (std::fabs(*x - *y) > 1e-9 * scale)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string first;
    {
        AcDbDatabase db(false);
        kz::DrawingReadResult r = kz::readDrawingFromText("in.dxf", text, db);
        if (!r.ok) {
            if (r.error.empty())
                fault("a failed read without a message", "");
            return 0;
        }
        std::string error;
        if (!kz::writeDrawingToText(db, first, error))
            fault("a drawing that was read does not save", error);
        gFirst = first;
    }
    std::string second;
    {
        AcDbDatabase db(false);
        kz::DrawingReadResult r = kz::readDrawingFromText("saved.dxf", first, db);
        if (!r.ok)
            fault("the saved drawing does not read", r.error);
        std::string error;
        if (!kz::writeDrawingToText(db, second, error))
            fault("the saved drawing, read again, does not save", error);
    }
    if (first != second && !sameUpToRounding(first, second))
        fault("saving the saved drawing gives other text", firstDifference(first, second));
    return 0;
}
