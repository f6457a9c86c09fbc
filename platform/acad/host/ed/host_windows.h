// The window handles of the headless host: its main window and the drawing window
// (whose client area is the DrawingView). GDI drawing on the drawing window is what
// the module draws on the screen.
#pragma once

#include "win_types.h"

namespace kz::ed {

// Null before createHostWindows.
HWND mainWindow();
HWND drawingWindow();

// Makes the main window and, as its child, the drawing window with the client size of
// the DrawingView, whose screen position it records in the view. Windows made before
// are destroyed first.
void createHostWindows();
void destroyHostWindows();

} // namespace kz::ed
