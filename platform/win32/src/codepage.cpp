#include "win_codepage.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace kz {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

namespace {

// Decodes one UTF-8 sequence at s[i]; advances i. Returns U+FFFD for a malformed
// sequence and consumes one byte so that decoding resynchronises.
char32_t decodeOne(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += len;
    return cp;
}

} // namespace

std::wstring utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // ASCII runs are the common case in drawings and ini files.
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(decodeOne(utf8, i)));
    }
    return out;
}

std::string wideToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        auto cp = static_cast<char32_t>(c);
        if (cp < 0x80)
            out.push_back(static_cast<char>(cp));
        else
            appendUtf8(out, cp);
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t before = i;
        char32_t cp = decodeOne(bytes, i);
        if (cp == 0xFFFD && !(i - before == 3 && bytes.substr(before, 3) == "\xEF\xBF\xBD"))
            return false;
    }
    return true;
}

std::string iconvNameForCodePage(std::string_view cp) {
    std::string up;
    for (char c : cp)
        up.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c));
    if (up.rfind("ANSI_", 0) == 0)
        up = up.substr(5);
    if (up == "UTF-8" || up == "UTF8" || up == "65001")
        return "UTF-8";
    if (up == "UTF-16LE" || up == "1200")
        return "UTF-16LE";
    if (up == "UTF-16BE" || up == "1201")
        return "UTF-16BE";
    int n = 0;
    auto [p, ec] = std::from_chars(up.data(), up.data() + up.size(), n);
    if (ec != std::errc() || p != up.data() + up.size())
        return {};
    switch (n) {
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 874:
        return "CP874";
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
        return "CP" + std::to_string(n);
    default:
        return {};
    }
}

namespace {

struct Iconv {
    iconv_t cd;
    explicit Iconv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Runs iconv over the whole input; what it cannot convert is replaced by the given
// replacement so that nothing stops the conversion: one byte at a time, or one whole
// character when the input is UTF-8 (a character the target lacks). Returns false when
// something had to be replaced.
bool convertAll(iconv_t cd, std::string_view in, std::string& out, std::string_view replacement,
                bool inputIsUtf8 = false, std::size_t inputUnit = 1) {
    bool exact = true;
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        std::size_t dstLeft = buf.size();
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), dst);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated multibyte sequence).
            exact = false;
            out.append(replacement);
            // A bad UTF-16 unit (a lone surrogate) is skipped whole: skipping one byte
            // would read every later character from the wrong byte.
            std::size_t skip =
                inputIsUtf8 ? utf8SequenceLength(static_cast<unsigned char>(*src)) : inputUnit;
            skip = skip < srcLeft ? skip : srcLeft;
            src += skip;
            srcLeft -= skip;
        }
    }
    return exact;
}

// Bytes per code unit of an encoding iconv reads.
std::size_t unitOf(const std::string& iconvName) {
    return iconvName.rfind("UTF-16", 0) == 0 ? 2 : 1;
}

// What CodePageDecoder's opaque pointer holds.
struct Decoder {
    iconv_t cd;
    std::size_t unit;
};

} // namespace

std::optional<std::wstring> decodeCodePage(std::string_view bytes, std::string_view codePage) {
    std::string name = iconvNameForCodePage(codePage);
    if (name.empty())
        return std::nullopt;
    if (name == "UTF-8")
        return utf8ToWide(bytes);
    Iconv cv("UTF-8", name.c_str());
    if (!cv.ok())
        return std::nullopt;
    std::string utf8;
    convertAll(cv.cd, bytes, utf8, "\xEF\xBF\xBD", false, unitOf(name));
    return utf8ToWide(utf8);
}

CodePageDecoder::CodePageDecoder(std::string_view codePage) {
    std::string name = iconvNameForCodePage(codePage);
    if (name == "UTF-8") {
        utf8_ = true;
    } else if (!name.empty()) {
        iconv_t cd = iconv_open("UTF-8", name.c_str());
        if (cd != reinterpret_cast<iconv_t>(-1))
            cd_ = new Decoder{cd, unitOf(name)};
    }
}

CodePageDecoder::~CodePageDecoder() {
    if (auto* d = static_cast<Decoder*>(cd_)) {
        iconv_close(d->cd);
        delete d;
    }
}

std::wstring CodePageDecoder::decode(std::string_view bytes) {
    if (utf8_)
        return utf8ToWide(bytes);
    if (!cd_)
        return {};
    auto* d = static_cast<Decoder*>(cd_);
    iconv(d->cd, nullptr, nullptr, nullptr, nullptr); // initial state
    std::string utf8;
    convertAll(d->cd, bytes, utf8, "\xEF\xBF\xBD", false, d->unit);
    return utf8ToWide(utf8);
}

std::optional<std::string> encodeCodePageExact(std::wstring_view wide, std::string_view codePage) {
    std::string name = iconvNameForCodePage(codePage);
    if (name.empty())
        return std::nullopt;
    for (wchar_t c : wide)
        if (c < 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
    std::string utf8 = wideToUtf8(wide);
    if (name == "UTF-8")
        return utf8;
    Iconv cv(name.c_str(), "UTF-8");
    if (!cv.ok())
        return std::nullopt;
    std::string out;
    if (!convertAll(cv.cd, utf8, out, "?", true))
        return std::nullopt;
    return out;
}

std::optional<std::string> encodeCodePage(std::wstring_view wide, std::string_view codePage) {
    std::string name = iconvNameForCodePage(codePage);
    if (name.empty())
        return std::nullopt;
    std::string utf8 = wideToUtf8(wide);
    if (name == "UTF-8")
        return utf8;
    Iconv cv(name.c_str(), "UTF-8");
    if (!cv.ok())
        return std::nullopt;
    std::string out;
    convertAll(cv.cd, utf8, out, "?", true);
    return out;
}

} // namespace kz

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR in, int inBytes, LPWSTR out, int outChars) {
    if (!in)
        return 0;
    std::string_view bytes = inBytes < 0 ? std::string_view(in, std::strlen(in) + 1)
                                         : std::string_view(in, static_cast<std::size_t>(inBytes));
    std::optional<std::wstring> wide;
    if (codePage == CP_UTF8)
        wide = kz::utf8ToWide(bytes);
    else
        wide = kz::decodeCodePage(bytes, std::to_string(codePage == CP_ACP ? 932 : codePage));
    if (!wide)
        return 0;
    int n = static_cast<int>(wide->size());
    if (outChars == 0)
        return n;
    if (!out || outChars < n)
        return 0;
    std::memcpy(out, wide->data(), wide->size() * sizeof(wchar_t));
    return n;
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR in, int inChars, LPSTR out, int outBytes,
                        LPCSTR, BOOL* usedDefault) {
    if (usedDefault)
        *usedDefault = FALSE;
    if (!in)
        return 0;
    std::wstring_view wide = inChars < 0 ? std::wstring_view(in, std::wcslen(in) + 1)
                                         : std::wstring_view(in, static_cast<std::size_t>(inChars));
    std::optional<std::string> bytes;
    if (codePage == CP_UTF8)
        bytes = kz::wideToUtf8(wide);
    else
        bytes = kz::encodeCodePage(wide, std::to_string(codePage == CP_ACP ? 932 : codePage));
    if (!bytes)
        return 0;
    int n = static_cast<int>(bytes->size());
    if (outBytes == 0)
        return n;
    if (!out || outBytes < n)
        return 0;
    std::memcpy(out, bytes->data(), bytes->size());
    return n;
}
