#include "win_format.h"

#include "win_codepage.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace kz {

namespace {

// Widths and precisions beyond this are clamped so that a damaged format string
// cannot ask for gigabytes of padding.
constexpr int kMaxField = 1 << 20;

enum class Size { Default, Char, Short, Long32, Long64, Pointer };

struct Spec {
    std::string flags; // the printf flag characters, in the order given
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1; // -1: none given
    Size size = Size::Default;
    bool narrowText = false; // 'h': the string or character argument is char
    bool wideText = false;   // 'l' or 'w': the string or character argument is wchar_t
};

void appendAscii(std::wstring& out, const char* s, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(s[i])));
}

// Formats one number with the C library, which follows the same rules as MSVC for
// the numeric conversions, and appends the (ASCII) result.
template <typename T> void appendNumber(std::wstring& out, const std::string& spec, T value) {
    char small[128];
    int n = std::snprintf(small, sizeof small, spec.c_str(), value);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        appendAscii(out, small, static_cast<std::size_t>(n));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), spec.c_str(), value);
    appendAscii(out, big.data(), static_cast<std::size_t>(n));
}

// Appends text padded to the field width. MSVC pads strings and characters with
// zeros, not blanks, when the '0' flag is given.
void appendPadded(std::wstring& out, std::wstring_view body, const Spec& s) {
    std::size_t width = static_cast<std::size_t>(s.width);
    std::size_t fill = width > body.size() ? width - body.size() : 0;
    if (s.left) {
        out.append(body);
        out.append(fill, L' ');
    } else {
        out.append(fill, s.zero ? L'0' : L' ');
        out.append(body);
    }
}

std::string numberSpec(const Spec& s, const char* length, char conversion) {
    std::string spec = "%" + s.flags;
    if (s.width > 0)
        spec += std::to_string(s.width);
    if (s.precision >= 0)
        spec += "." + std::to_string(s.precision);
    spec += length;
    spec += conversion;
    return spec;
}

int clampField(long long v) {
    return v > kMaxField ? kMaxField : static_cast<int>(v);
}

// Reads digits at p into a clamped field value.
int readDigits(const wchar_t*& p) {
    long long v = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (v <= kMaxField)
            v = v * 10 + (*p - L'0');
        ++p;
    }
    return clampField(v);
}

void appendSigned(std::wstring& out, const Spec& s, char conversion, va_list& ap) {
    long long v = 0;
    switch (s.size) {
    case Size::Char:
        v = static_cast<signed char>(va_arg(ap, int));
        break;
    case Size::Short:
        v = static_cast<short>(va_arg(ap, int));
        break;
    case Size::Long64:
    case Size::Pointer:
        v = va_arg(ap, long long);
        break;
    default:
        v = va_arg(ap, int);
        break;
    }
    appendNumber(out, numberSpec(s, "ll", conversion), v);
}

void appendUnsigned(std::wstring& out, const Spec& s, char conversion, va_list& ap) {
    unsigned long long v = 0;
    switch (s.size) {
    case Size::Char:
        v = static_cast<unsigned char>(va_arg(ap, unsigned));
        break;
    case Size::Short:
        v = static_cast<unsigned short>(va_arg(ap, unsigned));
        break;
    case Size::Long64:
    case Size::Pointer:
        v = va_arg(ap, unsigned long long);
        break;
    default:
        v = va_arg(ap, unsigned);
        break;
    }
    appendNumber(out, numberSpec(s, "ll", conversion), v);
}

void appendString(std::wstring& out, const Spec& s, bool narrow, va_list& ap) {
    const void* arg = va_arg(ap, const void*);
    if (!arg) {
        std::wstring_view null = L"(null)";
        if (s.precision >= 0 && static_cast<std::size_t>(s.precision) < null.size())
            null = null.substr(0, static_cast<std::size_t>(s.precision));
        appendPadded(out, null, s);
        return;
    }
    if (narrow) {
        const char* text = static_cast<const char*>(arg);
        std::size_t n = s.precision >= 0 ? strnlen(text, static_cast<std::size_t>(s.precision))
                                         : std::strlen(text);
        appendPadded(out, utf8ToWide(std::string_view(text, n)), s);
        return;
    }
    const wchar_t* text = static_cast<const wchar_t*>(arg);
    // Every wide string holds at least its terminator, so the first unit is readable.
    std::uint32_t first = 0;
    std::memcpy(&first, text, sizeof first);
    if (first == kWideTextObjectMagic) {
        text = static_cast<const WideTextObject*>(arg)->text;
        if (!text)
            text = L"";
    }
    std::size_t n =
        s.precision >= 0 ? wcsnlen(text, static_cast<std::size_t>(s.precision)) : std::wcslen(text);
    appendPadded(out, std::wstring_view(text, n), s);
}

void appendChar(std::wstring& out, const Spec& s, bool narrow, va_list& ap) {
    int v = va_arg(ap, int);
    wchar_t ch;
    if (narrow) {
        auto byte = static_cast<unsigned char>(v);
        ch = byte < 0x80 ? static_cast<wchar_t>(byte) : L'\uFFFD';
    } else {
        ch = static_cast<wchar_t>(v);
    }
    appendPadded(out, std::wstring_view(&ch, 1), s);
}

void appendPointer(std::wstring& out, const Spec& s, va_list& ap) {
    const void* v = va_arg(ap, const void*);
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%016llX",
                          static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(v)));
    std::wstring body;
    appendAscii(body, buf, static_cast<std::size_t>(n));
    Spec blank = s;
    blank.zero = false;
    appendPadded(out, body, blank);
}

// Parses the flags, width, precision and size of the conversion after '%' at p;
// leaves p at the conversion character.
Spec parseSpec(const wchar_t*& p, va_list& ap) {
    Spec s;
    for (;; ++p) {
        wchar_t c = *p;
        if (c == L'-')
            s.left = true;
        else if (c == L'0')
            s.zero = true;
        else if (c != L'+' && c != L' ' && c != L'#')
            break;
        s.flags.push_back(static_cast<char>(c));
    }
    if (*p == L'*') {
        int w = va_arg(ap, int);
        ++p;
        if (w < 0) {
            s.left = true;
            s.flags.push_back('-');
            s.width = clampField(-static_cast<long long>(w));
        } else {
            s.width = clampField(w);
        }
    } else {
        s.width = readDigits(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            int prec = va_arg(ap, int);
            ++p;
            s.precision = prec < 0 ? -1 : clampField(prec);
        } else {
            s.precision = readDigits(p);
        }
    }
    switch (*p) {
    case L'h':
        ++p;
        s.narrowText = true;
        s.size = Size::Short;
        if (*p == L'h') {
            ++p;
            s.size = Size::Char;
        }
        break;
    case L'l':
        ++p;
        s.wideText = true;
        s.size = Size::Long32;
        if (*p == L'l') {
            ++p;
            s.size = Size::Long64;
        }
        break;
    case L'w':
        ++p;
        s.wideText = true;
        break;
    case L'L':
    case L'q':
        ++p;
        s.size = Size::Long64;
        break;
    case L'j':
    case L'z':
    case L't':
        ++p;
        s.size = Size::Pointer;
        break;
    case L'I':
        ++p;
        if (p[0] == L'6' && p[1] == L'4') {
            p += 2;
            s.size = Size::Long64;
        } else if (p[0] == L'3' && p[1] == L'2') {
            p += 2;
            s.size = Size::Long32;
        } else {
            s.size = Size::Pointer;
        }
        break;
    default:
        break;
    }
    if (s.left)
        s.zero = false;
    return s;
}

} // namespace

std::wstring formatWideV(const wchar_t* format, va_list args) {
    std::wstring out;
    if (!format)
        return out;
    va_list ap;
    va_copy(ap, args);
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            const wchar_t* run = p;
            while (*p && *p != L'%')
                ++p;
            out.append(run, p);
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out.push_back(L'%');
            ++p;
            continue;
        }
        Spec s = parseSpec(p, ap);
        wchar_t c = *p;
        if (c == 0) {
            out.append(start, p); // incomplete conversion at the end
            break;
        }
        ++p;
        switch (c) {
        case L'd':
        case L'i':
            appendSigned(out, s, static_cast<char>(c), ap);
            break;
        case L'u':
        case L'o':
        case L'x':
        case L'X':
            appendUnsigned(out, s, static_cast<char>(c), ap);
            break;
        case L'e':
        case L'E':
        case L'f':
        case L'F':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            appendNumber(out, numberSpec(s, "", static_cast<char>(c)), va_arg(ap, double));
            break;
        case L's':
            appendString(out, s, s.narrowText, ap);
            break;
        case L'S':
            appendString(out, s, !s.wideText, ap);
            break;
        case L'c':
            appendChar(out, s, s.narrowText, ap);
            break;
        case L'C':
            appendChar(out, s, !s.wideText, ap);
            break;
        case L'p':
            appendPointer(out, s, ap);
            break;
        default:
            // "%n" and unknown conversions: copied as written, no argument taken.
            out.append(start, p);
            break;
        }
    }
    va_end(ap);
    return out;
}

std::wstring formatWide(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::wstring out = formatWideV(format, ap);
    va_end(ap);
    return out;
}

} // namespace kz
