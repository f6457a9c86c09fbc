// What the host (the kzdim command, the tests) sets to play the machine the module
// runs on: languages, Windows version, cursor, registry, and where message boxes and
// GDI drawing go. The defaults are a Japanese Windows 10.
#pragma once

#include "win_types.h"

namespace kz {

// GetUserDefaultUILanguage / GetUserDefaultLangID; default 1041 (Japanese). The
// user-interface language is also the one resources are preferred in and, unless
// overridden (win_resource.h), the language of the version resource of "ntdll.dll"
// (setUserUiLanguage is setHostUiLanguage).
void setUserUiLanguage(LANGID language);
void setUserDefaultLangId(LANGID language);
// GetVersionExW; default platform 2 (VER_PLATFORM_WIN32_NT), 10.0, build 19045.
void setOsVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build = 19045);
// GetCursorPos, in screen pixels; default (0, 0).
void setCursorPos(LONG x, LONG y);
// What ImmReleaseContext of the built-in "imm32.dll" returns; default 0.
void setImmReleaseContextResult(BOOL result);

// Every option back to its default.
void resetHostOptions();

} // namespace kz
