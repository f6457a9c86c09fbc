// What the module tests see of KzTestLib.arx, through GetProcAddress.
#pragma once

#include "windows.h"

extern "C" {
// Called with "attach", "detach" and "unloaded" (static destruction at unload).
using KzTestLogFn = void (*)(const char* event, HINSTANCE instance);
using KzTestSetLogFn = void (*)(KzTestLogFn log);
// What DllMain saw at DLL_PROCESS_ATTACH: its instance, the reserved argument and the
// module's own path as GetModuleFileNameW gave it from inside DllMain.
struct KzTestAttachInfo {
    int attachCount;
    HINSTANCE instance;
    LPVOID reserved;
    wchar_t path[MAX_PATH];
};
using KzTestAttachInfoFn = const KzTestAttachInfo* (*)();
using KzTestAddFn = int (*)(int, int);
}
