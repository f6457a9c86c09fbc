// kzdim: the headless CAD host that runs the KzDim module on DXF drawings.
#include "convert_command.h"
#include "render_command.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kUsage =
    "usage: kzdim COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  convert DRAWING --out FILE   load a DXF drawing and save it again (2013 format)\n"
    "  render DRAWING --svg FILE    draw model space as an SVG picture\n"
    "         [--dark] [--width PX] (dark background; picture width, 1200 by default)\n"
    "  --help                       show this text\n"
    "\n"
    "The input drawing is never written over unless --out names it.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    if (command == "convert")
        return kz::app::runConvert(argc - 2, argv + 2);
    if (command == "render")
        return kz::app::runRender(argc - 2, argv + 2);
    std::fprintf(stderr, "kzdim: unknown command '%s' (try kzdim --help)\n", argv[1]);
    return 2;
}
