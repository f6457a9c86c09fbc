// The script reader: the input is a script. Every line goes through the readers of
// numbers, points and handles, whose results must be finite; then the whole script runs
// on the command line of a host with a small drawing and the host's own commands, which
// must end (on an error or at the end of the script) without crashing.
#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/host_session.h"
#include "ed/line_source.h"
#include "ed/script_input.h"
#include "win_codepage.h"
#include "win_resource.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

[[noreturn]] void fault(const char* what, const std::wstring& line) {
    std::fprintf(stderr, "fuzz_script: %s: \"%s\"\n", what, kz::wideToUtf8(line).c_str());
    std::abort();
}

bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

void readLine(const std::wstring& text) {
    kz::ed::isCommentLine(text);
    kz::ed::isCancelText(text);
    kz::ed::parseInteger(text);
    kz::ed::parseHandleRef(text);
    if (auto d = kz::ed::parseReal(text); d && !std::isfinite(*d))
        fault("a number that is not finite", text);
    for (const AcGePoint3d& last : {AcGePoint3d(1, 2, 3), AcGePoint3d(1.7e308, -1.7e308, 1e308)})
        if (auto p = kz::ed::parsePoint(text, last); p && !finite(*p))
            fault("a point that is not finite", text);
}

// A drawing with something to select, list and pick.
std::unique_ptr<AcDbDatabase> smallDrawing() {
    auto db = std::make_unique<AcDbDatabase>();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite);
    AcDbEntity* entities[] = {new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0)),
                              new AcDbLine(AcGePoint3d(100, 0, 0), AcGePoint3d(100, 50, 0)),
                              new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 10)};
    for (AcDbEntity* e : entities) {
        AcDbObjectId id;
        space->appendAcDbEntity(id, e);
        e->close();
    }
    space->close();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kz::setHostUiLanguage(1033);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring script =
        kz::utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    {
        kz::ed::ScriptSource lines(L"fuzz.scr", script);
        while (auto line = lines.next(L""))
            readLine(line->text);
    }
    kz::ed::startHost({});
    kz::ed::openDocument(smallDrawing(), L"");
    kz::ed::CommandLine::get().setSource(
        std::make_unique<kz::ed::ScriptSource>(L"fuzz.scr", script));
    kz::ed::runCommandLoop();
    kz::ed::endHost();
    return 0;
}
