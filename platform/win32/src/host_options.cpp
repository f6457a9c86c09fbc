#include "host_state.h"
#include "win_host_options.h"
#include "win_resource.h"

#include <algorithm>
#include <iterator>

namespace kz {

// A neutral face name for the GUI font: the host draws no text with it, and the name
// must stay under 16 characters to survive a copy cut to the Windows structure size.
LOGFONTW HostOptions::defaultGuiFontFace() {
    LOGFONTW f{};
    f.lfHeight = -12;
    f.lfWeight = 400;       // FW_NORMAL
    f.lfCharSet = 1;        // DEFAULT_CHARSET
    f.lfPitchAndFamily = 2; // VARIABLE_PITCH
    const wchar_t face[] = L"Default GUI";
    std::copy(std::begin(face), std::end(face), f.lfFaceName);
    return f;
}

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

void setDefaultGuiFont(const LOGFONTW& font) {
    hostOptions().defaultGuiFont = font;
}

void resetHostOptions() {
    hostOptions() = HostOptions{};
    clearRegistry();
    setMessageBoxSink(nullptr);
    setGdiSink(nullptr);
    setHostUiLanguage(1041);
    overrideSystemVersionLanguages(std::nullopt);
}

} // namespace kz
