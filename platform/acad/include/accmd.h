// The command stack: the commands applications register, in groups. The host looks a
// typed name up among the global names (and the local ones), case-insensitively, in
// the groups from the most recently added to the oldest.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "adesk.h"
#include "rxdefs.h"
#include "rxdict.h"
#include "win_types.h"

#include <memory>
#include <string>
#include <vector>

// Command flags.
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
// The objects selected before the command starts (the pick-first set) are handed to
// it: acedSSGet with mode "I" returns them.
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_NOINTERNALLOCK 0x00080000
#define ACRX_CMD_SESSION 0x00200000

class AcEdUIContext;

class AcEdCommand : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommand);

    const ACHAR* globalName() const { return m_global.c_str(); }
    const ACHAR* localName() const { return m_local.c_str(); }
    const ACHAR* groupName() const { return m_group.c_str(); }
    Adesk::Int32 commandFlags() const { return m_flags; }
    AcRxFunctionPtr functionAddr() const { return m_function; }
    AcEdUIContext* UIContext() const { return m_context; }
    int functionCode() const { return m_functionCode; }
    HINSTANCE resourceHandle() const { return m_resource; }
    // The application that registered the command (its id), or null for the host's own.
    void* commandApp() const { return m_app; }

private:
    friend class AcEdCommandStack;
    std::wstring m_group, m_global, m_local;
    Adesk::Int32 m_flags = 0;
    AcRxFunctionPtr m_function = nullptr;
    AcEdUIContext* m_context = nullptr;
    int m_functionCode = -1;
    HINSTANCE m_resource = nullptr;
    void* m_app = nullptr;
};

class AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);
    AcEdCommandStack();
    ~AcEdCommandStack() override;

    // eInvalidInput for a missing group or global name, a name holding a blank, or no
    // handler; eDuplicateKey when the group has the global name already. A null or
    // empty local name is the global name.
    Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                 const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                 AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                 int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                                 AcEdCommand** cmdPtrRet = nullptr);

    // Null when there is no such command. A null group searches every group.
    AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName, const ACHAR* groupName = nullptr) const;
    AcEdCommand* lookupLocalCmd(const ACHAR* cmdName, const ACHAR* groupName = nullptr) const;
    AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroups = true) const;

    // eKeyNotFound when there is no such group or command.
    Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName);
    Acad::ErrorStatus removeGroup(const ACHAR* groupName);

    // Host internals ------------------------------------------------------------
    // The command a typed name runs: global names first, then local ones.
    AcEdCommand* kzFind(const std::wstring& typedName) const;
    // Drops every command the application registered (at its unload).
    void kzRemoveApp(void* app);
    // The application that is running host code at the moment (its entry point or one
    // of its commands); commands added now belong to it.
    static void kzSetCurrentApp(void* app);
    static void* kzCurrentApp();
    // Every command, groups from the newest.
    std::vector<const AcEdCommand*> kzCommands() const;

private:
    struct Group {
        std::wstring name;
        std::vector<std::unique_ptr<AcEdCommand>> commands;
    };
    Group* findGroup(const std::wstring& name);
    const Group* findGroup(const std::wstring& name) const;
    AcEdCommand* lookup(const ACHAR* cmdName, const ACHAR* groupName, bool global) const;
    std::vector<Group> m_groups; // oldest first
};

#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
