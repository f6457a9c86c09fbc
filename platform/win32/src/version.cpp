#include "win_version.h"

#include "host_state.h"
#include "win_error.h"
#include "win_resource.h"

#include <cstring>

BOOL GetVersionExW(LPOSVERSIONINFOW info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD size = info->dwOSVersionInfoSize;
    const bool full = size == sizeof(OSVERSIONINFOW) || size == sizeof(OSVERSIONINFOEXW);
    const bool windowsSize =
        size == kz::kWindowsSizeOfOsVersionInfo || size == kz::kWindowsSizeOfOsVersionInfoEx;
    if (!full && !windowsSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const kz::HostOptions& o = kz::hostOptions();
    info->dwMajorVersion = o.osMajor;
    info->dwMinorVersion = o.osMinor;
    info->dwBuildNumber = o.osBuild;
    info->dwPlatformId = o.osPlatformId;
    info->szCSDVersion[0] = 0; // no service pack
    if (size == sizeof(OSVERSIONINFOEXW)) {
        auto* ex = reinterpret_cast<OSVERSIONINFOEXW*>(info);
        ex->wServicePackMajor = 0;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = 0x100; // VER_SUITE_SINGLEUSERTS
        ex->wProductType = 1;   // VER_NT_WORKSTATION
        ex->wReserved = 0;
    }
    return TRUE;
}

LANGID GetUserDefaultUILanguage() {
    return kz::hostUiLanguage();
}

LANGID GetUserDefaultLangID() {
    return kz::hostOptions().userDefaultLangId;
}

LCID GetUserDefaultLCID() {
    return kz::hostOptions().userDefaultLangId;
}

LANGID GetSystemDefaultLangID() {
    return kz::hostOptions().userDefaultLangId;
}
