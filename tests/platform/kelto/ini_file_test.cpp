// Where Kelto.arx keeps its ini file: the host option, else the user's copy of the
// bundled file, made on first use.
#include "ApiComn.h"
#include "DeZeza.h"
#include "Kelto.h"
#include "KeltoHost.h"
#include "win_host_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kz-kelto-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg = xdg ? xdg : "";
    }
    void TearDown() override {
        savedXdg.empty() ? unsetenv("XDG_CONFIG_HOME")
                         : setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
        kz::setHostSetting(kz::kHostIniFileSetting, L"");
        fs::remove_all(dir);
    }
    fs::path bundle(const std::string& systemFolder) {
        fs::create_directories(dir / "bundle");
        std::ofstream(dir / "bundle" / "Kelto.ini")
            << "[環境設定]\nｼｽﾃﾑ=" << systemFolder << "\n[LANGUAGE]\nLCID=1041\n";
        return dir / "bundle";
    }
    static std::wstring read(const fs::path& file, const wchar_t* section, const wchar_t* key) {
        return std::wstring(DeZeza_GetEnv(file.wstring().c_str(), section, key).view());
    }
    fs::path dir;
    std::string savedXdg;
};

TEST_F(IniFileTest, TheCopyNamesTheBundledSystemFolderAndIsNeverReplaced) {
    fs::path ini = kz::kelto::ensureUserIniFile(bundle("system"), dir / "user");
    EXPECT_EQ(ini, dir / "user" / "Kelto.ini");
    EXPECT_EQ(read(ini, L"環境設定", L"ｼｽﾃﾑ"), (dir / "bundle" / "system").wstring());
    EXPECT_EQ(read(ini, L"LANGUAGE", L"LCID"), L"1041");
    DeZeza_writeConfig(L"寸法線", L"文字高さ", L"3", ini.wstring().c_str());
    kz::kelto::ensureUserIniFile(bundle("/opt/kz/system"), dir / "user");
    EXPECT_EQ(read(ini, L"寸法線", L"文字高さ"), L"3");
    // An absolute folder is kept; a missing bundle makes no file.
    fs::path other = kz::kelto::ensureUserIniFile(dir / "bundle", dir / "other");
    EXPECT_EQ(read(other, L"環境設定", L"ｼｽﾃﾑ"), L"/opt/kz/system");
    EXPECT_FALSE(fs::exists(kz::kelto::ensureUserIniFile(dir / "none", dir / "v")));
}

TEST_F(IniFileTest, TheServiceAnswersTheHostOptionElseTheUsersCopy) {
    kz::setHostSetting(kz::kHostIniFileSetting, L"/data/site/Kelto.ini");
    EXPECT_STREQ(KZAddinGetIniFile(), L"/data/site/Kelto.ini");
    kz::setHostSetting(kz::kHostIniFileSetting, L"");
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: HOME decides
    EXPECT_EQ(kz::kelto::userConfigFolder(), fs::path(std::getenv("HOME")) / ".config" / "kzdim");
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    fs::path expected = dir / "kzdim" / "Kelto.ini";
    EXPECT_EQ(std::wstring(KZAddinGetIniFile()), expected.wstring());
    // The bundled files lie beside Kelto.arx; the system folder holds KzConfig.ini.
    wchar_t systemFolder[kApiComnEnvBufferSize];
    ASSERT_EQ(ApiComn_GetEnv(systemFolder, 1, expected.wstring().c_str(), L"環境設定", L"ｼｽﾃﾑ"), 0);
    EXPECT_EQ(fs::path(systemFolder), kz::kelto::bundledIniFolder() / "system");
    EXPECT_EQ(read(fs::path(systemFolder) / "KzConfig.ini", L"寸法線", L"黒丸サイズ"), L"1.5");
}

} // namespace
