// printf-style formatting of wide text with the Windows (MSVC) rules for wide
// functions, shared by swprintf_s, _snwprintf and CString::Format:
// - "%s" and "%ls" take wchar_t*, "%S" and "%hs" take char* (UTF-8), "%c" takes a
//   wchar_t, "%C" and "%hc" a char;
// - "%ld", "%lu", "%lx" read a 32-bit value (long is 32 bits on Windows); "%I64d",
//   "%lld", "%I64u", "%llu" 64 bits; "%Id", "%zd" pointer size; "%I32d" 32 bits;
// - "%f", "%lf", "%Lf", "%e", "%g", "%a" read a double;
// - "%p" prints 16 upper-case hex digits without a prefix;
// - flags "- + 0 space #", width and precision, each also as '*';
// - a null string prints "(null)"; an unknown or incomplete conversion and "%n" are
//   copied to the output as written, consuming no argument.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

namespace kz {

// MFC code passes CString objects straight to "%s". Where MSVC copies the object's
// bits (a pointer to the text), GCC passes a copy of the object by address. An object
// that starts with this header is therefore recognised by its marker, a value that no
// text can start with (it is beyond U+10FFFF), and its text is printed.
struct WideTextObject {
    std::uint32_t magic;
    const wchar_t* text;
};
inline constexpr std::uint32_t kWideTextObjectMagic = 0xFEEDC57Bu;

std::wstring formatWide(const wchar_t* format, ...);
std::wstring formatWideV(const wchar_t* format, va_list args);

} // namespace kz
