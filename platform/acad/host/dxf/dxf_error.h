// Problems found while reading a DXF file. Each has a stable number (for tests, logs
// and audit reports) and a message that names the file and the 1-based line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kz::dxf {

enum class DxfProblem : int {
    None = 0,
    // The file as a whole.
    CannotReadFile = 1,
    EmptyFile = 2,
    BinaryDxf = 3,
    NotDxf = 4,
    FileTooLarge = 5,
    // Tokenizing.
    LineTooLong = 10,
    BadGroupCode = 11,
    GroupCodeOutOfRange = 12,
    MissingValue = 13,
    // Typed values.
    NotANumber = 20,
    NumberOutOfRange = 21,
    NotAHandle = 22,
    NotBinary = 23,
    // Section structure.
    MissingEndsec = 30,
    SectionWithoutName = 31,
    NestedSection = 32,
    EndsecWithoutSection = 33,
    TagOutsideSection = 34,
    // Tolerated; reported as warnings.
    MissingEof = 40,
    TextAfterEof = 41,
    EncodingMismatch = 42,
    UnknownCodePage = 43,
};

struct DxfError {
    DxfProblem problem = DxfProblem::None;
    std::uint32_t line = 0; // 1-based; 0 when the problem concerns the whole file
    std::string message;    // "drawing.dxf:1234: expected ..."

    explicit operator bool() const { return problem != DxfProblem::None; }
};

// Builds "file:line: what" (or "file: what" when line is 0).
DxfError makeDxfError(std::string_view fileName, std::uint32_t line, DxfProblem problem,
                      std::string_view what);

// Quotes a fragment of input for a message: at most 40 bytes, control characters and
// bytes that are not UTF-8 shown as \xNN.
std::string quoteForMessage(std::string_view text);

} // namespace kz::dxf
