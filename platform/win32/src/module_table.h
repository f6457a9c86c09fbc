// The process's table of modules: what LoadLibraryW loaded, the built-in system
// modules, the host executable and libraries the system loaded. Resource functions
// use it to turn an HMODULE back into its record.
#pragma once

#include "module_record.h"
#include "win_types.h"

#include <mutex>

namespace kz {

// Module table operations hold this lock, including while DllMain runs (a module's
// DllMain may call the module functions again, so it is recursive).
std::recursive_mutex& moduleTableLock();

// The record of a live module handle; null for any other value, never a crash. A null
// handle is not resolved here (each caller decides what null means).
ModuleRecord* findModule(HMODULE module);
// True for "ntdll.dll" and "imm32.dll", which have no file.
bool isBuiltinModule(HMODULE module);
// The host executable's record.
ModuleRecord& executableModule();

} // namespace kz
