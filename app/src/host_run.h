// What `kzdim run` and `kzdim shell` share: their options and one run of the host on a
// drawing with a source of command-line input.
#pragma once

#include "ed/line_source.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kz::app {

struct RunOptions {
    std::string drawing; // a DXF file, or "new"
    std::string script;  // run only
    std::string out;
    std::string svg;
    std::string frames;
    std::string ini;
    std::optional<unsigned> lang;
    double scale = 1.0;            // the drawing scale the drag library reports (CDrag::scale)
    std::vector<std::string> load; // further modules, loaded after the bundled ones
    bool bundled = true;           // load Kelto.arx and KzDim.arx
};

// The folder of the kzdim executable (the bundled applications and sample live there).
std::filesystem::path executableFolder();

// Parses the arguments after the command word; false (after printing a message to
// standard error) when they are not usable.
bool parseRunOptions(const char* command, int argc, char** argv, bool allowScript,
                     RunOptions& options);

// Sets the host options, loads the drawing and the modules, runs the command loop on
// the input and saves. sink receives the transcript as it is written. Returns the
// exit status (0 success, 1 a failure that was reported on standard error).
int runHost(const RunOptions& options, std::unique_ptr<kz::ed::LineSource> input,
            std::function<void(const std::wstring&)> sink);

} // namespace kz::app
