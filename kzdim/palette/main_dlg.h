// The command palette: four buttons, each ending the dialog with its own result so that
// the palette's command can send the matching command after it has closed.
#pragma once

#include "frame/platform.h"

#include "acui.h"

class CMainDlg : public CAcUiDialog {
public:
    explicit CMainDlg(CWnd* parent = nullptr);
    ~CMainDlg() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};
