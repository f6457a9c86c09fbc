#include "dxf/dxf_encoding.h"
#include "dxf/tag_reader.h"
#include "dxf/tag_values.h"
#include "dxf/text_escapes.h"
#include "file_save.h"
#include "win_codepage.h"

#include <cstring>

namespace kz::dxf {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlankOnly(std::string_view s) {
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != '\x1A')
            return false;
    return true;
}

// Binary DXF starts with a 22-byte sentinel line: a product name, " Binary DXF", then
// CR LF, ^Z and NUL.
bool isBinaryDxf(std::string_view s) {
    const std::size_t head = s.size() < 64 ? s.size() : 64;
    std::size_t mark = s.substr(0, head).find("Binary DXF\r\n\x1A");
    return mark != std::string_view::npos && mark + 13 < s.size() && s[mark + 13] == '\0';
}

// DWG files start with their version ("AC1015") followed by binary data.
bool looksLikeDwg(std::string_view s) {
    if (s.size() < 16 || s.substr(0, 4) != "AC10")
        return false;
    for (std::size_t i = 6; i < 16; ++i)
        if (s[i] == '\0')
            return true;
    return false;
}

// Caret escapes only ("^A" a control character, "^ " a caret), in place: the writer
// escapes control characters in values of every type, so a value that is no text but
// holds one (a damaged number kept as read) comes back as it was.
std::size_t decodeCaretsInPlace(char* data, std::size_t size) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < size; ++r) {
        char c = data[r];
        if (c == '^' && r + 1 < size &&
            (data[r + 1] == ' ' || (data[r + 1] >= '@' && data[r + 1] <= '_'))) {
            c = data[r + 1] == ' ' ? '^' : static_cast<char>(data[r + 1] - '@');
            ++r;
        }
        data[w++] = c;
    }
    return w;
}

// Decodes the escapes of every string value in place. Only values that contain '\\'
// or '^' are touched; the two markers are found with memchr over the whole text so that
// files without escapes (nearly all) cost one pass over the tag list.
void decodeStringEscapes(std::string& text, std::vector<Tag>& tags) {
    char* base = text.data();
    const char* end = base + text.size();
    auto find = [end](const char* from, char c) {
        return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
    };
    const char* backslash = find(base, '\\');
    const char* caret = find(base, '^');
    for (Tag& t : tags) {
        if (!backslash && !caret)
            return;
        const char* vb = t.value.data();
        const char* ve = vb + t.value.size();
        if (backslash && backslash < vb)
            backslash = find(vb, '\\');
        if (caret && caret < vb)
            caret = find(vb, '^');
        bool caretHit = caret && caret < ve;
        bool hit = (backslash && backslash < ve) || caretHit;
        if (!hit)
            continue;
        char* w = base + (vb - base);
        if (valueType(t.code) == ValueType::String)
            t.value = std::string_view(w, decodeEscapesInPlace(w, t.value.size()));
        else if (caretHit)
            t.value = std::string_view(w, decodeCaretsInPlace(w, t.value.size()));
    }
}

// isValidUtf8 over only the runs of non-ASCII bytes: ASCII is skipped eight bytes at a
// time. A run holds whole sequences (continuation bytes are never ASCII), so a sequence
// cut short by an ASCII byte is still found malformed.
bool isWellFormedUtf8(std::string_view s) {
    const char* p = s.data();
    const char* end = p + s.size();
    while (p < end) {
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            if (w & 0x8080808080808080ull)
                break;
            p += 8;
        }
        while (p < end && static_cast<unsigned char>(*p) < 0x80)
            ++p;
        const char* run = p;
        while (p < end && static_cast<unsigned char>(*p) >= 0x80)
            ++p;
        if (p > run && !isValidUtf8(std::string_view(run, static_cast<std::size_t>(p - run))))
            return false;
    }
    return true;
}

// An upper bound of the number of tags: half the lines, counted with memchr.
std::size_t tagCountBound(std::string_view s) {
    std::size_t lines = 1;
    const char* p = s.data();
    const char* end = p + s.size();
    while (const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
        ++lines;
        p = static_cast<const char*>(nl) + 1;
    }
    return lines / 2 + 1;
}

DxfProblem problemOf(ParseStatus st) {
    switch (st) {
    case ParseStatus::Ok:
        return DxfProblem::None;
    case ParseStatus::NotANumber:
        return DxfProblem::NotANumber;
    case ParseStatus::OutOfRange:
        return DxfProblem::NumberOutOfRange;
    case ParseStatus::NotAHandle:
        return DxfProblem::NotAHandle;
    case ParseStatus::NotBinary:
        return DxfProblem::NotBinary;
    }
    return DxfProblem::NotANumber;
}

std::string describeRefusal(ParseStatus st, const Tag& tag, ValueType wanted) {
    std::string s = "value " + quoteForMessage(tag.value);
    std::string code = std::to_string(tag.code);
    switch (st) {
    case ParseStatus::OutOfRange:
        return s + " is out of range for group code " + code + " (" + valueTypeName(wanted) + ")";
    case ParseStatus::NotAHandle:
        return s + " is not a handle for group code " + code;
    case ParseStatus::NotBinary:
        return s + " is not hexadecimal binary data for group code " + code;
    default:
        return s + " is not a number for group code " + code;
    }
}

} // namespace

TagFile::TagFile() : text_(std::make_unique<std::string>()) {}
TagFile::TagFile(TagFile&&) noexcept = default;
TagFile& TagFile::operator=(TagFile&&) noexcept = default;
TagFile::~TagFile() = default;

DxfError TagFile::errorAt(const Tag& tag, DxfProblem problem, std::string_view what) const {
    return makeDxfError(fileName_, tag.line, problem, what);
}

namespace {

template <class T, class Parse>
bool convertTag(const TagFile& file, const Tag& tag, T& out, DxfError* error, ValueType type,
                Parse parse) {
    T v{};
    ParseStatus st = parse(tag.value, v);
    if (st == ParseStatus::Ok) {
        out = v;
        return true;
    }
    if (error)
        *error = file.errorAt(tag, problemOf(st), describeRefusal(st, tag, type));
    return false;
}

} // namespace

bool TagFile::toInt16(const Tag& tag, std::int16_t& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Int16, parseInt16);
}
bool TagFile::toInt32(const Tag& tag, std::int32_t& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Int32, parseInt32);
}
bool TagFile::toInt64(const Tag& tag, std::int64_t& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Int64, parseInt64);
}
bool TagFile::toDouble(const Tag& tag, double& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Double, parseDouble);
}
bool TagFile::toBool(const Tag& tag, bool& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Bool, parseBool);
}
bool TagFile::toHandle(const Tag& tag, std::uint64_t& out, DxfError* error) const {
    return convertTag(*this, tag, out, error, ValueType::Handle, parseHandle);
}
bool TagFile::toBinary(const Tag& tag, std::vector<std::uint8_t>& out, DxfError* error) const {
    std::vector<std::uint8_t> bytes;
    ParseStatus st = parseBinary(tag.value, bytes);
    if (st == ParseStatus::Ok) {
        out = std::move(bytes);
        return true;
    }
    if (error)
        *error = errorAt(tag, problemOf(st), describeRefusal(st, tag, ValueType::Binary));
    return false;
}

bool parseTagFile(std::string fileName, std::string bytes, TagFile& out, DxfError& error) {
    out = TagFile();
    out.fileName_ = std::move(fileName);
    error = DxfError();
    auto failWith = [&](std::uint32_t line, DxfProblem p, std::string_view what) {
        error = makeDxfError(out.fileName_, line, p, what);
        std::string name = std::move(out.fileName_);
        out = TagFile();
        out.fileName_ = std::move(name);
        return false;
    };

    if (bytes.size() >= (std::size_t{1} << 32))
        return failWith(0, DxfProblem::FileTooLarge, "the file is larger than 4 GiB");
    // Text editors may save a DXF file as UTF-16; make it UTF-8 with a byte order mark.
    std::string_view head = std::string_view(bytes).substr(0, 2);
    if (head == "\xFE\xFF")
        return failWith(0, DxfProblem::NotDxf,
                        "the file is UTF-16 big-endian text, which is not supported");
    if (head == "\xFF\xFE") {
        std::string utf8;
        if (!convertToUtf8(std::string_view(bytes).substr(2), "UTF-16LE", utf8))
            return failWith(0, DxfProblem::NotDxf, "cannot convert UTF-16 text");
        bytes = std::string(kBom) + utf8;
    }
    const bool bom = std::string_view(bytes).substr(0, 3) == kBom;
    std::string_view body = std::string_view(bytes).substr(bom ? kBom.size() : 0);
    if (isBlankOnly(body))
        return failWith(0, DxfProblem::EmptyFile, "the file is empty");
    if (isBinaryDxf(body))
        return failWith(0, DxfProblem::BinaryDxf,
                        "this is a binary DXF file, which is not supported; save it as ASCII "
                        "DXF");
    if (looksLikeDwg(body))
        return failWith(0, DxfProblem::NotDxf, "this is a DWG drawing file, not a DXF file");

    HeaderProbe header = probeHeader(body);
    out.version_ = header.version;
    out.codePage_ = header.codePage;
    EncodingDecision enc;
    const bool wellFormed = isWellFormedUtf8(body);
    if (bom && wellFormed) {
        enc.encoding = "UTF-8";
    } else {
        // A byte order mark on text that is not UTF-8 says nothing: the header decides.
        enc = decideEncoding(body, header);
        if (bom && enc.warning.empty() && enc.choice == EncodingChoice::Convert)
            enc.warning = "the file starts with a UTF-8 byte order mark but is not UTF-8; "
                          "read it as code page " +
                          enc.encoding;
    }
    out.encoding_ = enc.encoding;
    if (!enc.warning.empty()) {
        auto p = enc.choice == EncodingChoice::UnknownPage ? DxfProblem::UnknownCodePage
                                                           : DxfProblem::EncodingMismatch;
        out.warnings_.push_back(makeDxfError(out.fileName_, 0, p, enc.warning));
    }
    std::size_t start = bom ? kBom.size() : 0;
    if (enc.choice == EncodingChoice::Convert) {
        std::string converted;
        if (!convertToUtf8(body, enc.encoding, converted))
            return failWith(0, DxfProblem::UnknownCodePage,
                            "cannot convert from code page " + enc.encoding);
        *out.text_ = std::move(converted);
        start = 0;
    } else if ((enc.encoding == "UTF-8" || enc.choice == EncodingChoice::UnknownPage) &&
               !wellFormed) {
        // Read as UTF-8 (or in a code page nobody knows) but malformed: every byte the text
        // keeps as read (types, tags no class models) would be saved malformed too, and the
        // saved file, labelled UTF-8, would then be read in another encoding. Malformed
        // bytes become U+FFFD once, here.
        *out.text_ = wideToUtf8(utf8ToWide(body));
        start = 0;
        out.warnings_.push_back(makeDxfError(out.fileName_, 0, DxfProblem::EncodingMismatch,
                                             "the file is not valid UTF-8; malformed bytes are "
                                             "read as U+FFFD"));
    } else {
        *out.text_ = std::move(bytes);
    }

    const std::string& text = *out.text_;
    const std::string_view content = std::string_view(text).substr(start);
    Tokenizer tok(content);
    // Reserved at its final size: growing the list would copy it and, for a moment,
    // hold it twice.
    out.tags_.reserve(tagCountBound(content));
    bool seenEof = false;
    Tag tag;
    while (tok.next(tag)) {
        out.tags_.push_back(tag);
        if (!seenEof && tag.isMarker("EOF"))
            seenEof = true;
    }
    if (tok.failed()) {
        if (!seenEof)
            return failWith(tok.errorLine(), tok.problem(), tok.detail());
        out.warnings_.push_back(
            makeDxfError(out.fileName_, tok.errorLine(), DxfProblem::TextAfterEof,
                         "text after EOF is ignored from here on (" + tok.detail() + ")"));
    }
    decodeStringEscapes(*out.text_, out.tags_);
    return true;
}

bool loadTagFile(const std::string& path, TagFile& out, DxfError& error) {
    std::string bytes;
    std::string message;
    if (!readWholeFile(path, bytes, message)) {
        out = TagFile();
        error.problem = DxfProblem::CannotReadFile;
        error.line = 0;
        error.message = std::move(message);
        return false;
    }
    return parseTagFile(path, std::move(bytes), out, error);
}

} // namespace kz::dxf
