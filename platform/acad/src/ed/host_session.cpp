#include "ed/host_session.h"
#include "ed/app_runtime.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/drag_input.h"
#include "ed/selection_sets.h"

#include "acedads.h"
#include "rxregsvc.h"
#include "win_host_io.h"

namespace kz::ed {

void startHost(std::function<void(const std::wstring&)> sink) {
    CommandLine& cl = CommandLine::get();
    cl.reset();
    cl.transcript().setSink(std::move(sink));
    SelectionSets::get().reset();
    clearCommandHooks();
    resetDocumentManager();
    setDragFrameSink({});
    acedSSSetKwordCallbackPtr(nullptr);
    kz::setHostTextWriter([](const std::wstring& text) {
        CommandLine::get().transcript().write(text);
    });
    kz::setHostLineReader([](const std::wstring& prompt) {
        return CommandLine::get().readDialogLine(prompt);
    });
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
    kz::setHostTextWriter({});
    kz::setHostLineReader({});
    kz::setHostInputErrorHandler({});
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
