#include "module_table.h"
#include "testlib.h"
#include "win_resource.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::wstring kBinDir = kz::utf8ToWide(KZ_BIN_DIR);
const std::wstring kTestLib = kBinDir + L"/KzTestLib.arx";

std::vector<std::string> gEvents;
void logEvent(const char* event, HINSTANCE) {
    gEvents.emplace_back(event);
}

template <typename Fn> Fn proc(HMODULE m, const char* name) {
    return reinterpret_cast<Fn>(GetProcAddress(m, name));
}

std::wstring fileNameOf(HMODULE m) {
    wchar_t buf[1024];
    DWORD n = GetModuleFileNameW(m, buf, 1024);
    return std::wstring(buf, n);
}

std::wstring withBackslashes(std::wstring s) {
    for (wchar_t& c : s)
        if (c == L'/')
            c = L'\\';
    return s;
}

TEST(Modules, DllMainAttachesOnceAndDetachesAtTheLastFree) {
    HMODULE h = LoadLibraryW(kTestLib.c_str());
    ASSERT_NE(h, nullptr) << kz::lastModuleLoadError();
    auto info = proc<KzTestAttachInfoFn>(h, "kzTestAttachInfo")();
    EXPECT_EQ(info->attachCount, 1);
    EXPECT_EQ(info->instance, h);
    EXPECT_EQ(info->reserved, nullptr);
    // DllMain could already ask for its own path.
    EXPECT_EQ(std::wstring(info->path), kTestLib);
    EXPECT_EQ(fileNameOf(h), kTestLib);

    kz::ModuleRecord* record = kz::findModule(h);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->baseName, L"KzTestLib.arx");
    EXPECT_EQ(static_cast<const void*>(record->resources),
              reinterpret_cast<const void*>(GetProcAddress(h, "kzResourceTable")));
    EXPECT_NE(record->resources, nullptr);

    EXPECT_EQ(LoadLibraryW(kTestLib.c_str()), h);
    EXPECT_EQ(info->attachCount, 1);
    gEvents.clear();
    proc<KzTestSetLogFn>(h, "kzTestSetLog")(&logEvent);

    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_TRUE(gEvents.empty());
    EXPECT_EQ(GetModuleHandleW(L"kztestlib.ARX"), h);

    EXPECT_TRUE(FreeLibrary(h));
    // Detach runs while the library is still mapped; its static destructors follow.
    EXPECT_EQ(gEvents, (std::vector<std::string>{"detach", "unloaded"}));
    EXPECT_EQ(GetModuleHandleW(L"KzTestLib.arx"), nullptr);
    EXPECT_EQ(kz::findModule(h), nullptr);
    EXPECT_FALSE(FreeLibrary(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Modules, WindowsSpellingsOfThePathFindTheSameModule) {
    HMODULE h = LoadLibraryW(withBackslashes(kTestLib).c_str());
    ASSERT_NE(h, nullptr) << kz::lastModuleLoadError();
    EXPECT_EQ(fileNameOf(h), kTestLib); // reported with '/' separators
    // A drive letter, another ASCII case, a bare name (found beside the executable).
    std::wstring driveAndCase = L"D:" + withBackslashes(kBinDir) + L"\\KZTESTLIB.arx";
    EXPECT_EQ(LoadLibraryW(driveAndCase.c_str()), h);
    EXPECT_EQ(LoadLibraryW(L"kztestlib.arx"), h);
    EXPECT_EQ(GetModuleHandleW(withBackslashes(kTestLib).c_str()), h);
    EXPECT_EQ(proc<KzTestAttachInfoFn>(h, "kzTestAttachInfo")()->attachCount, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(GetModuleHandleW(L"KzTestLib.arx"), nullptr);
}

TEST(Modules, ExportsOfDependenciesAreNotTheModulesOwn) {
    // "Name.dll" finds the build's libName.so.
    HMODULE h = LoadLibraryW((kBinDir + L"\\KzTestPlain.dll").c_str());
    ASSERT_NE(h, nullptr) << kz::lastModuleLoadError();
    EXPECT_EQ(kz::findModule(h)->resources, nullptr);
    EXPECT_EQ(GetProcAddress(h, "kzTestAdd"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(h, "DllMain"), nullptr);
    auto twice = proc<int (*)(int)>(h, "kzTestPlainTwice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(GetModuleHandleW(L"KzTestPlain"), h); // ".dll" assumed
    EXPECT_EQ(GetModuleHandleW(L"kztestplain.DLL"), h);
    EXPECT_TRUE(FreeLibrary(h));
}

TEST(Modules, DllMainRefusingTheAttachFailsTheLoad) {
    setenv("KZ_TESTLIB_REFUSE_ATTACH", "1", 1);
    HMODULE h = LoadLibraryW(kTestLib.c_str());
    unsetenv("KZ_TESTLIB_REFUSE_ATTACH");
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(GetModuleHandleW(L"KzTestLib.arx"), nullptr);
}

TEST(Modules, MissingAndDamagedFilesAreReported) {
    EXPECT_EQ(LoadLibraryW(L"D:\\App\\1033\\KzDim.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(kz::lastModuleLoadError().empty());

    std::string junk = testing::TempDir() + "kz_junk.dll";
    std::ofstream(junk) << "MZ this is no library";
    EXPECT_EQ(LoadLibraryW(kz::utf8ToWide(junk).c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    std::remove(junk.c_str());

    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(LoadLibraryW(L""), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"Kelto.arx"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Modules, BuiltinSystemModulesAnswerTheLanguageProbes) {
    HMODULE ntdll = GetModuleHandleW(L"NTDLL.DLL");
    ASSERT_NE(ntdll, nullptr);
    EXPECT_TRUE(kz::isBuiltinModule(ntdll));
    EXPECT_EQ(GetModuleHandleW(L"ntdll"), ntdll);
    // Its version resource is in the user-interface language.
    auto versionLanguage = [ntdll] {
        LANGID found = 0;
        EnumResourceLanguagesW(
            ntdll, RT_VERSION, MAKEINTRESOURCEW(1),
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) -> BOOL {
                *reinterpret_cast<LANGID*>(param) = language;
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&found));
        return found;
    };
    EXPECT_EQ(versionLanguage(), 1041);
    kz::setUserUiLanguage(1033);
    EXPECT_EQ(versionLanguage(), 1033);
    kz::resetHostOptions();

    HMODULE imm = LoadLibraryW(L"imm32.dll");
    ASSERT_NE(imm, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"IMM32.dll"), imm);
    using ImmReleaseContextFn = BOOL (*)(HWND, void*);
    auto release = proc<ImmReleaseContextFn>(imm, "ImmReleaseContext");
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(release(nullptr, nullptr), 0);
    kz::setImmReleaseContextResult(1);
    EXPECT_EQ(release(nullptr, nullptr), 1);
    kz::resetHostOptions();
    EXPECT_EQ(release(nullptr, nullptr), 0);
    EXPECT_EQ(GetProcAddress(imm, "ImmGetContext"), nullptr);
    EXPECT_TRUE(FreeLibrary(imm));
    EXPECT_EQ(GetModuleHandleW(L"imm32.dll"), imm); // built-ins stay loaded
}

TEST(Modules, ExecutableAndLibrariesTheSystemLoaded) {
    HMODULE exe = GetModuleHandleW(nullptr);
    ASSERT_NE(exe, nullptr);
    std::wstring exePath = fileNameOf(nullptr);
    EXPECT_EQ(exePath, kBinDir + L"/test_platform_win32");
    EXPECT_EQ(fileNameOf(exe), exePath);

    HMODULE win32 = GetModuleHandleW(L"libwin32.so");
    ASSERT_NE(win32, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"Win32.dll"), win32);
    EXPECT_EQ(fileNameOf(win32), kBinDir + L"/libwin32.so");
    // The platform's functions have C++ names.
    EXPECT_EQ(GetProcAddress(win32, "_Z12GetLastErrorv"), reinterpret_cast<FARPROC>(&GetLastError));
    EXPECT_TRUE(FreeLibrary(win32)); // never unloaded
    EXPECT_EQ(GetModuleHandleW(L"libwin32.so"), win32);
}

TEST(Modules, FileNameIsCutToTheBufferAsWindowsDoes) {
    HMODULE win32 = GetModuleHandleW(L"libwin32.so");
    std::wstring path = fileNameOf(win32);
    const DWORD len = static_cast<DWORD>(path.size());
    std::vector<wchar_t> buf(len + 8, L'#');
    EXPECT_EQ(GetModuleFileNameW(win32, buf.data(), len + 1), len);
    EXPECT_EQ(std::wstring(buf.data()), path);
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(win32, buf.data(), len), len);
    EXPECT_EQ(std::wstring(buf.data()), path.substr(0, len - 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetModuleFileNameW(win32, buf.data(), 5), 5u);
    EXPECT_EQ(std::wstring(buf.data()), path.substr(0, 4));
    EXPECT_EQ(GetModuleFileNameW(win32, buf.data(), 0), 0u);
}

TEST(Modules, ForeignHandlesAreRefusedWithoutCrashing) {
    auto bogus = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x1234));
    EXPECT_EQ(GetProcAddress(bogus, "x"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    wchar_t buf[8];
    EXPECT_EQ(GetModuleFileNameW(bogus, buf, 8), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(FreeLibrary(bogus));
    EXPECT_EQ(kz::findModule(bogus), nullptr);
    EXPECT_EQ(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), reinterpret_cast<LPCSTR>(std::uintptr_t{1})),
        nullptr);
}

} // namespace
