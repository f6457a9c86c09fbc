// The user's actions on the controls of an open dialog, as script lines give them.
#pragma once

#include <string>
#include <string_view>

namespace kz::ui {

struct Window;

struct ActionResult {
    bool ok = true;
    std::wstring message; // what went wrong, or a remark on what was done; may be empty
};

// "ID=VALUE": types the text into an edit box, picks a list position (or the entry
// with that text) in a combo box or list box, sets a check box (0, 1; 2 for three-state
// boxes), chooses a radio button (1), or hands the value to a host control
// (kz::ScriptableControl). The control gets the focus, as a user's click gives it.
ActionResult setControlValue(Window* dialog, int id, std::wstring_view value);
// "ID": clicks the button (or check box, radio button).
ActionResult clickControl(Window* dialog, int id);
// Empty when the control exists, is shown and enabled; else why the user cannot reach
// it.
std::wstring checkReachable(const Window* dialog, int id, Window*& control);

} // namespace kz::ui
