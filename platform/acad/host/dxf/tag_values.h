// Conversion of DXF value lines to numbers, handles and bytes. Nothing here throws or
// allocates; every function reports why a value was refused.
//
// Accepted forms, as real files contain them:
//  - surrounding spaces, tabs and carriage returns are ignored ("     0" is how 16-bit
//    integers are often written);
//  - a leading '+' is accepted;
//  - reals: "1", "1.", ".5", "-0", "1e+20", "1.0E-05"; an exponent that underflows
//    gives a signed zero;
//  - refused: "nan", "inf" and other non-finite text (a coordinate must be a number),
//    hexadecimal floats, decimal commas, trailing text ("1.5x", "1e");
//  - 16-bit integers: -32768 to 65535; values above 32767 are taken as unsigned and
//    wrap (flags written as unsigned by some programs);
//  - booleans: any integer, non-zero is true;
//  - handles: 1 to 16 hexadecimal digits, either case;
//  - binary chunks: an even number of hexadecimal digits (possibly none).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kz::dxf {

enum class ParseStatus : std::uint8_t {
    Ok,
    NotANumber, // empty, not numeric, trailing text, nan/inf
    OutOfRange, // numeric but does not fit the type
    NotAHandle, // not 1-16 hexadecimal digits
    NotBinary,  // odd number of digits or a non-hexadecimal character
};

ParseStatus parseInt16(std::string_view text, std::int16_t& out) noexcept;
ParseStatus parseInt32(std::string_view text, std::int32_t& out) noexcept;
ParseStatus parseInt64(std::string_view text, std::int64_t& out) noexcept;
ParseStatus parseDouble(std::string_view text, double& out) noexcept;
ParseStatus parseBool(std::string_view text, bool& out) noexcept;
ParseStatus parseHandle(std::string_view text, std::uint64_t& out) noexcept;
// Appends the decoded bytes to out (out is left as it was on failure).
ParseStatus parseBinary(std::string_view text, std::vector<std::uint8_t>& out);

} // namespace kz::dxf
