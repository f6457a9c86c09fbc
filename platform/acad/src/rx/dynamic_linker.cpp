#include "accmd.h"
#include "ed/app_runtime.h"
#include "ed/host_messages.h"
#include "rxregsvc.h"
#include "win_codepage.h"
#include "win_format.h"
#include "win_host_io.h"
#include "win_module.h"
#include "win_wstring.h"

#include <algorithm>

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

namespace kz::ed {

namespace {

std::vector<std::unique_ptr<LoadedApp>>& apps() {
    static std::vector<std::unique_ptr<LoadedApp>> list;
    return list;
}

std::wstring fileNameOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void say(const std::wstring& text) {
    kz::hostWrite(text + L"\n");
}

void reportLoadFailure(const std::wstring& name, const std::wstring& why) {
    say(kz::formatWide(msg(Msg::ModuleLoadFailed), name.c_str(), why.c_str()));
}

void removeApp(LoadedApp* app) {
    if (AcEdCommandStack* stack = acedRegCmds)
        stack->kzRemoveApp(app);
    HMODULE module = app->module;
    std::erase_if(apps(), [&](const auto& p) { return p.get() == app; });
    if (module)
        FreeLibrary(module);
}

} // namespace

const std::vector<std::unique_ptr<LoadedApp>>& loadedApps() {
    return apps();
}

LoadedApp* findLoadedApp(void* appId) {
    for (const auto& a : apps()) {
        if (a.get() == appId)
            return a.get();
    }
    return nullptr;
}

LoadedApp* findLoadedApp(const std::wstring& nameOrPath) {
    std::wstring name = fileNameOf(nameOrPath);
    for (const auto& a : apps()) {
        if (_wcsicmp(a->path.c_str(), nameOrPath.c_str()) == 0 ||
            _wcsicmp(a->name.c_str(), name.c_str()) == 0)
            return a.get();
    }
    return nullptr;
}

AcRx::AppRetCode callEntryPoint(LoadedApp& app, AcRx::AppMsgCode message, bool* threw) {
    if (threw)
        *threw = false;
    void* previous = AcEdCommandStack::kzCurrentApp();
    AcEdCommandStack::kzSetCurrentApp(&app);
    AcRx::AppRetCode result = AcRx::kRetError;
    try {
        result = app.entry(message, &app);
    } catch (...) {
        result = AcRx::kRetError;
        if (threw)
            *threw = true;
    }
    AcEdCommandStack::kzSetCurrentApp(previous);
    return result;
}

void unloadAllApps() {
    while (!apps().empty()) {
        LoadedApp* app = apps().back().get();
        callEntryPoint(*app, AcRx::kUnloadAppMsg);
        removeApp(app);
    }
}

} // namespace kz::ed

using kz::ed::LoadedApp;

bool AcRxDynamicLinker::loadModule(const ACHAR* fileName, bool printit, bool) {
    if (fileName == nullptr || *fileName == 0)
        return false;
    std::wstring path = fileName;
    std::wstring name = kz::ed::fileNameOf(path);
    if (kz::ed::findLoadedApp(path))
        return true;
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        kz::ed::reportLoadFailure(name, kz::utf8ToWide(kz::lastModuleLoadError()));
        return false;
    }
    auto entry = reinterpret_cast<AcRxEntryPointFn>(GetProcAddress(module, "acrxEntryPoint"));
    if (entry == nullptr) {
        FreeLibrary(module);
        kz::ed::reportLoadFailure(name, kz::ed::msg(kz::ed::Msg::ModuleNoEntryPoint));
        return false;
    }
    using VersionFn = int (*)();
    if (auto version = reinterpret_cast<VersionFn>(GetProcAddress(module, "acrxGetApiVersion"));
        version != nullptr && version() != ACRX_API_VERSION) {
        const int built = version();
        FreeLibrary(module);
        kz::ed::reportLoadFailure(
            name, kz::formatWide(kz::ed::msg(kz::ed::Msg::ModuleWrongVersion), built));
        return false;
    }
    auto app = std::make_unique<LoadedApp>();
    app->path = path;
    app->name = name;
    app->module = module;
    app->entry = entry;
    LoadedApp* raw = app.get();
    kz::ed::apps().push_back(std::move(app));
    bool threw = false;
    if (kz::ed::callEntryPoint(*raw, AcRx::kInitAppMsg, &threw) != AcRx::kRetOK) {
        kz::ed::removeApp(raw);
        kz::ed::reportLoadFailure(name, kz::ed::msg(threw ? kz::ed::Msg::ModuleInitThrew
                                                          : kz::ed::Msg::ModuleInitRefused));
        return false;
    }
    if (printit)
        kz::ed::say(kz::formatWide(kz::ed::msg(kz::ed::Msg::ModuleLoaded), name.c_str()));
    return true;
}

bool AcRxDynamicLinker::unloadModule(const ACHAR* fileName, bool printit, bool) {
    if (fileName == nullptr)
        return false;
    LoadedApp* app = kz::ed::findLoadedApp(std::wstring(fileName));
    if (app == nullptr)
        return false;
    if (app->locked) {
        kz::ed::say(kz::formatWide(kz::ed::msg(kz::ed::Msg::ModuleLocked), app->name.c_str()));
        return false;
    }
    std::wstring name = app->name;
    kz::ed::callEntryPoint(*app, AcRx::kUnloadAppMsg);
    kz::ed::removeApp(app);
    if (printit)
        kz::ed::say(kz::formatWide(kz::ed::msg(kz::ed::Msg::ModuleUnloaded), name.c_str()));
    return true;
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
    LoadedApp* app = kz::ed::findLoadedApp(appId);
    if (app == nullptr)
        return false;
    app->locked = false;
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
    LoadedApp* app = kz::ed::findLoadedApp(appId);
    if (app == nullptr)
        return false;
    app->locked = true;
    return true;
}

bool AcRxDynamicLinker::isApplicationLocked(const ACHAR* name) const {
    LoadedApp* app = name ? kz::ed::findLoadedApp(std::wstring(name)) : nullptr;
    return app != nullptr && app->locked;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    LoadedApp* app = kz::ed::findLoadedApp(appId);
    if (app == nullptr)
        return false;
    app->mdiAware = true;
    return true;
}

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    LoadedApp* app = kz::ed::findLoadedApp(appId);
    if (app == nullptr)
        return false;
    app->mdiAware = false;
    return true;
}

void* AcRxDynamicLinker::getModuleHandle(const ACHAR* name) const {
    LoadedApp* app = name ? kz::ed::findLoadedApp(std::wstring(name)) : nullptr;
    return app ? static_cast<void*>(app->module) : nullptr;
}

bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd) {
    return acrxDynamicLinker->loadModule(moduleName, printit, asCmd);
}

bool acrxUnloadModule(const ACHAR* moduleName, bool asCmd) {
    return acrxDynamicLinker->unloadModule(moduleName, false, asCmd);
}

bool acrxUnlockApplication(void* appId) {
    return acrxDynamicLinker->unlockApplication(appId);
}

bool acrxRegisterAppMDIAware(void* appId) {
    return acrxDynamicLinker->registerAppMDIAware(appId);
}
