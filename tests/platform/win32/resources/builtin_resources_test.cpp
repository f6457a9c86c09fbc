// The version resource of the built-in "ntdll.dll", whose language tells a module the
// language of the installation.
#include "module_record.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct LanguageCount {
    int count = 0;
    WORD language = 0;
};

BOOL CALLBACK countLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    auto* state = reinterpret_cast<LanguageCount*>(param);
    ++state->count;
    state->language = language;
    return TRUE;
}

LanguageCount enumerateNtdllVersion() {
    static kz::ModuleRecord ntdll;
    ntdll.baseName = L"ntdll.dll";
    ntdll.resources = kz::builtinModuleResources(L"NTDLL.DLL");
    LanguageCount state;
    EnumResourceLanguagesW(reinterpret_cast<HMODULE>(&ntdll), RT_VERSION, MAKEINTRESOURCEW(1),
                           countLanguage, reinterpret_cast<LONG_PTR>(&state));
    return state;
}

} // namespace

TEST(BuiltinResources, NtdllVersionFollowsHostLanguage) {
    LanguageCount state = enumerateNtdllVersion();
    EXPECT_EQ(state.count, 1);
    EXPECT_EQ(state.language, 1041);

    kz::setHostUiLanguage(1033);
    state = enumerateNtdllVersion();
    EXPECT_EQ(state.count, 1);
    EXPECT_EQ(state.language, 1033);
    kz::setHostUiLanguage(1041);
}

TEST(BuiltinResources, OverrideSimulatesMissingOrManyVersionResources) {
    kz::overrideSystemVersionLanguages(std::vector<LANGID>{});
    EXPECT_EQ(enumerateNtdllVersion().count, 0);
    kz::overrideSystemVersionLanguages(std::vector<LANGID>{1033, 1041, 2052});
    LanguageCount state = enumerateNtdllVersion();
    EXPECT_EQ(state.count, 3);
    EXPECT_EQ(state.language, 2052);
    kz::overrideSystemVersionLanguages(std::nullopt);
    EXPECT_EQ(enumerateNtdllVersion().count, 1);
}

TEST(BuiltinResources, VersionBlockIsAFixedFileInfo) {
    kz::ModuleRecord ntdll;
    ntdll.resources = kz::builtinModuleResources(L"ntdll.dll");
    HMODULE h = reinterpret_cast<HMODULE>(&ntdll);
    HRSRC r = FindResourceW(h, MAKEINTRESOURCEW(1), RT_VERSION);
    ASSERT_NE(r, nullptr);
    const auto* p = static_cast<const BYTE*>(LockResource(LoadResource(h, r)));
    ASSERT_EQ(SizeofResource(h, r), 92u);
    EXPECT_EQ(p[0] | p[1] << 8, 92); // total length
    EXPECT_EQ(p[2] | p[3] << 8, 52); // VS_FIXEDFILEINFO
    EXPECT_EQ(p[6], 'V');            // "VS_VERSION_INFO" in UTF-16
    DWORD signature;
    std::memcpy(&signature, p + 40, 4);
    EXPECT_EQ(signature, 0xFEEF04BDu);
    EXPECT_EQ(kz::builtinModuleResources(L"kernel32.dll"), nullptr);
}
