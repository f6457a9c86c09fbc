#include "dxf/dxf_error.h"

#include <cstdio>

namespace kz::dxf {

DxfError makeDxfError(std::string_view fileName, std::uint32_t line, DxfProblem problem,
                      std::string_view what) {
    DxfError e;
    e.problem = problem;
    e.line = line;
    e.message.reserve(fileName.size() + what.size() + 16);
    e.message.append(fileName);
    if (line != 0) {
        e.message.push_back(':');
        e.message.append(std::to_string(line));
    }
    e.message.append(": ");
    e.message.append(what);
    return e;
}

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t len = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 ? 2 : 0;
    if (len == 0 || b0 > 0xF4 || i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    return len;
}

} // namespace

std::string quoteForMessage(std::string_view text) {
    constexpr std::size_t kMax = 40;
    std::string out = "\"";
    std::size_t i = 0;
    while (i < text.size() && i < kMax) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        if (c >= 0x80) {
            if (std::size_t len = utf8SequenceLength(text, i)) {
                out.append(text.substr(i, len));
                i += len;
                continue;
            }
        }
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out.append(buf);
        }
        ++i;
    }
    out.push_back('"');
    if (i < text.size())
        out.append("...");
    return out;
}

} // namespace kz::dxf
