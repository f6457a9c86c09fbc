#include "db/ents/mtext_plain.h"

#include <cwchar>

namespace kz {

namespace {

// Codes followed by an argument that ends at a semicolon (font, height, width,
// oblique, tracking, alignment, colour, paragraph) — the stacking code \S too, whose
// argument is kept as a fraction.
bool takesArgument(wchar_t c) {
    switch (c) {
    case L'f':
    case L'F':
    case L'H':
    case L'W':
    case L'Q':
    case L'T':
    case L'A':
    case L'C':
    case L'c':
    case L'p':
        return true;
    default:
        return false;
    }
}

} // namespace

std::wstring mtextPlainText(std::wstring_view s) {
    std::wstring out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}')
            continue; // grouping
        if (c != L'\\' || i + 1 == s.size()) {
            out += c;
            continue;
        }
        wchar_t code = s[++i];
        if (code == L'P' || code == L'X') {
            out += L'\n';
        } else if (code == L'~') {
            out += L' ';
        } else if (code == L'\\' || code == L'{' || code == L'}') {
            out += code;
        } else if (code == L'U' && i + 5 < s.size() && s[i + 1] == L'+') {
            // \U+XXXX: a character by its code point.
            std::wstring hex(s.substr(i + 2, 4));
            wchar_t* end = nullptr;
            unsigned long value = std::wcstoul(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4) {
                out += static_cast<wchar_t>(value);
                i += 5;
            } else {
                out += L"\\U";
            }
        } else if (code == L'S') {
            // Stacked text "\Sup^down;" reads as up/down.
            for (++i; i < s.size() && s[i] != L';'; ++i)
                out += (s[i] == L'^' || s[i] == L'#') ? L'/' : s[i];
        } else if (takesArgument(code)) {
            while (i + 1 < s.size() && s[i + 1] != L';')
                ++i;
            ++i; // the semicolon
        }
        // Other codes (\L \l \O \o \K \k underline, overline, strike-through) switch
        // styles and show nothing.
    }
    return out;
}

} // namespace kz
