// Number conversions and profile reads.
#include "ApiComn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace {

TEST(AtofTest, TheNumberTheTextStartsWith) {
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L""), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"  -3e2x"), -300.0);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(ApiComn_atof(L"1,5"), 1.0); // ',' is no decimal point
}

TEST(AngleTest, RadiansAndDegreesWithoutReduction) {
    EXPECT_DOUBLE_EQ(ApiComn_ConvToAngle(std::numbers::pi), 180.0);
    EXPECT_DOUBLE_EQ(ApiComn_ConvToAngle(-std::numbers::pi / 2), -90.0);
    EXPECT_DOUBLE_EQ(ApiComn_ConvToRadian(720.0), 4 * std::numbers::pi);
}

class GetEnvTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kz-tovix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = (dir / "Kelto.ini").wstring();
        std::ofstream(dir / "Kelto.ini") << "[環境設定]\n"
                                            "ｼｽﾃﾑ=system\\\\\n"
                                            "ABS=/opt/kz/system/\n"
                                            "TEXT=some\\value\\\n"
                                            "EMPTY=\n";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::wstring file;
};

TEST_F(GetEnvTest, FolderPathsLoseTrailingSeparatorsAndFollowTheFile) {
    wchar_t buffer[kApiComnEnvBufferSize];
    ASSERT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"ｼｽﾃﾑ"), 0);
    EXPECT_EQ(std::wstring(buffer), (dir / "system").wstring());
    ASSERT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"ABS"), 0);
    EXPECT_STREQ(buffer, L"/opt/kz/system");
    ASSERT_EQ(ApiComn_GetEnv(buffer, 0, file.c_str(), L"環境設定", L"TEXT"), 0);
    EXPECT_STREQ(buffer, L"some\\value\\");
    ASSERT_EQ(ApiComn_GetEnv(buffer, 0, file.c_str(), L"環境設定", L"EMPTY"), 0);
    EXPECT_STREQ(buffer, L"");
}

TEST_F(GetEnvTest, MissingKeysAndFilesGiveAnEmptyBuffer) {
    wchar_t buffer[kApiComnEnvBufferSize] = L"stale";
    EXPECT_EQ(ApiComn_GetEnv(buffer, 1, file.c_str(), L"環境設定", L"NONE"), 1);
    EXPECT_STREQ(buffer, L"");
    std::wstring missing = (dir / "none.ini").wstring();
    wcscpy_s(buffer, L"stale");
    EXPECT_EQ(ApiComn_GetEnv(buffer, 0, missing.c_str(), L"環境設定", L"ｼｽﾃﾑ"), 1);
    EXPECT_STREQ(buffer, L"");
    EXPECT_EQ(ApiComn_GetEnv(buffer, 0, nullptr, L"環境設定", L"ｼｽﾃﾑ"), 1);
}

TEST(GetProcAdrsTest, NullModulesAndNamesFindNothing) {
    EXPECT_EQ(ApiComn_GetProcAdrs(nullptr, L"KZAddinGetIniFile"), nullptr);
    HMODULE self = GetModuleHandleW(L"ntdll.dll");
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(ApiComn_GetProcAdrs(self, nullptr), nullptr);
    EXPECT_EQ(ApiComn_GetProcAdrs(self, L"NoSuchExport"), nullptr);
}

} // namespace
