#include "dxf/tag_writer.h"

#include "dxf/group_codes.h"
#include "dxf/text_escapes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kz::dxf {

namespace {

// "  0\n" ... "1071\r\n": each group code line ready to append.
struct CodeLine {
    char text[6];
    std::uint8_t size;
};

template <bool Crlf> constexpr std::array<CodeLine, kMaxGroupCode + 1> makeCodeLines() {
    std::array<CodeLine, kMaxGroupCode + 1> lines{};
    for (int code = 0; code <= kMaxGroupCode; ++code) {
        char digits[4] = {};
        int n = 0;
        int v = code;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        CodeLine& line = lines[static_cast<std::size_t>(code)];
        std::size_t k = 0;
        for (int pad = n; pad < 3; ++pad)
            line.text[k++] = ' ';
        while (n > 0)
            line.text[k++] = digits[--n];
        if (Crlf)
            line.text[k++] = '\r';
        line.text[k++] = '\n';
        line.size = static_cast<std::uint8_t>(k);
    }
    return lines;
}

constexpr auto kCodeLinesLf = makeCodeLines<false>();
constexpr auto kCodeLinesCrlf = makeCodeLines<true>();

inline const CodeLine& codeLineOf(int code, LineEnding ending) {
    return (ending == LineEnding::Lf ? kCodeLinesLf
                                     : kCodeLinesCrlf)[static_cast<std::size_t>(code)];
}

bool isIntegerType(ValueType t) {
    return t == ValueType::Int16 || t == ValueType::Int32 || t == ValueType::Int64 ||
           t == ValueType::Bool;
}

} // namespace

std::size_t formatDouble(double v, char* buf) {
    if (!std::isfinite(v)) {
        const char* s = std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf";
        std::size_t n = std::strlen(s);
        std::memcpy(buf, s, n);
        return n;
    }
    // Shortest round-trip text, e.g. "10", "0.1", "-0", "1e+20", "1.5e-300".
    auto r = std::to_chars(buf, buf + kDoubleTextMax - 3, v);
    char* end = r.ptr;
    char* e = nullptr;
    bool point = false;
    for (char* p = buf; p < end; ++p) {
        if (*p == '.') {
            point = true;
        } else if (*p == 'e') {
            e = p;
            break;
        }
    }
    if (!point) {
        // "10" -> "10.0", "1e+20" -> "1.0e+20": some readers take a number without a
        // point for an integer.
        char* mantissaEnd = e ? e : end;
        std::memmove(mantissaEnd + 2, mantissaEnd, static_cast<std::size_t>(end - mantissaEnd));
        mantissaEnd[0] = '.';
        mantissaEnd[1] = '0';
        end += 2;
        if (e)
            e += 2;
    }
    if (e)
        *e = 'E';
    return static_cast<std::size_t>(end - buf);
}

TagWriter::TagWriter(std::string& out, LineEnding ending) : out_(out), ending_(ending) {}

void TagWriter::fail(int code, std::string what) {
    if (error_.empty())
        error_ = "group code " + std::to_string(code) + ": " + what;
}

inline bool TagWriter::check(int code, bool typeOk, const char* wanted) {
    if (isValidGroupCode(code) && typeOk) [[likely]]
        return true;
    if (!isValidGroupCode(code)) {
        fail(code, "not a DXF group code (0-1071)");
        return false;
    }
    if (!typeOk) {
        fail(code, std::string("holds a ") + valueTypeName(valueType(code)) + ", not a " + wanted);
        return false;
    }
    return true;
}

inline void TagWriter::putCode(int code) {
    const CodeLine& line =
        (ending_ == LineEnding::Lf ? kCodeLinesLf : kCodeLinesCrlf)[static_cast<std::size_t>(code)];
    out_.append(line.text, line.size);
}

inline void TagWriter::putValue(std::string_view text) {
    out_.append(text);
    if (ending_ == LineEnding::Lf)
        out_.push_back('\n');
    else
        out_.append("\r\n", 2);
}

void TagWriter::putEscaped(std::string_view text, bool isText) {
    if (needsEscapeForWriting(text, isText)) {
        std::string escaped;
        appendEscapedForWriting(escaped, text, isText);
        putValue(escaped);
    } else {
        putValue(text);
    }
}

void TagWriter::writeString(int code, std::string_view utf8) {
    if (!check(code, valueType(code) == ValueType::String, "text"))
        return;
    putCode(code);
    putEscaped(utf8, true);
}

void TagWriter::writeVerbatim(int code, std::string_view text) {
    if (!check(code, true, ""))
        return;
    putCode(code);
    putEscaped(text, valueType(code) == ValueType::String);
}

void TagWriter::writeInt(int code, std::int64_t value) {
    ValueType t = valueType(code);
    if (!check(code, isIntegerType(t), "integer"))
        return;
    if ((t == ValueType::Int16 && (value < -32768 || value > 32767)) ||
        (t == ValueType::Int32 && (value < INT32_MIN || value > INT32_MAX)) ||
        (t == ValueType::Bool && value != 0 && value != 1)) {
        fail(code, std::to_string(value) + " does not fit a " + valueTypeName(t));
        return;
    }
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::size_t n = static_cast<std::size_t>(r.ptr - buf);
    putCode(code);
    if ((t == ValueType::Int16 || t == ValueType::Bool) && n < 6)
        out_.append(6 - n, ' ');
    putValue(std::string_view(buf, n));
}

void TagWriter::writeBool(int code, bool value) {
    if (!check(code, valueType(code) == ValueType::Bool, "boolean"))
        return;
    putCode(code);
    putValue(value ? "     1" : "     0");
}

void TagWriter::writeDouble(int code, double value) {
    if (!check(code, valueType(code) == ValueType::Double, "real number"))
        return;
    // Code line, number and line end go out in one append: reals are most of a drawing.
    const CodeLine& line = codeLineOf(code, ending_);
    char buf[sizeof line.text + kDoubleTextMax + 2];
    std::memcpy(buf, line.text, sizeof line.text);
    std::size_t n = formatDouble(value, buf + line.size);
    if (!std::isfinite(value)) {
        fail(code, std::string(buf + line.size, n) + " cannot be written (not a finite number)");
        return;
    }
    n += line.size;
    if (ending_ == LineEnding::CrLf)
        buf[n++] = '\r';
    buf[n++] = '\n';
    out_.append(buf, n);
}

void TagWriter::writeHandle(int code, std::uint64_t handle) {
    if (!check(code, valueType(code) == ValueType::Handle, "handle"))
        return;
    static const char kHex[] = "0123456789ABCDEF";
    char buf[16];
    int n = 0;
    do {
        buf[15 - n++] = kHex[handle & 0xF];
        handle >>= 4;
    } while (handle != 0);
    putCode(code);
    putValue(std::string_view(buf + 16 - n, static_cast<std::size_t>(n)));
}

void TagWriter::writeBinary(int code, const std::uint8_t* data, std::size_t size) {
    if (!check(code, valueType(code) == ValueType::Binary, "binary chunk"))
        return;
    static const char kHex[] = "0123456789ABCDEF";
    constexpr std::size_t kChunk = 127;
    std::size_t done = 0;
    do {
        std::size_t n = size - done < kChunk ? size - done : kChunk;
        char buf[kChunk * 2];
        for (std::size_t i = 0; i < n; ++i) {
            buf[2 * i] = kHex[data[done + i] >> 4];
            buf[2 * i + 1] = kHex[data[done + i] & 0xF];
        }
        putCode(code);
        putValue(std::string_view(buf, n * 2));
        done += n;
    } while (done < size);
}

void TagWriter::writePoint(int code, double x, double y) {
    if (!isPointCode(code)) {
        fail(code, "not the X code of a point");
        return;
    }
    writeDouble(code, x);
    writeDouble(code + 10, y);
}

void TagWriter::writePoint(int code, double x, double y, double z) {
    if (!isPointCode(code)) {
        fail(code, "not the X code of a point");
        return;
    }
    writeDouble(code, x);
    writeDouble(code + 10, y);
    writeDouble(code + 20, z);
}

} // namespace kz::dxf
