// Writing DXF tags to a growing string. The database writes UTF-8 files (AC1027) only.
//
// Output form, chosen so that every DXF reader takes it:
//  - group codes right-aligned in three columns ("  0", " 10", "100", "1001");
//  - reals in the shortest form that reads back to the same double, always with a
//    decimal point: "10.0", "0.1", "-0.0", "123456789.12345679", "1.0E+20", "1.0E-300";
//  - 16-bit integers and booleans right-aligned in six columns, other integers plain;
//  - handles in upper-case hexadecimal without leading zeros;
//  - strings as UTF-8 with control characters in caret notation ("^J" for a line feed,
//    "^ " for a caret), because a DXF value cannot span lines;
//  - lines end with "\n" by default; "\r\n" on request. Readers on every platform take
//    "\n", while "\r\n" trips readers that split on '\n' only.
//
// The writer checks each tag against its group code (code in 0-1071, value of the
// code's type, integer in range, finite real). A tag that fails is not written and the
// first failure is kept: check ok() before saving. The writer never throws except
// std::bad_alloc.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kz::dxf {

enum class LineEnding { Lf, CrLf };

// Longest text formatDouble produces, with room to spare.
constexpr std::size_t kDoubleTextMax = 32;

// Writes v as described above into buf (at least kDoubleTextMax bytes); returns the
// length. Non-finite values give "nan", "inf" or "-inf" (the writer refuses them).
std::size_t formatDouble(double v, char* buf);

class TagWriter {
public:
    explicit TagWriter(std::string& out, LineEnding ending = LineEnding::Lf);

    void writeString(int code, std::string_view utf8);
    void writeInt(int code, std::int64_t value); // 16/32/64-bit and boolean codes
    void writeBool(int code, bool value);
    void writeDouble(int code, double value);
    void writeHandle(int code, std::uint64_t handle);
    // One tag per 127 bytes (254 hex digits), all with the same code; one empty tag
    // when size is 0.
    void writeBinary(int code, const std::uint8_t* data, std::size_t size);
    // code is the X code (10, 11, 110, 210, 1010, ...); Y and Z follow at +10 and +20.
    void writePoint(int code, double x, double y);
    void writePoint(int code, double x, double y, double z);
    // A value kept as read (tags of unknown objects): any valid code, text written as
    // given apart from caret notation for control characters.
    void writeVerbatim(int code, std::string_view text);

    bool ok() const { return error_.empty(); }
    // "group code 70: 70000 does not fit a 16-bit integer"; empty when all went well.
    const std::string& firstError() const { return error_; }
    std::string& buffer() { return out_; }

private:
    bool check(int code, bool typeOk, const char* wanted);
    void fail(int code, std::string what);
    void putCode(int code);
    void putValue(std::string_view text);
    void putEscaped(std::string_view text, bool isText);

    std::string& out_;
    LineEnding ending_;
    std::string error_;
};

} // namespace kz::dxf
