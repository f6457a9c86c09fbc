// The values behind the host options (win_host_options.h) as the system functions
// read them.
#pragma once

#include "win_types.h"

#include <string>

namespace kz {

struct HostOptions {
    LANGID userUiLanguage = 1041;
    LANGID userDefaultLangId = 1041;
    DWORD osPlatformId = 2; // VER_PLATFORM_WIN32_NT
    DWORD osMajor = 10;
    DWORD osMinor = 0;
    DWORD osBuild = 19045;
    POINT cursorPos{0, 0};
    BOOL immReleaseContextResult = FALSE;
    LANGID ntdllVersionLanguage = 1041;
};

HostOptions& hostOptions();

} // namespace kz
