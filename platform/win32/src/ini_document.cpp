#include "ini_document.h"

#include "win_codepage.h"

#include <algorithm>

namespace kz {

namespace {

const char* codePageOf(IniEncoding e) {
    switch (e) {
    case IniEncoding::Utf16Le:
        return "UTF-16LE";
    case IniEncoding::Utf16Be:
        return "UTF-16BE";
    case IniEncoding::ShiftJis:
        return "932";
    default:
        return "UTF-8";
    }
}

std::string_view bomOf(IniEncoding e) {
    switch (e) {
    case IniEncoding::Utf8Bom:
        return "\xEF\xBB\xBF";
    case IniEncoding::Utf16Le:
        return "\xFF\xFE";
    case IniEncoding::Utf16Be:
        return "\xFE\xFF";
    default:
        return "";
    }
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

wchar_t foldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
}

// Splits bytes into lines at CR, LF and CRLF, in units of one byte or, for UTF-16, two.
struct RawLine {
    std::string_view bytes;
    int eol; // 0 none, 1 CRLF, 2 LF, 3 CR: IniDocument::Eol
};

std::vector<RawLine> splitLines(std::string_view bytes, IniEncoding e) {
    const bool wide = e == IniEncoding::Utf16Le || e == IniEncoding::Utf16Be;
    const std::size_t unit = wide ? 2 : 1;
    auto unitAt = [&](std::size_t i) -> int {
        if (i + unit > bytes.size())
            return -1;
        if (!wide)
            return static_cast<unsigned char>(bytes[i]);
        auto lo = static_cast<unsigned char>(bytes[e == IniEncoding::Utf16Le ? i : i + 1]);
        auto hi = static_cast<unsigned char>(bytes[e == IniEncoding::Utf16Le ? i + 1 : i]);
        return hi << 8 | lo;
    };
    std::vector<RawLine> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i + unit <= bytes.size()) {
        int c = unitAt(i);
        if (c != '\r' && c != '\n') {
            i += unit;
            continue;
        }
        RawLine line{bytes.substr(start, i - start), 0};
        if (c == '\r' && unitAt(i + unit) == '\n') {
            line.eol = 1;
            i += 2 * unit;
        } else {
            line.eol = c == '\r' ? 3 : 2;
            i += unit;
        }
        lines.push_back(line);
        start = i;
    }
    if (start < bytes.size())
        lines.push_back({bytes.substr(start), 0});
    return lines;
}

} // namespace

bool isIniSpace(wchar_t c) {
    // Ctrl-Z ends old DOS text files and is white space to the profile functions.
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f' ||
           c == 0x1A;
}

std::wstring_view trimIni(std::wstring_view s) {
    while (!s.empty() && isIniSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isIniSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool iniNamesEqual(std::wstring_view a, std::wstring_view b) {
    a = trimIni(a);
    b = trimIni(b);
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return foldAscii(x) == foldAscii(y); });
}

const wchar_t* IniDocument::eolText(Eol eol) {
    switch (eol) {
    case Eol::CrLf:
        return L"\r\n";
    case Eol::Lf:
        return L"\n";
    case Eol::Cr:
        return L"\r";
    default:
        return L"";
    }
}

void IniDocument::classify(Line& line) {
    // The trimmed name as a range of the line's text.
    auto setName = [&line](std::wstring_view raw) {
        std::wstring_view name = trimIni(raw);
        line.nameStart = static_cast<std::size_t>(name.data() - line.text.data());
        line.nameLength = name.size();
    };
    std::wstring_view t = line.text;
    std::size_t lead = 0;
    while (lead < t.size() && isIniSpace(t[lead]))
        ++lead;
    std::wstring_view body = trimIni(t);
    line.nameStart = line.nameLength = line.valueStart = line.valueLength = 0;
    if (body.empty()) {
        line.kind = Kind::Blank;
        return;
    }
    if (body.front() == L';') {
        line.kind = Kind::Comment;
        return;
    }
    if (body.front() == L'[') {
        std::size_t close = body.rfind(L']');
        if (close != std::wstring_view::npos && close > 0) {
            line.kind = Kind::Section;
            setName(body.substr(1, close - 1));
            return;
        }
    }
    std::size_t eq = body.find(L'=');
    if (eq == std::wstring_view::npos) {
        line.kind = Kind::Other;
        return;
    }
    line.kind = Kind::Key;
    setName(body.substr(0, eq));
    std::size_t v = lead + eq + 1;
    while (v < t.size() && isIniSpace(t[v]))
        ++v;
    line.valueStart = v;
    line.valueLength = trimIni(t.substr(v)).size();
}

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        doc.encoding_ = IniEncoding::Utf8Bom;
    else if (startsWith(bytes, "\xFF\xFE"))
        doc.encoding_ = IniEncoding::Utf16Le;
    else if (startsWith(bytes, "\xFE\xFF"))
        doc.encoding_ = IniEncoding::Utf16Be;
    else if (isValidUtf8(bytes))
        doc.encoding_ = IniEncoding::Utf8;
    else
        doc.encoding_ = IniEncoding::ShiftJis;
    doc.source_ = bytes.substr(bomOf(doc.encoding_).size());
    const std::string_view source = doc.source_;

    int eolCounts[4] = {};
    CodePageDecoder decoder(codePageOf(doc.encoding_));
    const std::vector<RawLine> rawLines = splitLines(source, doc.encoding_);
    doc.lines_.reserve(rawLines.size());
    for (const RawLine& raw : rawLines) {
        Line line;
        line.rawStart = static_cast<std::size_t>(raw.bytes.data() - source.data());
        line.rawLength = raw.bytes.size();
        line.eol = static_cast<Eol>(raw.eol);
        std::wstring text = decoder.decode(raw.bytes);
        std::erase(text, L'\0');
        line.text = std::move(text);
        classify(line);
        ++eolCounts[raw.eol];
        doc.lines_.push_back(std::move(line));
    }
    int best = 0;
    for (int e = 1; e < 4; ++e) {
        if (eolCounts[e] > best) {
            best = eolCounts[e];
            doc.eol_ = static_cast<Eol>(e);
        }
    }
    return doc;
}

std::optional<std::size_t> IniDocument::findSection(std::wstring_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && iniNamesEqual(lines_[i].name(), name))
            return i;
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t header, std::wstring_view key) const {
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key && iniNamesEqual(lines_[i].name(), key))
            return i;
    return std::nullopt;
}

std::optional<std::wstring_view> IniDocument::value(std::wstring_view section,
                                                    std::wstring_view key) const {
    auto header = findSection(section);
    if (!header)
        return std::nullopt;
    auto line = findKey(*header, key);
    if (!line)
        return std::nullopt;
    return lines_[*line].value();
}

std::vector<std::wstring> IniDocument::sectionNames() const {
    std::vector<std::wstring> names;
    for (const Line& line : lines_)
        if (line.kind == Kind::Section)
            names.emplace_back(line.name());
    return names;
}

std::optional<std::vector<std::wstring>> IniDocument::keyNames(std::wstring_view section) const {
    auto header = findSection(section);
    if (!header)
        return std::nullopt;
    std::vector<std::wstring> names;
    std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key)
            names.emplace_back(lines_[i].name());
    return names;
}

IniDocument::Line IniDocument::makeLine(std::wstring text) const {
    Line line;
    line.text = std::move(text);
    line.eol = eol_;
    line.changed = true;
    classify(line);
    return line;
}

void IniDocument::insertLine(std::size_t at, std::wstring text) {
    // The line before a new one needs an ending if it was the file's last. A UTF-16
    // file cut after an odd number of bytes ends in half a character: that line is
    // written again from its text, or the half character would shift every character
    // after it by one byte.
    if (at > 0 && lines_[at - 1].eol == Eol::None) {
        Line& last = lines_[at - 1];
        last.eol = eol_;
        const bool wide = encoding_ == IniEncoding::Utf16Le || encoding_ == IniEncoding::Utf16Be;
        if (wide && last.rawLength % 2 != 0)
            last.changed = true;
    }
    Line line = makeLine(std::move(text));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniDocument::setValue(std::wstring_view section, std::wstring_view key,
                           std::wstring_view value) {
    std::wstring sectionName(trimIni(section));
    std::wstring keyName(trimIni(key));
    auto header = findSection(sectionName);
    if (!header) {
        // A new section goes at the end, after a blank line when the file has text.
        if (!lines_.empty() && lines_.back().kind != Kind::Blank)
            insertLine(lines_.size(), L"");
        insertLine(lines_.size(), L"[" + sectionName + L"]");
        insertLine(lines_.size(), keyName + L"=" + std::wstring(value));
        return true;
    }
    if (auto at = findKey(*header, keyName)) {
        Line& line = lines_[*at];
        if (line.text.substr(line.valueStart) == value)
            return false;
        // The key's own spelling and spacing stay; only the value changes.
        line.text = line.text.substr(0, line.valueStart) + std::wstring(value);
        line.changed = true;
        classify(line);
        return true;
    }
    // A new key goes after the section's last key (or right after its header), before
    // any blank lines and comments that lead to the next section.
    std::size_t after = *header;
    std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key || lines_[i].kind == Kind::Other)
            after = i;
    insertLine(after + 1, keyName + L"=" + std::wstring(value));
    return true;
}

bool IniDocument::removeKey(std::wstring_view section, std::wstring_view key) {
    auto header = findSection(section);
    if (!header)
        return false;
    auto at = findKey(*header, key);
    if (!at)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    return true;
}

bool IniDocument::removeSection(std::wstring_view section) {
    auto header = findSection(section);
    if (!header)
        return false;
    std::size_t end = sectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

std::optional<std::string> IniDocument::encode(std::wstring_view text) const {
    return encodeCodePageExact(text, codePageOf(encoding_));
}

std::optional<std::string> IniDocument::serialize() const {
    std::string out(bomOf(encoding_));
    for (const Line& line : lines_) {
        if (line.changed) {
            auto bytes = encode(line.text);
            if (!bytes)
                return std::nullopt;
            out += *bytes;
        } else {
            out.append(source_, line.rawStart, line.rawLength);
        }
        if (line.eol != Eol::None)
            out += *encode(eolText(line.eol));
    }
    return out;
}

} // namespace kz
