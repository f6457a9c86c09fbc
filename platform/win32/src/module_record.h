// What an HMODULE/HINSTANCE points at: the host's record of one loaded module (a
// shared library, or a built-in system module such as "ntdll.dll").
#pragma once

#include <string>

namespace kz {

struct ResourceTable; // compiled resources of a module (win_resource.h)

struct ModuleRecord {
    std::wstring path;     // full path as loaded, '/' separators
    std::wstring baseName; // file name with extension, matched by GetModuleHandleW
    void* dl = nullptr;    // dlopen handle; null for built-in modules
    int refCount = 0;
    // Found through the exported symbol "kzResourceTable" when the module is loaded;
    // null for a module without resources.
    const ResourceTable* resources = nullptr;
};

} // namespace kz
