// Number conversions and profile reads.
#include "ApiComn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace {

TEST(NumbersTest, AtofTakesTheNumberTheTextStartsWith) {
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L""), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"  -3e2x"), -300.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"1,5"), 1.0); // ',' is no decimal point
    EXPECT_DOUBLE_EQ(ApiComn_ConvToAngle(-std::numbers::pi / 2), -90.0);
    EXPECT_DOUBLE_EQ(ApiComn_ConvToRadian(720.0), 4 * std::numbers::pi);
}

TEST(GetEnvTest, FolderPathsLoseTrailingSeparatorsAndFollowTheFile) {
    char pattern[] = "/tmp/kz-tovix-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path dir = pattern;
    std::ofstream(dir / "Kelto.ini") << "[環境設定]\nｼｽﾃﾑ=system\\\\\nABS=/opt/kz/\nTEXT=a\\b\\\n";
    std::wstring file = (dir / "Kelto.ini").wstring();
    wchar_t buffer[kApiComnEnvBufferSize];
    ASSERT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"ｼｽﾃﾑ"), 0);
    EXPECT_EQ(std::wstring(buffer), (dir / "system").wstring());
    ASSERT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"ABS"), 0);
    EXPECT_STREQ(buffer, L"/opt/kz");
    ASSERT_EQ(ApiComn_GetEnv(buffer, 0, file.c_str(), L"環境設定", L"TEXT"), 0);
    EXPECT_STREQ(buffer, L"a\\b\\");
    EXPECT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"NONE"), 1);
    EXPECT_STREQ(buffer, L"");
    std::filesystem::remove_all(dir);
}

} // namespace
