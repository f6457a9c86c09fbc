// kzdim: the headless CAD host that runs the KzDim module on DXF drawings.
#include "audit_command.h"
#include "convert_command.h"
#include "demo_command.h"
#include "render_command.h"
#include "run_command.h"
#include "shell_command.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kUsage =
    "usage: kzdim COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  run DRAWING [OPTIONS]        run a script on the host's command line and print the\n"
    "                               transcript (DRAWING is a DXF file, or \"new\")\n"
    "  shell DRAWING [OPTIONS]      the same command line typed at the terminal\n"
    "  convert DRAWING --out FILE   load a DXF drawing and save it again (2013 format)\n"
    "  render DRAWING --svg FILE    draw model space as an SVG picture\n"
    "         [--dark] [--width PX] (dark background; picture width, 1200 by default)\n"
    "  demo [DIR]                   dimension the bundled sample drawing with the bundled\n"
    "                               script; results in DIR (kzdim-demo by default)\n"
    "  audit DRAWING                report references that point nowhere, dimensions\n"
    "        [--fix --out FILE]     without their block, broken groups and link lists,\n"
    "                               duplicate handles; --fix repairs into FILE (exit 0\n"
    "                               clean, 1 errors left, 3 all fixed)\n"
    "  --help                       show this text\n"
    "\n"
    "options of run and shell:\n"
    "  --script FILE   (run) the script: one input a line\n"
    "  --out FILE      save the drawing there when the run succeeded\n"
    "  --svg FILE      draw model space there when the run succeeded\n"
    "  --frames DIR    draw one picture per cursor move of a drag (frame-0001.svg, ...)\n"
    "  --ini FILE      the host add-in's ini file\n"
    "  --scale N       the drawing scale (1:N) that sizes route dimensions; 1 by default\n"
    "  --lang LCID     the user-interface language (default 1041, Japanese)\n"
    "  --load MODULE   load a further application after the bundled ones\n"
    "  --no-addins     do not load Kelto.arx and KzDim.arx\n"
    "\n"
    "Kelto.arx and KzDim.arx are loaded from kzdim's folder when they are there. A script\n"
    "stops at the first input that the current prompt cannot use; kzdim then names the\n"
    "line and what was expected, and exits with status 1 without saving.\n"
    "\n"
    "The input drawing is never written over unless --out names it.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    if (command == "run")
        return kz::app::runRun(argc - 2, argv + 2);
    if (command == "shell")
        return kz::app::runShell(argc - 2, argv + 2);
    if (command == "convert")
        return kz::app::runConvert(argc - 2, argv + 2);
    if (command == "demo")
        return kz::app::runDemo(argc - 2, argv + 2);
    if (command == "audit")
        return kz::app::runAudit(argc - 2, argv + 2);
    if (command == "render")
        return kz::app::runRender(argc - 2, argv + 2);
    std::fprintf(stderr, "kzdim: unknown command '%s' (try kzdim --help)\n", argv[1]);
    return 2;
}
