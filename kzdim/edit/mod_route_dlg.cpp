#include "edit/mod_route_dlg.h"

#include "res/resource.h"

#include <cmath>

BEGIN_MESSAGE_MAP(CModRoute, CDialog)
END_MESSAGE_MAP()

CModRoute::CModRoute(POINT pos, double start, CWnd* parent)
    : CDialog(IDD_MOD_ROUTE, parent), position(pos), value(start) {}

BOOL CModRoute::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, position.x, position.y, 0, 0, SWP_NOSIZE);
    CString text;
    text.Format(L"%.*g", 15, value);
    SetDlgItemText(IDC_LENGTH_VALUE, text);
    return TRUE;
}

void CModRoute::OnOK() {
    CString text;
    GetDlgItemText(IDC_LENGTH_VALUE, text);
    if (ApplyLengthText(text, value, sideFlag))
        CDialog::OnOK();
}
