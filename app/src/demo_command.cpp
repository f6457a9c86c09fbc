// kzdim demo [DIR]: runs the bundled script on the bundled sample drawing (both copied
// beside kzdim by the build, under samples/) and writes into DIR the dimensioned
// drawing, its picture, one picture per cursor move of the drags and the transcript.
#include "demo_command.h"

#include "ed/line_source.h"
#include "host_run.h"
#include "win_codepage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kz::app {

namespace fs = std::filesystem;

int runDemo(int argc, char** argv) {
    if (argc > 1 || (argc == 1 && argv[0][0] == '-')) {
        std::fprintf(stderr, "usage: kzdim demo [DIR]   (DIR: kzdim-demo by default)\n");
        return 2;
    }
    const fs::path dir = argc == 1 ? fs::path(argv[0]) : fs::path("kzdim-demo");
    const fs::path samples = executableFolder() / "samples";
    const fs::path drawing = samples / "route-sample.dxf";
    const fs::path script = samples / "scripts" / "make-dimensions.scr";
    if (!fs::exists(drawing) || !fs::exists(script) || !fs::exists(samples / "ini")) {
        std::fprintf(stderr, "kzdim demo: the bundled sample is not in %s\n",
                     samples.string().c_str());
        return 1;
    }
    // The module writes its settings into the host add-in's ini file: a fresh copy.
    std::error_code ec;
    fs::create_directories(dir, ec);
    fs::remove_all(dir / "ini", ec);
    fs::remove_all(dir / "frames", ec);
    fs::copy(samples / "ini", dir / "ini", fs::copy_options::recursive, ec);
    if (ec) {
        std::fprintf(stderr, "kzdim demo: cannot write into %s: %s\n", dir.string().c_str(),
                     ec.message().c_str());
        return 1;
    }

    RunOptions o;
    o.drawing = drawing.string();
    o.script = script.string();
    o.out = (dir / "dimensioned.dxf").string();
    o.svg = (dir / "dimensioned.svg").string();
    o.frames = (dir / "frames").string();
    o.ini = (dir / "ini" / "Kelto.ini").string();
    o.scale = 30.0;
    std::string error;
    std::unique_ptr<kz::ed::LineSource> source = kz::ed::loadScriptFile(o.script, error);
    if (!source) {
        std::fprintf(stderr, "kzdim: %s\n", error.c_str());
        return 1;
    }
    auto transcript = std::make_shared<std::ofstream>(dir / "transcript.txt");
    int status = runHost(o, std::move(source), [transcript](const std::wstring& text) {
        std::string utf8 = kz::wideToUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        std::fflush(stdout);
        *transcript << utf8;
    });
    if (status == 0)
        std::fprintf(stderr, "kzdim demo: %s/dimensioned.dxf, dimensioned.svg, frames/\n",
                     dir.string().c_str());
    return status;
}

} // namespace kz::app
