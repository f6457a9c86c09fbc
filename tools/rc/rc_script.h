// What a resource script compiles to, before it is written out as C++.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kzrc {

struct SourceLocation {
    std::string file;
    int line = 0;
};

// A script error: where it is and what was expected. what() reads "file:line: message".
class RcError : public std::runtime_error {
public:
    RcError(const SourceLocation& where, const std::string& message);
    SourceLocation where;
    std::string message;
};

[[noreturn]] void fail(const SourceLocation& where, const std::string& message);

struct StringDef {
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    std::wstring text;
    SourceLocation where;
};

struct ControlDef {
    int id = 0;
    std::wstring className;
    std::wstring text;
    std::uint16_t imageId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    std::vector<std::wstring> listItems;
    SourceLocation where;
};

struct DialogDef {
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    bool extended = false;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    std::wstring fontFace;
    std::uint16_t fontPointSize = 0;
    std::uint16_t fontWeight = 0;
    std::uint8_t fontItalic = 0;
    std::uint8_t fontCharset = 0;
    std::vector<ControlDef> controls;
    SourceLocation where;
};

struct BitmapDef {
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> dib; // the file without its 14-byte file header
    SourceLocation where;
};

struct Script {
    std::vector<StringDef> strings;
    std::vector<DialogDef> dialogs;
    std::vector<BitmapDef> bitmaps;
    std::vector<std::string> dependencies; // every file read besides the script itself
};

struct Options {
    std::vector<std::string> includeDirs;
    std::uint16_t defaultLanguage = 0x0409; // until a LANGUAGE statement
};

// Compile a script file, or a script given as text (includes and bitmap files are then
// looked up beside `fileName`). Throw RcError on the first error.
Script compileFile(const std::string& path, const Options& options);
Script compileText(std::string_view text, const std::string& fileName, const Options& options);

} // namespace kzrc
