// Writes the sample drawing, or a straight pipe run of N pipes (the drawing of the drag
// scaling check, bench/drag_scaling.py).
//
//   make_route_sample OUTPUT.dxf
//   make_route_sample --run N OUTPUT.dxf
#include "route_sample.h"

#include "dbmain.h"
#include "dxf/drawing_io.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int write(const char* path, int runLength) {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    if (runLength > 0)
        kz::samples::drawPipeRun(db, runLength);
    else
        kz::samples::drawRouteSample(db);
    std::string error;
    const bool ok = kz::writeDrawing(db, path, error);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    if (!ok) {
        std::fprintf(stderr, "make_route_sample: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--run") {
        char* end = nullptr;
        const long n = std::strtol(argv[2], &end, 10);
        if (*end != 0 || n < 1 || n > 100000) {
            std::fprintf(stderr, "make_route_sample: --run needs a count from 1 to 100000\n");
            return 2;
        }
        return write(argv[3], static_cast<int>(n));
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_route_sample OUTPUT.dxf\n"
                             "       make_route_sample --run N OUTPUT.dxf\n");
        return 2;
    }
    return write(argv[1], 0);
}
