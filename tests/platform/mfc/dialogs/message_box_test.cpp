// Message boxes, message maps along the class chain, and a dialog opened from another.
#include "dialog_fixture.h"

namespace {

TEST_F(DialogTest, MessageBoxesGetMfcsDefaultIconsAndTheHostsAnswer) {
    EXPECT_EQ(AfxMessageBox(L"saved"), IDOK);
    EXPECT_EQ(AfxMessageBox(L"again?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(L"failed", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(AfxMessageBox(L"note", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(AfxMessageBox(L"retry?", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(transcript(), L"[warning] saved\n[question] again?\n[stop] failed\n"
                            L"[information] note\nretry?\n");

    // A prompt from the module's string table.
    EXPECT_EQ(AfxMessageBox(IDS_SECTION_DIMENSION), IDOK);
    EXPECT_SAW(L"[warning] 寸法線\n");
    AfxMessageBox(5u);
    EXPECT_SAW(L"[warning] (string 5 is missing)\n");

    // The host may answer otherwise; it is told the owner, the caption and the type.
    std::vector<kz::MessageBoxRecord> boxes;
    auto old = kz::setMessageBoxSink([&](const kz::MessageBoxRecord& box) {
        boxes.push_back(box);
        return box.text == L"delete?" ? IDNO : IDOK;
    });
    EXPECT_EQ(AfxMessageBox(L"delete?", MB_YESNO), IDNO);
    kz::setMessageBoxSink(old);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);                        // no dialog is open
    EXPECT_EQ(boxes[0].caption, L"test_platform_mfc_dialogs"); // the executable's name
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

class Base : public CAcUiDialog {
public:
    explicit Base(UINT idd) : CAcUiDialog(idd) {}
    std::vector<std::string> calls;

protected:
    afx_msg void OnBaseMake() { calls.push_back("base make"); }
    afx_msg void OnBaseText() { calls.push_back("base text"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CAcUiDialog)
ON_BN_CLICKED(IDC_CMD_MAKE, &Base::OnBaseMake)
ON_BN_CLICKED(IDC_CMD_EDITTEXT, &Base::OnBaseText)
END_MESSAGE_MAP()

class Derived : public Base {
public:
    Derived() : Base(IDD_MAIN) {}

protected:
    afx_msg void OnMake() { calls.push_back("derived make"); }
    afx_msg void OnOkCommand() { calls.push_back("ok refused"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
ON_BN_CLICKED(IDC_CMD_MAKE, &Derived::OnMake)
ON_COMMAND(IDOK, &Derived::OnOkCommand)
END_MESSAGE_MAP()

TEST_F(DialogTest, AHandlerOfADerivedClassHidesItsBasesForTheSameCommand) {
    script({L"207", L"209", L"208", L"OK", L"CANCEL"});
    Derived dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // 208 has no handler anywhere: the click does nothing.
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"derived make", "base text", "ok refused"}));
}

// A dialog whose button opens another dialog: the lines go to the one on top.
class Opener : public CAcUiDialog {
public:
    Opener() : CAcUiDialog(IDD_MAIN) {}
    INT_PTR innerResult = 0;
    CString innerText;

protected:
    afx_msg void OnOpen() {
        CString text;
        ProbeDialog inner(IDD_MOD_ROUTE, {}, [&](CDataExchange* pDX) { DDX_Text(pDX, 200, text); });
        innerResult = inner.DoModal();
        innerText = text;
        EXPECT_EQ(kz::activeModalDialog(), m_hWnd);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Opener, CAcUiDialog)
ON_BN_CLICKED(IDC_CMD_CONFIG, &Opener::OnOpen)
END_MESSAGE_MAP()

TEST_F(DialogTest, ADialogOpenedFromAnotherTakesTheLinesUntilItCloses) {
    script({L"210", L"200=inner", L"OK", L"CANCEL"});
    Opener dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.innerResult, IDOK);
    EXPECT_EQ(dlg.innerText, L"inner");
    EXPECT_EQ(prompts_, (std::vector<std::wstring>{L"Dialog 212: ", L"Dialog 211: ",
                                                   L"Dialog 211: ", L"Dialog 212: "}));
    EXPECT_EQ(kz::activeModalDialog(), nullptr);
    // No focus line: the focus came back to the button that opened the inner dialog.
    EXPECT_SAW(L"Dialog 211 closed: OK\nDialog 212: CANCEL\n");
}

} // namespace
