#include "dxf/text_escapes.h"

#include "win_codepage.h"

#include <cstring>

namespace kz::dxf {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads n hex digits at p; -1 when any is not a hex digit.
long readHex(const char* p, int n) {
    long v = 0;
    for (int i = 0; i < n; ++i) {
        int d = hexValue(p[i]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

// Writes the UTF-8 form of cp at out; returns the number of bytes.
std::size_t putUtf8(char* out, char32_t cp) {
    std::string tmp;
    appendUtf8(tmp, cp);
    std::memcpy(out, tmp.data(), tmp.size());
    return tmp.size();
}

const char* codePageOfMif(char n) {
    switch (n) {
    case '1':
        return "ANSI_932";
    case '2':
        return "ANSI_950";
    case '3':
        return "ANSI_949";
    case '5':
        return "ANSI_936";
    default:
        return nullptr; // 4 is Johab, which the converter does not know
    }
}

// Decodes "\U+XXXX" (and a following low surrogate escape) at src; returns the number
// of source bytes consumed (0 when not a decodable escape) and the bytes written.
std::size_t decodeUnicodeEscape(const char* src, std::size_t left, char* dst,
                                std::size_t& written) {
    if (left < 7)
        return 0;
    long u = readHex(src + 3, 4);
    if (u <= 0)
        return 0;
    if (u >= 0xD800 && u <= 0xDBFF) {
        if (left < 14 || std::memcmp(src + 7, "\\U+", 3) != 0)
            return 0;
        long lo = readHex(src + 10, 4);
        if (lo < 0xDC00 || lo > 0xDFFF)
            return 0;
        char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                      (static_cast<char32_t>(lo) - 0xDC00);
        written = putUtf8(dst, cp);
        return 14;
    }
    if (u >= 0xDC00 && u <= 0xDFFF)
        return 0;
    written = putUtf8(dst, static_cast<char32_t>(u));
    return 7;
}

// Decodes "\M+nXXXX" at src, see decodeUnicodeEscape.
std::size_t decodeMultibyteEscape(const char* src, std::size_t left, char* dst,
                                  std::size_t& written) {
    if (left < 8)
        return 0;
    const char* page = codePageOfMif(src[3]);
    long v = readHex(src + 4, 4);
    if (!page || v < 0)
        return 0;
    char bytes[2] = {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
    auto wide = decodeCodePage(std::string_view(bytes, 2), page);
    if (!wide || wide->empty() || wide->find(L'\uFFFD') != std::wstring::npos ||
        wide->find(L'\0') != std::wstring::npos)
        return 0;
    std::string utf8 = wideToUtf8(*wide);
    if (utf8.size() > 8)
        return 0;
    std::memcpy(dst, utf8.data(), utf8.size());
    written = utf8.size();
    return 8;
}

} // namespace

bool mayHaveEscapes(std::string_view text) noexcept {
    return std::memchr(text.data(), '\\', text.size()) != nullptr ||
           std::memchr(text.data(), '^', text.size()) != nullptr;
}

std::size_t decodeEscapesInPlace(char* data, std::size_t size) {
    std::size_t r = 0;
    std::size_t w = 0;
    while (r < size) {
        char c = data[r];
        if (c == '^' && r + 1 < size) {
            char n = data[r + 1];
            if (n == ' ') {
                data[w++] = '^';
                r += 2;
                continue;
            }
            if (n >= '@' && n <= '_') {
                data[w++] = static_cast<char>(n - '@');
                r += 2;
                continue;
            }
        } else if (c == '\\' && r + 2 < size && data[r + 2] == '+') {
            // Decode into a scratch buffer: the output may not overlap unread input
            // while the escape is still being parsed.
            char buf[8];
            std::size_t written = 0;
            std::size_t used = 0;
            if (data[r + 1] == 'U' || data[r + 1] == 'u')
                used = decodeUnicodeEscape(data + r, size - r, buf, written);
            else if (data[r + 1] == 'M' || data[r + 1] == 'm')
                used = decodeMultibyteEscape(data + r, size - r, buf, written);
            if (used > 0) {
                std::memcpy(data + w, buf, written);
                w += written;
                r += used;
                continue;
            }
        }
        data[w++] = c;
        ++r;
    }
    return w;
}

std::string decodeEscapes(std::string_view text) {
    std::string s(text);
    s.resize(decodeEscapesInPlace(s.data(), s.size()));
    return s;
}

namespace {
// A backslash that a reader would take for the start of "\U+" or "\M+".
bool startsEscape(std::string_view text, std::size_t i) {
    return text[i] == '\\' && i + 2 < text.size() && text[i + 2] == '+' &&
           (text[i + 1] == 'U' || text[i + 1] == 'u' || text[i + 1] == 'M' || text[i + 1] == 'm');
}
} // namespace

bool needsEscapeForWriting(std::string_view text, bool isText) noexcept {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == '^' ||
            (isText && startsEscape(text, i)))
            return true;
    return false;
}

void appendEscapedForWriting(std::string& out, std::string_view text, bool isText) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        const bool backslash = isText && startsEscape(text, i);
        if (c >= 0x20 && c != '^' && !backslash)
            continue;
        out.append(text.substr(start, i - start));
        if (backslash) {
            out.append("\\U+005C");
        } else {
            out.push_back('^');
            out.push_back(c == '^' ? ' ' : static_cast<char>(c + '@'));
        }
        start = i + 1;
    }
    out.append(text.substr(start));
}

std::string encodeUnicodeEscapes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    static const char kHex[] = "0123456789ABCDEF";
    auto put = [&](unsigned unit) {
        out.append("\\U+");
        for (int shift = 12; shift >= 0; shift -= 4)
            out.push_back(kHex[(unit >> shift) & 0xF]);
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // Decode one sequence through the shared converter to get the same
        // replacement rules as everywhere else.
        std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (i + len > utf8.size())
            len = utf8.size() - i;
        std::wstring wide = utf8ToWide(utf8.substr(i, len));
        if (wide.size() != 1) {
            // Malformed: the first byte alone is one replacement character.
            put(0xFFFD);
            ++i;
            continue;
        }
        auto cp = static_cast<char32_t>(wide[0]);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
        i += len;
    }
    return out;
}

} // namespace kz::dxf
