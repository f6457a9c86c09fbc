// Damaged ini files found by fuzzing the ini reader: each is read and written through
// the profile functions, and what was written reads back.
#include "temp_dir.h"
#include "windows.h"

#include <gtest/gtest.h>

namespace {

std::wstring get(const std::wstring& file, LPCWSTR section, LPCWSTR key) {
    wchar_t buf[256];
    GetPrivateProfileStringW(section, key, L"<none>", buf, 256, file.c_str());
    return buf;
}

TEST(ProfileDamaged, Utf16FileCutAfterAnOddByteTakesNewKeysOnWholeCharacters) {
    TempDir dir;
    std::wstring f = dir.wfile("odd.ini");
    // "[R]\r\nK=" then one character and a lone byte: the file was cut mid-character.
    const std::string cut("\xFF\xFE[\0R\0]\0\r\0\n\0K\0=\0vs\0", 19);
    writeBytes(dir.file("odd.ini"), cut);
    EXPECT_TRUE(WritePrivateProfileStringW(L"New", L"Key", L"12,5", f.c_str()));
    EXPECT_EQ(get(f, L"New", L"Key"), L"12,5");
    EXPECT_TRUE(WritePrivateProfileStringW(L"R", L"Other", L"x", f.c_str()));
    EXPECT_EQ(get(f, L"R", L"Other"), L"x");
    EXPECT_EQ(get(f, L"New", L"Key"), L"12,5");
    // The old bytes stay as they were, the lone byte now a whole character.
    std::string bytes = readBytes(dir.file("odd.ini"));
    EXPECT_EQ(bytes.substr(0, 18), cut.substr(0, 18));
    EXPECT_EQ(bytes.size() % 2, 0u);
}

} // namespace
