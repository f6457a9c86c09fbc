// What kind of value each DXF group code carries. A group code line tells the reader
// how to interpret the value line that follows it; codes not assigned by the format
// are read as text so that nothing in an unknown object is lost.
#pragma once

#include <cstdint>

namespace kz::dxf {

enum class ValueType : std::uint8_t {
    String, // text, UTF-8 once read
    Int16,
    Int32,
    Int64,
    Double,
    Bool,   // written as a 16-bit integer, 0 or 1
    Handle, // hexadecimal object handle, up to 16 digits
    Binary, // hexadecimal bytes, two digits per byte
};

// Group codes in ASCII DXF files run from 0 to 1071 (the negative codes exist only in
// memory, in result buffers).
constexpr int kMinGroupCode = 0;
constexpr int kMaxGroupCode = 1071;

constexpr bool isValidGroupCode(int code) noexcept {
    return code >= kMinGroupCode && code <= kMaxGroupCode;
}

constexpr ValueType valueType(int code) noexcept {
    if (code < 0)
        return ValueType::String;
    if (code < 10)
        return code == 5 ? ValueType::Handle : ValueType::String;
    if (code < 60)
        return ValueType::Double; // 10-39 coordinates, 40-59 reals
    if (code < 80)
        return ValueType::Int16;
    if (code < 90)
        return ValueType::String; // unassigned
    if (code < 100)
        return ValueType::Int32;
    if (code < 105)
        return ValueType::String; // 100 subclass marker, 102 control string
    if (code == 105)
        return ValueType::Handle;
    if (code < 110)
        return ValueType::String; // unassigned
    if (code < 150)
        return ValueType::Double;
    if (code < 160)
        return ValueType::String; // unassigned
    if (code < 170)
        return ValueType::Int64;
    if (code < 180)
        return ValueType::Int16;
    if (code < 210)
        return ValueType::String; // unassigned
    if (code < 240)
        return ValueType::Double;
    if (code < 270)
        return ValueType::String; // unassigned
    if (code < 290)
        return ValueType::Int16;
    if (code < 300)
        return ValueType::Bool;
    if (code < 310)
        return ValueType::String;
    if (code < 320)
        return ValueType::Binary;
    if (code < 370)
        return ValueType::Handle; // 320-329 handles, 330-369 soft/hard pointers and owners
    if (code < 390)
        return ValueType::Int16; // lineweight, plot style type
    if (code < 400)
        return ValueType::Handle; // plot style handle
    if (code < 410)
        return ValueType::Int16;
    if (code < 420)
        return ValueType::String;
    if (code < 430)
        return ValueType::Int32; // true color
    if (code < 440)
        return ValueType::String; // color name
    if (code < 460)
        return ValueType::Int32; // transparency, long
    if (code < 470)
        return ValueType::Double;
    if (code < 480)
        return ValueType::String;
    if (code < 482)
        return ValueType::Handle;
    if (code < 1004)
        return ValueType::String; // 999 comment, 1000-1003 extended data strings
    if (code == 1004)
        return ValueType::Binary;
    if (code == 1005)
        return ValueType::Handle;
    if (code < 1010)
        return ValueType::String;
    if (code < 1060)
        return ValueType::Double; // 1010-1059 extended data points and reals
    if (code < 1071)
        return ValueType::Int16;
    if (code == 1071)
        return ValueType::Int32;
    return ValueType::String;
}

// True for the code of the X coordinate of a point; Y is code + 10 and Z, when the
// point is 3D, code + 20.
constexpr bool isPointCode(int code) noexcept {
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 ||
           (code >= 1010 && code <= 1013);
}

constexpr const char* valueTypeName(ValueType t) noexcept {
    switch (t) {
    case ValueType::String:
        return "text";
    case ValueType::Int16:
        return "16-bit integer";
    case ValueType::Int32:
        return "32-bit integer";
    case ValueType::Int64:
        return "64-bit integer";
    case ValueType::Double:
        return "real number";
    case ValueType::Bool:
        return "boolean (0 or 1)";
    case ValueType::Handle:
        return "handle";
    case ValueType::Binary:
        return "binary chunk";
    }
    return "value";
}

} // namespace kz::dxf
