// A scratch directory for tests that work on real files, removed with its contents.
#pragma once

#include "win_codepage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDir {
public:
    TempDir() {
        std::string tmpl = testing::TempDir() + "kz_test_XXXXXX";
        if (!mkdtemp(tmpl.data()))
            ADD_FAILURE() << "cannot create a scratch directory in " << testing::TempDir();
        path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::wstring wfile(const std::string& name) const { return kz::utf8ToWide(file(name)); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string sjis(const std::wstring& text) {
    return kz::encodeCodePage(text, "932").value();
}
inline std::string utf16le(const std::wstring& text) {
    return kz::encodeCodePage(text, "UTF-16LE").value();
}
