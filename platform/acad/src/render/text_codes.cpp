#include "render/text_codes.h"

#include <cwctype>

namespace kz::render {

std::wstring plainText(std::wstring_view s) {
    std::wstring out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != L'%' || i + 2 >= s.size() || s[i + 1] != L'%') {
            out += s[i];
            continue;
        }
        const wchar_t code = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(s[i + 2])));
        switch (code) {
        case L'd':
            out += L'\u00B0';
            break;
        case L'p':
            out += L'\u00B1';
            break;
        case L'c':
            out += L'\u2300';
            break;
        case L'%':
            out += L'%';
            break;
        case L'u':
        case L'o':
        case L'k':
            break;
        default:
            if (std::iswdigit(static_cast<wint_t>(code))) {
                // Up to three digits: the character's number.
                unsigned value = 0;
                std::size_t j = i + 2;
                for (; j < s.size() && j < i + 5 && std::iswdigit(static_cast<wint_t>(s[j])); ++j)
                    value = value * 10 + unsigned(s[j] - L'0');
                if (value > 0)
                    out += static_cast<wchar_t>(value);
                i = j - 1;
                continue;
            }
            out += L"%%";
            out += s[i + 2];
        }
        i += 2;
    }
    return out;
}

std::vector<std::wstring> wrapLines(std::wstring_view text, double width,
                                    const std::function<double(std::wstring_view)>& measure) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        std::wstring_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == L'\r')
            paragraph.remove_suffix(1);
        if (!(width > 0) || measure(paragraph) <= width) {
            lines.emplace_back(paragraph);
        } else {
            std::wstring line;
            std::size_t pos = 0;
            while (pos < paragraph.size()) {
                std::size_t space = paragraph.find(L' ', pos);
                if (space == std::wstring_view::npos)
                    space = paragraph.size();
                std::wstring_view word = paragraph.substr(pos, space - pos);
                std::wstring candidate =
                    line.empty() ? std::wstring(word) : line + L' ' + std::wstring(word);
                if (!line.empty() && measure(candidate) > width) {
                    lines.push_back(line);
                    line = word;
                } else {
                    line = std::move(candidate);
                }
                pos = space + 1;
            }
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

} // namespace kz::render
