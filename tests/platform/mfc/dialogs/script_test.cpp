// The script language of a modal dialog: clicks through the message map, check boxes,
// mistakes, a dialog that refuses OK, command results, the end of the script.
#include "dialog_fixture.h"

#include <stdexcept>

namespace {

// The length popup's shape: one edit box on template 211, no buttons; OK is refused
// until the text is a positive number.
class LengthPopup : public CDialog {
public:
    LengthPopup() : CDialog(IDD_MOD_ROUTE) {}
    double value = 0;
    POINT position{300, 200};

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowPos(nullptr, position.x, position.y, 0, 0, SWP_NOSIZE);
        SetDlgItemText(IDC_LENGTH_VALUE, L"1250");
        return TRUE;
    }
    void OnOK() override {
        CString text;
        GetDlgItemText(IDC_LENGTH_VALUE, text);
        if (text.Find(L'<') > 0 || _wtof(text) <= 0) {
            return; // stays open
        }
        value = _wtof(text);
        CDialog::OnOK();
    }
};

// The command palette's shape: buttons on template 212 end the dialog with their id
// minus 106, through OnCommand.
class Palette : public CAcUiDialog {
public:
    Palette() : CAcUiDialog(IDD_MAIN) {}
    std::vector<WPARAM> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(wParam);
        if (wParam >= IDC_CMD_MAKE && wParam <= IDC_CMD_CONFIG) {
            EndDialog(static_cast<int>(wParam) - 106);
        }
        return CAcUiDialog::OnCommand(wParam, lParam);
    }
};

TEST_F(DialogTest, ButtonsEndThePaletteWithTheirResults) {
    for (int button = IDC_CMD_MAKE; button <= IDC_CMD_CONFIG; ++button) {
        const std::wstring line = std::to_wstring(button);
        script({line.c_str()});
        Palette dlg;
        EXPECT_EQ(dlg.DoModal(), button - 106);
        ASSERT_EQ(dlg.commands.size(), 1u);
        EXPECT_EQ(LOWORD(dlg.commands[0]), button);
        EXPECT_EQ(HIWORD(dlg.commands[0]), BN_CLICKED);
    }
    EXPECT_SAW(L"Dialog 212 closed: result 104\n");
    // Enter with no default button is IDOK, which the base handles.
    script({L"OK"});
    Palette dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.commands, std::vector<WPARAM>{IDOK});
}

TEST_F(DialogTest, APopupRefusesOkUntilTheTextIsValid) {
    script({L"200=12<5", L"OK", L"", L"200=1500", L"OK"});
    LengthPopup dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, 1500);
    EXPECT_SAW(L"Dialog 211\n  200 edit: \"1250\"\n  focus: 200\n"); // no caption, no label
    EXPECT_SAW(
        L"Dialog 211: OK\n  (Dialog 211 stays open)\nDialog 211: \n  (Dialog 211 stays open)\n");
    EXPECT_EQ(linesLeft(), 0u);
}

TEST_F(DialogTest, ThePopupSitsWhereItWasPut) {
    script({L"OK"});
    struct Probe : LengthPopup {
        RECT rect{};
        BOOL OnInitDialog() override {
            LengthPopup::OnInitDialog();
            GetWindowRect(&rect);
            return TRUE;
        }
    } dlg;
    dlg.DoModal();
    // 60 x 12 dialog units of a 9-point font (7 x 12 pixel base units), no frame.
    EXPECT_EQ(dlg.rect.left, 300);
    EXPECT_EQ(dlg.rect.top, 200);
    EXPECT_EQ(dlg.rect.right - dlg.rect.left, 105);
    EXPECT_EQ(dlg.rect.bottom - dlg.rect.top, 18);
}

TEST_F(DialogTest, TheEndOfTheScriptCancels) {
    script({L"200=4"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.values.textHeight, 3.5);
    EXPECT_SAW(L"  (end of input: Dialog 200 is cancelled)\nDialog 200 closed: Cancel\n");
}

TEST_F(DialogTest, CheckBoxClicksReachTheMessageMap) {
    script({L"231=1", L"231=1", L"231", L"231=2", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // Setting the state it already has is no click; "231" alone clicks it back off.
    EXPECT_EQ(dlg.fixedClicks, 2);
    EXPECT_EQ(dlg.values.extLineFixed, 0);
    EXPECT_SAW(L"  ** control 231 is a check box: 0 or 1\n");
}

TEST_F(DialogTest, HiddenControlsCannotBeReachedUntilShown) {
    script({L"207", L"232=1", L"CANCEL"});
    SettingsDialog hidden(DimValues{});
    hidden.DoModal();
    EXPECT_EQ(hidden.colourButtonClicks, 0);
    EXPECT_SAW(L"  ** control 207 is hidden\n");
    EXPECT_SAW(L"  ** control 232 is hidden\n");

    script({L"207", L"207", L"CANCEL"});
    SettingsDialog shown(DimValues{});
    shown.showColourButton = true;
    shown.DoModal();
    EXPECT_EQ(shown.colourButtonClicks, 2);
}

TEST_F(DialogTest, MistakesAreReportedAndTheDialogStaysOpen) {
    script({L"999=1", L"201", L"1=3", L"-1=x", L"hello", L"224=20", L"224=なし2", L"226=下側",
            L"# a comment", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.values.textDirection, 4); // the entry named by its text
    EXPECT_SAW(L"  ** Dialog 200 has no control 999\n");
    EXPECT_SAW(L"  ** control 201 is not a button: write 201=VALUE to set it\n");
    EXPECT_SAW(L"  ** control 1 is a button: write 1 alone to click it\n");
    EXPECT_SAW(L"Dialog 200: -1=x\n  ** expected ID=VALUE, ID, OK or CANCEL\n");
    EXPECT_SAW(L"Dialog 200: hello\n  ** expected ID=VALUE, ID, OK or CANCEL\n");
    EXPECT_SAW(L"  ** control 224 has no list position 20 (0 to 19)\n");
    EXPECT_SAW(L"  ** control 224 has no entry \"なし2\"\n");
    EXPECT_NOT_SAW(L"a comment\n  **");
}

TEST_F(DialogTest, WithoutTheInitialFocusNoControlHasIt) {
    script({L"CANCEL"});
    SettingsDialog dlg(DimValues{});
    dlg.initResult = FALSE;
    dlg.DoModal();
    EXPECT_SAW(L"  focus: none\n");
}

TEST_F(DialogTest, PreTranslateMessageCanTakeTheEnterKey) {
    struct NoEnter : SettingsDialog {
        NoEnter() : SettingsDialog(DimValues{}) {}
        BOOL PreTranslateMessage(MSG* pMsg) override {
            if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
                return TRUE;
            }
            return SettingsDialog::PreTranslateMessage(pMsg);
        }
    } dlg;
    script({L"OK", L"CANCEL"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_SAW(L"Dialog 200: OK\n  (Dialog 200 stays open)\n");
}

TEST_F(DialogTest, AnExceptionFromAHandlerIsReportedNotThrown) {
    struct Throwing : SettingsDialog {
        Throwing() : SettingsDialog(DimValues{}) {}
        void OnOK() override { throw std::runtime_error("disk full"); }
    } dlg;
    script({L"OK", L"CANCEL"});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_SAW(L"** SendMessage: disk full escaped the module's handler\n");
}

TEST_F(DialogTest, AMissingTemplateFailsWithAMessage) {
    CDialog dlg(999u);
    script({L"OK"});
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_SAW(L"** Dialog 999: the module's resources have no such dialog\n");
    EXPECT_EQ(linesLeft(), 1u);
}

TEST_F(DialogTest, TemplatesAreFoundInTheExtensionLibraries) {
    AfxSetResourceHandle(GetModuleHandleW(nullptr)); // the host's own resources
    AFX_EXTENSION_MODULE extension;
    AfxInitExtensionModule(extension, module_);
    auto* library = new CDynLinkLibrary(extension);
    EXPECT_EQ(AfxGetFirstDynLinkLibrary(), library);
    script({L"OK"});
    Palette dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    AfxTermExtensionModule(extension);
    EXPECT_EQ(AfxGetFirstDynLinkLibrary(), nullptr);
    script({L"OK"});
    Palette again;
    EXPECT_EQ(again.DoModal(), -1);
}

} // namespace
