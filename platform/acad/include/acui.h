// The host's dialog class for modules and its colour list control.
#pragma once

#include "adui.h"
#include "mfc_host.h"

// Prepares the host's dialog classes; nothing is needed on this host, the call is kept
// for modules that make it before their first dialog.
void InitAcUiDLL();

class CAcUiDialog : public CAdUiDialog {
public:
    explicit CAcUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);
    ~CAcUiDialog() override;

    DECLARE_MESSAGE_MAP()
};

// The host's colour list: a drop-down list of colour indices bound to a combo box of a
// dialog (DDX_Control). Its entries, each with its colour index as item data:
//   position 0: ByLayer (256), position 1: ByBlock (0), positions 2-8: the standard
//   colours 1-7 (red, yellow, green, cyan, blue, magenta, white), then other colours
//   in the order they were first shown.
// So position colour index + 1 shows that colour for every standard entry. Selecting a
// list position with CB_SETCURSEL follows the same rule for every colour: position p
// (1 to 257) selects colour p - 1, adding it as an "other" entry at the end when the
// list does not have it yet; position 0 selects ByLayer; any other position clears the
// selection (CB_ERR). Read the choice back with GetCurrentItemColorIndex: the position
// of an added colour is not colour index + 1.
class CAcUiColorComboBox : public CAdUiComboBox, public kz::ScriptableControl {
public:
    CAcUiColorComboBox();
    ~CAcUiColorComboBox() override;

    // The colour index of the selected entry, or -1 when nothing is selected.
    int GetCurrentItemColorIndex() const;
    // Selects the colour (0-256), adding it when the list lacks it; returns its list
    // position, or -1 (nothing changes) for an index outside 0-256.
    int SetCurrentItemColorIndex(int colorIndex);
    // The position of the colour's entry, or -1.
    int FindItemByColorIndex(int colorIndex) const;
    // The name the list shows for a colour index, in the host's language.
    static CString ColorName(int colorIndex);

    // Scripts and pictures.
    std::wstring scriptKind() const override;
    std::wstring scriptValue() const override;
    std::wstring scriptSet(std::wstring_view value) override;
    std::wstring shownText() const override;
    std::optional<COLORREF> swatchColor() const override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillStandardEntries();
    int addColor(int colorIndex);
};
