#include "ed/host_session.h"
#include "ed/app_runtime.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/drag_input.h"
#include "ed/drawing_view.h"
#include "ed/host_windows.h"
#include "ed/selection_sets.h"

#include "accmd.h"
#include "acedads.h"
#include "rxregsvc.h"
#include "win_format.h"
#include "win_host_io.h"
#include "win_host_options.h"

namespace kz::ed {

namespace {

// A message box: one line in the transcript, answered as a user pressing Enter would.
int showMessageBox(const kz::MessageBoxRecord& box) {
    Transcript& t = CommandLine::get().transcript();
    t.newLine();
    t.write(kz::describeMessageBox(box) + L"\n");
    return kz::defaultMessageBoxAnswer(box.type);
}

std::wstring colourText(COLORREF c) {
    return kz::formatWide(L"#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
}

// What is drawn on a window goes into the transcript; setting up pens, brushes and
// device contexts does not.
void recordDrawing(const kz::GdiRecord& r) {
    const wchar_t* what = nullptr;
    switch (r.op) {
    case kz::GdiOp::LineTo:
        what = L"line";
        break;
    case kz::GdiOp::Polyline:
        what = L"polyline";
        break;
    case kz::GdiOp::Polygon:
        what = L"polygon";
        break;
    default:
        return;
    }
    std::wstring text = L"[draw " + std::wstring(what);
    for (const POINT& p : r.points)
        text += kz::formatWide(L" %d,%d", static_cast<int>(p.x), static_cast<int>(p.y));
    text += L" pen " + colourText(r.penColor);
    if (r.op == kz::GdiOp::Polygon)
        text += r.brushHollow ? L" hollow" : L" fill " + colourText(r.brushColor);
    Transcript& t = CommandLine::get().transcript();
    t.newLine();
    t.write(text + L"]\n");
}

} // namespace

void startHost(std::function<void(const std::wstring&)> sink) {
    CommandLine& cl = CommandLine::get();
    cl.reset();
    cl.transcript().setSink(std::move(sink));
    drawingView() = DrawingView();
    createHostWindows();
    SelectionSets::get().reset();
    clearCommandHooks();
    resetDocumentManager();
    setDragFrameSink({});
    acedSSSetKwordCallbackPtr(nullptr);
    acedRegCmds->removeGroup(L"ACAD_MAIN");
    registerHostCommands();
    kz::setHostTextWriter(
        [](const std::wstring& text) { CommandLine::get().transcript().write(text); });
    kz::setHostLineReader(
        [](const std::wstring& prompt) { return CommandLine::get().readDialogLine(prompt); });
    kz::setMessageBoxSink(showMessageBox);
    kz::setGdiSink(recordDrawing);
    kz::setHostInputErrorHandler([](const std::wstring& message) {
        CommandLine& line = CommandLine::get();
        line.transcript().newLine();
        line.transcript().write(message + L"\n");
        if (!line.interactive())
            line.stop(line.lastWhere(), message);
    });
}

void endHost() {
    closeDocument();
    unloadAllApps();
    destroyHostWindows();
    kz::setHostTextWriter({});
    kz::setHostLineReader({});
    kz::setHostInputErrorHandler({});
    kz::setMessageBoxSink({});
    kz::setGdiSink({});
    CommandLine::get().transcript().setSink({});
}

std::vector<std::wstring> loadModules(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> failed;
    for (const std::wstring& path : paths) {
        if (!acrxDynamicLinker->loadModule(path.c_str(), false))
            failed.push_back(path);
    }
    return failed;
}

} // namespace kz::ed
