// What a script line does to a control of an open dialog: the user's typing, picking
// and clicking, with the notifications the dialog would get from Windows.
#include "dialog_actions.h"

#include "mfc_host.h"
#include "modal.h"
#include "window.h"
#include "win_text.h"

#include <algorithm>
#include <cwctype>

namespace kz::ui {

namespace {

std::optional<long long> wholeNumber(std::wstring_view s) {
    const std::wstring t = kz::trimBlanks(s);
    if (t.empty() || t.size() > 18) {
        return std::nullopt;
    }
    std::size_t i = t[0] == L'-' || t[0] == L'+' ? 1 : 0;
    if (i == t.size()) {
        return std::nullopt;
    }
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < L'0' || t[i] > L'9') {
            return std::nullopt;
        }
        v = v * 10 + (t[i] - L'0');
    }
    return t[0] == L'-' ? -v : v;
}

ActionResult fail(std::wstring message) {
    return ActionResult{false, std::move(message)};
}

std::wstring number(long long v) {
    return std::to_wstring(v);
}

std::wstring controlName(const Window* c) {
    return L"control " + number(c->id);
}

ActionResult setEdit(Window* c, std::wstring_view value) {
    if (c->style & ES_READONLY) {
        return fail(controlName(c) + L" is read-only");
    }
    std::wstring text(value);
    std::wstring note;
    if (c->textLimit > 0 && static_cast<int>(text.size()) > c->textLimit) {
        // Typing stops at the edit box's limit.
        text.resize(static_cast<std::size_t>(c->textLimit));
        note = L"(cut to " + number(c->textLimit) + L" characters)";
    }
    setFocus(c);
    send(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return ActionResult{true, note};
}

ActionResult pickEntry(Window* c, std::wstring_view value) {
    const int count = static_cast<int>(c->entries.size());
    int position = -1;
    if (const auto n = wholeNumber(value)) {
        if (*n < 0 || *n >= count) {
            return fail(
                controlName(c) + L" has no list position " + number(*n) +
                (count == 0 ? L" (the list is empty)" : L" (0 to " + number(count - 1) + L")"));
        }
        position = static_cast<int>(*n);
    } else {
        const std::wstring wanted = kz::trimBlanks(value);
        for (int i = 0; i < count; ++i) {
            if (_wcsicmp(c->entries[static_cast<std::size_t>(i)].text.c_str(), wanted.c_str()) ==
                0) {
                position = i;
                break;
            }
        }
        if (position < 0) {
            return fail(controlName(c) + L" has no entry \"" + wanted + L"\"");
        }
    }
    setFocus(c);
    c->curSel = position;
    if (c->kind == Kind::ComboBox && (c->style & 0x3) != CBS_DROPDOWNLIST) {
        c->text = c->entries[static_cast<std::size_t>(position)].text;
    }
    notifyParent(c, CBN_SELCHANGE); // LBN_SELCHANGE has the same code
    return {};
}

ActionResult setCheck(Window* c, std::wstring_view value) {
    const DWORD type = c->style & BS_TYPEMASK;
    const bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
    const auto n = wholeNumber(value);
    if (!n || *n < 0 || *n > (threeState ? 2 : 1)) {
        return fail(controlName(c) +
                    (threeState ? L" is a check box: 0, 1 or 2" : L" is a check box: 0 or 1"));
    }
    if (c->check == static_cast<int>(*n)) {
        return {};
    }
    if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE) {
        // The box changes itself on each click.
        for (int clicks = 0; clicks < 3 && c->check != static_cast<int>(*n); ++clicks) {
            send(c, BM_CLICK, 0, 0);
        }
    } else {
        // The dialog decides what a click on a plain check box does.
        send(c, BM_CLICK, 0, 0);
    }
    if (find(handleOf(c)) != nullptr && c->check != static_cast<int>(*n)) {
        return ActionResult{true, L"(the dialog left it at " + number(c->check) + L")"};
    }
    return {};
}

} // namespace

std::wstring checkReachable(const Window* dialog, int id, Window*& control) {
    control = childById(dialog, id);
    if (control == nullptr) {
        return dialogTitle(dialog) + L" has no control " + number(id);
    }
    if (!isShown(control)) {
        return controlName(control) + L" is hidden";
    }
    if (!control->enabled) {
        return controlName(control) + L" is disabled";
    }
    return {};
}

ActionResult setControlValue(Window* dialog, int id, std::wstring_view value) {
    Window* c = nullptr;
    if (std::wstring error = checkReachable(dialog, id, c); !error.empty()) {
        return fail(error);
    }
    if (auto* scriptable = dynamic_cast<kz::ScriptableControl*>(c->object)) {
        setFocus(c);
        std::wstring error = scriptable->scriptSet(value);
        return error.empty() ? ActionResult{} : fail(error);
    }
    switch (c->kind) {
    case Kind::Edit:
        return setEdit(c, value);
    case Kind::ComboBox:
    case Kind::ListBox:
        return pickEntry(c, value);
    case Kind::CheckBox:
        return setCheck(c, value);
    case Kind::RadioButton:
        if (wholeNumber(value) != 1) {
            return fail(controlName(c) + L" is a radio button: write " + number(id) +
                        L"=1 to choose it");
        }
        send(c, BM_CLICK, 0, 0);
        return {};
    case Kind::PushButton:
        return fail(controlName(c) + L" is a button: write " + number(id) + L" alone to click it");
    default:
        return fail(controlName(c) + L" takes no input");
    }
}

ActionResult clickControl(Window* dialog, int id) {
    Window* c = nullptr;
    if (std::wstring error = checkReachable(dialog, id, c); !error.empty()) {
        return fail(error);
    }
    switch (c->kind) {
    case Kind::PushButton:
    case Kind::CheckBox:
    case Kind::RadioButton:
        send(c, BM_CLICK, 0, 0);
        return {};
    default:
        return fail(controlName(c) + L" is not a button: write " + number(id) +
                    L"=VALUE to set it");
    }
}

} // namespace kz::ui
