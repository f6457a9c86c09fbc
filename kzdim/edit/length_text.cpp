#include "edit/length_text.h"

#include "ApiComn.h"

#include <cmath>
#include <string>

namespace {

// Full-width ASCII forms (U+FF01..U+FF5E) and the ideographic space as ASCII.
std::wstring narrowed(const CString& text) {
    std::wstring out(text.GetString(), static_cast<std::size_t>(text.GetLength()));
    for (wchar_t& c : out) {
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = static_cast<wchar_t>(c - 0xFF01 + 0x21);
        else if (c == 0x3000)
            c = L' ';
    }
    return out;
}

// The number that text starts with (after blanks and a sign): ApiComn_atof reads the
// same, but also takes "inf", "nan" and hexadecimal, and yields 0 for no number at all.
bool readNumber(const std::wstring& text, double& out) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    auto digit = [&](std::size_t k) {
        return k < text.size() && text[k] >= L'0' && text[k] <= L'9';
    };
    if (!digit(i) && !(i < text.size() && text[i] == L'.' && digit(i + 1)))
        return false;
    if (digit(i) && i + 1 < text.size() && (text[i + 1] == L'x' || text[i + 1] == L'X'))
        return false;
    out = ApiComn_atof(text.c_str());
    return std::isfinite(out);
}

} // namespace

bool ApplyLengthText(const CString& typed, double& value, int& sideFlag) {
    std::wstring text = narrowed(typed);
    std::size_t less = text.find(L'<');
    std::size_t greater = text.find(L'>');
    int side = 0;
    double result = 0.0;
    double number = 0.0;
    if (less != std::wstring::npos || greater != std::wstring::npos) {
        // A relative change: the marker must come first, and "<" wins over ">".
        std::size_t marker = less != std::wstring::npos ? less : greater;
        if (marker != 0 || !readNumber(text.substr(1), number))
            return false;
        side = less != std::wstring::npos ? 1 : 0;
        result = value + number;
    } else {
        if (!readNumber(text, number))
            return false;
        side = number > 0.0 ? 1 : 0;
        result = std::fabs(number);
    }
    if (!std::isfinite(result))
        return false;
    value = result;
    sideFlag = side;
    return true;
}
