#include "dxf/dxf_encoding.h"

#include "dxf/tag_reader.h"
#include "win_codepage.h"

#include <cstdint>
#include <cstring>

namespace kz::dxf {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

constexpr const char* kDefaultCodePage = "ANSI_1252";

} // namespace

HeaderProbe probeHeader(std::string_view text) {
    HeaderProbe probe;
    Tokenizer tok(text);
    Tag tag;
    // 0/SECTION, 2/HEADER, then 9/$NAME followed by the value tags.
    if (!tok.next(tag) || tag.code != 0 || trimmed(tag.value) != "SECTION")
        return probe;
    if (!tok.next(tag) || tag.code != 2 || trimmed(tag.value) != "HEADER")
        return probe;
    enum { None, Version, CodePage } want = None;
    while (tok.next(tag)) {
        if (tag.code == 0)
            break; // ENDSEC, or damage
        if (tag.code == 9) {
            std::string_view name = trimmed(tag.value);
            want = name == "$ACADVER" ? Version : name == "$DWGCODEPAGE" ? CodePage : None;
            continue;
        }
        if (want == Version && tag.code == 1)
            probe.version = std::string(trimmed(tag.value));
        else if (want == CodePage && tag.code == 3)
            probe.codePage = std::string(trimmed(tag.value));
        want = None;
        if (!probe.version.empty() && !probe.codePage.empty())
            break;
    }
    return probe;
}

bool isUtf8Version(std::string_view v) {
    // "AC1021" and later; the format is always "AC" and four digits.
    return v.size() == 6 && v.substr(0, 2) == "AC" && v >= "AC1021";
}

bool isAscii(std::string_view bytes) noexcept {
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

EncodingDecision decideEncoding(std::string_view text, const HeaderProbe& header) {
    EncodingDecision d;
    const bool utf8Version = isUtf8Version(header.version);
    std::string page = header.codePage.empty() ? kDefaultCodePage : header.codePage;
    const bool pageIsUtf8 = iconvNameForCodePage(page) == "UTF-8";
    if (isAscii(text)) {
        d.encoding = utf8Version || pageIsUtf8 ? "UTF-8" : page;
        return d;
    }
    const bool wellFormed = isValidUtf8(text);
    if (utf8Version || pageIsUtf8) {
        d.encoding = "UTF-8";
        if (wellFormed || pageIsUtf8)
            return d;
        // Labelled UTF-8 but is not: fall back to the declared code page.
        if (iconvNameForCodePage(page).empty()) {
            d.warning = "the file is not valid UTF-8 and its code page " + page + " is unknown";
            return d;
        }
        d.choice = EncodingChoice::Convert;
        d.encoding = page;
        d.warning = "the file is version " + header.version +
                    " but is not valid UTF-8; read it as code page " + page;
        return d;
    }
    if (wellFormed) {
        d.encoding = "UTF-8";
        d.warning =
            "the file says code page " + page + " but its text is valid UTF-8; read it as UTF-8";
        return d;
    }
    if (iconvNameForCodePage(page).empty()) {
        d.choice = EncodingChoice::UnknownPage;
        d.encoding = page;
        d.warning = "unknown code page " + page + "; text outside ASCII may be wrong";
        return d;
    }
    d.choice = EncodingChoice::Convert;
    d.encoding = page;
    return d;
}

bool convertToUtf8(std::string_view text, std::string_view codePage, std::string& out) {
    auto wide = decodeCodePage(text, codePage);
    if (!wide)
        return false;
    out = wideToUtf8(*wide);
    return true;
}

} // namespace kz::dxf
