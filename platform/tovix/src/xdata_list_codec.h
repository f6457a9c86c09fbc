// How an ordered list of strings is laid out in one application's extended data.
#pragma once

#include "adsdef.h"

#include <string>
#include <vector>

namespace kz::tovix {

// Most bytes (UTF-8) one 1000 group may hold.
constexpr std::size_t kMaxGroupBytes = 255;

// The strings of an extended-data chain: each 1000 group outside braces is one string,
// the 1000 groups between a 1002 "{" and its "}" together are one string; other groups
// and other applications' items (after a second 1001 group) are not read.
std::vector<std::wstring> decodeStringList(const resbuf* chain);

// The chain 1001 app followed by the groups of the strings. With no strings the chain
// is the 1001 group alone, which removes the application's data when set.
// The caller frees it with acutRelRb.
resbuf* encodeStringList(const wchar_t* app, const std::vector<std::wstring>& strings);

// Cuts text into pieces of at most maxBytes UTF-8 bytes each, never inside a character.
std::vector<std::wstring> splitByUtf8Bytes(const std::wstring& text, std::size_t maxBytes);

} // namespace kz::tovix
