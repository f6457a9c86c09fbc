// Dialog data exchange: UpdateData's driver and the number rules of DDX_Text.
#pragma once

#include "afxwin.h"

#include <optional>
#include <string_view>

namespace kz::ui {

// Runs the window's DoDataExchange. Control notifications to the window are held back
// meanwhile. Returns false when the exchange failed (the user has been told).
bool exchangeData(CWnd& wnd, bool save);
// True while UpdateData runs for this window.
bool exchangeInProgress(HWND window);

// The numbers MFC accepts in an edit box: spaces and tabs around, then what the C
// runtime reads as a number, nothing after it. As in MFC, a text whose value is zero
// must start with the digit 0 ("-0" and ".0" are refused). Beyond MFC, values that do
// not fit (or are not finite) are refused too. Full-width digits are refused, as
// Windows refuses them.
std::optional<long long> parseInteger(std::wstring_view text);
std::optional<double> parseReal(std::wstring_view text);

} // namespace kz::ui
