// DoModal on the headless host: the dialog is created from its template, written to
// the transcript, and driven by the host's input lines until it ends.
#include "modal.h"

#include "dialog_actions.h"
#include "guard.h"
#include "mfc_host.h"
#include "window.h"
#include "window_access.h"
#include "win_text.h"
#include "win_host_io.h"

#include <cwctype>
#include <vector>

namespace kz::ui {

namespace {

std::vector<HWND>& modalStack() {
    static std::vector<HWND> stack;
    return stack;
}

std::optional<int> controlId(const std::wstring& text) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring templateTitle(LPCTSTR name) {
    if (name == nullptr) {
        return L"Dialog";
    }
    if (IS_INTRESOURCE(name)) {
        return L"Dialog " + std::to_wstring(reinterpret_cast<UINT_PTR>(name));
    }
    return std::wstring(L"Dialog ") + name;
}

std::wstring resultText(INT_PTR result) {
    switch (result) {
    case IDOK:
        return L"OK";
    case IDCANCEL:
        return L"Cancel";
    default:
        return L"result " + std::to_wstring(result);
    }
}

bool isInside(const Window* w, const Window* dialog) {
    for (; w != nullptr; w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (w == dialog) {
            return true;
        }
    }
    return false;
}

// One dialog running modally.
class Session {
public:
    Session(CDialog& dialog, HWND handle) : dialog_(dialog), handle_(handle) {
        title_ = dialogTitle(find(handle));
    }

    Window* window() const { return find(handle_); }
    bool open() const {
        const Window* w = window();
        return w != nullptr && !w->ended;
    }

    // WM_INITDIALOG. False when the initialisation failed.
    bool initialise() {
        Window* w = window();
        Window* firstTabStop = nullptr;
        for (Window* c : w->children) {
            if ((c->style & WS_TABSTOP) && c->visible && c->enabled) {
                firstTabStop = c;
                break;
            }
        }
        bool failed = true;
        const LRESULT focusFirst = guarded(L"OnInitDialog", LRESULT{FALSE}, [&] {
            const LRESULT r =
                send(w, WM_INITDIALOG, reinterpret_cast<WPARAM>(handleOf(firstTabStop)), 0);
            failed = false;
            return r;
        });
        if (failed) {
            return false;
        }
        // TRUE asks the dialog manager to put the focus on the first tab stop.
        if (focusFirst && window() != nullptr && find(handleOf(firstTabStop)) != nullptr) {
            setFocus(firstTabStop);
        }
        return true;
    }

    void show() {
        Window* w = window();
        w->visible = true;
        w->style |= WS_VISIBLE;
        hostWrite(describeDialog(handle_));
        const std::wstring picture = writeDialogPicture(w);
        if (!picture.empty()) {
            hostWrite(L"  (picture: " + picture + L")\n");
        }
    }

    void run() {
        while (open()) {
            const std::optional<std::wstring> line = hostReadLine(title_ + L": ");
            if (!line) {
                hostWrite(L"  (end of input: " + title_ + L" is cancelled)\n");
                key(VK_ESCAPE);
                if (open()) {
                    dialog_.EndDialog(IDCANCEL);
                }
                break;
            }
            guarded(L"the dialog", 0, [&] {
                handle(*line);
                return 0;
            });
        }
    }

private:
    void handle(const std::wstring& raw) {
        std::wstring line = raw;
        while (!line.empty() && (line.back() == L'\r' || line.back() == L'\n')) {
            line.pop_back();
        }
        const std::wstring t = kz::trimBlanks(line);
        if (!t.empty() && t[0] == L'#' &&
            (t.size() == 1 || std::iswspace(static_cast<wint_t>(t[1])))) {
            return; // a comment
        }
        const Window* focusBefore = focus();
        const Window* target = nullptr;
        ActionResult result;
        bool pressedKey = false;
        if (t.empty() || _wcsicmp(t.c_str(), L"OK") == 0) {
            key(VK_RETURN);
            pressedKey = true;
        } else if (_wcsicmp(t.c_str(), L"CANCEL") == 0 || t == L"*CANCEL*") {
            key(VK_ESCAPE);
            pressedKey = true;
        } else if (const std::size_t eq = line.find(L'='); eq != std::wstring::npos) {
            const std::optional<int> id =
                controlId(kz::trimBlanks(std::wstring_view(line).substr(0, eq)));
            if (!id) {
                result = {false, L"expected ID=VALUE, ID, OK or CANCEL"};
            } else {
                target = childById(window(), *id);
                result = setControlValue(window(), *id, std::wstring_view(line).substr(eq + 1));
                if (result.ok && open() && find(handleOf(target)) != nullptr) {
                    hostWrite(L"  " + describeControl(target) + L"\n");
                }
            }
        } else if (const std::optional<int> id = controlId(t)) {
            target = childById(window(), *id);
            result = clickControl(window(), *id);
        } else {
            result = {false, L"expected ID=VALUE, ID, OK or CANCEL"};
        }
        if (!result.message.empty()) {
            hostWrite((result.ok ? L"  " : L"  ** ") + result.message + L"\n");
        }
        if (!open()) {
            return;
        }
        const Window* now = focus();
        if (now != focusBefore && now != target) {
            hostWrite(L"  focus: " + focusText(window()) + L"\n");
        }
        if (pressedKey || (target != nullptr && (target->id == IDOK || target->id == IDCANCEL))) {
            hostWrite(L"  (" + title_ + L" stays open)\n");
        }
    }

    // A key pressed in the dialog: the windows from the focus up to the dialog may take
    // it (PreTranslateMessage), as MFC's message loop lets them; the dialog's own
    // handling of Enter and Escape is there.
    void key(WPARAM vk) {
        Window* w = window();
        Window* f = focus();
        MSG msg{handleOf(isInside(f, w) ? f : w), WM_KEYDOWN, vk, 0, 0, {0, 0}};
        Window* at = find(msg.hwnd);
        while (at != nullptr) {
            Window* next = at != w && (at->style & WS_CHILD) ? at->parent : nullptr;
            const HWND nextHandle = handleOf(next);
            CWnd* object = at->object;
            if (object != nullptr && object->PreTranslateMessage(&msg)) {
                return;
            }
            at = find(nextHandle); // a handler may have destroyed windows
        }
    }

    CDialog& dialog_;
    HWND handle_;
    std::wstring title_;
};

} // namespace

std::wstring dialogTitle(const Window* dialog) {
    if (dialog == nullptr || dialog->dialogTemplate == nullptr) {
        return L"Dialog";
    }
    return L"Dialog " + std::to_wstring(dialog->dialogTemplate->id);
}

INT_PTR runModal(CDialog& dialog) {
    const LPCTSTR name = WindowAccess::templateName(dialog);
    const std::wstring title = templateTitle(name);
    if (dialog.m_hWnd != nullptr) {
        hostWrite(L"** " + title + L" is already open\n");
        return -1;
    }
    HINSTANCE resources = WindowAccess::dialogResource(dialog);
    if (resources == nullptr) {
        resources = AfxFindResourceHandle(name, RT_DIALOG);
    }
    const DialogTemplate* t = name != nullptr ? findDialogTemplate(resources, name) : nullptr;
    if (t == nullptr) {
        hostWrite(L"** " + title + L": the module's resources have no such dialog\n");
        return -1;
    }
    const CWnd* parentObject = WindowAccess::parentOf(dialog);
    Window* parent = find(parentObject != nullptr ? parentObject->m_hWnd : nullptr);
    const HWND focusBefore = handleOf(focus());

    Window* w = createDialog(*t, resources, parent);
    const HWND handle = handleOf(w);
    dialog.Attach(handle);
    modalStack().push_back(handle);
    if (t->style & DS_CENTER) {
        dialog.CenterWindow(); // the dialog manager centres these itself
    }

    Session session(dialog, handle);
    if (!session.initialise()) {
        hostWrite(L"** " + title + L" could not be opened\n");
        if (Window* still = find(handle)) {
            still->ended = true;
            still->result = -1;
        }
    } else if (!session.open()) {
        hostWrite(title + L" ended while opening\n");
    } else {
        session.show();
        session.run();
    }

    const Window* done = find(handle);
    const INT_PTR result = done != nullptr ? done->result : -1;
    guarded(L"closing the dialog", 0, [&] {
        destroy(find(handle));
        return 0;
    });
    std::erase(modalStack(), handle);
    if (find(focusBefore) != nullptr) {
        setFocus(find(focusBefore));
    }
    hostWrite(title + L" closed: " + resultText(result) + L"\n");
    return result;
}

} // namespace kz::ui

HWND kz::activeModalDialog() {
    return kz::ui::modalStack().empty() ? nullptr : kz::ui::modalStack().back();
}
