#include "palette/main_dlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMainDlg, CAcUiDialog)
END_MESSAGE_MAP()

CMainDlg::CMainDlg(CWnd* parent) : CAcUiDialog(IDD_MAIN, parent) {}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case IDC_CMD_MAKE:
    case IDC_CMD_EDITXLINE:
    case IDC_CMD_EDITTEXT:
    case IDC_CMD_CONFIG:
        EndDialog(static_cast<int>(wParam) - 106);
        break;
    default:
        break;
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CMainDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
}

void CMainDlg::OnOK() {
    CAcUiDialog::OnOK();
}
