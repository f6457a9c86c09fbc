// Symbols that Windows headers give resource scripts: window, dialog and control
// styles, standard control ids, and language ids.
#pragma once

#include "rc_lexer.h"

namespace kzrc {

void defineBuiltinSymbols(std::map<std::string, std::vector<Token>>& macros);

// Canonical spelling of a standard control class ("button" -> "Button"), or the name
// unchanged when it is not one.
std::wstring canonicalClassName(const std::wstring& name);

} // namespace kzrc
