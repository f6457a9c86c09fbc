#include "run_command.h"

#include "ed/line_source.h"
#include "host_run.h"
#include "win_codepage.h"

#include <cstdio>

namespace kz::app {

int runRun(int argc, char** argv) {
    RunOptions options;
    if (!parseRunOptions("run", argc, argv, true, options))
        return 2;
    std::unique_ptr<kz::ed::LineSource> source;
    if (!options.script.empty()) {
        std::string error;
        source = kz::ed::loadScriptFile(options.script, error);
        if (!source) {
            std::fprintf(stderr, "kzdim: %s\n", error.c_str());
            return 1;
        }
    }
    return runHost(options, std::move(source), [](const std::wstring& text) {
        std::string utf8 = kz::wideToUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        std::fflush(stdout);
    });
}

} // namespace kz::app
