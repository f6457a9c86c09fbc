// The window functions the module calls, on the controls of a live dialog: list
// messages, texts, check states, enabling, showing, focus, handles and their objects.
#include "dialog_fixture.h"

namespace {

CString entryText(CWnd* list, int position) {
    CString text;
    static_cast<CComboBox*>(list)->GetLBText(position, text);
    return text;
}

TEST_F(DialogTest, ComboBoxMessagesKeepEntriesAndSelectionInStep) {
    script({L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [](ProbeDialog& d) {
        CWnd* arrows = d.GetDlgItem(IDC_ARROW_TYPE);
        CWnd* directions = d.GetDlgItem(IDC_TEXT_DIRECTION);
        EXPECT_EQ(arrows->SendMessage(CB_GETCOUNT), 20);
        EXPECT_EQ(directions->SendMessage(CB_GETCOUNT), 5);
        EXPECT_EQ(entryText(arrows, 19), L"ティック（太）");
        EXPECT_EQ(arrows->SendMessage(CB_GETLBTEXTLEN, 2), 5);
        EXPECT_EQ(arrows->SendMessage(CB_GETLBTEXTLEN, 20), CB_ERR);

        // Searches ignore ASCII case, start after the given position and wrap around.
        auto find = [](CWnd* w, UINT message, int start, const wchar_t* text) {
            return w->SendMessage(message, static_cast<WPARAM>(start),
                                  reinterpret_cast<LPARAM>(text));
        };
        EXPECT_EQ(find(directions, CB_FINDSTRINGEXACT, -1, L"jis"), 3);
        EXPECT_EQ(find(directions, CB_FINDSTRINGEXACT, 3, L"JIS"), 3); // wrapped round to itself
        EXPECT_EQ(find(arrows, CB_FINDSTRING, -1, L"黒丸"), 1);
        EXPECT_EQ(find(arrows, CB_FINDSTRING, 1, L"黒丸"), 2); // "黒丸（小）"
        EXPECT_EQ(find(arrows, CB_FINDSTRINGEXACT, -1, L"黒"), CB_ERR);

        // The selection follows inserted and deleted entries.
        EXPECT_EQ(directions->SendMessage(CB_SETCURSEL, 3), 3);
        EXPECT_EQ(find(directions, CB_INSERTSTRING, 0, L"先頭"), 0);
        EXPECT_EQ(directions->SendMessage(CB_GETCURSEL), 4);
        EXPECT_EQ(find(directions, CB_INSERTSTRING, 9, L"x"), CB_ERR);
        EXPECT_EQ(directions->SendMessage(CB_DELETESTRING, 0), 5);
        EXPECT_EQ(directions->SendMessage(CB_GETCURSEL), 3);
        EXPECT_EQ(directions->SendMessage(CB_DELETESTRING, 3), 4);
        EXPECT_EQ(directions->SendMessage(CB_GETCURSEL), CB_ERR);
        EXPECT_EQ(directions->SendMessage(CB_SETCURSEL, 4), CB_ERR);
        EXPECT_EQ(directions->SendMessage(CB_SETITEMDATA, 1, 77), TRUE);
        EXPECT_EQ(directions->SendMessage(CB_GETITEMDATA, 1), 77);
        EXPECT_EQ(directions->SendMessage(CB_GETITEMDATA, 9), CB_ERR);
        // A drop-down list shows its selected entry as its text.
        directions->SendMessage(CB_SETCURSEL, 1);
        CString shown;
        directions->GetWindowText(shown);
        EXPECT_EQ(shown, L"上側");
        directions->SendMessage(CB_RESETCONTENT);
        EXPECT_EQ(directions->SendMessage(CB_GETCOUNT), 0);
    });
    dlg.DoModal();
}

TEST_F(DialogTest, TextsAndNumbersOfEditBoxes) {
    script({L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [](ProbeDialog& d) {
        d.SetDlgItemText(IDC_ARROW_SIZE, L"  42 ");
        BOOL ok = FALSE;
        EXPECT_EQ(d.GetDlgItemInt(IDC_ARROW_SIZE, &ok), 42u);
        EXPECT_TRUE(ok);
        d.SetDlgItemInt(IDC_ARROW_SIZE, static_cast<UINT>(-5));
        CString text;
        d.GetDlgItemText(IDC_ARROW_SIZE, text);
        EXPECT_EQ(text, L"-5");
        EXPECT_EQ(static_cast<int>(d.GetDlgItemInt(IDC_ARROW_SIZE, &ok)), -5);
        EXPECT_TRUE(ok);
        d.GetDlgItemInt(IDC_ARROW_SIZE, &ok, FALSE);
        EXPECT_FALSE(ok);
        d.SetDlgItemText(IDC_ARROW_SIZE, L"x1");
        d.GetDlgItemInt(IDC_ARROW_SIZE, &ok);
        EXPECT_FALSE(ok);
        // A buffer too small gets what fits, terminated.
        d.SetDlgItemText(IDC_ARROW_SIZE, L"12345");
        wchar_t small[3] = {L'?', L'?', L'?'};
        EXPECT_EQ(d.GetDlgItemText(IDC_ARROW_SIZE, small, 3), 2);
        EXPECT_EQ(std::wstring(small), L"12");
        EXPECT_EQ(d.GetDlgItem(IDC_ARROW_SIZE)->GetWindowTextLength(), 5);
        // A missing control has no text.
        EXPECT_EQ(d.GetDlgItemText(999, text), 0);
        EXPECT_TRUE(text.IsEmpty());
    });
    dlg.DoModal();
}

TEST_F(DialogTest, CheckStatesAndLimitedEditBoxes) {
    script({L"201=123456", L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [](ProbeDialog& d) {
        d.CheckDlgButton(IDC_EXTLINE_FIXED, BST_INDETERMINATE); // not a three-state box
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_EXTLINE_FIXED), static_cast<UINT>(BST_CHECKED));
        d.CheckDlgButton(IDC_EXTLINE_FIXED, BST_UNCHECKED);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_EXTLINE_FIXED), 0u);
        EXPECT_EQ(d.IsDlgButtonChecked(IDOK), 0u); // push buttons have no check
        static_cast<CEdit*>(d.GetDlgItem(IDC_ARROW_SIZE))->LimitText(4);
    });
    dlg.DoModal();
    EXPECT_SAW(L"  201 edit 矢印サイズ: \"1234\"\n  (cut to 4 characters)\n");
}

TEST_F(DialogTest, DisabledControlsRefuseTheUserAndTheFocus) {
    script({L"229=3", L"231", L"OK", L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [](ProbeDialog& d) {
        CWnd* length = d.GetDlgItem(IDC_EXTLINE_LENGTH);
        EXPECT_FALSE(length->EnableWindow(FALSE)); // it was enabled
        EXPECT_TRUE(length->EnableWindow(FALSE));  // now it was disabled
        EXPECT_FALSE(length->IsWindowEnabled());
        EXPECT_EQ(length->SetFocus(), nullptr);
        EXPECT_NE(CWnd::GetFocus(), length);
        d.GetDlgItem(IDC_EXTLINE_FIXED)->EnableWindow(FALSE);
        d.GetDlgItem(IDOK)->EnableWindow(FALSE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_SAW(L"  ** control 229 is disabled\n");
    EXPECT_SAW(L"  ** control 231 is disabled\n");
    EXPECT_SAW(L"  229 edit 補助線長さ: \"\" [disabled]\n");
    EXPECT_SAW(L"  1 button OK (default) [disabled]\n");
    // Enter does not press a disabled default button.
    EXPECT_SAW(L"Dialog 200: OK\n  (Dialog 200 stays open)\n");
}

TEST_F(DialogTest, FocusMovesThroughTheTabStops) {
    script({L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [](ProbeDialog& d) {
        d.GetDlgItem(IDC_TEXT_HEIGHT)->SetFocus();
        d.NextDlgCtrl();
        EXPECT_EQ(CWnd::GetFocus(), d.GetDlgItem(IDC_ARROW_SIZE));
        d.GotoDlgCtrl(d.GetDlgItem(IDC_TEXT_HEIGHT));
        d.PrevDlgCtrl(); // round to the last visible tab stop
        EXPECT_EQ(CWnd::GetFocus(), d.GetDlgItem(IDC_TEXT_DIRECTION));
        // Hidden controls are skipped and do not take the focus.
        EXPECT_EQ(d.GetDlgItem(IDC_VERTICAL)->SetFocus(), nullptr);
        EXPECT_FALSE(d.GetDlgItem(IDC_VERTICAL)->IsWindowVisible());
        EXPECT_TRUE(d.GetDlgItem(IDC_VERTICAL)->ShowWindow(SW_SHOW) == FALSE);
        EXPECT_TRUE(d.GetDlgItem(IDC_VERTICAL)->ShowWindow(SW_HIDE) != FALSE);
    });
    dlg.DoModal();
}

TEST_F(DialogTest, HandlesOutliveNothingAndObjectsBindOnce) {
    HWND dialogHandle = nullptr;
    HWND editHandle = nullptr;
    script({L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, [&](ProbeDialog& d) {
        dialogHandle = d.m_hWnd;
        CWnd* edit = d.GetDlgItem(IDC_TEXT_HEIGHT);
        editHandle = edit->m_hWnd;
        EXPECT_EQ(d.GetDlgItem(IDC_TEXT_HEIGHT), edit); // one wrapper per window
        EXPECT_EQ(CWnd::FromHandlePermanent(editHandle), nullptr);
        EXPECT_EQ(CWnd::FromHandle(dialogHandle), &d);
        EXPECT_EQ(edit->GetParent(), &d);
        EXPECT_EQ(edit->GetDlgCtrlID(), IDC_TEXT_HEIGHT);
        CEdit bound;
        EXPECT_TRUE(bound.SubclassDlgItem(IDC_TEXT_HEIGHT, &d));
        EXPECT_EQ(CWnd::FromHandle(editHandle), &bound);
        CEdit second;
        EXPECT_FALSE(second.Attach(editHandle)); // a window has one object
        EXPECT_EQ(bound.UnsubclassWindow(), editHandle);
        EXPECT_EQ(CWnd::FromHandlePermanent(editHandle), nullptr);
    });
    dlg.DoModal();
    EXPECT_FALSE(IsWindow(dialogHandle));
    EXPECT_FALSE(IsWindow(editHandle));
    EXPECT_EQ(CWnd::FromHandle(editHandle), nullptr);
    EXPECT_EQ(SendMessageW(editHandle, WM_GETTEXTLENGTH, 0, 0), 0);
    RECT r{};
    EXPECT_FALSE(GetWindowRect(editHandle, &r));
    EXPECT_FALSE(DestroyWindow(dialogHandle));
}

} // namespace
