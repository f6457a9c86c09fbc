// Small text helpers shared by the host's own code (not Windows functions).
#pragma once

#include <cwctype>
#include <string>
#include <string_view>

namespace kz {

// The text without blanks around it; the full-width space that Japanese input methods
// type counts as a blank.
inline std::wstring trimBlanks(std::wstring_view s) {
    auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) || c == L'\x3000'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return std::wstring(s);
}

} // namespace kz
