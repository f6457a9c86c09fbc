// The Windows version and the user's languages, as the host options set them
// (win_host_options.h).
#pragma once

#include "win_types.h"

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};
struct OSVERSIONINFOEXW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
using LPOSVERSIONINFOW = OSVERSIONINFOW*;
using OSVERSIONINFO = OSVERSIONINFOW;
using OSVERSIONINFOEX = OSVERSIONINFOEXW;

// The sizes of the two structures with a 16-bit WCHAR, which code written for Windows
// may put in dwOSVersionInfoSize instead of sizeof.
namespace kz {
inline constexpr DWORD kWindowsSizeOfOsVersionInfo = 276;
inline constexpr DWORD kWindowsSizeOfOsVersionInfoEx = 284;
} // namespace kz

// dwOSVersionInfoSize must be the size of either structure, on this platform or on
// Windows; anything else fails with ERROR_INSUFFICIENT_BUFFER. With a Windows size only
// the fields that fit in that many bytes are written. The service pack is always none.
BOOL GetVersionExW(LPOSVERSIONINFOW info);
LANGID GetUserDefaultUILanguage();
LANGID GetUserDefaultLangID();
LCID GetUserDefaultLCID();
LANGID GetSystemDefaultLangID();

#define GetVersionEx GetVersionExW
