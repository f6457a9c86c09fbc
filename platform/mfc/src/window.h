// The headless window manager: windows kept in memory, each with the state its class
// keeps on Windows. An HWND is the address of a Window; handles are checked against
// the set of live windows before use, so a stale handle is simply not found.
#pragma once

#include "winuser.h"
#include "win_resource.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;

namespace kz::ui {

enum class Kind {
    Frame,  // a top-level window that is not a dialog (the host's main window, a view)
    Dialog, // created from a dialog template
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    ComboBox,
    ListBox,
    Label,   // static text
    Picture, // static bitmap or icon
    Other,   // a class this host does not know: kept, shown as a box
};

struct ListEntry {
    std::wstring text;
    LPARAM data = 0;
};

struct Window {
    Kind kind = Kind::Other;
    std::wstring className;
    std::wstring text;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    // Window rectangle: relative to the parent's client area for child windows, screen
    // pixels for top-level windows.
    RECT rect{};
    // Frame widths between the window rectangle and the client area.
    RECT frame{};
    bool visible = false;
    bool enabled = true;
    Window* parent = nullptr;
    std::vector<Window*> children; // in creation order, which is the tab order

    // Edit controls.
    int textLimit = 0; // 0: no limit set
    // Check boxes and radio buttons: BST_*.
    int check = BST_UNCHECKED;
    // Combo boxes and list boxes.
    std::vector<ListEntry> entries;
    int curSel = -1;
    int dropHeight = 0; // pixels of the dropped-down list
    // Picture controls: the bitmap and the module it comes from.
    WORD imageId = 0;
    HINSTANCE resources = nullptr;

    // Dialogs: the template, the font's base units (pixels per 4 horizontal and per 8
    // vertical dialog units), the default button, and how the modal loop ended.
    const DialogTemplate* dialogTemplate = nullptr;
    int baseX = 8;
    int baseY = 16;
    int defId = IDOK;
    bool ended = false;
    INT_PTR result = 0;

    // The MFC object that receives the window's messages, if any, and the wrapper
    // objects handed out by CWnd::FromHandle, which live as long as the window.
    CWnd* object = nullptr;
    std::unique_ptr<CWnd> temporary;
};

Window* find(HWND handle); // null for null, stale or foreign handles
inline HWND handleOf(const Window* w) {
    return reinterpret_cast<HWND>(const_cast<Window*>(w));
}

// Creates a window; `rect` as Window::rect. The window is visible when WS_VISIBLE is set
// and enabled unless WS_DISABLED is set.
Window* create(Kind kind, std::wstring className, std::wstring text, DWORD style, DWORD exStyle,
               const RECT& rect, Window* parent, int id);
// Creates the dialog window of a template and its controls (not yet shown to anyone):
// sizes from dialog units, combo box and list box entries from the template, picture
// controls sized to their bitmaps. Placed at the template's position relative to the
// parent's client area.
Window* createDialog(const DialogTemplate& dlg, HINSTANCE resources, Window* parent);
// Destroys the window and its children: attached objects are detached (and told with
// PostNcDestroy), wrappers are freed, a focus inside moves to nothing.
void destroy(Window* w);

// The standard behaviour of the window's class for a message.
LRESULT defaultProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
// Sends the message to the attached object, or to the class behaviour when none.
LRESULT send(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
// Tells the parent of a control about an event, as WM_COMMAND with the control's id and
// the notification code.
void notifyParent(Window* control, WORD code);

Window* focus();
void setFocus(Window* w);

RECT screenRect(const Window* w);    // the window rectangle in screen pixels
POINT clientOrigin(const Window* w); // screen position of the client area's top left
Window* childById(const Window* parent, int id);
bool isShown(const Window* w); // visible, and every parent visible

// The screen the host pretends to have (for centring and clamping dialogs).
struct ScreenSize {
    int cx = 1920;
    int cy = 1080;
};
ScreenSize& screen();

// Dialog units to pixels with the dialog's base units, rounded as MulDiv rounds.
int dluToPixelsX(const Window* dialog, int dlu);
int dluToPixelsY(const Window* dialog, int dlu);

// The kind a window class and style make.
Kind kindOf(std::wstring_view className, DWORD style);

} // namespace kz::ui
