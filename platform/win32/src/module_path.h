// File names of modules: Windows spellings to this platform's paths, and the name
// comparisons of GetModuleHandleW.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kz {

// '\' becomes '/', a leading drive letter ("D:") is dropped.
std::wstring toPosixPath(std::wstring_view windowsPath);
// The file name after the last '/'.
std::wstring baseNameOf(std::wstring_view path);
// Windows assumes ".dll" for a module name without extension; a final '.' means
// "no extension" and is removed.
std::wstring withDefaultExtension(std::wstring_view name);
// ASCII case-insensitive equality, as file names compare on Windows.
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
// True when a loaded file's base name answers to the requested one: equal ignoring
// case, or the request "Name.dll" for the file "libName.so".
bool moduleNameMatches(std::wstring_view fileBaseName, std::wstring_view requested);
// The existing file for a module path: the path itself, a file in the same directory
// whose name differs only in ASCII case, or "libName.so" for "Name.dll".
std::optional<std::filesystem::path> findModuleFile(const std::filesystem::path& path);

} // namespace kz
