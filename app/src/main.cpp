// kzdim: the headless CAD host that runs the KzDim module on DXF drawings.
#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: kzdim COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  convert DRAWING --out FILE   load a DXF drawing and save it again\n"
    "  render DRAWING --svg FILE    draw the model space of a drawing as SVG\n"
    "  --help                       show this text\n";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "kzdim: unknown command '%s' (try kzdim --help)\n", argv[1]);
    return 2;
}
