// Escapes inside DXF string values.
//
// Reading (any file version):
//  - \U+XXXX: a UTF-16 code unit in hex; a high and a low surrogate in a row make one
//    character. A lone surrogate or U+0000 is left as written.
//  - \M+nXXXX: a double-byte character of an Asian code page, n = 1 (932 Japanese),
//    2 (950 Traditional Chinese), 3 (949 Korean), 5 (936 Simplified Chinese); XXXX is
//    the two bytes in hex. Left as written when the code page is unknown (4, Johab) or
//    the bytes are not a character.
//  - caret notation for control characters: "^J" is a line feed (0x0A), "^@" through
//    "^_" are 0x00-0x1F and "^ " is a caret. A caret followed by anything else is kept.
// Every decoded form is no longer than its escape, so decoding works in place.
//
// Writing: AC1021 and later files are UTF-8 and need no \U+ escapes, but DXF lines
// cannot hold control characters, so the writer uses caret notation for them (a line
// feed in a string becomes "^J", a caret "^ "), and writes a backslash that would start
// an escape as "\U+005C"; other readers decode both the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kz::dxf {

// True when text contains '\\' or '^' and so may need decoding.
bool mayHaveEscapes(std::string_view text) noexcept;

// Decodes the escapes of [data, data + size) in place; returns the new size.
std::size_t decodeEscapesInPlace(char* data, std::size_t size);

// Convenience copy form of decodeEscapesInPlace.
std::string decodeEscapes(std::string_view text);

// Appends text to out with control characters in caret notation and '^' as "^ ". In a
// text value (isText; readers decode "\U+" and "\M+" only there) a backslash that would
// read as the start of "\U+" or "\M+" is written as "\U+005C": text that holds
// "\M+1907E" as it stands, left so by an escape a damaged file broke, must not become
// another character on the next read.
void appendEscapedForWriting(std::string& out, std::string_view text, bool isText);

// True when appendEscapedForWriting would change text.
bool needsEscapeForWriting(std::string_view text, bool isText) noexcept;

// \U+XXXX for every character outside ASCII (surrogate pairs beyond U+FFFF), for
// writing text where only ASCII is safe. Invalid UTF-8 bytes become U+FFFD.
std::string encodeUnicodeEscapes(std::string_view utf8);

} // namespace kz::dxf
