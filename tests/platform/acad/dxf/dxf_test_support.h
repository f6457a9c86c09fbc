// Shared helpers for the DXF tag layer tests.
#pragma once

#include "dxf/tag_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dxftest {

// Parses text as "t.dxf"; fails the test when it does not parse.
inline kz::dxf::TagFile parseOk(std::string text) {
    kz::dxf::TagFile file;
    kz::dxf::DxfError error;
    EXPECT_TRUE(kz::dxf::parseTagFile("t.dxf", std::move(text), file, error)) << error.message;
    return file;
}

// Parses text expected to be refused; returns the error.
inline kz::dxf::DxfError parseError(std::string text) {
    kz::dxf::TagFile file;
    kz::dxf::DxfError error;
    EXPECT_FALSE(kz::dxf::parseTagFile("t.dxf", std::move(text), file, error));
    EXPECT_TRUE(file.tags().empty());
    return error;
}

inline std::vector<std::pair<int, std::string>> codesAndValues(const kz::dxf::TagFile& f) {
    std::vector<std::pair<int, std::string>> out;
    for (const auto& t : f.tags())
        out.emplace_back(t.code, std::string(t.value));
    return out;
}

} // namespace dxftest
