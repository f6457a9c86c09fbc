// The window handles of the headless host: its main window and the drawing window
// (whose client area is the DrawingView). GDI drawing on the drawing window is what
// the module draws on the screen.
#pragma once

#include "win_types.h"

namespace kz::ed {

HWND mainWindow();
HWND drawingWindow();

} // namespace kz::ed
