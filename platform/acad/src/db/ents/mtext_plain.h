// The plain text of paragraph-text contents: format codes removed, paragraph breaks
// as line feeds.
#pragma once

#include <string>
#include <string_view>

namespace kz {

std::wstring mtextPlainText(std::wstring_view contents);

} // namespace kz
