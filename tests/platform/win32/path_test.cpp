#include "windows.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Split {
    wchar_t drive[_MAX_DRIVE];
    wchar_t dir[_MAX_DIR];
    wchar_t fname[_MAX_FNAME];
    wchar_t ext[_MAX_EXT];
    explicit Split(const wchar_t* path) { _wsplitpath(path, drive, dir, fname, ext); }
};

TEST(SplitPath, WindowsPathOfTheModule) {
    Split s(L"D:\\App\\KzDim.arx");
    EXPECT_STREQ(s.drive, L"D:");
    EXPECT_STREQ(s.dir, L"\\App\\");
    EXPECT_STREQ(s.fname, L"KzDim");
    EXPECT_STREQ(s.ext, L".arx");
}

TEST(SplitPath, LinuxAndUnusualPaths) {
    Split linux(L"/opt/kz/build/bin/KzDim.arx");
    EXPECT_STREQ(linux.drive, L"");
    EXPECT_STREQ(linux.dir, L"/opt/kz/build/bin/");
    EXPECT_STREQ(linux.fname, L"KzDim");

    Split dotted(L"C:\\a.b\\name.tar.gz");
    EXPECT_STREQ(dotted.dir, L"\\a.b\\");
    EXPECT_STREQ(dotted.fname, L"name.tar");
    EXPECT_STREQ(dotted.ext, L".gz");

    Split bare(L"noext");
    EXPECT_STREQ(bare.dir, L"");
    EXPECT_STREQ(bare.fname, L"noext");
    EXPECT_STREQ(bare.ext, L"");

    Split dirOnly(L"x:/dir/");
    EXPECT_STREQ(dirOnly.drive, L"x:");
    EXPECT_STREQ(dirOnly.dir, L"/dir/");
    EXPECT_STREQ(dirOnly.fname, L"");
}

TEST(SplitPath, SecureVersionChecksBuffers) {
    wchar_t drive[3], dir[5], fname[16], ext[8];
    EXPECT_EQ(_wsplitpath_s(L"C:\\ab\\f.x", drive, 3, dir, 5, fname, 16, ext, 8), 0);
    EXPECT_EQ(_wsplitpath_s(L"C:\\abc\\f.x", drive, 3, dir, 4, fname, 16, ext, 8), ERANGE);
    EXPECT_STREQ(drive, L""); // every output emptied
    EXPECT_STREQ(fname, L"");
    EXPECT_EQ(_wsplitpath_s(nullptr, drive, 3, dir, 4, fname, 16, ext, 8), EINVAL);
    EXPECT_EQ(_wsplitpath_s(L"a.b", nullptr, 3, nullptr, 0, fname, 16, ext, 8), EINVAL);
    EXPECT_EQ(_wsplitpath_s(L"a.b", nullptr, 0, nullptr, 0, fname, 16, nullptr, 0), 0);
    EXPECT_STREQ(fname, L"a");
    // A directory longer than _MAX_DIR does not overrun the plain version.
    std::wstring longDir = L"/" + std::wstring(300, L'd') + L"/f.x";
    Split tooLong(longDir.c_str());
    EXPECT_STREQ(tooLong.dir, L"");
}

TEST(MakePath, JoinsWithSeparatorsAndDot) {
    wchar_t path[_MAX_PATH];
    _wmakepath(path, L"D", L"\\App", L"KzDim", L"dll");
    EXPECT_STREQ(path, L"D:\\App\\KzDim.dll");
    _wmakepath(path, nullptr, L"/opt/kz", L"KzDim", L".arx");
    EXPECT_STREQ(path, L"/opt/kz/KzDim.arx");
    _wmakepath(path, L"", L"", L"name", nullptr);
    EXPECT_STREQ(path, L"name");
    wchar_t small[6];
    EXPECT_EQ(_wmakepath_s(small, 6, nullptr, L"ab", L"cd", nullptr), 0);
    EXPECT_STREQ(small, L"ab\\cd");
    EXPECT_EQ(_wmakepath_s(small, 6, nullptr, L"ab", L"cde", nullptr), ERANGE);
    EXPECT_STREQ(small, L"");
}

} // namespace
