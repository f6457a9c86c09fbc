#include "frame/language.h"

#include "frame/module_state.h"

#include <cstring>

HINSTANCE LoadLanguageModule(LANGID language) {
    wchar_t modulePath[260] = {};
    if (GetModuleFileNameW(KzModule().ownInstance, modulePath, 260) == 0)
        return nullptr;
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t dir[_MAX_DIR] = {};
    wchar_t name[_MAX_FNAME] = {};
    _wsplitpath(modulePath, drive, dir, name, nullptr);
    CString path;
    path.Format(L"%s%s%d\\%s.dll", drive, dir, static_cast<int>(language), name);
    HINSTANCE module = LoadLibraryW(path);
    if (!module) {
        acutPrintf(L"\nERROR:Resource dll load failed.\n path = %s\n",
                   static_cast<const wchar_t*>(path));
        return nullptr;
    }
    return module;
}

namespace {

struct VersionLanguageState {
    int count = 0;
    LANGID language = 0;
};

BOOL CALLBACK CountVersionLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    auto* state = reinterpret_cast<VersionLanguageState*>(param);
    ++state->count;
    state->language = language;
    return TRUE;
}

// The language of ntdll.dll's version resource; 0 when it cannot be told.
LANGID NtdllVersionLanguage() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll)
        return 0;
    VersionLanguageState state;
    if (!EnumResourceLanguagesW(ntdll, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1),
                                CountVersionLanguage, reinterpret_cast<LONG_PTR>(&state)))
        return 0;
    return (state.count == 1 || state.count == 2) ? state.language : 0;
}

// ImmReleaseContext(0, 0) through imm32.dll: non-zero on the systems where input method
// support is present.
int ImmProbe() {
    HMODULE imm = LoadLibraryW(L"imm32.dll");
    if (!imm)
        return 0;
    int result = 0;
    using ImmReleaseContextFn = BOOL (*)(HWND, void*);
    if (auto fn =
            reinterpret_cast<ImmReleaseContextFn>(ApiComn_GetProcAdrs(imm, L"ImmReleaseContext")))
        result = fn(nullptr, nullptr);
    FreeLibrary(imm);
    return result;
}

} // namespace

LANGID GetSystemUILanguage() {
    OSVERSIONINFOW version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return 0;
    LANGID language = 0;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Default\\Control Panel\\Desktop\\ResourceLocale", 0,
                          KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return GetUserDefaultLangID();
        DWORD type = 0;
        wchar_t value[64] = {};
        DWORD size = sizeof value;
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ)
            language = static_cast<LANGID>(_wtoi(value));
        RegCloseKey(key);
    } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5) {
        language = NtdllVersionLanguage();
        if (language == 1033)
            return ImmProbe() != 0 ? 3076 : 1033;
    } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        language = GetUserDefaultUILanguage();
    } else {
        return GetUserDefaultLangID();
    }
    if (language == 0)
        language = GetUserDefaultLangID();
    return language;
}

void ChooseResourceLanguage() {
    wchar_t text[512] = {};
    GetPrivateProfileStringW(L"LANGUAGE", L"LCID", L"", text, 512, KzModule().iniPath);
    LCID lcid = text[0] != 0 ? static_cast<LCID>(_wtoi(text)) : GetSystemUILanguage();
    LANGID language = LANGIDFROMLCID(lcid);
    KzModuleState& m = KzModule();
    if (language == 0 || language == 1041) {
        if (!m.resourceModule)
            m.resourceModule = m.ownInstance;
        return;
    }
    m.languageModule = LoadLanguageModule(language);
    m.resourceModule = m.languageModule ? m.languageModule : m.ownInstance;
}
