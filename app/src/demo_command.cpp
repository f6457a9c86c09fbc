// kzdim demo [DIR]: runs each bundled script on the bundled sample drawing (both copied
// beside kzdim by the build, under samples/) in its own `kzdim run`, and writes into
// DIR per script the resulting drawing, its picture and the transcript; the drags of
// the first script are also drawn frame by frame.
#include "demo_command.h"

#include "host_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

namespace kz::app {

namespace fs = std::filesystem;

namespace {

// The scripts in the order they run; each starts again from the sample drawing.
const char* const kScripts[] = {"make-dimensions", "edit-text", "edit-xline", "move-length"};

// Runs kzdim with the arguments, its standard output into transcript; the exit status.
int runChild(const fs::path& kzdim, std::vector<std::string> args, const fs::path& transcript) {
    args.insert(args.begin(), kzdim.string());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, transcript.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, kzdim.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return 1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return 1;
    return WEXITSTATUS(status);
}

} // namespace

int runDemo(int argc, char** argv) {
    if (argc > 1 || (argc == 1 && argv[0][0] == '-')) {
        std::fprintf(stderr, "usage: kzdim demo [DIR]   (DIR: kzdim-demo by default)\n");
        return 2;
    }
    const fs::path dir = argc == 1 ? fs::path(argv[0]) : fs::path("kzdim-demo");
    const fs::path folder = executableFolder();
    const fs::path samples = folder / "samples";
    const fs::path drawing = samples / "route-sample.dxf";
    if (!fs::exists(drawing) || !fs::exists(samples / "ini")) {
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
    for (const char* name : kScripts) {
        const fs::path script = samples / "scripts" / (std::string(name) + ".scr");
        const fs::path out = dir / name;
        std::vector<std::string> args = {"run",      drawing.string(),
                                         "--script", script.string(),
                                         "--ini",    (dir / "ini" / "Kelto.ini").string(),
                                         "--scale",  "30",
                                         "--out",    out.string() + ".dxf",
                                         "--svg",    out.string() + ".svg"};
        if (name == kScripts[0]) {
            args.push_back("--frames");
            args.push_back((dir / "frames").string());
        }
        const int status = runChild(folder / "kzdim", args, out.string() + ".txt");
        if (status != 0) {
            std::fprintf(stderr, "kzdim demo: %s failed (see %s.txt)\n", script.string().c_str(),
                         out.string().c_str());
            return 1;
        }
        std::printf("%s: %s.dxf, %s.svg, %s.txt\n", name, out.string().c_str(),
                    out.string().c_str(), out.string().c_str());
    }
    std::printf("frames of the first script's drags: %s\n", (dir / "frames").string().c_str());
    return 0;
}

} // namespace kz::app
