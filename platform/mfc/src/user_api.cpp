// The user32 functions over the headless window manager.
#include "winuser.h"

#include "guard.h"
#include "window.h"

#include <algorithm>

using kz::ui::Kind;
using kz::ui::Window;

namespace {

Window* dialogChild(HWND dialog, int id) {
    return kz::ui::childById(kz::ui::find(dialog), id);
}

bool takesTabStop(const Window* w) {
    return (w->style & WS_TABSTOP) && w->enabled && w->visible;
}

} // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return kz::ui::guarded(L"SendMessage", LRESULT{0}, [&] {
        return kz::ui::send(kz::ui::find(window), message, wParam, lParam);
    });
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return kz::ui::guarded(L"SendDlgItemMessage", LRESULT{0}, [&] {
        return kz::ui::send(dialogChild(dialog, id), message, wParam, lParam);
    });
}

BOOL IsWindow(HWND window) {
    return kz::ui::find(window) != nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
    return kz::ui::handleOf(dialogChild(dialog, id));
}

int GetDlgCtrlID(HWND window) {
    const Window* w = kz::ui::find(window);
    return w != nullptr && (w->style & WS_CHILD) ? w->id : 0;
}

HWND GetParent(HWND window) {
    const Window* w = kz::ui::find(window);
    return w != nullptr ? kz::ui::handleOf(w->parent) : nullptr;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) == TRUE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax) {
    if (bufferMax <= 0) {
        return 0;
    }
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(bufferMax),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    return SetWindowTextW(GetDlgItem(dialog, id), text);
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr && buffer != nullptr && bufferMax > 0) {
        buffer[0] = L'\0';
    }
    return static_cast<UINT>(GetWindowTextW(item, buffer, bufferMax));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND item = GetDlgItem(dialog, id);
    SendMessageW(item, BM_SETCHECK, check, 0);
    return item != nullptr;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

BOOL EnableWindow(HWND window, BOOL enable) {
    Window* w = kz::ui::find(window);
    if (w == nullptr) {
        return FALSE;
    }
    const bool wasDisabled = !w->enabled;
    w->enabled = enable != FALSE;
    w->style = w->enabled ? (w->style & ~DWORD{WS_DISABLED}) : (w->style | WS_DISABLED);
    if (wasDisabled == w->enabled) {
        SendMessageW(window, WM_ENABLE, static_cast<WPARAM>(w->enabled), 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
    const Window* w = kz::ui::find(window);
    return w != nullptr && w->enabled;
}

BOOL ShowWindow(HWND window, int command) {
    Window* w = kz::ui::find(window);
    if (w == nullptr) {
        return FALSE;
    }
    const bool wasVisible = w->visible;
    w->visible = command != SW_HIDE;
    w->style = w->visible ? (w->style | WS_VISIBLE) : (w->style & ~DWORD{WS_VISIBLE});
    return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
    const Window* w = kz::ui::find(window);
    return w != nullptr && kz::ui::isShown(w);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = kz::ui::find(window);
    if (w == nullptr) {
        return FALSE;
    }
    // There is no stacking order to keep: insertAfter only matters on a screen.
    RECT& r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        r = {x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, cx);
        r.bottom = r.top + std::max(0, cy);
    }
    if (flags & SWP_SHOWWINDOW) {
        ShowWindow(window, SW_SHOW);
    } else if (flags & SWP_HIDEWINDOW) {
        ShowWindow(window, SW_HIDE);
    }
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    const Window* w = kz::ui::find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = kz::ui::screenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    const Window* w = kz::ui::find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    const RECT& r = w->rect;
    *rect = {0, 0, std::max(0, static_cast<int>(r.right - r.left - w->frame.left - w->frame.right)),
             std::max(0, static_cast<int>(r.bottom - r.top - w->frame.top - w->frame.bottom))};
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
    const Window* w = kz::ui::find(window);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    const POINT o = kz::ui::clientOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
    const Window* w = kz::ui::find(window);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    const POINT o = kz::ui::clientOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    const Window* w = kz::ui::find(dialog);
    if (w == nullptr || w->kind != Kind::Dialog || rect == nullptr) {
        return FALSE;
    }
    *rect = {kz::ui::dluToPixelsX(w, rect->left), kz::ui::dluToPixelsY(w, rect->top),
             kz::ui::dluToPixelsX(w, rect->right), kz::ui::dluToPixelsY(w, rect->bottom)};
    return TRUE;
}

HWND SetFocus(HWND window) {
    HWND previous = kz::ui::handleOf(kz::ui::focus());
    if (window == nullptr) {
        kz::ui::setFocus(nullptr);
        return previous;
    }
    Window* w = kz::ui::find(window);
    // Only the window's own state counts: a dialog sets the focus on its controls
    // before it is shown.
    if (w == nullptr || !w->enabled || !w->visible) {
        return nullptr;
    }
    kz::ui::setFocus(w);
    return previous;
}

HWND GetFocus() {
    return kz::ui::handleOf(kz::ui::focus());
}

BOOL DestroyWindow(HWND window) {
    Window* w = kz::ui::find(window);
    if (w == nullptr) {
        return FALSE;
    }
    kz::ui::guarded(L"DestroyWindow", 0, [&] {
        kz::ui::destroy(w);
        return 0;
    });
    return TRUE;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG message) {
    Window* d = kz::ui::find(dialog);
    if (d == nullptr || message == nullptr || message->message != WM_KEYDOWN) {
        return FALSE;
    }
    auto press = [&](int id) {
        Window* button = kz::ui::childById(d, id);
        if (button != nullptr && !button->enabled) {
            return; // a disabled default or cancel button does not answer its key
        }
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(kz::ui::handleOf(button)));
    };
    switch (message->wParam) {
    case VK_RETURN:
        press(d->defId);
        return TRUE;
    case VK_ESCAPE:
        press(IDCANCEL);
        return TRUE;
    case VK_TAB: {
        const auto& items = d->children;
        auto at = std::find(items.begin(), items.end(), kz::ui::focus());
        const std::size_t start =
            at == items.end() ? 0 : static_cast<std::size_t>(at - items.begin()) + 1;
        for (std::size_t k = 0; k < items.size(); ++k) {
            Window* next = items[(start + k) % items.size()];
            if (takesTabStop(next)) {
                kz::ui::setFocus(next);
                break;
            }
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
