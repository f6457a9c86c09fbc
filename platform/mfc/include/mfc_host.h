// What the headless host sets up for windows and dialogs, and what it can ask of them.
#pragma once

#include "afxwin.h"

#include <optional>
#include <string>
#include <string_view>

namespace kz {

// A window of the host itself (its main window, a drawing view) that dialogs can have
// as their parent: without a parent, `rect` is in screen pixels; with one, it is a
// child window placed in the parent's client area. Destroyed with DestroyWindow.
HWND createHostWindow(const wchar_t* title, const RECT& rect, HWND parent = nullptr);

// The screen the host pretends to have, for centring dialogs; 1920 x 1080 by default.
void setScreenSize(int width, int height);

// When not empty, every dialog that is shown also writes a picture of itself into this
// folder: "dialog-ID-N.svg", N counting the dialogs shown since the folder was set.
void setDialogPictureFolder(const std::wstring& folder);

// The dialog as DoModal writes it to the transcript: a heading line, one line per
// visible control that takes input, the focus.
std::wstring describeDialog(HWND dialog);
// A picture of the dialog as it is now, laid out from its template.
std::string renderDialogSvg(HWND dialog);

// The innermost dialog running modally, or null.
HWND activeModalDialog();

// A control class of the host other than the standard controls implements this so that
// scripts can set it and the transcript and pictures can show it.
class ScriptableControl {
public:
    virtual ~ScriptableControl() = default;
    // One word for the transcript ("colour").
    virtual std::wstring scriptKind() const = 0;
    // The value as the transcript shows it.
    virtual std::wstring scriptValue() const = 0;
    // The VALUE of a script line "ID=VALUE": change the control as the user would
    // (telling the dialog as the user's action would). Returns what is wrong with the
    // value, or an empty text when it was taken.
    virtual std::wstring scriptSet(std::wstring_view value) = 0;
    // Pictures: the text shown in the control and the colour of a swatch before it.
    virtual std::wstring shownText() const = 0;
    virtual std::optional<COLORREF> swatchColor() const { return std::nullopt; }
};

} // namespace kz
