#include "ed/command_loop.h"
#include "accmd.h"
#include "acdocman.h"
#include "adscodes.h"
#include "ed/command_line.h"
#include "ed/host_messages.h"
#include "ed/selection_prompt.h"
#include "ed/selection_sets.h"
#include "win_format.h"
#include "win_codepage.h"

#include <exception>
#include <map>

namespace kz::ed {

namespace {

struct Hooks {
    std::map<int, CommandHook> before, after;
    int next = 1;
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

// Hooks may add or remove hooks: each hook present when the call starts is called
// unless it was removed meanwhile.
void callHooks(bool before, const std::wstring& name) {
    auto& list = before ? hooks().before : hooks().after;
    std::map<int, CommandHook> copy = list;
    for (auto& [id, hook] : copy) {
        if (list.count(id))
            hook(name);
    }
}

} // namespace

int addBeforeCommandHook(CommandHook hook) {
    int id = hooks().next++;
    hooks().before[id] = std::move(hook);
    return id;
}

int addAfterCommandHook(CommandHook hook) {
    int id = hooks().next++;
    hooks().after[id] = std::move(hook);
    return id;
}

void removeCommandHook(int id) {
    hooks().before.erase(id);
    hooks().after.erase(id);
}

void clearCommandHooks() {
    hooks().before.clear();
    hooks().after.clear();
}

std::wstring commandNameOf(const std::wstring& typed) {
    std::size_t i = 0;
    while (i < typed.size() && (typed[i] == L'_' || typed[i] == L'.' || typed[i] == L'\''))
        ++i;
    return typed.substr(i);
}

void runCommand(const AcEdCommand& command) {
    // The command may remove itself (removeGroup) while it runs.
    const std::wstring name = command.globalName();
    const AcRxFunctionPtr function = command.functionAddr();
    const bool usesPickSet = (command.commandFlags() & ACRX_CMD_USEPICKSET) != 0;
    void* const app = command.commandApp();
    const HINSTANCE resources = command.resourceHandle();

    CommandLine& cl = CommandLine::get();
    cl.takeInitGet();
    SelectionSets::get().commandStarting(usesPickSet);
    callHooks(true, name);

    void* previousApp = AcEdCommandStack::kzCurrentApp();
    AcEdCommandStack::kzSetCurrentApp(app);
    cl.enterCommand();
    // A command registered with a resource module loads its resources from it.
    if (resources)
        acDocManager->pushResourceHandle(resources);
    std::wstring failure;
    try {
        function();
    } catch (const std::exception& e) {
        failure = kz::utf8ToWide(e.what());
    } catch (...) {
        failure = L"unknown exception";
    }
    if (resources)
        acDocManager->popResourceHandle();
    cl.leaveCommand();
    AcEdCommandStack::kzSetCurrentApp(previousApp);
    if (!failure.empty()) {
        cl.transcript().newLine();
        cl.transcript().write(
            kz::formatWide(msg(Msg::CommandFailed), name.c_str(), failure.c_str()) + L"\n");
        cl.stop(cl.lastWhere(), L"command " + name + L" failed: " + failure);
    }
    SelectionSets::get().commandEnded(usesPickSet);
    callHooks(false, name);
}

bool runCommandLoop() {
    CommandLine& cl = CommandLine::get();
    std::wstring lastCommand;
    while (!cl.stopped()) {
        cl.transcript().newLine();
        Input in = cl.read(msg(Msg::CommandPrompt));
        if (in.kind == InputKind::End)
            break;
        if (in.kind == InputKind::Cancel) {
            cl.transcript().write(std::wstring(msg(Msg::Cancel)) + L"\n");
            SelectionSets::get().setPickFirst({});
            continue;
        }
        std::wstring typed = in.kind == InputKind::Enter ? lastCommand : in.text;
        if (typed.empty())
            continue;
        if (in.kind == InputKind::Text && selectAtCommandPrompt(in))
            continue;
        AcEdCommandStack* stack = acedRegCmds;
        const AcEdCommand* command = stack ? stack->kzFind(commandNameOf(typed)) : nullptr;
        if (command == nullptr) {
            Refusal refusal{kz::formatWide(msg(Msg::UnknownCommand), typed.c_str()),
                            L"a command name"};
            if (!cl.refuse(in, refusal))
                break;
            continue;
        }
        lastCommand = command->globalName();
        runCommand(*command);
    }
    cl.transcript().newLine();
    return !cl.stopped();
}

} // namespace kz::ed
