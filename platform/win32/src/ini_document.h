// The contents of an ini file as lines that keep their original bytes, so that a change
// rewrites only the lines it touches (win_profile.h has the rules).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz {

enum class IniEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, ShiftJis };

class IniDocument {
public:
    // An empty new file: UTF-8 without byte order mark, CRLF line endings.
    IniDocument() = default;
    // Never fails: whatever the bytes are, they become lines.
    static IniDocument parse(std::string_view bytes);

    IniEncoding encoding() const { return encoding_; }

    // The trimmed value of the first key of that name in the first section of that
    // name, quotes not removed; nothing when there is none. Valid until the next change.
    std::optional<std::wstring_view> value(std::wstring_view section, std::wstring_view key) const;
    // Every section header, in file order.
    std::vector<std::wstring> sectionNames() const;
    // The key names of the first section of that name, in file order; nothing when the
    // file has no such section.
    std::optional<std::vector<std::wstring>> keyNames(std::wstring_view section) const;

    // Each returns whether the document changed.
    bool setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    bool removeKey(std::wstring_view section, std::wstring_view key);
    bool removeSection(std::wstring_view section);

    // The file's bytes; nothing when a changed line cannot be written in the file's
    // encoding.
    std::optional<std::string> serialize() const;

private:
    enum class Kind : std::uint8_t { Blank, Comment, Section, Key, Other };
    enum class Eol : std::uint8_t { None, CrLf, Lf, Cr };
    // Kept small: a large file has many lines, and they are parsed at every read.
    struct Line {
        std::wstring text;        // decoded (NUL characters dropped); the source of a changed line
        std::size_t rawStart = 0; // the line's bytes in source_, without line ending
        std::size_t rawLength = 0;
        std::size_t nameStart = 0; // section or key name in text, trimmed
        std::size_t nameLength = 0;
        std::size_t valueStart = 0;  // key value in text (the part after '=' and blanks)
        std::size_t valueLength = 0; // trimmed
        Kind kind = Kind::Other;
        Eol eol = Eol::None;
        bool changed = false;

        std::wstring_view name() const {
            return std::wstring_view(text).substr(nameStart, nameLength);
        }
        std::wstring_view value() const {
            return std::wstring_view(text).substr(valueStart, valueLength);
        }
    };

    static const wchar_t* eolText(Eol eol);
    static void classify(Line& line);
    std::optional<std::size_t> findSection(std::wstring_view name) const;
    // End (exclusive) of the section whose header is at index header.
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, std::wstring_view key) const;
    Line makeLine(std::wstring text) const;
    void insertLine(std::size_t at, std::wstring text);
    std::optional<std::string> encode(std::wstring_view text) const;

    std::string source_; // the file's bytes after the byte order mark
    IniEncoding encoding_ = IniEncoding::Utf8;
    Eol eol_ = Eol::CrLf; // what new lines end with: the file's most frequent ending
    std::vector<Line> lines_;
};

// Name comparison of ini files: equal ignoring ASCII case and surrounding white space.
bool iniNamesEqual(std::wstring_view a, std::wstring_view b);
// White space as the profile functions trim it.
bool isIniSpace(wchar_t c);
std::wstring_view trimIni(std::wstring_view s);

} // namespace kz
