#include "accmd.h"
#include "win_wstring.h"

#include <algorithm>
#include <cwctype>

ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommand, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

namespace {

bool sameName(const std::wstring& a, const ACHAR* b) {
    return _wcsicmp(a.c_str(), b) == 0;
}

bool validName(const ACHAR* name) {
    if (name == nullptr || *name == 0)
        return false;
    for (const ACHAR* p = name; *p; ++p) {
        if (std::iswspace(static_cast<wint_t>(*p)))
            return false;
    }
    return true;
}

void*& currentApp() {
    static void* app = nullptr;
    return app;
}

} // namespace

AcEdCommandStack::AcEdCommandStack() = default;
AcEdCommandStack::~AcEdCommandStack() = default;

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* cmdGroupName,
                                               const ACHAR* cmdGlobalName,
                                               const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr functionAddr,
                                               AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet) {
    if (cmdPtrRet)
        *cmdPtrRet = nullptr;
    if (!validName(cmdGroupName) || !validName(cmdGlobalName) || functionAddr == nullptr)
        return Acad::eInvalidInput;
    const ACHAR* local =
        (cmdLocalName == nullptr || *cmdLocalName == 0) ? cmdGlobalName : cmdLocalName;
    if (!validName(local))
        return Acad::eInvalidInput;
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr) {
        m_groups.push_back(Group{cmdGroupName, {}});
        group = &m_groups.back();
    }
    for (const auto& c : group->commands) {
        if (sameName(c->m_global, cmdGlobalName))
            return Acad::eDuplicateKey;
    }
    auto cmd = std::make_unique<AcEdCommand>();
    cmd->m_group = group->name;
    cmd->m_global = cmdGlobalName;
    cmd->m_local = local;
    cmd->m_flags = commandFlags;
    cmd->m_function = functionAddr;
    cmd->m_context = UIContext;
    cmd->m_functionCode = fcode;
    cmd->m_resource = hResourceHandle;
    cmd->m_app = currentApp();
    if (cmdPtrRet)
        *cmdPtrRet = cmd.get();
    group->commands.push_back(std::move(cmd));
    return Acad::eOk;
}

AcEdCommandStack::Group* AcEdCommandStack::findGroup(const std::wstring& name) {
    for (Group& g : m_groups) {
        if (sameName(g.name, name.c_str()))
            return &g;
    }
    return nullptr;
}

const AcEdCommandStack::Group* AcEdCommandStack::findGroup(const std::wstring& name) const {
    return const_cast<AcEdCommandStack*>(this)->findGroup(name);
}

AcEdCommand* AcEdCommandStack::lookup(const ACHAR* cmdName, const ACHAR* groupName,
                                      bool global) const {
    if (cmdName == nullptr)
        return nullptr;
    for (auto g = m_groups.rbegin(); g != m_groups.rend(); ++g) {
        if (groupName != nullptr && !sameName(g->name, groupName))
            continue;
        for (const auto& c : g->commands) {
            if (sameName(global ? c->m_global : c->m_local, cmdName))
                return c.get();
        }
    }
    return nullptr;
}

AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const ACHAR* cmdName, const ACHAR* groupName) const {
    return lookup(cmdName, groupName, true);
}

AcEdCommand* AcEdCommandStack::lookupLocalCmd(const ACHAR* cmdName, const ACHAR* groupName) const {
    return lookup(cmdName, groupName, false);
}

AcEdCommand* AcEdCommandStack::lookupCmd(const ACHAR* cmdName, bool globalFlag,
                                         bool allGroups) const {
    if (allGroups || m_groups.empty())
        return lookup(cmdName, nullptr, globalFlag);
    return lookup(cmdName, m_groups.back().name.c_str(), globalFlag);
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* cmdGroupName,
                                              const ACHAR* cmdGlobalName) {
    if (cmdGroupName == nullptr || cmdGlobalName == nullptr)
        return Acad::eInvalidInput;
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr)
        return Acad::eKeyNotFound;
    auto it = std::find_if(group->commands.begin(), group->commands.end(),
                           [&](const auto& c) { return sameName(c->m_global, cmdGlobalName); });
    if (it == group->commands.end())
        return Acad::eKeyNotFound;
    group->commands.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* groupName) {
    if (groupName == nullptr)
        return Acad::eInvalidInput;
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const Group& g) { return sameName(g.name, groupName); });
    if (it == m_groups.end())
        return Acad::eKeyNotFound;
    m_groups.erase(it);
    return Acad::eOk;
}

AcEdCommand* AcEdCommandStack::kzFind(const std::wstring& typedName) const {
    if (AcEdCommand* c = lookup(typedName.c_str(), nullptr, true))
        return c;
    return lookup(typedName.c_str(), nullptr, false);
}

void AcEdCommandStack::kzRemoveApp(void* app) {
    if (app == nullptr)
        return;
    for (Group& g : m_groups) {
        std::erase_if(g.commands, [&](const auto& c) { return c->m_app == app; });
    }
    std::erase_if(m_groups, [](const Group& g) { return g.commands.empty(); });
}

void AcEdCommandStack::kzSetCurrentApp(void* app) {
    currentApp() = app;
}

void* AcEdCommandStack::kzCurrentApp() {
    return currentApp();
}

std::vector<const AcEdCommand*> AcEdCommandStack::kzCommands() const {
    std::vector<const AcEdCommand*> out;
    for (auto g = m_groups.rbegin(); g != m_groups.rend(); ++g) {
        for (const auto& c : g->commands)
            out.push_back(c.get());
    }
    return out;
}
