// Applications loaded by the host's dynamic linker, for the host itself: what is
// loaded, and unloading everything when the host exits.
#pragma once

#include "rxdefs.h"
#include "win_types.h"

#include <memory>
#include <string>
#include <vector>

namespace kz::ed {

struct LoadedApp {
    std::wstring path; // as loaded
    std::wstring name; // file name with extension, e.g. "KzDim.arx"
    HMODULE module = nullptr;
    AcRxEntryPointFn entry = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

// In load order. The address of an entry is the application's id.
const std::vector<std::unique_ptr<LoadedApp>>& loadedApps();
LoadedApp* findLoadedApp(void* appId);
LoadedApp* findLoadedApp(const std::wstring& nameOrPath);

// Calls the application's entry point with the current application set to it, so
// that the commands it registers belong to it. Exceptions are caught and count as
// kRetError (threw, when given, tells).
AcRx::AppRetCode callEntryPoint(LoadedApp& app, AcRx::AppMsgCode msg, bool* threw = nullptr);

// At exit: kUnloadAppMsg to every application, newest first, locked or not; then each
// is unloaded and its remaining commands removed.
void unloadAllApps();

} // namespace kz::ed
