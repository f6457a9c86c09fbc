// The module's commands: the input is a script run on the sample route drawing with the
// host add-in and the module loaded, as `kzdim run` does. Whatever the script types at
// the prompts, in the dialogs and in the drag loop, the run ends without crashing, the
// drawing saves and reads again, and the audit finds nothing wrong in what was read (the
// sample drawing audits clean, so a finding is the commands' doing) but links to
// elements that are gone: a length edit has the host add-in replace the element, and a
// dimension whose value no longer agrees with the new element keeps its link to the old
// one. The drawing in memory is not audited: erased objects stay there (for undo) as
// members of groups and entries of lists until a save leaves them out.
#include "db/audit.h"
#include "dbmain.h"
#include "dxf/drawing_io.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/host_session.h"
#include "ed/line_source.h"
#include "ed/script_input.h"
#include "win_codepage.h"
#include "win_host_io.h"
#include "win_resource.h"

#include <cstdint>
#include <dlfcn.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string gSample; // the sample drawing's text, read once
std::filesystem::path gIni;

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzz_module: %s\n", what.c_str());
    std::abort();
}

std::unique_ptr<AcDbDatabase> sampleDrawing() {
    auto db = std::make_unique<AcDbDatabase>(false);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    kz::DrawingReadResult r = kz::readDrawingFromText("route-sample.dxf", gSample, *db);
    if (!r.ok)
        fault("the sample drawing does not read: " + r.error);
    return db;
}

// The drawing after the script: it saves, the text reads again, and what was read has
// nothing else for the audit to report.
void checkDrawing(AcDbDatabase& db) {
    std::string text, error;
    if (!kz::writeDrawingToText(db, text, error))
        fault("the drawing does not save: " + error);
    // KZ_FUZZ_SAVED=FILE keeps the drawing as the script left it, to read a finding.
    if (const char* path = std::getenv("KZ_FUZZ_SAVED"))
        std::ofstream(path, std::ios::binary) << text;
    auto again = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("saved.dxf", text, *again);
    if (!r.ok)
        fault("the saved drawing does not read: " + r.error);
    for (const kz::AuditFinding& f : kz::auditDrawing(*again, r.duplicateHandles, false))
        if (f.code != kz::AuditCode::LinkToMissing)
            fault("the saved drawing: " + kz::describeFinding(f));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kz::setHostUiLanguage(1033);
    std::ifstream in(KZ_FUZZ_SAMPLE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    gSample = text.str();
    if (gSample.empty())
        fault(std::string("cannot read ") + KZ_FUZZ_SAMPLE);
    // Settings go to an ini file of this process's own, emptied before each input so that
    // one input's settings do not change the next one's run.
    gIni = std::filesystem::temp_directory_path() /
           ("kz-fuzz-module-" + std::to_string(::getpid())) / "Kelto.ini";
    std::filesystem::create_directories(gIni.parent_path());
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(gIni.parent_path(), ec);
    });
    kz::setHostSetting(kz::kHostIniFileSetting, kz::utf8ToWide(gIni.string()));
    // libFuzzer keeps the coverage counters of every library it saw loaded and clears
    // them before each input: the host unloads the modules at its end, so they are kept
    // mapped here. Their static data then outlives an unload, which a fresh process
    // would not carry: a finding is confirmed by replaying its input alone.
    for (const char* name : {"Kelto.arx", "KzDim.arx"})
        if (!dlopen((std::filesystem::path(KZ_FUZZ_BIN) / name).c_str(), RTLD_NOW | RTLD_NODELETE))
            fault(std::string("cannot load ") + name + ": " + dlerror());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::error_code ec;
    std::filesystem::remove(gIni, ec);
    std::wstring script =
        kz::utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    kz::ed::startHost({});
    kz::ed::openDocument(sampleDrawing(), L"route-sample.dxf");
    const std::filesystem::path bin = KZ_FUZZ_BIN;
    std::vector<std::wstring> failed =
        kz::ed::loadModules({kz::utf8ToWide((bin / "Kelto.arx").string()),
                             kz::utf8ToWide((bin / "KzDim.arx").string())});
    if (!failed.empty())
        fault("cannot load " + kz::wideToUtf8(failed.front()));
    kz::ed::CommandLine::get().setSource(
        std::make_unique<kz::ed::ScriptSource>(L"fuzz.scr", script));
    kz::ed::runCommandLoop();
    checkDrawing(*kz::ed::documentDatabase());
    kz::ed::endHost();
    return 0;
}
