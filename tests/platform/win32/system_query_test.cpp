#include "windows.h"

#include <gtest/gtest.h>

namespace {

class SystemQuery : public testing::Test {
protected:
    void TearDown() override { kz::resetHostOptions(); }
};

TEST_F(SystemQuery, VersionDefaultsToWindows10AndFollowsTheHost) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(info.dwMajorVersion, 10u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_STREQ(info.szCSDVersion, L"");

    kz::setOsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222);
    OSVERSIONINFOW windows98{};
    windows98.dwOSVersionInfoSize = kz::kWindowsSizeOfOsVersionInfo; // as code for Windows sets it
    ASSERT_TRUE(GetVersionExW(&windows98));
    EXPECT_EQ(windows98.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(windows98.dwMajorVersion, 4u);
    EXPECT_EQ(windows98.dwMinorVersion, 10u);
    EXPECT_EQ(windows98.dwBuildNumber, 2222u);

    OSVERSIONINFOEXW ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&ex)));
    EXPECT_EQ(ex.wProductType, 1);
}

TEST_F(SystemQuery, VersionRefusesAnUnknownStructureSize) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = 0;
    EXPECT_FALSE(GetVersionExW(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    info.dwOSVersionInfoSize = 275;
    EXPECT_FALSE(GetVersionExW(&info));
    EXPECT_FALSE(GetVersionExW(nullptr));
}

TEST_F(SystemQuery, LanguagesDefaultToJapanese) {
    EXPECT_EQ(GetUserDefaultUILanguage(), 1041);
    EXPECT_EQ(GetUserDefaultLangID(), 1041);
    kz::setUserUiLanguage(1033);
    kz::setUserDefaultLangId(3076);
    EXPECT_EQ(GetUserDefaultUILanguage(), 1033);
    EXPECT_EQ(GetUserDefaultLangID(), 3076);
    EXPECT_EQ(GetUserDefaultLCID(), 3076u);
    kz::resetHostOptions();
    EXPECT_EQ(GetUserDefaultUILanguage(), 1041);
}

TEST_F(SystemQuery, CursorPosition) {
    POINT p{-1, -1};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 0);
    kz::setCursorPos(640, 480);
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 640);
    EXPECT_EQ(p.y, 480);
    EXPECT_FALSE(GetCursorPos(nullptr));
}

TEST_F(SystemQuery, RegistryReadsWhatTheHostPutThere) {
    const wchar_t* locale = L"Default\\Control Panel\\Desktop\\ResourceLocale";
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, locale, 0, KEY_QUERY_VALUE, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);

    kz::setRegistryString(HKEY_CURRENT_USER, locale, L"", L"00000411");
    kz::setRegistryDword(HKEY_LOCAL_MACHINE, L"Software\\Kz", L"Count", 7);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"default\\CONTROL PANEL\\Desktop\\ResourceLocale",
                            0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    // Size first, then the data; the default value is named by null or "".
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 9 * sizeof(WCHAR));
    WCHAR text[16];
    size = 4;
    EXPECT_EQ(RegQueryValueExW(key, L"", nullptr, &type, reinterpret_cast<LPBYTE>(text), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 9 * sizeof(WCHAR));
    size = sizeof text;
    ASSERT_EQ(RegQueryValueExW(key, L"", nullptr, &type, reinterpret_cast<LPBYTE>(text), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"00000411");
    EXPECT_EQ(RegQueryValueExW(key, L"Other", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    // A closed key is no key any more.
    EXPECT_EQ(RegQueryValueExW(key, L"", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    // Keys above a value's key exist; keys open relative to an open key.
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_READ, &software),
              ERROR_SUCCESS);
    HKEY kz = nullptr;
    ASSERT_EQ(RegOpenKeyExW(software, L"kz", 0, KEY_READ, &kz), ERROR_SUCCESS);
    DWORD count = 0;
    size = sizeof count;
    EXPECT_EQ(
        RegQueryValueExW(kz, L"count", nullptr, &type, reinterpret_cast<LPBYTE>(&count), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count, 7u);
    RegCloseKey(kz);
    RegCloseKey(software);
    // Hives are separate.
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Kz", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        RegOpenKeyExW(reinterpret_cast<HKEY>(std::uintptr_t{0x1234}), L"x", 0, KEY_READ, &key),
        ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"x", 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(SystemQuery, MessageBoxesGoToTheHostSink) {
    std::vector<kz::MessageBoxRecord> boxes;
    kz::setMessageBoxSink([&](const kz::MessageBoxRecord& box) {
        boxes.push_back(box);
        return IDCANCEL;
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"寸法値と経路の長さ一致しません。", L"KzDim", MB_ICONHAND),
              IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDCANCEL);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"寸法値と経路の長さ一致しません。");
    EXPECT_EQ(boxes[0].caption, L"KzDim");
    EXPECT_STREQ(kz::messageBoxIconName(boxes[0].type), "stop");
    EXPECT_EQ(kz::describeMessageBox(boxes[0]), L"[stop] KzDim: 寸法値と経路の長さ一致しません。");
    EXPECT_EQ(boxes[1].caption, L"Error"); // as Windows titles a box without caption
    EXPECT_EQ(kz::describeMessageBox(boxes[1]), L"Error: ");

    // Without a sink: printed to standard error and answered with the default button.
    kz::setMessageBoxSink(nullptr);
    testing::internal::CaptureStderr();
    int answer =
        MessageBoxW(nullptr, L"続けますか", L"KzDim", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[question] KzDim: 続けますか\n");
    EXPECT_EQ(answer, IDNO);
}

TEST_F(SystemQuery, DefaultAnswerIsTheDefaultButton) {
    EXPECT_EQ(kz::defaultMessageBoxAnswer(MB_OK | MB_ICONHAND), IDOK);
    EXPECT_EQ(kz::defaultMessageBoxAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(kz::defaultMessageBoxAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(kz::defaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON3), IDYES); // no third button
    EXPECT_EQ(kz::defaultMessageBoxAnswer(MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(kz::defaultMessageBoxAnswer(0xF), IDOK);
}

} // namespace
