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

std::vector<std::wstring> sections(const std::wstring& file) {
    wchar_t buf[256] = {};
    DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"", buf, 256, file.c_str());
    std::vector<std::wstring> names;
    for (const wchar_t* p = buf; p < buf + n && *p; p += wcslen(p) + 1)
        names.emplace_back(p);
    return names;
}

// The files end in half a UTF-16 character: they were cut after an odd number of bytes.
TEST(ProfileDamaged, Utf16FileCutAfterAnOddByteTakesNewKeysOnWholeCharacters) {
    TempDir dir;
    std::wstring f = dir.wfile("odd.ini");
    const std::string cut("\xFF\xFE[\0R\0]\0\r\0\n\0K\0=\0vs\0", 19);
    writeBytes(dir.file("odd.ini"), cut);
    EXPECT_TRUE(WritePrivateProfileStringW(L"New", L"Key", L"12,5", f.c_str()));
    EXPECT_EQ(get(f, L"New", L"Key"), L"12,5");
    EXPECT_TRUE(WritePrivateProfileStringW(L"R", L"Other", L"x", f.c_str()));
    EXPECT_EQ(get(f, L"R", L"Other"), L"x");
    EXPECT_EQ(get(f, L"New", L"Key"), L"12,5");
    EXPECT_EQ(sections(f), (std::vector<std::wstring>{L"R", L"New"}));
    // The lines before the cut one keep their bytes.
    std::string bytes = readBytes(dir.file("odd.ini"));
    EXPECT_EQ(bytes.substr(0, 12), cut.substr(0, 12));
    EXPECT_EQ(bytes.size() % 2, 0u);
}

TEST(ProfileDamaged, HalfACharacterAfterASectionHeaderDoesNotRenameTheSection) {
    TempDir dir;
    std::wstring f = dir.wfile("header.ini");
    // "[S]" and U+7600, then the first byte of "]": completed by a new line's bytes, it
    // would have made the header "[S]...]" and the section another one.
    writeBytes(dir.file("header.ini"), std::string("\xFF\xFE[\0S\0]\0\0v]", 11));
    EXPECT_TRUE(WritePrivateProfileStringW(L"S", L"Key", L"12,5", f.c_str()));
    EXPECT_EQ(get(f, L"S", L"Key"), L"12,5");
    EXPECT_EQ(sections(f), std::vector<std::wstring>{L"S"});
}

} // namespace
