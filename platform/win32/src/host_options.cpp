#include "host_state.h"
#include "win_host_options.h"

namespace kz {

HostOptions& hostOptions() {
    static HostOptions options;
    return options;
}

void setUserUiLanguage(LANGID language) {
    hostOptions().userUiLanguage = language;
}

void setUserDefaultLangId(LANGID language) {
    hostOptions().userDefaultLangId = language;
}

void setOsVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build) {
    HostOptions& o = hostOptions();
    o.osPlatformId = platformId;
    o.osMajor = major;
    o.osMinor = minor;
    o.osBuild = build;
}

void setCursorPos(LONG x, LONG y) {
    hostOptions().cursorPos = POINT{x, y};
}

void setImmReleaseContextResult(BOOL result) {
    hostOptions().immReleaseContextResult = result;
}

void setNtdllVersionLanguage(LANGID language) {
    hostOptions().ntdllVersionLanguage = language;
}

LANGID ntdllVersionLanguage() {
    return hostOptions().ntdllVersionLanguage;
}

void resetHostOptions() {
    hostOptions() = HostOptions{};
}

} // namespace kz
