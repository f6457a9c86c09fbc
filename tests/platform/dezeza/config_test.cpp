// The configuration store on a profile file: found and missing keys, and writes.
#include "DeZeza.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

TEST(ConfigTest, ReadFindsKeysWritesCreateThem) {
    char pattern[] = "/tmp/kz-dezeza-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path dir = pattern;
    std::ofstream(dir / "Kelto.ini") << "[寸法線]\n文字高さ=2.5\n補助線固定=\n";
    std::wstring file = (dir / "Kelto.ini").wstring();
    std::wstring missing = (dir / "none.ini").wstring();

    CString value(L"stale");
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"文字高さ"), 0);
    EXPECT_EQ(value, CString(L"2.5"));
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"補助線固定"), 0); // empty
    EXPECT_TRUE(value.IsEmpty());
    value = L"stale";
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"矢印タイプ"), 1);
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(DeZeza_readConfig(value, missing.c_str(), L"寸法線", L"文字高さ"), 1);
    EXPECT_EQ(DeZeza_readConfig(value, nullptr, L"寸法線", L"文字高さ"), -1);

    EXPECT_EQ(DeZeza_writeConfig(L"寸法線", L"矢印タイプ", L"4", file.c_str()), 0);
    EXPECT_EQ(DeZeza_readConfig(value, file.c_str(), L"寸法線", L"矢印タイプ"), 0);
    EXPECT_EQ(value, CString(L"4"));
    EXPECT_EQ(DeZeza_GetEnv(file.c_str(), L"寸法線", L"文字高さ"), CString(L"2.5"));
    EXPECT_TRUE(DeZeza_GetEnv(missing.c_str(), L"寸法線", L"文字高さ").IsEmpty());
    std::wstring bad = (dir / "no" / "such" / "x.ini").wstring();
    EXPECT_EQ(DeZeza_writeConfig(L"s", L"k", L"v", bad.c_str()), -1);
    std::filesystem::remove_all(dir);
}

} // namespace
