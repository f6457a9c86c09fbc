#include "window.h"

#include "afxwin.h"
#include "window_access.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

namespace kz::ui {

namespace {

// Never destroyed: objects attached to windows may be destroyed at exit after any
// static of this file, and they look their window up.
std::unordered_map<const Window*, std::unique_ptr<Window>>& registry() {
    static auto* windows = new std::unordered_map<const Window*, std::unique_ptr<Window>>;
    return *windows;
}

Window* gFocus = nullptr;

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

int mulDiv(int value, int numerator, int denominator) {
    // Rounds half away from zero, as MulDiv does.
    const long long p = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(p >= 0 ? (p + half) / denominator : (p - half) / denominator);
}

bool isListKind(const Window* w) {
    return w->kind == Kind::ComboBox || w->kind == Kind::ListBox;
}

std::wstring shownText(const Window* w) {
    if (w->kind == Kind::ComboBox && (w->style & 0x3) == CBS_DROPDOWNLIST) {
        if (w->curSel >= 0 && w->curSel < static_cast<int>(w->entries.size())) {
            return w->entries[static_cast<std::size_t>(w->curSel)].text;
        }
        return L"";
    }
    return w->text;
}

LRESULT copyText(const std::wstring& text, WPARAM size, LPARAM buffer) {
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (out == nullptr || size == 0) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
    std::copy_n(text.data(), n, out);
    out[n] = L'\0';
    return static_cast<LRESULT>(n);
}

int findEntry(const Window* w, WPARAM start, const wchar_t* text, bool exact) {
    if (text == nullptr) {
        return CB_ERR;
    }
    const int count = static_cast<int>(w->entries.size());
    // The search starts after `start` and wraps around; -1 searches from the top.
    const int first = static_cast<int>(static_cast<INT_PTR>(start)) + 1;
    for (int k = 0; k < count; ++k) {
        const int i = ((first < 0 ? 0 : first) + k) % count;
        const std::wstring& entry = w->entries[static_cast<std::size_t>(i)].text;
        if (exact ? equalsNoCase(entry, text) : startsWithNoCase(entry, text)) {
            return i;
        }
    }
    return CB_ERR;
}

LRESULT comboProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    const int count = static_cast<int>(w->entries.size());
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool inRange = index >= 0 && index < count;
    switch (message) {
    case CB_ADDSTRING: {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        ListEntry entry{text != nullptr ? text : L"", 0};
        auto pos = w->entries.end();
        if (w->style & CBS_SORT) {
            pos = std::upper_bound(w->entries.begin(), w->entries.end(), entry,
                                   [](const ListEntry& a, const ListEntry& b) {
                                       return _wcsicmp(a.text.c_str(), b.text.c_str()) < 0;
                                   });
        }
        const auto at = static_cast<int>(pos - w->entries.begin());
        w->entries.insert(pos, std::move(entry));
        if (w->curSel >= at) {
            ++w->curSel;
        }
        return at;
    }
    case CB_INSERTSTRING: {
        if (index != -1 && (index < 0 || index > count)) {
            return CB_ERR;
        }
        const int at = index == -1 ? count : index;
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        w->entries.insert(w->entries.begin() + at, ListEntry{text != nullptr ? text : L"", 0});
        if (w->curSel >= at) {
            ++w->curSel;
        }
        return at;
    }
    case CB_DELETESTRING:
        if (!inRange) {
            return CB_ERR;
        }
        w->entries.erase(w->entries.begin() + index);
        if (w->curSel == index) {
            w->curSel = -1;
        } else if (w->curSel > index) {
            --w->curSel;
        }
        return count - 1;
    case CB_RESETCONTENT:
        w->entries.clear();
        w->curSel = -1;
        return TRUE;
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return w->curSel;
    case CB_SETCURSEL:
        w->curSel = inRange ? index : -1;
        return inRange ? index : CB_ERR;
    case CB_GETLBTEXT:
        if (!inRange || lParam == 0) {
            return CB_ERR;
        } else {
            const std::wstring& text = w->entries[static_cast<std::size_t>(index)].text;
            auto* out = reinterpret_cast<wchar_t*>(lParam);
            std::copy(text.begin(), text.end(), out);
            out[text.size()] = L'\0';
            return static_cast<LRESULT>(text.size());
        }
    case CB_GETLBTEXTLEN:
        return inRange
                   ? static_cast<LRESULT>(w->entries[static_cast<std::size_t>(index)].text.size())
                   : CB_ERR;
    case CB_GETITEMDATA:
        return inRange ? w->entries[static_cast<std::size_t>(index)].data : CB_ERR;
    case CB_SETITEMDATA:
        if (!inRange) {
            return CB_ERR;
        }
        w->entries[static_cast<std::size_t>(index)].data = lParam;
        return TRUE;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return findEntry(w, wParam, reinterpret_cast<const wchar_t*>(lParam),
                         message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        const int found = findEntry(w, wParam, reinterpret_cast<const wchar_t*>(lParam), false);
        if (found != CB_ERR) {
            w->curSel = found;
        }
        return found;
    }
    default:
        return 0;
    }
}

bool isCheckKind(const Window* w) {
    return w->kind == Kind::CheckBox || w->kind == Kind::RadioButton;
}

void click(Window* w) {
    if (!w->enabled || !isShown(w)) {
        return;
    }
    const DWORD type = w->style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        w->check = w->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTO3STATE) {
        w->check = (w->check + 1) % 3;
    } else if (type == BS_AUTORADIOBUTTON) {
        w->check = BST_CHECKED;
    }
    setFocus(w);
    notifyParent(w, BN_CLICKED);
}

} // namespace

Kind kindOf(std::wstring_view className, DWORD style) {
    if (equalsNoCase(className, L"Button")) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return Kind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return Kind::RadioButton;
        case BS_GROUPBOX:
            return Kind::GroupBox;
        default:
            return Kind::PushButton;
        }
    }
    if (equalsNoCase(className, L"Edit")) {
        return Kind::Edit;
    }
    if (equalsNoCase(className, L"ComboBox")) {
        return Kind::ComboBox;
    }
    if (equalsNoCase(className, L"ListBox")) {
        return Kind::ListBox;
    }
    if (equalsNoCase(className, L"Static")) {
        const DWORD type = style & SS_TYPEMASK;
        return type == SS_BITMAP || type == SS_ICON ? Kind::Picture : Kind::Label;
    }
    if (className == L"#32770") {
        return Kind::Dialog;
    }
    return Kind::Other;
}

Window* find(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    auto it = registry().find(reinterpret_cast<const Window*>(handle));
    return it == registry().end() ? nullptr : it->second.get();
}

Window* create(Kind kind, std::wstring className, std::wstring text, DWORD style, DWORD exStyle,
               const RECT& rect, Window* parent, int id) {
    auto w = std::make_unique<Window>();
    w->kind = kind;
    w->className = std::move(className);
    w->text = std::move(text);
    w->style = style;
    w->exStyle = exStyle;
    w->rect = rect;
    w->id = id;
    w->visible = (style & WS_VISIBLE) != 0;
    w->enabled = (style & WS_DISABLED) == 0;
    w->parent = parent;
    Window* raw = w.get();
    registry().emplace(raw, std::move(w));
    if (parent != nullptr && (style & WS_CHILD)) {
        parent->children.push_back(raw);
    }
    return raw;
}

int dluToPixelsX(const Window* dialog, int dlu) {
    return mulDiv(dlu, dialog->baseX, 4);
}

int dluToPixelsY(const Window* dialog, int dlu) {
    return mulDiv(dlu, dialog->baseY, 8);
}

Window* createDialog(const DialogTemplate& dlg, HINSTANCE resources, Window* parent) {
    Window probe;
    if (dlg.fontPointSize != 0) {
        // Character cell height of the font at 96 dots per inch; the average width of
        // the Latin letters of the Japanese proportional Gothic faces is about 7/12 of
        // it (7 pixels at 9 points), which is also what 8-point Western faces give.
        const int height = mulDiv(dlg.fontPointSize, 96, 72);
        probe.baseY = height;
        probe.baseX = std::max(1, (height * 7 + 6) / 12);
    }

    RECT frame{};
    const bool caption = (dlg.style & WS_CAPTION) == WS_CAPTION;
    if (caption || (dlg.style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | DS_MODALFRAME))) {
        frame = {3, 3, 3, 3};
    }
    if (caption) {
        frame.top += 23;
    }
    POINT origin{0, 0};
    if (parent != nullptr && !(dlg.style & DS_ABSALIGN)) {
        origin = clientOrigin(parent);
    }
    const int left = origin.x + dluToPixelsX(&probe, dlg.x);
    const int top = origin.y + dluToPixelsY(&probe, dlg.y);
    const RECT rect{left, top, left + dluToPixelsX(&probe, dlg.cx) + frame.left + frame.right,
                    top + dluToPixelsY(&probe, dlg.cy) + frame.top + frame.bottom};

    Window* w = create(Kind::Dialog, L"#32770", dlg.caption, dlg.style & ~DWORD{WS_VISIBLE},
                       dlg.exStyle, rect, parent, 0);
    w->frame = frame;
    w->baseX = probe.baseX;
    w->baseY = probe.baseY;
    w->dialogTemplate = &dlg;
    w->resources = resources;

    for (UINT i = 0; i < dlg.controlCount; ++i) {
        const DialogControl& c = dlg.controls[i];
        const DWORD style = c.style | WS_CHILD;
        const Kind kind = kindOf(c.className, style);
        RECT r{dluToPixelsX(w, c.x), dluToPixelsY(w, c.y), dluToPixelsX(w, c.x + c.cx),
               dluToPixelsY(w, c.y + c.cy)};
        Window* control = create(kind, c.className, c.text, style, c.exStyle, r, w, c.id);
        control->visible = c.visible;
        if (kind == Kind::ComboBox) {
            // The template gives the height with the list dropped down; closed, a combo
            // box is one line of text high.
            control->dropHeight = r.bottom - r.top;
            control->rect.bottom = r.top + w->baseY + 8;
        }
        for (UINT k = 0; k < c.listCount; ++k) {
            control->entries.push_back(ListEntry{c.listItems[k], 0});
        }
        if (kind == Kind::Picture) {
            control->imageId = c.imageId;
            control->resources = resources;
            const BitmapBits bits = findBitmap(resources, c.imageId);
            constexpr DWORD kRealSizeControl = 0x40; // SS_REALSIZECONTROL: keep the size
            if (bits.data != nullptr && !(style & kRealSizeControl)) {
                control->rect.right = r.left + bits.width;
                control->rect.bottom = r.top + std::abs(bits.height);
            }
        }
        if (kind == Kind::PushButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            w->defId = c.id;
        }
    }
    return w;
}

void destroy(Window* w) {
    if (w == nullptr || find(handleOf(w)) == nullptr) {
        return;
    }
    while (!w->children.empty()) {
        destroy(w->children.back());
    }
    if (gFocus == w) {
        gFocus = nullptr;
    }
    if (w->parent != nullptr) {
        auto& siblings = w->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    }
    // Top-level windows owned by this one lose their owner.
    for (auto& [key, other] : registry()) {
        if (other->parent == w) {
            other->parent = nullptr;
        }
    }
    if (w->temporary) {
        w->temporary->m_hWnd = nullptr;
        w->temporary.reset();
    }
    if (CWnd* object = w->object) {
        w->object = nullptr;
        object->m_hWnd = nullptr;
        WindowAccess::postNcDestroy(*object);
    }
    registry().erase(w);
}

LRESULT defaultProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= CB_GETEDITSEL && message <= CB_FINDSTRINGEXACT && isListKind(w)) {
        return comboProc(w, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETTEXT: {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        if (w->kind == Kind::ComboBox && (w->style & 0x3) == CBS_DROPDOWNLIST) {
            // A drop-down list has no text of its own: the entry with that text is
            // selected.
            const int found = findEntry(w, static_cast<WPARAM>(-1), text ? text : L"", true);
            if (found == CB_ERR) {
                return CB_ERR;
            }
            w->curSel = found;
            return TRUE;
        }
        w->text = text != nullptr ? text : L"";
        if (w->kind == Kind::Edit) {
            notifyParent(w, EN_CHANGE);
        }
        return TRUE;
    }
    case WM_GETTEXT:
        return copyText(shownText(w), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(shownText(w).size());
    case EM_LIMITTEXT:
        if (w->kind == Kind::Edit) {
            w->textLimit = static_cast<int>(wParam);
        }
        return 0;
    case BM_GETCHECK:
        return isCheckKind(w) ? w->check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (isCheckKind(w)) {
            const DWORD type = w->style & BS_TYPEMASK;
            const bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
            w->check = wParam == BST_INDETERMINATE && !threeState ? BST_CHECKED
                                                                  : static_cast<int>(wParam & 3);
        }
        return 0;
    case BM_CLICK:
        if (w->kind == Kind::PushButton || isCheckKind(w)) {
            click(w);
        }
        return 0;
    case WM_CLOSE:
        if (w->kind == Kind::Dialog) {
            send(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return 0;
    }
}

LRESULT send(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (w == nullptr) {
        return 0;
    }
    if (w->object != nullptr) {
        return WindowAccess::windowProc(*w->object, message, wParam, lParam);
    }
    return defaultProc(w, message, wParam, lParam);
}

void notifyParent(Window* control, WORD code) {
    if (control->parent == nullptr || !(control->style & WS_CHILD)) {
        return;
    }
    send(control->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control->id), code),
         reinterpret_cast<LPARAM>(handleOf(control)));
}

Window* focus() {
    return gFocus;
}

void setFocus(Window* w) {
    gFocus = w;
}

RECT screenRect(const Window* w) {
    RECT r = w->rect;
    if ((w->style & WS_CHILD) && w->parent != nullptr) {
        const POINT o = clientOrigin(w->parent);
        r.left += o.x;
        r.right += o.x;
        r.top += o.y;
        r.bottom += o.y;
    }
    return r;
}

POINT clientOrigin(const Window* w) {
    const RECT r = screenRect(w);
    return {r.left + w->frame.left, r.top + w->frame.top};
}

Window* childById(const Window* parent, int id) {
    if (parent == nullptr) {
        return nullptr;
    }
    for (Window* c : parent->children) {
        if (c->id == id) {
            return c;
        }
    }
    return nullptr;
}

bool isShown(const Window* w) {
    for (; w != nullptr; w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (!w->visible) {
            return false;
        }
    }
    return true;
}

ScreenSize& screen() {
    static ScreenSize size;
    return size;
}

} // namespace kz::ui
