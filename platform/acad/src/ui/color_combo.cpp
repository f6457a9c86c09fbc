// The host's colour list control.
#include "acui.h"

#include "aci_palette.h"
#include "win_resource.h"
#include "win_text.h"

#include <cwctype>

namespace {

constexpr int kByBlock = 0;
constexpr int kByLayer = 256;
constexpr int kNoSelection = -1;

bool japanese() {
    return PRIMARYLANGID(kz::hostUiLanguage()) == LANG_JAPANESE;
}

std::optional<int> colourNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    int v = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        v = v * 10 + (c - L'0');
    }
    return v;
}

} // namespace

CAcUiColorComboBox::CAcUiColorComboBox() = default;
CAcUiColorComboBox::~CAcUiColorComboBox() = default;

CString CAcUiColorComboBox::ColorName(int colorIndex) {
    static const wchar_t* const kJapanese[] = {L"赤", L"黄",       L"緑", L"シアン",
                                               L"青", L"マゼンタ", L"白"};
    static const wchar_t* const kEnglish[] = {L"Red",  L"Yellow",  L"Green", L"Cyan",
                                              L"Blue", L"Magenta", L"White"};
    if (colorIndex == kByLayer) {
        return L"ByLayer";
    }
    if (colorIndex == kByBlock) {
        return L"ByBlock";
    }
    if (colorIndex >= 1 && colorIndex <= 7) {
        return (japanese() ? kJapanese : kEnglish)[colorIndex - 1];
    }
    CString name;
    name.Format(japanese() ? L"色 %d" : L"Color %d", colorIndex);
    return name;
}

void CAcUiColorComboBox::PreSubclassWindow() {
    if (GetCount() == 0) {
        fillStandardEntries();
    }
}

void CAcUiColorComboBox::fillStandardEntries() {
    addColor(kByLayer);
    addColor(kByBlock);
    for (int i = 1; i <= 7; ++i) {
        addColor(i);
    }
}

int CAcUiColorComboBox::addColor(int colorIndex) {
    const CString name = ColorName(colorIndex);
    const int at = static_cast<int>(DefWindowProc(CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(name.GetString())));
    if (at >= 0) {
        DefWindowProc(CB_SETITEMDATA, static_cast<WPARAM>(at), colorIndex);
    }
    return at;
}

int CAcUiColorComboBox::FindItemByColorIndex(int colorIndex) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (static_cast<int>(GetItemData(i)) == colorIndex) {
            return i;
        }
    }
    return -1;
}

int CAcUiColorComboBox::GetCurrentItemColorIndex() const {
    if (m_hWnd == nullptr) {
        return kNoSelection;
    }
    const int at = GetCurSel();
    return at >= 0 ? static_cast<int>(GetItemData(at)) : kNoSelection;
}

int CAcUiColorComboBox::SetCurrentItemColorIndex(int colorIndex) {
    if (m_hWnd == nullptr || colorIndex < 0 || colorIndex > kByLayer) {
        return -1;
    }
    int at = FindItemByColorIndex(colorIndex);
    if (at < 0) {
        at = addColor(colorIndex);
    }
    DefWindowProc(CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    return at;
}

LRESULT CAcUiColorComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CB_SETCURSEL) {
        // Position p stands for colour p - 1 (see the class comment).
        const auto position = static_cast<INT_PTR>(wParam);
        if (position == 0) {
            return SetCurrentItemColorIndex(kByLayer);
        }
        if (position >= 1 && position <= kByLayer + 1) {
            return SetCurrentItemColorIndex(static_cast<int>(position - 1));
        }
        DefWindowProc(CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return CB_ERR;
    }
    return CAdUiComboBox::WindowProc(message, wParam, lParam);
}

std::wstring CAcUiColorComboBox::scriptKind() const {
    return L"colour";
}

std::wstring CAcUiColorComboBox::scriptValue() const {
    const int colour = GetCurrentItemColorIndex();
    return colour < 0 ? L"none"
                      : std::to_wstring(colour) + L" " + std::wstring(ColorName(colour).view());
}

std::wstring CAcUiColorComboBox::scriptSet(std::wstring_view value) {
    const std::wstring text = kz::trimBlanks(value);
    std::optional<int> colour = colourNumber(text);
    if (!colour) {
        // An entry's name picks that entry.
        for (int i = 0; i < GetCount(); ++i) {
            CString entry;
            GetLBText(i, entry);
            if (entry.CompareNoCase(text.c_str()) == 0) {
                colour = static_cast<int>(GetItemData(i));
                break;
            }
        }
    }
    if (!colour || *colour > kByLayer) {
        return L"control " + std::to_wstring(GetDlgCtrlID()) +
               L" is a colour list: a colour index from 0 to 256";
    }
    SetCurrentItemColorIndex(*colour);
    // The user's choice is told to the dialog, as Windows tells it.
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND,
                   MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
    return L"";
}

std::wstring CAcUiColorComboBox::shownText() const {
    const int colour = GetCurrentItemColorIndex();
    return colour < 0 ? L"" : std::wstring(ColorName(colour).view());
}

std::optional<COLORREF> CAcUiColorComboBox::swatchColor() const {
    const int colour = GetCurrentItemColorIndex();
    if (colour < 0) {
        return std::nullopt;
    }
    const kz::Rgb rgb = kz::aci::toRgb(colour);
    return RGB(rgb.r, rgb.g, rgb.b);
}
