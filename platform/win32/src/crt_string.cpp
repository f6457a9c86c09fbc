#include "win_wstring.h"

#include "win_format.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

bool isAsciiSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// ASCII digits and the full-width digits of East Asian input methods.
int digitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= 0xFF10 && c <= 0xFF19)
        return static_cast<int>(c - 0xFF10);
    return -1;
}

// Reads an optionally signed decimal number, saturating at the given bounds.
std::int64_t readInteger(const wchar_t* s, std::int64_t min, std::int64_t max) {
    if (!s) {
        errno = EINVAL;
        return 0;
    }
    while (isAsciiSpace(*s))
        ++s;
    bool negative = false;
    if (*s == L'+' || *s == L'-') {
        negative = *s == L'-';
        ++s;
    }
    // Accumulate the magnitude as unsigned so that the most negative value fits.
    std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(-(min + 1)) + 1 : static_cast<std::uint64_t>(max);
    std::uint64_t v = 0;
    bool overflow = false;
    for (int d; (d = digitValue(*s)) >= 0; ++s) {
        if (overflow)
            continue;
        if (v > (limit - static_cast<std::uint64_t>(d)) / 10) {
            overflow = true;
            v = limit;
            continue;
        }
        v = v * 10 + static_cast<std::uint64_t>(d);
    }
    if (overflow) {
        errno = ERANGE;
        return negative ? min : max;
    }
    if (negative)
        return v == 0 ? 0 : -static_cast<std::int64_t>(v - 1) - 1;
    return static_cast<std::int64_t>(v);
}

wchar_t foldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
}

int sign(long long d) {
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

} // namespace

int _wtoi(const wchar_t* s) {
    return static_cast<int>(readInteger(s, INT_MIN, INT_MAX));
}

long _wtol(const wchar_t* s) {
    return static_cast<long>(readInteger(s, INT32_MIN, INT32_MAX));
}

__int64 _wtoi64(const wchar_t* s) {
    return readInteger(s, INT64_MIN, INT64_MAX);
}

double _wtof(const wchar_t* s) {
    if (!s) {
        errno = EINVAL;
        return 0.0;
    }
    while (isAsciiSpace(*s))
        ++s;
    // strtod reads as much of the ASCII run as forms a number.
    std::string narrow;
    for (; *s > 0 && *s < 0x80 && !isAsciiSpace(*s); ++s)
        narrow.push_back(static_cast<char>(*s));
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return cLocale ? strtod_l(narrow.c_str(), nullptr, cLocale)
                   : std::strtod(narrow.c_str(), nullptr);
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) {
        errno = EINVAL;
        return INT_MAX;
    }
    for (;; ++a, ++b) {
        wchar_t fa = foldAscii(*a);
        wchar_t fb = foldAscii(*b);
        if (fa != fb || fa == 0)
            return sign(static_cast<long long>(fa) - static_cast<long long>(fb));
    }
}

int _wcsnicmp(const wchar_t* a, const wchar_t* b, std::size_t count) {
    if (count == 0)
        return 0;
    if (!a || !b) {
        errno = EINVAL;
        return INT_MAX;
    }
    for (std::size_t i = 0; i < count; ++i) {
        wchar_t fa = foldAscii(a[i]);
        wchar_t fb = foldAscii(b[i]);
        if (fa != fb || fa == 0)
            return sign(static_cast<long long>(fa) - static_cast<long long>(fb));
    }
    return 0;
}

wchar_t* _wcsupr(wchar_t* s) {
    for (wchar_t* p = s; p && *p; ++p)
        if (*p >= L'a' && *p <= L'z')
            *p -= L'a' - L'A';
    return s;
}

wchar_t* _wcslwr(wchar_t* s) {
    for (wchar_t* p = s; p && *p; ++p)
        *p = foldAscii(*p);
    return s;
}

errno_t wcscpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src) {
    return wcsncpy_s(dest, destSize, src, _TRUNCATE - 1);
}

errno_t wcsncpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src, std::size_t count) {
    if (!dest || destSize == 0)
        return EINVAL;
    if (!src) {
        dest[0] = 0;
        return EINVAL;
    }
    bool truncate = count == _TRUNCATE;
    std::size_t n = wcsnlen(src, truncate ? destSize : count);
    if (n >= destSize) {
        if (!truncate) {
            dest[0] = 0;
            return ERANGE;
        }
        std::wmemcpy(dest, src, destSize - 1);
        dest[destSize - 1] = 0;
        return STRUNCATE;
    }
    std::wmemcpy(dest, src, n);
    dest[n] = 0;
    return 0;
}

errno_t wcscat_s(wchar_t* dest, std::size_t destSize, const wchar_t* src) {
    if (!dest || destSize == 0)
        return EINVAL;
    std::size_t used = wcsnlen(dest, destSize);
    if (!src || used == destSize) {
        dest[0] = 0;
        return EINVAL;
    }
    std::size_t n = std::wcslen(src);
    if (used + n >= destSize) {
        dest[0] = 0;
        return ERANGE;
    }
    std::wmemcpy(dest + used, src, n + 1);
    return 0;
}

int vswprintf_s(wchar_t* buffer, std::size_t size, const wchar_t* format, va_list args) {
    if (!buffer || size == 0)
        return -1;
    if (!format) {
        buffer[0] = 0;
        return -1;
    }
    std::wstring text = kz::formatWideV(format, args);
    if (text.size() >= size) {
        buffer[0] = 0;
        return -1;
    }
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

int swprintf_s(wchar_t* buffer, std::size_t size, const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    int n = vswprintf_s(buffer, size, format, ap);
    va_end(ap);
    return n;
}

int _vsnwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args) {
    if (!format || (!buffer && count > 0))
        return -1;
    std::wstring text = kz::formatWideV(format, args);
    if (!buffer)
        return static_cast<int>(text.size()); // a null buffer of size 0 asks for the length
    if (text.size() > count) {
        if (count > 0)
            std::wmemcpy(buffer, text.c_str(), count);
        return -1;
    }
    if (!text.empty())
        std::wmemcpy(buffer, text.c_str(), text.size());
    if (text.size() < count)
        buffer[text.size()] = 0;
    return static_cast<int>(text.size());
}

int _snwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    int n = _vsnwprintf(buffer, count, format, ap);
    va_end(ap);
    return n;
}
