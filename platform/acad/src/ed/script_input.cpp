#include "ed/script_input.h"

#include <cmath>
#include <cwctype>
#include <limits>
#include <numbers>

namespace kz::ed {

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Splits at commas; every part must be a number.
std::optional<AcGePoint3d> parseCoordinates(std::wstring_view text) {
    double v[3] = {0.0, 0.0, 0.0};
    int count = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(L',', start);
        std::wstring_view part = text.substr(
            start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start);
        if (count == 3)
            return std::nullopt;
        std::optional<double> d = parseReal(part);
        if (!d)
            return std::nullopt;
        v[count++] = *d;
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    if (count < 2)
        return std::nullopt;
    return AcGePoint3d(v[0], v[1], v[2]);
}

std::optional<AcGeVector3d> parsePolar(std::wstring_view text) {
    std::size_t lt = text.find(L'<');
    if (lt == std::wstring_view::npos)
        return std::nullopt;
    std::optional<double> dist = parseReal(text.substr(0, lt));
    std::optional<double> angle = parseReal(text.substr(lt + 1));
    if (!dist || !angle)
        return std::nullopt;
    double a = *angle * std::numbers::pi / 180.0;
    return AcGeVector3d(*dist * std::cos(a), *dist * std::sin(a), 0.0);
}

} // namespace

std::wstring trimmed(std::wstring_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::wstring(text.substr(b, e - b));
}

bool isCommentLine(std::wstring_view text) {
    std::wstring t = trimmed(text);
    return !t.empty() && t[0] == L'#' && (t.size() == 1 || t[1] == L' ' || t[1] == L'\t');
}

bool isCancelText(std::wstring_view text) {
    static const std::wstring_view kCancel = L"*CANCEL*";
    if (text.size() != kCancel.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::towupper(static_cast<wint_t>(text[i])) != static_cast<wint_t>(kCancel[i]))
            return false;
    }
    return true;
}

std::optional<double> parseReal(std::wstring_view text) {
    std::size_t i = 0, n = text.size();
    if (i < n && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == L'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        if (i < n && (text[i] == L'+' || text[i] == L'-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    std::string ascii(text.begin(), text.end());
    double value = std::strtod(ascii.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(std::wstring_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    if (i == text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<AcGePoint3d> parsePoint(std::wstring_view text, const AcGePoint3d& lastPoint) {
    if (text.empty())
        return std::nullopt;
    bool relative = text[0] == L'@';
    std::wstring_view body = relative ? text.substr(1) : text;
    if (relative && body.empty())
        return lastPoint;
    const AcGePoint3d base = relative ? lastPoint : AcGePoint3d::kOrigin;
    std::optional<AcGePoint3d> p;
    if (body.find(L'<') != std::wstring_view::npos) {
        if (std::optional<AcGeVector3d> v = parsePolar(body))
            p = base + *v;
    } else if ((p = parseCoordinates(body)) && relative) {
        p = base + p->asVector();
    }
    // Each number is finite, but a sum of two large ones may not be: not a point.
    if (p && !(std::isfinite(p->x) && std::isfinite(p->y) && std::isfinite(p->z)))
        return std::nullopt;
    return p;
}

std::optional<AcDbHandle> parseHandleRef(std::wstring_view text) {
    if (text.size() < 2 || text.size() > 17 || text[0] != L'#')
        return std::nullopt;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!std::iswxdigit(static_cast<wint_t>(text[i])))
            return std::nullopt;
    }
    std::wstring hex(text.substr(1));
    AcDbHandle handle(hex.c_str());
    if (handle.isNull())
        return std::nullopt;
    return handle;
}

} // namespace kz::ed
