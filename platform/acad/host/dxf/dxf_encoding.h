// The character encoding of a DXF file and its conversion to UTF-8.
//
// Files of version AC1021 and later are UTF-8. Older files use the code page named by
// $DWGCODEPAGE (ANSI_1252 when absent). Two departures from that rule keep text from
// being lost to mislabelled files:
//  - an old file whose non-ASCII bytes are all well-formed UTF-8 is read as UTF-8
//    (programs that write UTF-8 into old versions exist; Shift-JIS or ANSI text is
//    almost never well-formed UTF-8 by chance);
//  - a new file that is not well-formed UTF-8 is read with $DWGCODEPAGE.
// Both give a warning. A UTF-8 byte order mark means UTF-8 whatever the version says;
// UTF-16LE text with its byte order mark (as some editors save) is converted to UTF-8
// first, UTF-16BE is refused.
// The whole buffer is converted at once: line breaks, digits and group code lines are
// ASCII in every supported code page, so lines and tags stay where they were.
#pragma once

#include <string>
#include <string_view>

namespace kz::dxf {

struct HeaderProbe {
    std::string version;  // $ACADVER, empty when absent
    std::string codePage; // $DWGCODEPAGE, empty when absent
};

// Scans the HEADER section (when it comes first) for $ACADVER and $DWGCODEPAGE.
// Tolerates any damage: the full read reports it.
HeaderProbe probeHeader(std::string_view text);

// True for versions whose files are UTF-8 (AC1021 and later).
bool isUtf8Version(std::string_view acadVersion);

// True when every byte is below 0x80.
bool isAscii(std::string_view bytes) noexcept;

enum class EncodingChoice {
    AsIs,        // already UTF-8 (or pure ASCII)
    Convert,     // convert from the code page
    UnknownPage, // code page unknown to the converter: kept as is
};

struct EncodingDecision {
    EncodingChoice choice = EncodingChoice::AsIs;
    std::string encoding; // "UTF-8" or the code page used
    std::string warning;  // empty unless the file's own label was overruled
};

// Decides how to read text (without a byte order mark) given its header.
EncodingDecision decideEncoding(std::string_view text, const HeaderProbe& header);

// Converts text from the code page to UTF-8 (unconvertible bytes become U+FFFD).
// Returns false when the code page is unknown.
bool convertToUtf8(std::string_view text, std::string_view codePage, std::string& out);

} // namespace kz::dxf
