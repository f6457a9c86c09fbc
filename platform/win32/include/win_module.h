// Loading shared libraries as Windows modules. An HMODULE points at the host's record
// of a loaded module. Paths may use '\' or '/'; a drive letter is ignored (this
// platform has one root). A name without a directory is looked for beside the host
// executable, then in the current directory, then where the dynamic linker looks; a
// file name that differs only in ASCII case is found as Windows finds it, and
// "Name.dll" also finds "libName.so" (the name the build gives shared libraries).
// After loading, a module's exported DllMain (extern "C" BOOL DllMain(HINSTANCE, DWORD,
// LPVOID)) is called with DLL_PROCESS_ATTACH; the last FreeLibrary calls it with
// DLL_PROCESS_DETACH before unloading. "ntdll.dll" and "imm32.dll" are built in: always
// loaded, without a file.
#pragma once

#include "win_types.h"

#include <string>

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

using DllMainProc = BOOL (*)(HINSTANCE, DWORD, LPVOID);

// Null on failure with GetLastError ERROR_MOD_NOT_FOUND (no such file),
// ERROR_BAD_EXE_FORMAT (the file is no loadable library) or ERROR_DLL_INIT_FAILED
// (DllMain refused to attach). Loading a module again counts a reference.
HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
// Only the module's own exports are found, not those of the libraries it depends on.
// A null module means the host executable.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// Finds a loaded module by file name (ASCII case ignored; ".dll" is assumed when the
// name has no extension) or by full path; null means the host executable. Libraries
// loaded by the system rather than LoadLibraryW are found too. No reference is counted.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// Copies the module's full path ('/' separators). Returns its length; when the buffer
// is too small, the path cut to size-1 characters, size and ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

#define LoadLibrary LoadLibraryW
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW

namespace kz {

// The dynamic linker's message for the last LoadLibraryW that failed in this thread.
std::string lastModuleLoadError();

} // namespace kz
