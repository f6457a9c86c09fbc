// The vocabularies of the two list-valued settings: arrowheads (arrowType) and text
// directions (textDirection, the host's vertical text placement). The same lists fill
// the settings dialog's drop-down lists from its template.
#pragma once

constexpr int kArrowheadCount = 20;
constexpr int kTextDirectionCount = 5;

// "塗潰し矢印", "黒丸", ... in list order.
extern const wchar_t* const kArrowheadNames[kArrowheadCount];
extern const wchar_t* const kTextDirectionNames[kTextDirectionCount];

// The arrowhead block name that stands for no arrowhead.
constexpr const wchar_t* kNoArrowhead = L"_NONE";
