// Where Kelto.arx keeps its ini file: the host option, else the user's copy of the
// bundled file, made on first use.
#include "Kelto.h"
#include "KeltoHost.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "win_host_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kz-kelto-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        saveEnv("XDG_CONFIG_HOME", savedXdg);
        saveEnv("HOME", savedHome);
        kz::setHostSetting(kz::kHostIniFileSetting, L"");
    }
    void TearDown() override {
        restoreEnv("XDG_CONFIG_HOME", savedXdg);
        restoreEnv("HOME", savedHome);
        kz::setHostSetting(kz::kHostIniFileSetting, L"");
        fs::remove_all(dir);
    }
    static void saveEnv(const char* name, std::optional<std::string>& slot) {
        const char* v = std::getenv(name);
        slot = v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void restoreEnv(const char* name, const std::optional<std::string>& slot) {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }
    // A bundled folder holding Kelto.ini with this system folder value.
    fs::path bundled(const std::string& systemFolder) {
        fs::path b = dir / "bundle";
        fs::create_directories(b / "system");
        std::ofstream(b / "Kelto.ini") << "; product settings\n[環境設定]\nｼｽﾃﾑ=" << systemFolder
                                       << "\n[LANGUAGE]\nLCID=1041\n[寸法線]\n";
        return b;
    }
    static std::wstring read(const fs::path& file, const wchar_t* section, const wchar_t* key) {
        return std::wstring(DeZeza_GetEnv(file.wstring().c_str(), section, key).view());
    }

    fs::path dir;
    std::optional<std::string> savedXdg, savedHome;
};

TEST_F(IniFileTest, TheCopyNamesTheBundledSystemFolderAbsolutely) {
    fs::path user = dir / "config" / "kzdim";
    fs::path ini = kz::kelto::ensureUserIniFile(bundled("system"), user);
    EXPECT_EQ(ini, user / "Kelto.ini");
    ASSERT_TRUE(fs::exists(ini));
    EXPECT_EQ(read(ini, L"環境設定", L"ｼｽﾃﾑ"), (dir / "bundle" / "system").wstring());
    EXPECT_EQ(read(ini, L"LANGUAGE", L"LCID"), L"1041");

    // The user's file is never replaced once it exists.
    DeZeza_writeConfig(L"寸法線", L"文字高さ", L"3", ini.wstring().c_str());
    kz::kelto::ensureUserIniFile(bundled("elsewhere"), user);
    EXPECT_EQ(read(ini, L"寸法線", L"文字高さ"), L"3");
    EXPECT_EQ(read(ini, L"環境設定", L"ｼｽﾃﾑ"), (dir / "bundle" / "system").wstring());
}

TEST_F(IniFileTest, AnAbsoluteSystemFolderIsKeptAndAMissingBundleMakesNoFile) {
    fs::path user = dir / "u";
    fs::path ini = kz::kelto::ensureUserIniFile(bundled("/opt/product/system"), user);
    EXPECT_EQ(read(ini, L"環境設定", L"ｼｽﾃﾑ"), L"/opt/product/system");

    fs::path nowhere = kz::kelto::ensureUserIniFile(dir / "no-bundle", dir / "v");
    EXPECT_EQ(nowhere, dir / "v" / "Kelto.ini");
    EXPECT_FALSE(fs::exists(nowhere));
}

TEST_F(IniFileTest, TheUserFolderFollowsXdgConfigHomeElseHome) {
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    setenv("HOME", (dir / "home").c_str(), 1);
    EXPECT_EQ(kz::kelto::userConfigFolder(), dir / "xdg" / "kzdim");
    setenv("XDG_CONFIG_HOME", "relative/path", 1); // not absolute: ignored
    EXPECT_EQ(kz::kelto::userConfigFolder(), dir / "home" / ".config" / "kzdim");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(kz::kelto::userConfigFolder(), dir / "home" / ".config" / "kzdim");
}

TEST_F(IniFileTest, TheServiceAnswersTheHostOptionElseTheUsersCopy) {
    kz::setHostSetting(kz::kHostIniFileSetting, L"/data/site/Kelto.ini");
    EXPECT_STREQ(KZAddinGetIniFile(), L"/data/site/Kelto.ini");

    kz::setHostSetting(kz::kHostIniFileSetting, L"");
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    fs::path expected = dir / "kzdim" / "Kelto.ini";
    EXPECT_EQ(std::wstring(KZAddinGetIniFile()), expected.wstring());
    ASSERT_TRUE(fs::exists(expected));
    // The bundled files lie beside Kelto.arx; the system folder holds KzConfig.ini.
    wchar_t systemFolder[kApiComnEnvBufferSize];
    ASSERT_EQ(ApiComn_GetEnv(systemFolder, 1, expected.wstring().c_str(), L"環境設定", L"ｼｽﾃﾑ"), 0);
    EXPECT_EQ(fs::path(systemFolder), kz::kelto::bundledIniFolder() / "system");
    EXPECT_EQ(read(fs::path(systemFolder) / "KzConfig.ini", L"寸法線", L"黒丸サイズ"), L"1.5");
    EXPECT_EQ(read(expected, L"LANGUAGE", L"LCID"), L"1041");
}

} // namespace
