#include "convert_command.h"

#include "dbmain.h"
#include "dxf/drawing_io.h"

#include <cstdio>
#include <string>

namespace kz::app {

int runConvert(int argc, char** argv) {
    std::string input, output;
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc) {
            output = argv[++i];
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kzdim convert: unknown option '%s'\n", a.c_str());
            return 2;
        } else if (input.empty()) {
            input = a;
        } else {
            std::fprintf(stderr, "kzdim convert: more than one drawing given ('%s')\n", a.c_str());
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: kzdim convert DRAWING --out FILE\n");
        return 2;
    }
    AcDbDatabase db(false);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    DrawingReadResult r = readDrawing(input, db);
    for (const std::string& w : r.warnings)
        std::fprintf(stderr, "kzdim: warning: %s\n", w.c_str());
    if (!r.ok) {
        std::fprintf(stderr, "kzdim: %s\n", r.error.c_str());
        return 1;
    }
    std::string error;
    if (!writeDrawing(db, output, error)) {
        std::fprintf(stderr, "kzdim: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace kz::app
