#include "frame/commands.h"

#include "frame/module_state.h"

namespace {

// Registers one command. With a string id other than 0xFFFFFFFF the local name is
// loaded from the module itself (the resource module is not chosen yet).
void AddKzCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                  Adesk::Int32 flags, AcRxFunctionPtr handler, Adesk::UInt32 localNameId) {
    wchar_t loaded[64] = {};
    if (localNameId != 0xFFFFFFFF) {
        LoadStringW(KzModule().ownInstance, localNameId, loaded, 64);
        localName = loaded;
    }
    AcRxObject* registry = acrxSysRegistry()->at(L"ACAD_REGISTERED_COMMANDS");
    if (!registry || !registry->isA()->isDerivedFrom(AcEdCommandStack::desc()))
        return;
    static_cast<AcEdCommandStack*>(registry)->addCommand(group, globalName, localName, flags,
                                                         handler, nullptr, -1, nullptr, nullptr);
}

struct CommandEntry {
    const wchar_t* name;
    Adesk::Int32 flags;
    AcRxFunctionPtr handler;
};

const CommandEntry kCommands[] = {
    {L"KZ_DIM_DIALOG", ACRX_CMD_MODAL, KzDimDialogCommand},
    {L"KZ_DIM_MAKE", ACRX_CMD_MODAL, KzDimMakeCommand},
    {L"KZ_DIM_MOVE", ACRX_CMD_USEPICKSET, KzDimMoveCommand},
    {L"KZ_DIM_EDITTEXT", ACRX_CMD_MODAL, KzDimEditTextCommand},
    {L"KZ_DIM_EDITXLINE", ACRX_CMD_MODAL, KzDimEditXLineCommand},
    {L"KZ_DIM_CONFIG", ACRX_CMD_MODAL, KzDimConfigCommand},
    {L"KZ_DIM_HANDLE", ACRX_CMD_MODAL, KzDimHandleCommand},
};

} // namespace

void RegisterKzCommands() {
    for (const CommandEntry& c : kCommands)
        AddKzCommand(L"VESTRA", c.name, c.name, c.flags, c.handler, 0xFFFFFFFF);
}
