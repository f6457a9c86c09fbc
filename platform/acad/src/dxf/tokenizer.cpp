#include "dxf/tag_reader.h"

#include <cstring>

namespace kz::dxf {

namespace {

// End of the line starting at p: the '\n', or end when the last line has none.
// nullptr when the line is longer than kMaxLineLength; the scan never goes further
// than that, so a huge damaged line costs no more than a normal one.
inline const char* findLineEnd(const char* p, const char* end) {
    std::size_t left = static_cast<std::size_t>(end - p);
    std::size_t scan = left <= kMaxLineLength ? left : kMaxLineLength + 1;
    if (const void* nl = std::memchr(p, '\n', scan))
        return static_cast<const char*>(nl);
    return left <= kMaxLineLength ? end : nullptr;
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Whitespace, NUL padding and the old end-of-file mark ^Z count as nothing at the end
// of a file.
bool onlyPaddingLeft(const char* p, const char* end) {
    for (; p < end; ++p)
        if (!isBlank(*p) && *p != '\n' && *p != '\0' && *p != '\x1A')
            return false;
    return true;
}

std::string_view withoutCr(const char* b, const char* e) {
    while (e > b && e[-1] == '\r')
        --e;
    return {b, static_cast<std::size_t>(e - b)};
}

// The group code line as nearly every file writes it: spaces, one to four digits of a
// valid code, then "\n" or "\r\n". Returns the '\n' and sets code; nullptr for any other
// form, which the general path then reads (and reports when it is wrong).
inline const char* simpleCodeLine(const char* p, const char* end, int& code) {
    while (p < end && *p == ' ')
        ++p;
    const char* digits = p;
    int v = 0;
    while (p < end && p - digits < 4 && static_cast<unsigned>(*p - '0') < 10) {
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == digits || p == end || !isValidGroupCode(v))
        return nullptr;
    if (*p == '\r' && p + 1 < end)
        ++p;
    if (*p != '\n')
        return nullptr;
    code = v;
    return p;
}

} // namespace

Tokenizer::Tokenizer(std::string_view text, std::uint32_t firstLine)
    : pos_(text.data()), end_(text.data() + text.size()), line_(firstLine) {}

bool Tokenizer::fail(DxfProblem p, std::uint32_t line, std::string detail) {
    problem_ = p;
    errorLine_ = line;
    detail_ = std::move(detail);
    pos_ = end_;
    return false;
}

bool Tokenizer::next(Tag& tag) {
    if (pos_ >= end_ || problem_ != DxfProblem::None)
        return false;
    const char* p = pos_;
    int code = 0;
    const char* codeEnd = simpleCodeLine(p, end_, code);
    if (!codeEnd) {
        codeEnd = findLineEnd(p, end_);
        if (!codeEnd)
            return fail(DxfProblem::LineTooLong, line_,
                        "line longer than " + std::to_string(kMaxLineLength) + " bytes");

        // Group code: blanks, an optional '-', digits, blanks.
        const char* q = p;
        while (q < codeEnd && (*q == ' ' || *q == '\t'))
            ++q;
        bool negative = false;
        if (q < codeEnd && *q == '-') {
            negative = true;
            ++q;
        }
        const char* digits = q;
        code = 0;
        while (q < codeEnd && static_cast<unsigned>(*q - '0') < 10) {
            if (code < 100000)
                code = code * 10 + (*q - '0');
            ++q;
        }
        const char* digitsEnd = q;
        const bool noDigits = q == digits;
        while (q < codeEnd && isBlank(*q))
            ++q;
        if (noDigits || q != codeEnd) {
            if (noDigits && !negative && onlyPaddingLeft(p, end_)) {
                pos_ = end_; // blank lines at the end of the file
                return false;
            }
            return fail(DxfProblem::BadGroupCode, line_,
                        "expected an integer group code, found " +
                            quoteForMessage(withoutCr(p, codeEnd)));
        }
        if (negative)
            code = -code;
        if (!isValidGroupCode(code))
            return fail(DxfProblem::GroupCodeOutOfRange, line_,
                        "group code " + std::string(negative ? digits - 1 : digits, digitsEnd) +
                            " is outside " + std::to_string(kMinGroupCode) + "-" +
                            std::to_string(kMaxGroupCode) + " (are the lines out of step?)");
    }

    if (codeEnd == end_ || codeEnd + 1 == end_)
        return fail(DxfProblem::MissingValue, line_,
                    "file ends in the middle of a tag (value line missing)");
    const char* v = codeEnd + 1;
    const char* valueEnd = findLineEnd(v, end_);
    if (!valueEnd)
        return fail(DxfProblem::LineTooLong, line_ + 1,
                    "line longer than " + std::to_string(kMaxLineLength) + " bytes");

    tag.code = code;
    tag.line = line_;
    tag.value = withoutCr(v, valueEnd);
    pos_ = valueEnd == end_ ? end_ : valueEnd + 1;
    line_ += 2;
    return true;
}

} // namespace kz::dxf
