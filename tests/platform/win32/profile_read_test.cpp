#include "temp_dir.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring get(const std::wstring& file, LPCWSTR section, LPCWSTR key, LPCWSTR def = L"<none>") {
    wchar_t buf[512];
    DWORD n = GetPrivateProfileStringW(section, key, def, buf, 512, file.c_str());
    EXPECT_EQ(n, std::wcslen(buf));
    return buf;
}

TEST(ProfileRead, Utf8WithAndWithoutByteOrderMark) {
    TempDir dir;
    writeBytes(dir.file("plain.ini"), "[LANGUAGE]\r\nLCID=1033\r\n");
    writeBytes(dir.file("bom.ini"), "\xEF\xBB\xBF[寸法線]\n文字高さ=2.5\n");
    EXPECT_EQ(get(dir.wfile("plain.ini"), L"LANGUAGE", L"LCID"), L"1033");
    EXPECT_EQ(get(dir.wfile("plain.ini"), L"language", L"lcid"), L"1033");
    EXPECT_EQ(GetPrivateProfileIntW(L"LANGUAGE", L"LCID", 7, dir.wfile("plain.ini").c_str()),
              1033u);
    // The mark is not part of the first section's name.
    EXPECT_EQ(get(dir.wfile("bom.ini"), L"寸法線", L"文字高さ"), L"2.5");
}

TEST(ProfileRead, Utf16LittleEndianWithByteOrderMark) {
    TempDir dir;
    writeBytes(dir.file("u16.ini"), "\xFF\xFE" + utf16le(L"[寸法線]\r\n文字高さ = 0.8\r\n"));
    EXPECT_EQ(get(dir.wfile("u16.ini"), L"寸法線", L"文字高さ"), L"0.8");
}

TEST(ProfileRead, ShiftJisFromJapaneseWindows) {
    TempDir dir;
    writeBytes(dir.file("sjis.ini"),
               sjis(L"[環境設定]\r\nｼｽﾃﾑ=C:\\Kz\\System\r\n[寸法線A]\r\n文字高さ=0.8\r\n"));
    std::wstring f = dir.wfile("sjis.ini");
    EXPECT_EQ(get(f, L"環境設定", L"ｼｽﾃﾑ"), L"C:\\Kz\\System");
    // ASCII letters fold, everything else must match exactly.
    EXPECT_EQ(get(f, L"寸法線a", L"文字高さ"), L"0.8");
    EXPECT_EQ(get(f, L"寸法線Ａ", L"文字高さ"), L"<none>");
    EXPECT_EQ(get(f, L"環境設定", L"システム"), L"<none>"); // full-width is another key
}

TEST(ProfileRead, TrimmingQuotesCommentsAndDuplicates) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "; leading comment\n"
                                  "orphan=before any section\n"
                                  "  [ S ]  \n"
                                  "   key   =   value with spaces   \t\n"
                                  "q1=\"quoted\"\n"
                                  "q2='single'\n"
                                  "q3=\"unbalanced\n"
                                  "q4=\"\n"
                                  "q5=\"a\"b\"\n"
                                  ";hidden=1\n"
                                  "inline=v ; not a comment\n"
                                  "dup=first\n"
                                  "dup=second\n"
                                  "eq=a=b\n"
                                  "empty=\n"
                                  "no equals sign\n"
                                  "\n"
                                  "[s]\n"
                                  "later=ignored\n");
    std::wstring f = dir.wfile("a.ini");
    EXPECT_EQ(get(f, L"S", L"key"), L"value with spaces");
    EXPECT_EQ(get(f, L" s ", L" KEY "), L"value with spaces");
    EXPECT_EQ(get(f, L"S", L"q1"), L"quoted");
    EXPECT_EQ(get(f, L"S", L"q2"), L"single");
    EXPECT_EQ(get(f, L"S", L"q3"), L"\"unbalanced");
    EXPECT_EQ(get(f, L"S", L"q4"), L"\"");
    EXPECT_EQ(get(f, L"S", L"q5"), L"a\"b");
    EXPECT_EQ(get(f, L"S", L";hidden"), L"<none>");
    EXPECT_EQ(get(f, L"S", L"inline"), L"v ; not a comment");
    EXPECT_EQ(get(f, L"S", L"dup"), L"first");
    EXPECT_EQ(get(f, L"S", L"eq"), L"a=b");
    EXPECT_EQ(get(f, L"S", L"empty"), L"");
    EXPECT_EQ(get(f, L"S", L"later"), L"<none>"); // only the first [S] counts
    EXPECT_EQ(get(f, L"S", L"orphan"), L"<none>");
    EXPECT_EQ(get(f, L"S", L"missing", L"dflt  \t"), L"dflt"); // default loses trailing blanks
    EXPECT_EQ(get(f, L"S", L"missing", nullptr), L"");
}

TEST(ProfileRead, ValuesAreCutToTheBuffer) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "[s]\nk=abcdef\n");
    std::wstring f = dir.wfile("a.ini");
    wchar_t buf[8];
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"k", L"", buf, 4, f.c_str()), 3u);
    EXPECT_STREQ(buf, L"abc");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"k", L"", buf, 7, f.c_str()), 6u);
    EXPECT_STREQ(buf, L"abcdef");
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"k", L"", buf, 1, f.c_str()), 0u);
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"x", L"defaultvalue", buf, 8, f.c_str()), 7u);
    EXPECT_STREQ(buf, L"default");
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"k", L"", nullptr, 8, f.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileStringW(L"s", L"k", L"", buf, 0, f.c_str()), 0u);
}

TEST(ProfileRead, SectionAndKeyListsEndWithTwoTerminators) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "[Alpha]\nk1=1\n;c=2\nk2=2\n[]\n[Beta]\n");
    std::wstring f = dir.wfile("a.ini");
    wchar_t buf[32];
    std::wmemset(buf, L'#', 32);
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, L"", buf, 32, f.c_str()), 11u);
    EXPECT_EQ(std::wstring(buf, 12), std::wstring(L"Alpha\0Beta\0\0", 12));
    std::wmemset(buf, L'#', 32);
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, L"", buf, 9, f.c_str()), 7u);
    EXPECT_EQ(std::wstring(buf, 9), std::wstring(L"Alpha\0B\0\0", 9));
    EXPECT_EQ(GetPrivateProfileStringW(L"alpha", nullptr, L"", buf, 32, f.c_str()), 6u);
    EXPECT_EQ(std::wstring(buf, 7), std::wstring(L"k1\0k2\0\0", 7));
    // A section without keys, or none at all, gives the default.
    EXPECT_EQ(GetPrivateProfileStringW(L"Beta", nullptr, L"none", buf, 32, f.c_str()), 4u);
    EXPECT_STREQ(buf, L"none");
    EXPECT_EQ(GetPrivateProfileStringW(L"Gamma", nullptr, L"", buf, 32, f.c_str()), 0u);
}

TEST(ProfileRead, MissingFileGivesTheDefault) {
    TempDir dir;
    EXPECT_EQ(get(dir.wfile("none.ini"), L"s", L"k", L"d"), L"d");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(get(dir.wfile(""), L"s", L"k", L"d"), L"d"); // a directory
    EXPECT_EQ(GetPrivateProfileIntW(L"s", L"k", -3, dir.wfile("none.ini").c_str()),
              static_cast<UINT>(-3));
}

TEST(ProfileRead, IntegersAsWindowsReadsThem) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "[s]\na=12abc\nb=-5\nc=0x1F\nd=abc\ne=\nf=  42\ng=\"7\"\n");
    std::wstring f = dir.wfile("a.ini");
    auto get = [&](LPCWSTR key) { return GetPrivateProfileIntW(L"s", key, 99, f.c_str()); };
    EXPECT_EQ(get(L"a"), 12u);
    EXPECT_EQ(get(L"b"), static_cast<UINT>(-5));
    EXPECT_EQ(get(L"c"), 31u);
    EXPECT_EQ(get(L"d"), 0u);
    EXPECT_EQ(get(L"e"), 99u);
    EXPECT_EQ(get(L"f"), 42u);
    EXPECT_EQ(get(L"g"), 7u);
    EXPECT_EQ(get(L"missing"), 99u);
}

TEST(ProfileRead, DamagedFilesReadWhatTheyCan) {
    TempDir dir;
    const char head[] = "\x00\xFF\xFE\x81 junk \x00\x01\x02\n";
    std::string junk(head, sizeof head - 1);
    junk += "[ok]\nkey=value\n";
    junk += std::string(1 << 20, 'x') + "=long\n"; // a 1 MB line
    junk += "\x81\n[\x82\x00]\nbroken=\x90\n";
    writeBytes(dir.file("junk.ini"), junk);
    EXPECT_EQ(get(dir.wfile("junk.ini"), L"ok", L"key"), L"value");

    // UTF-16LE without a mark: ASCII text with a NUL after every byte still reads.
    std::string u16 = utf16le(L"[s]\nk=v\n");
    writeBytes(dir.file("nomark16.ini"), u16);
    EXPECT_EQ(get(dir.wfile("nomark16.ini"), L"s", L"k"), L"v");

    // Random bytes of every value never stop the reader.
    std::string all;
    for (int i = 0; i < 4096; ++i)
        all.push_back(static_cast<char>((i * 7919) & 0xFF));
    writeBytes(dir.file("random.ini"), all);
    wchar_t buf[64];
    std::wmemset(buf, L'#', 64);
    DWORD n =
        GetPrivateProfileStringW(nullptr, nullptr, L"", buf, 64, dir.wfile("random.ini").c_str());
    ASSERT_LE(n, 62u);
    EXPECT_EQ(buf[n], L'\0'); // a well-formed list, whatever names it found
    EXPECT_EQ(get(dir.wfile("random.ini"), L"s", L"k"), L"<none>");
}

} // namespace
