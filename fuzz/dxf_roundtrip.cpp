// The DXF reader and writer: whatever the bytes, reading never crashes; a drawing that
// was read saves, the saved text reads again without error, and saving that gives the
// same text (the database survived the trip).
#include "dbmain.h"
#include "dxf/drawing_io.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    if (first != second)
        fault("saving the saved drawing gives other text", firstDifference(first, second));
    return 0;
}
