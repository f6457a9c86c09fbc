#include "edit/length_text.h"

#include "ApiComn.h"

#include <cmath>
#include <string>

namespace {

// Full-width ASCII forms (U+FF01..U+FF5E) and the ideographic space as ASCII: digits
// typed with the input method on read as digits instead of as no number at all.
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

} // namespace

bool ApplyLengthText(const CString& typed, double& value, int& sideFlag) {
    const std::wstring text = narrowed(typed);
    const std::size_t less = text.find(L'<');
    const std::size_t greater = text.find(L'>');
    int side = 0;
    double result = 0.0;
    if (less != std::wstring::npos) {
        if (less != 0)
            return false;
        side = 1;
        result = value + ApiComn_atof(text.c_str() + 1);
    } else if (greater == std::wstring::npos) {
        double v = ApiComn_atof(text.c_str());
        side = v > 0.0 ? 1 : 0;
        result = std::fabs(v);
    } else {
        if (greater != 0)
            return false;
        side = 0;
        result = value + ApiComn_atof(text.c_str() + 1);
    }
    // "1e999", "inf", "nan", or a sum beyond the largest number: no length to move to.
    if (!std::isfinite(result))
        return false;
    value = result;
    sideFlag = side;
    return true;
}
