// The text form of a dialog in the transcript.
#include "mfc_host.h"
#include "modal.h"
#include "window.h"

#include <algorithm>
#include <climits>

namespace kz::ui {

namespace {

// Texts with '&' mnemonics as the user sees them.
std::wstring withoutMnemonics(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        out.push_back(text[i]);
    }
    return out;
}

bool takesInput(const Window* c) {
    switch (c->kind) {
    case Kind::Edit:
    case Kind::ComboBox:
    case Kind::ListBox:
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::PushButton:
        return true;
    default:
        return dynamic_cast<const kz::ScriptableControl*>(c->object) != nullptr;
    }
}

std::wstring kindWord(const Window* c) {
    if (const auto* s = dynamic_cast<const kz::ScriptableControl*>(c->object)) {
        return s->scriptKind();
    }
    switch (c->kind) {
    case Kind::Edit:
        return L"edit";
    case Kind::ComboBox:
        return L"list";
    case Kind::ListBox:
        return L"listbox";
    case Kind::CheckBox:
        return L"check";
    case Kind::RadioButton:
        return L"radio";
    case Kind::PushButton:
        return L"button";
    default:
        return L"control";
    }
}

std::wstring valueText(const Window* c) {
    if (const auto* s = dynamic_cast<const kz::ScriptableControl*>(c->object)) {
        return s->scriptValue();
    }
    switch (c->kind) {
    case Kind::Edit:
        return L"\"" + c->text + L"\"";
    case Kind::ComboBox:
    case Kind::ListBox:
        if (c->curSel >= 0 && c->curSel < static_cast<int>(c->entries.size())) {
            return std::to_wstring(c->curSel) + L" " +
                   c->entries[static_cast<std::size_t>(c->curSel)].text;
        }
        return c->kind == Kind::ComboBox && !c->text.empty() ? L"\"" + c->text + L"\"" : L"none";
    case Kind::CheckBox:
    case Kind::RadioButton:
        return std::to_wstring(c->check);
    default:
        return L"";
    }
}

bool ownsLabel(const Window* c) {
    return c->kind == Kind::PushButton || c->kind == Kind::CheckBox ||
           c->kind == Kind::RadioButton || c->kind == Kind::GroupBox;
}

} // namespace

std::wstring labelOf(const Window* c) {
    if (c == nullptr) {
        return L"";
    }
    if (ownsLabel(c)) {
        return withoutMnemonics(c->text);
    }
    const Window* parent = c->parent;
    if (parent == nullptr || !(c->style & WS_CHILD)) {
        return L"";
    }
    // The static text on the control's row, nearest to its left.
    const Window* best = nullptr;
    for (const Window* s : parent->children) {
        if (s->kind != Kind::Label || !s->visible || s->text.empty()) {
            continue;
        }
        const bool sameRow = s->rect.top < c->rect.bottom && s->rect.bottom > c->rect.top;
        if (sameRow && s->rect.right <= c->rect.left + 2 &&
            (best == nullptr || s->rect.right > best->rect.right)) {
            best = s;
        }
    }
    // Else the static text just before it in the tab order, which Windows uses for the
    // control's mnemonic.
    if (best == nullptr) {
        const auto& items = parent->children;
        auto at = std::find(items.begin(), items.end(), c);
        if (at != items.begin() && at != items.end() && (*(at - 1))->kind == Kind::Label) {
            best = *(at - 1);
        }
    }
    return best != nullptr ? withoutMnemonics(best->text) : L"";
}

std::wstring focusText(const Window* dialog) {
    const Window* f = focus();
    if (f == nullptr || f->parent != dialog || !(f->style & WS_CHILD)) {
        return L"none";
    }
    const std::wstring label = labelOf(f);
    return std::to_wstring(f->id) + (label.empty() ? L"" : L" " + label);
}

std::wstring describeControl(const Window* c) {
    std::wstring line = std::to_wstring(c->id) + L" " + kindWord(c);
    const std::wstring label = labelOf(c);
    if (!label.empty()) {
        line += L" " + label;
    }
    const std::wstring value = valueText(c);
    if (!value.empty()) {
        line += L": " + value;
    }
    const Window* dialog = c->parent;
    if (c->kind == Kind::PushButton && dialog != nullptr && dialog->defId == c->id) {
        line += L" (default)";
    }
    if (!c->enabled) {
        line += L" [disabled]";
    }
    return line;
}

} // namespace kz::ui

std::wstring kz::describeDialog(HWND dialog) {
    using namespace kz::ui;
    const Window* w = find(dialog);
    if (w == nullptr) {
        return L"";
    }
    std::wstring out = dialogTitle(w);
    if (!w->text.empty()) {
        out += L" \"" + w->text + L"\"";
    }
    out += L"\n";
    // Screen order: top to bottom, then left to right.
    std::vector<const Window*> shown;
    for (const Window* c : w->children) {
        if (c->visible && takesInput(c)) {
            shown.push_back(c);
        }
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Window* a, const Window* b) {
        return a->rect.top != b->rect.top ? a->rect.top < b->rect.top : a->rect.left < b->rect.left;
    });
    for (const Window* c : shown) {
        out += L"  " + describeControl(c) + L"\n";
    }
    return out + L"  focus: " + focusText(w) + L"\n";
}
