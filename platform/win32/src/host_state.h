// The values behind the host options (win_host_options.h) as the system functions
// read them.
#pragma once

#include "win_types.h"

#include <string>

namespace kz {

// The user-interface language is kept by the resource functions (hostUiLanguage in
// win_resource.h), which prefer it when they choose a resource.
struct HostOptions {
    LANGID userDefaultLangId = 1041;
    DWORD osPlatformId = 2; // VER_PLATFORM_WIN32_NT
    DWORD osMajor = 10;
    DWORD osMinor = 0;
    DWORD osBuild = 19045;
    POINT cursorPos{0, 0};
    BOOL immReleaseContextResult = FALSE;
    LOGFONTW defaultGuiFont = defaultGuiFontFace();

    static LOGFONTW defaultGuiFontFace();
};

HostOptions& hostOptions();

} // namespace kz
