#include "host_state.h"
#include "win_host_options.h"
#include "win_resource.h"

namespace kz {

HostOptions& hostOptions() {
    static HostOptions options;
    return options;
}

void setUserUiLanguage(LANGID language) {
    setHostUiLanguage(language);
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

void resetHostOptions() {
    hostOptions() = HostOptions{};
    setHostUiLanguage(1041);
    overrideSystemVersionLanguages(std::nullopt);
}

} // namespace kz
