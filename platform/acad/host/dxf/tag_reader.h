// Reading ASCII DXF files as a flat list of tags (group code + value line). This layer
// knows nothing of entities or objects; the database maps tags to objects on top of it.
//
// Line handling, as hosts read DXF:
//  - lines end with "\n" or "\r\n" (any number of trailing '\r' are dropped);
//  - a group code line may have spaces or tabs on both sides of the number;
//  - a value line is kept as written apart from the trailing '\r': strings keep their
//    leading and trailing spaces (numeric accessors trim them);
//  - the last line of the file need not end with a newline; blank lines at the end of
//    the file are ignored;
//  - no line may be longer than kMaxLineLength bytes (a damaged file must not make the
//    reader scan or keep megabytes as one value).
// Group codes outside 0-1071 are refused: they only appear when the lines are out of
// step, and saying so at that line beats misreading the rest of the file.
//
// Reading stops at the first error. Tags after a "0/EOF" tag are kept (the section
// scanner reports them), but an error after "0/EOF" only ends the list with a warning:
// some programs pad files after EOF.
#pragma once

#include "dxf/dxf_error.h"
#include "dxf/group_codes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kz::dxf {

constexpr std::size_t kMaxLineLength = 1048576;

struct Tag {
    std::string_view value; // points into the text of the TagFile (or tokenized buffer)
    std::int32_t code = 0;
    std::uint32_t line = 0; // 1-based line of the group code

    bool is(int c, std::string_view v) const { return code == c && value == v; }
    // True for a structure tag "0/word" ("SECTION", "ENDSEC", "EOF"); blanks around the
    // word are ignored.
    bool isMarker(std::string_view word) const {
        if (code != 0)
            return false;
        std::string_view v = value;
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
            v.remove_prefix(1);
        while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
            v.remove_suffix(1);
        return v == word;
    }
};

// Splits a buffer into tags without copying or decoding anything. The buffer must
// outlive the tags. Used on its own for quick scans (the encoding probe) and by
// TagFile for the full read.
class Tokenizer {
public:
    // firstLine: the line number of the first byte of text.
    explicit Tokenizer(std::string_view text, std::uint32_t firstLine = 1);

    // Returns false at the end of the input or on an error (then failed() is true).
    bool next(Tag& tag);

    bool failed() const { return problem_ != DxfProblem::None; }
    DxfProblem problem() const { return problem_; }
    std::uint32_t errorLine() const { return errorLine_; }
    // What went wrong, without the file and line prefix.
    const std::string& detail() const { return detail_; }

private:
    bool fail(DxfProblem p, std::uint32_t line, std::string detail);

    const char* pos_;
    const char* end_;
    std::uint32_t line_;
    DxfProblem problem_ = DxfProblem::None;
    std::uint32_t errorLine_ = 0;
    std::string detail_;
};

// A whole DXF file read into memory: UTF-8 text and the tags pointing into it.
// String values have their escapes decoded: \U+XXXX, \M+nXXXX and the caret notation
// for control characters (^J is a line feed, "^ " a caret). Moving a TagFile keeps the
// tags valid; it cannot be copied.
class TagFile {
public:
    TagFile();
    TagFile(TagFile&&) noexcept;
    TagFile& operator=(TagFile&&) noexcept;
    TagFile(const TagFile&) = delete;
    TagFile& operator=(const TagFile&) = delete;
    ~TagFile();

    const std::string& fileName() const { return fileName_; }
    const std::string& text() const { return *text_; }
    const std::vector<Tag>& tags() const { return tags_; }

    // $ACADVER ("AC1015", ...) and $DWGCODEPAGE as written; empty when absent.
    const std::string& version() const { return version_; }
    const std::string& codePage() const { return codePage_; }
    // The encoding the bytes were decoded from: "UTF-8" or a code page name such as
    // "ANSI_932". Non-ASCII bytes are UTF-8 in every returned string either way.
    const std::string& encoding() const { return encoding_; }
    // Tolerated problems (text after EOF, encoding mismatch, unknown code page).
    const std::vector<DxfError>& warnings() const { return warnings_; }

    // Typed access. On failure returns false, leaves out unchanged and, when error is
    // given, fills it: `drawing.dxf:12: value "x1.5" is not a number for group code 10`.
    bool toInt16(const Tag& tag, std::int16_t& out, DxfError* error = nullptr) const;
    bool toInt32(const Tag& tag, std::int32_t& out, DxfError* error = nullptr) const;
    bool toInt64(const Tag& tag, std::int64_t& out, DxfError* error = nullptr) const;
    bool toDouble(const Tag& tag, double& out, DxfError* error = nullptr) const;
    bool toBool(const Tag& tag, bool& out, DxfError* error = nullptr) const;
    bool toHandle(const Tag& tag, std::uint64_t& out, DxfError* error = nullptr) const;
    bool toBinary(const Tag& tag, std::vector<std::uint8_t>& out, DxfError* error = nullptr) const;

    // "drawing.dxf:1234: what" for a problem found at a tag by the layers above.
    DxfError errorAt(const Tag& tag, DxfProblem problem, std::string_view what) const;

    friend bool parseTagFile(std::string fileName, std::string bytes, TagFile& out,
                             DxfError& error);

private:
    std::string fileName_;
    // Held by pointer so that moving the TagFile never moves the characters the tags
    // point into.
    std::unique_ptr<std::string> text_;
    std::vector<Tag> tags_;
    std::string version_;
    std::string codePage_;
    std::string encoding_;
    std::vector<DxfError> warnings_;
};

// Reads DXF text already in memory. fileName is used in messages only. On failure
// returns false and fills error; out is then empty.
bool parseTagFile(std::string fileName, std::string bytes, TagFile& out, DxfError& error);

// readWholeFile + parseTagFile.
bool loadTagFile(const std::string& path, TagFile& out, DxfError& error);

} // namespace kz::dxf
