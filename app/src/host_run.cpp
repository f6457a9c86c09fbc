#include "host_run.h"

#include "Drag.h"

#include "dbmain.h"
#include "dxf/drawing_io.h"
#include "file_save.h"
#include "render/render.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/drag_input.h"
#include "ed/drawing_view.h"
#include "ed/host_session.h"
#include "win_codepage.h"
#include "win_host_io.h"
#include "win_host_options.h"
#include "win_module.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace kz::app {

std::filesystem::path executableFolder() {
    wchar_t buffer[4096];
    DWORD n = GetModuleFileNameW(nullptr, buffer, 4096);
    if (n == 0 || n >= 4096)
        return std::filesystem::current_path();
    return std::filesystem::path(kz::wideToUtf8(std::wstring(buffer, n))).parent_path();
}

namespace {

// The host add-in and the module, loaded in this order from the executable's folder.
const char* const kBundledModules[] = {"Kelto.arx", "KzDim.arx"};

void fail(const std::string& message) {
    std::fprintf(stderr, "kzdim: %s\n", message.c_str());
}

// --frames DIR: one picture per cursor move of a drag, the drawing and the candidates
// the drag shows, all in the view of the drawing window.
void renderFramesInto(const std::string& folder) {
    auto count = std::make_shared<int>(0);
    kz::ed::setDragFrameSink(
        [folder, count](const std::vector<const AcDbEntity*>& preview, const AcGePoint3d&) {
            AcDbDatabase* db = kz::ed::documentDatabase();
            if (db == nullptr)
                return;
            const kz::ed::DrawingView& v = kz::ed::drawingView();
            render::RenderOptions options;
            double halfH = v.viewHeight / 2, halfW = halfH * v.width / v.height;
            options.view = render::Box{v.center.x - halfW, v.center.y - halfH, v.center.x + halfW,
                                       v.center.y + halfH};
            options.pixelWidth = v.width;
            char name[32];
            std::snprintf(name, sizeof name, "frame-%04d.svg", ++*count);
            std::string path = (std::filesystem::path(folder) / name).string();
            std::string error;
            if (!saveFileAtomically(path, render::renderModelSpace(*db, preview, options), error))
                kz::ed::CommandLine::get().stop(L"", kz::utf8ToWide(error));
        });
}

bool takeValue(const char* command, int argc, char** argv, int& i, std::string& value) {
    if (i + 1 >= argc) {
        std::fprintf(stderr, "kzdim %s: %s needs a value\n", command, argv[i]);
        return false;
    }
    value = argv[++i];
    return true;
}

} // namespace

bool parseRunOptions(const char* command, int argc, char** argv, bool allowScript, RunOptions& o) {
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        std::string lang;
        std::string module;
        bool ok = true;
        if (a == "--script" && allowScript)
            ok = takeValue(command, argc, argv, i, o.script);
        else if (a == "--out")
            ok = takeValue(command, argc, argv, i, o.out);
        else if (a == "--svg")
            ok = takeValue(command, argc, argv, i, o.svg);
        else if (a == "--frames")
            ok = takeValue(command, argc, argv, i, o.frames);
        else if (a == "--ini")
            ok = takeValue(command, argc, argv, i, o.ini);
        else if (a == "--no-addins")
            o.bundled = false;
        else if (a == "--load") {
            ok = takeValue(command, argc, argv, i, module);
            o.load.push_back(module);
        } else if (a == "--scale") {
            std::string text;
            ok = takeValue(command, argc, argv, i, text);
            char* end = nullptr;
            double v = ok ? std::strtod(text.c_str(), &end) : 0.0;
            if (ok && (text.empty() || *end != 0 || !std::isfinite(v) || v <= 0.0)) {
                std::fprintf(stderr,
                             "kzdim %s: --scale needs a positive number such as 100, not '%s'\n",
                             command, text.c_str());
                return false;
            }
            o.scale = v;
        } else if (a == "--lang") {
            ok = takeValue(command, argc, argv, i, lang);
            char* end = nullptr;
            unsigned long v = ok ? std::strtoul(lang.c_str(), &end, 10) : 0;
            if (ok && (lang.empty() || *end != 0 || v > 0xFFFFFFFFul)) {
                std::fprintf(stderr,
                             "kzdim %s: --lang needs a decimal LCID such as 1041, not '%s'\n",
                             command, lang.c_str());
                return false;
            }
            o.lang = static_cast<unsigned>(v);
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kzdim %s: unknown option '%s' (try kzdim --help)\n", command,
                         a.c_str());
            return false;
        } else if (o.drawing.empty()) {
            o.drawing = a;
        } else {
            std::fprintf(stderr, "kzdim %s: more than one drawing given ('%s')\n", command,
                         a.c_str());
            return false;
        }
        if (!ok)
            return false;
    }
    if (o.drawing.empty()) {
        std::fprintf(stderr, "kzdim %s: no drawing given (a DXF file, or \"new\")\n", command);
        return false;
    }
    return true;
}

int runHost(const RunOptions& o, std::unique_ptr<kz::ed::LineSource> input,
            std::function<void(const std::wstring&)> sink) {
    if (o.lang) {
        kz::setUserUiLanguage(static_cast<LANGID>(*o.lang & 0xFFFF));
        kz::setUserDefaultLangId(static_cast<LANGID>(*o.lang & 0xFFFF));
    }
    if (!o.ini.empty()) {
        std::error_code ec;
        std::filesystem::path ini = std::filesystem::absolute(o.ini, ec);
        kz::setHostSetting(kz::kHostIniFileSetting, kz::utf8ToWide(ini.string()));
    }

    auto db = std::make_unique<AcDbDatabase>(o.drawing == "new");
    if (o.drawing != "new") {
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        DrawingReadResult r = readDrawing(o.drawing, *db);
        for (const std::string& w : r.warnings)
            std::fprintf(stderr, "kzdim: warning: %s\n", w.c_str());
        if (!r.ok) {
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
            fail(r.error);
            return 1;
        }
    }

    if (!o.frames.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.frames, ec);
        if (ec || !std::filesystem::is_directory(o.frames)) {
            fail(o.frames + ": cannot make the frames folder");
            return 1;
        }
    }

    kz::ed::startHost(std::move(sink));
    kz::setDragViewScale(o.scale);
    if (!o.frames.empty())
        renderFramesInto(o.frames);
    kz::ed::openDocument(std::move(db), o.drawing == "new" ? L"" : kz::utf8ToWide(o.drawing));

    std::filesystem::path folder = executableFolder();
    std::vector<std::wstring> modules;
    std::string missing;
    for (const char* name : kBundledModules) {
        if (!o.bundled)
            break;
        std::filesystem::path p = folder / name;
        if (std::filesystem::exists(p))
            modules.push_back(kz::utf8ToWide(p.string()));
        else
            missing += missing.empty() ? name : std::string(" and ") + name;
    }
    if (!missing.empty())
        std::fprintf(stderr, "kzdim: %s not found in %s; running without\n", missing.c_str(),
                     folder.string().c_str());
    kz::ed::loadModules(modules); // a module that fails is reported in the transcript
    std::vector<std::wstring> extra;
    for (const std::string& m : o.load)
        extra.push_back(kz::utf8ToWide(m));
    std::vector<std::wstring> failed = kz::ed::loadModules(extra);

    int status = 0;
    if (!failed.empty()) {
        fail("could not load " + kz::wideToUtf8(failed.front()));
        status = 1;
    } else {
        kz::ed::CommandLine::get().setSource(std::move(input));
        if (!kz::ed::runCommandLoop()) {
            fail(kz::wideToUtf8(kz::ed::CommandLine::get().error()));
            status = 1;
        }
    }
    if (status == 0 && !o.out.empty()) {
        std::string error;
        if (!writeDrawing(*kz::ed::documentDatabase(), o.out, error)) {
            fail(error);
            status = 1;
        }
    }
    if (status == 0 && !o.svg.empty()) {
        std::string error;
        std::string svg = render::renderModelSpace(*kz::ed::documentDatabase(), {});
        if (!saveFileAtomically(o.svg, svg, error)) {
            fail(error);
            status = 1;
        }
    }
    kz::ed::endHost();
    return status;
}

} // namespace kz::app
