#include "temp_dir.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::wstring get(const std::wstring& file, LPCWSTR section, LPCWSTR key) {
    wchar_t buf[256];
    GetPrivateProfileStringW(section, key, L"<none>", buf, 256, file.c_str());
    return buf;
}

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProfileWrite, NewFileIsUtf8WithoutMarkAndCrlf) {
    TempDir dir;
    std::wstring f = dir.wfile("new.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"文字高さ", L"2.5", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"矢印タイプ", L"1", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"LANGUAGE", L"LCID", L"1033", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"文字高さ", L"0.8", f.c_str()));
    EXPECT_EQ(readBytes(dir.file("new.ini")), "[寸法線]\r\n文字高さ=0.8\r\n矢印タイプ=1\r\n"
                                              "\r\n[LANGUAGE]\r\nLCID=1033\r\n");
    EXPECT_EQ(get(f, L"寸法線", L"文字高さ"), L"0.8");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"new.ini"}); // no temporary left
}

TEST(ProfileWrite, ShiftJisFileKeepsEverythingElseByteForByte) {
    TempDir dir;
    const std::wstring before = L"; 設定ファイル\r\n"
                                L"[環境設定]\r\n"
                                L"ｼｽﾃﾑ=C:\\Kz\\System\r\n"
                                L"\r\n"
                                L"[寸法線]\r\n"
                                L"  文字高さ = 2.0\r\n"
                                L"; 次は色\r\n"
                                L"寸法線色=256\r\n"
                                L"\r\n"
                                L"; 最後\r\n"
                                L"[LANGUAGE]\r\n"
                                L"LCID=1041";
    writeBytes(dir.file("sjis.ini"), sjis(before));
    std::wstring f = dir.wfile("sjis.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"文字高さ", L"0.8", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"補助線長さ", L"10.0", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"language", L"LCID", L"1033", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"LANGUAGE", L"新", L"値", f.c_str()));
    const std::wstring after = L"; 設定ファイル\r\n"
                               L"[環境設定]\r\n"
                               L"ｼｽﾃﾑ=C:\\Kz\\System\r\n"
                               L"\r\n"
                               L"[寸法線]\r\n"
                               L"  文字高さ = 0.8\r\n" // the key's spelling and spacing stay
                               L"; 次は色\r\n"
                               L"寸法線色=256\r\n"
                               L"補助線長さ=10.0\r\n" // after the last key, before the comment
                               L"\r\n"
                               L"; 最後\r\n"
                               L"[LANGUAGE]\r\n"
                               L"LCID=1033\r\n"
                               L"新=値\r\n";
    EXPECT_EQ(readBytes(dir.file("sjis.ini")), sjis(after));
}

TEST(ProfileWrite, Utf16FileKeepsItsMarkAndLineFeeds) {
    TempDir dir;
    writeBytes(dir.file("u16.ini"), "\xFF\xFE" + utf16le(L"[寸法線]\nA=1\n"));
    std::wstring f = dir.wfile("u16.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"A", L"２", f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"寸法線", L"B", L"3", f.c_str()));
    EXPECT_EQ(readBytes(dir.file("u16.ini")), "\xFF\xFE" + utf16le(L"[寸法線]\nA=２\nB=3\n"));
    EXPECT_EQ(get(f, L"寸法線", L"A"), L"２");
}

TEST(ProfileWrite, Utf8WithMarkStaysSo) {
    TempDir dir;
    writeBytes(dir.file("bom.ini"), "\xEF\xBB\xBF[s]\nk=1");
    EXPECT_TRUE(WritePrivateProfileStringW(L"s", L"j", L"2", dir.wfile("bom.ini").c_str()));
    // The last line gets an ending before the new one; the file's LF is used.
    EXPECT_EQ(readBytes(dir.file("bom.ini")), "\xEF\xBB\xBF[s]\nk=1\nj=2\n");
}

TEST(ProfileWrite, DamagedLinesElsewhereAreNotTouched) {
    TempDir dir;
    // An invalid Shift-JIS byte in a comment: the file is kept as it is but that line.
    std::string bytes = "; \x81\xFF broken\r\n" + sjis(L"[寸法線]\r\n文字高さ=1\r\n");
    writeBytes(dir.file("d.ini"), bytes);
    EXPECT_TRUE(
        WritePrivateProfileStringW(L"寸法線", L"文字高さ", L"2", dir.wfile("d.ini").c_str()));
    EXPECT_EQ(readBytes(dir.file("d.ini")),
              "; \x81\xFF broken\r\n" + sjis(L"[寸法線]\r\n文字高さ=2\r\n"));
}

TEST(ProfileWrite, NullValueDeletesKeyAndNullKeyDeletesSection) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "[a]\nx=1\ny=2\n; note\n[b]\nz=3\n[c]\nw=4\n");
    std::wstring f = dir.wfile("a.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"a", L"X", nullptr, f.c_str()));
    EXPECT_EQ(readBytes(dir.file("a.ini")), "[a]\ny=2\n; note\n[b]\nz=3\n[c]\nw=4\n");
    EXPECT_TRUE(WritePrivateProfileStringW(L"B", nullptr, nullptr, f.c_str()));
    EXPECT_EQ(readBytes(dir.file("a.ini")), "[a]\ny=2\n; note\n[c]\nw=4\n");
    // Deleting what is not there changes nothing and creates nothing.
    EXPECT_TRUE(WritePrivateProfileStringW(L"a", L"missing", nullptr, f.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"missing", nullptr, nullptr, f.c_str()));
    EXPECT_EQ(readBytes(dir.file("a.ini")), "[a]\ny=2\n; note\n[c]\nw=4\n");
    EXPECT_TRUE(WritePrivateProfileStringW(L"a", L"k", nullptr, dir.wfile("none.ini").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
}

TEST(ProfileWrite, RefusesWhatWouldLoseTextOrBreakTheFile) {
    TempDir dir;
    const std::string original = sjis(L"[寸法線]\r\n文字高さ=1\r\n");
    writeBytes(dir.file("s.ini"), original);
    std::wstring f = dir.wfile("s.ini");
    EXPECT_FALSE(WritePrivateProfileStringW(L"寸法線", L"文字高さ", L"\U0001F600", f.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_FALSE(WritePrivateProfileStringW(L"寸法線", L"k", L"two\nlines", f.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(WritePrivateProfileStringW(L"寸法線", L"a=b", L"1", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"x]y", L"k", L"1", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"  ", L"k", L"1", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(nullptr, nullptr, nullptr, f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"s", L"k", L"v", nullptr));
    EXPECT_EQ(readBytes(dir.file("s.ini")), original);
}

TEST(ProfileWrite, WindowsPathsLinksAndPermissions) {
    TempDir dir;
    // A backslash path without drive, and one with a drive letter.
    std::wstring windowsPath = dir.wfile("w.ini");
    for (wchar_t& c : windowsPath)
        if (c == L'/')
            c = L'\\';
    EXPECT_TRUE(WritePrivateProfileStringW(L"s", L"k", L"1", windowsPath.c_str()));
    EXPECT_EQ(get(L"C:" + windowsPath, L"s", L"k"), L"1");

    writeBytes(dir.file("target.ini"), "[s]\nk=1\n");
    chmod(dir.file("target.ini").c_str(), 0600);
    std::filesystem::create_symlink(dir.file("target.ini"), dir.file("link.ini"));
    EXPECT_TRUE(WritePrivateProfileStringW(L"s", L"k", L"2", dir.wfile("link.ini").c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readBytes(dir.file("target.ini")), "[s]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(stat(dir.file("target.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    EXPECT_FALSE(WritePrivateProfileStringW(L"s", L"k", L"1", dir.wfile("no/dir.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(ProfileWrite, WhatCannotBeReadIsNeverReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("dir.ini"));
    EXPECT_FALSE(WritePrivateProfileStringW(L"s", L"k", L"1", dir.wfile("dir.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("dir.ini")));
}

TEST(ProfileWrite, UnreadableFileIsNeverReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    writeBytes(dir.file("locked.ini"), "[s]\nk=1\n");
    chmod(dir.file("locked.ini").c_str(), 0200); // write-only: cannot be read
    EXPECT_FALSE(WritePrivateProfileStringW(L"s", L"j", L"2", dir.wfile("locked.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    chmod(dir.file("locked.ini").c_str(), 0600);
    EXPECT_EQ(readBytes(dir.file("locked.ini")), "[s]\nk=1\n");
}

} // namespace
