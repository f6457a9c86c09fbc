// The host's colour list on the settings template: entries, positions, colours added on
// demand, and what the script can set.
#include "dialog_fixture.h"

#include <functional>

namespace {

// Runs the settings dialog and calls `probe` when it has opened.
class ColourProbe : public SettingsDialog {
public:
    ColourProbe(const DimValues& v, std::function<void(ColourProbe&)> probe)
        : SettingsDialog(v), probe_(std::move(probe)) {}
    BOOL OnInitDialog() override {
        SettingsDialog::OnInitDialog();
        probe_(*this);
        return TRUE;
    }

private:
    std::function<void(ColourProbe&)> probe_;
};

std::vector<int> coloursOf(const CAcUiColorComboBox& list) {
    std::vector<int> colours;
    for (int i = 0; i < list.GetCount(); ++i) {
        colours.push_back(static_cast<int>(list.GetItemData(i)));
    }
    return colours;
}

TEST_F(DialogTest, StandardEntriesSitAtColourIndexPlusOne) {
    DimValues v;
    v.textColor = 7;
    script({L"CANCEL"});
    ColourProbe dlg(v, [](ColourProbe& d) {
        CAcUiColorComboBox& list = d.dimColor;
        EXPECT_EQ(coloursOf(list), (std::vector<int>{256, 0, 1, 2, 3, 4, 5, 6, 7}));
        for (int colour = 0; colour <= 7; ++colour) {
            EXPECT_EQ(list.SendMessage(CB_SETCURSEL, colour + 1), colour + 1);
            EXPECT_EQ(list.GetCurSel(), colour + 1);
            EXPECT_EQ(list.GetCurrentItemColorIndex(), colour);
        }
        CString name;
        list.GetLBText(2, name);
        EXPECT_EQ(name, L"赤");
        EXPECT_EQ(list.GetCount(), 9); // nothing was added
    });
    dlg.DoModal();
}

TEST_F(DialogTest, OtherColoursAreAddedAtTheEndWhenShown) {
    DimValues v;
    v.textColor = 30;
    script({L"CANCEL"});
    ColourProbe dlg(v, [](ColourProbe& d) {
        CAcUiColorComboBox& list = d.textColor;
        // Colour 30 was asked for at position 31: it is entry 9 now.
        EXPECT_EQ(list.GetCount(), 10);
        EXPECT_EQ(list.GetCurSel(), 9);
        EXPECT_EQ(list.GetCurrentItemColorIndex(), 30);
        // Asking again finds it; another colour comes after it.
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 31), 9);
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 9), 10); // colour 8
        EXPECT_EQ(coloursOf(list).back(), 8);
        // Position 257 is ByLayer (256), position 0 too.
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 257), 0);
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 9), 10);
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 0), 0);
        EXPECT_EQ(list.GetCurrentItemColorIndex(), 256);
        // Beyond every colour: nothing selected.
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, 258), CB_ERR);
        EXPECT_EQ(list.GetCurrentItemColorIndex(), -1);
        EXPECT_EQ(list.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR);
        EXPECT_EQ(list.GetCount(), 11);
        // The other lists are lists of their own.
        EXPECT_EQ(d.dimColor.GetCount(), 9);
    });
    dlg.DoModal();
}

TEST_F(DialogTest, TheScriptSetsColoursByIndexOrName) {
    script({L"210=255", L"211=byblock", L"212=257", L"212=-1", L"212=青", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.values.dimLineColor, 255);
    EXPECT_EQ(dlg.values.extLineColor, 0);
    EXPECT_EQ(dlg.values.textColor, 5);
    EXPECT_SAW(L"  210 colour 寸法線: 255 色 255\n");
    EXPECT_SAW(L"  211 colour 補助線: 0 ByBlock\n");
    EXPECT_SAW(
        L"Dialog 200: 212=257\n  ** control 212 is a colour list: a colour index from 0 to 256\n");
    EXPECT_SAW(
        L"Dialog 200: 212=-1\n  ** control 212 is a colour list: a colour index from 0 to 256\n");
}

TEST_F(DialogTest, AColourListOutsideADialogDoesNothing) {
    CAcUiColorComboBox list;
    EXPECT_EQ(list.SetCurrentItemColorIndex(3), -1);
    EXPECT_EQ(list.GetCurrentItemColorIndex(), CB_ERR);
    EXPECT_EQ(list.GetCount(), 0);
}

} // namespace
