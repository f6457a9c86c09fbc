// The length entry popup of the route length edit: one edit box at the cursor that
// turns the typed text into a new length and the end that moves.
#pragma once

#include "frame/platform.h"

class CModRoute : public CDialog {
public:
    CModRoute(POINT position, double value, CWnd* parent = nullptr);

    POINT position;
    double value;
    int sideFlag = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};

// The rule of the popup's text: "<n" adds n to the value (side 1), ">n" adds n (side 0),
// a plain number replaces it (side 1 when positive, else 0). False when the text is
// refused ("<" or ">" not first): nothing changes.
bool ApplyLengthText(const CString& text, double& value, int& sideFlag);
