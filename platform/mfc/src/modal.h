// The modal loop of a headless dialog: shown in the transcript, driven by input lines.
#pragma once

#include "afxwin.h"

#include <string>

namespace kz::ui {

struct Window;

INT_PTR runModal(CDialog& dialog);

// "Dialog 200" (or the template's name).
std::wstring dialogTitle(const Window* dialog);
// One line of the transcript for a control: id, kind, label, value (without the
// leading indentation and the line end).
std::wstring describeControl(const Window* control);
// The text that names a control for the user: its own text for buttons, else the
// static text at its left (or just before it).
std::wstring labelOf(const Window* control);
// The focused control of the dialog ("ID LABEL"), or "none".
std::wstring focusText(const Window* dialog);
// Writes the picture file of a dialog when a picture folder is set; returns its path
// ("" when none was written).
std::wstring writeDialogPicture(const Window* dialog);

} // namespace kz::ui
