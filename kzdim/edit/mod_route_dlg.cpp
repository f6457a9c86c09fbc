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

bool ApplyLengthText(const CString& text, double& value, int& sideFlag) {
    int less = text.Find(L'<');
    int greater = text.Find(L'>');
    if (less >= 0) {
        if (less != 0)
            return false;
        sideFlag = 1;
        value += ApiComn_atof(text.Mid(1));
        return true;
    }
    if (greater < 0) {
        double v = ApiComn_atof(text);
        sideFlag = v > 0.0 ? 1 : 0;
        value = std::fabs(v);
        return true;
    }
    if (greater != 0)
        return false;
    sideFlag = 0;
    value += ApiComn_atof(text.Mid(1));
    return true;
}

void CModRoute::OnOK() {
    CString text;
    GetDlgItemText(IDC_LENGTH_VALUE, text);
    if (ApplyLengthText(text, value, sideFlag))
        CDialog::OnOK();
}
