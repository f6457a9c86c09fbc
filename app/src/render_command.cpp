#include "render_command.h"

#include "dbmain.h"
#include "dxf/drawing_io.h"
#include "file_save.h"
#include "render/render.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kz::app {

int runRender(int argc, char** argv) {
    std::string input, output;
    render::RenderOptions options;
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--svg" && i + 1 < argc) {
            output = argv[++i];
        } else if (a == "--dark") {
            options.background = render::Background::Dark;
        } else if (a == "--width" && i + 1 < argc) {
            char* end = nullptr;
            const double px = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !std::isfinite(px) || px < 16 || px > 100000) {
                std::fprintf(stderr, "kzdim render: --width takes 16 to 100000 pixels, not '%s'\n",
                             argv[i]);
                return 2;
            }
            options.pixelWidth = px;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kzdim render: unknown option '%s'\n", a.c_str());
            return 2;
        } else if (input.empty()) {
            input = a;
        } else {
            std::fprintf(stderr, "kzdim render: more than one drawing given ('%s')\n", a.c_str());
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: kzdim render DRAWING --svg FILE [--dark] [--width PIXELS]\n");
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
    const render::Scene scene = render::collectModelSpace(db, {}, options);
    for (const auto& [kind, count] : scene.notDrawn)
        std::fprintf(stderr, "kzdim: warning: %s: %d %s not drawn\n", input.c_str(), count,
                     kind.c_str());
    std::string error;
    if (!saveFileAtomically(output, render::writeSvg(scene, options), error)) {
        std::fprintf(stderr, "kzdim: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace kz::app
