// Text contents as a picture shows them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::render {

// Replaces the control codes of single-line texts: %%d degree, %%p plus-minus, %%c
// diameter, %%% a percent sign, %%nnn the character nnn; the underline, overline and
// strike-through switches (%%u, %%o, %%k) show nothing.
std::wstring plainText(std::wstring_view text);

// Splits at line breaks and, when width is positive, wraps each paragraph at spaces so
// that no line is wider than width by the measure given (a single word wider than
// that stays whole).
std::vector<std::wstring> wrapLines(std::wstring_view text, double width,
                                    const std::function<double(std::wstring_view)>& measure);

} // namespace kz::render
