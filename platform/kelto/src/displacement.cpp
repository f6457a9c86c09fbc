#include "KeltoHost.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>
#include <string>

namespace kz::kelto {

namespace {

std::wstring_view trim(std::wstring_view s) {
    while (!s.empty() && std::iswspace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && std::iswspace(s.back()))
        s.remove_suffix(1);
    return s;
}

// "a,b" or "a,b,c": each part a whole number.
std::optional<std::vector<double>> numbers(std::wstring_view text) {
    std::vector<double> out;
    while (true) {
        std::size_t comma = text.find(L',');
        std::wstring part(trim(text.substr(0, comma)));
        if (part.empty())
            return std::nullopt;
        wchar_t* end = nullptr;
        double v = std::wcstod(part.c_str(), &end);
        if (end != part.c_str() + part.size() || !std::isfinite(v))
            return std::nullopt;
        out.push_back(v);
        if (comma == std::wstring_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (out.size() < 2 || out.size() > 3)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<AcGeVector3d> parseDisplacement(std::wstring_view text,
                                              const AcGePoint3d& insertionPoint) {
    text = trim(text);
    bool relative = !text.empty() && text.front() == L'@';
    if (relative)
        text.remove_prefix(1);
    std::optional<std::vector<double>> v = numbers(text);
    if (!v)
        return std::nullopt;
    double z = v->size() == 3 ? (*v)[2] : (relative ? 0.0 : insertionPoint.z);
    if (relative)
        return AcGeVector3d((*v)[0], (*v)[1], z);
    return AcGePoint3d((*v)[0], (*v)[1], z) - insertionPoint;
}

} // namespace kz::kelto
