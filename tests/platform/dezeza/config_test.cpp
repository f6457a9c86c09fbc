// The configuration store on a profile file: found and missing keys, writes that keep
// the rest of the file, and plain profile reads.
#include "DeZeza.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kz-dezeza-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = (dir / "Kelto.ini").wstring();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void writeFile(const std::string& utf8) { std::ofstream(dir / "Kelto.ini") << utf8; }

    std::filesystem::path dir;
    std::wstring file;
};

TEST_F(ConfigTest, ReadGivesZeroOnlyWhenTheKeyIsThere) {
    writeFile("[寸法線]\n文字高さ=2.5\n補助線固定=\n[LANGUAGE]\nLCID=1041\n");
    CString value(L"stale");
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"文字高さ"), 0);
    EXPECT_EQ(value, CString(L"2.5"));
    // A key with an empty value is there; its value is empty.
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"補助線固定"), 0);
    EXPECT_TRUE(value.IsEmpty());
    value = L"stale";
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"矢印タイプ"), 1);
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法", L"文字高さ"), 1);
    std::wstring missing = (dir / "none.ini").wstring();
    EXPECT_EQ(DeZeza_readConfig(value, missing.c_str(), L"寸法線", L"文字高さ"), 1);
    EXPECT_EQ(DeZeza_readConfig(value, nullptr, L"寸法線", L"文字高さ"), -1);
}

TEST_F(ConfigTest, WriteCreatesOrReplacesTheKeyAndKeepsTheRest) {
    writeFile("; settings\n[LANGUAGE]\nLCID=1041\n");
    EXPECT_EQ(DeZeza_writeConfig(L"寸法線", L"文字高さ", L"0.8", file.c_str()), 0);
    EXPECT_EQ(DeZeza_writeConfig(L"寸法線", L"文字高さ", L"2", file.c_str()), 0);
    CString value;
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"文字高さ"), 0);
    EXPECT_EQ(value, CString(L"2"));
    EXPECT_EQ(DeZeza_GetEnv(file.c_str(), L"LANGUAGE", L"LCID"), CString(L"1041"));

    // A new file is made as needed.
    std::wstring fresh = (dir / "sub.ini").wstring();
    EXPECT_EQ(DeZeza_writeConfig(L"寸法線", L"アイソメ寸法", L"0", fresh.c_str()), 0);
    EXPECT_EQ(DeZeza_GetEnv(fresh.c_str(), L"寸法線", L"アイソメ寸法"), CString(L"0"));
    // A folder that does not exist cannot hold the file.
    std::wstring bad = (dir / "no" / "such" / "x.ini").wstring();
    EXPECT_EQ(DeZeza_writeConfig(L"s", L"k", L"v", bad.c_str()), -1);
}

TEST_F(ConfigTest, GetEnvIsEmptyForMissingFilesAndKeys) {
    writeFile("[環境設定]\nｼｽﾃﾑ=/opt/kz/system\n");
    EXPECT_EQ(DeZeza_GetEnv(file.c_str(), L"環境設定", L"ｼｽﾃﾑ"), CString(L"/opt/kz/system"));
    EXPECT_TRUE(DeZeza_GetEnv(file.c_str(), L"環境設定", L"other").IsEmpty());
    std::wstring missing = (dir / "none.ini").wstring();
    EXPECT_TRUE(DeZeza_GetEnv(missing.c_str(), L"環境設定", L"ｼｽﾃﾑ").IsEmpty());
}

TEST(LoadStringTest, AMissingStringLeavesAnEmptyText) {
    wchar_t buffer[8] = L"stale";
    EXPECT_EQ(DeZeza_LoadString(nullptr, 60000, buffer, 8), 0);
    EXPECT_STREQ(buffer, L"");
}

} // namespace
