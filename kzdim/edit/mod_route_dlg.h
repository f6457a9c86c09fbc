// The length entry popup of the route length edit: one edit box at the cursor that
// turns the typed text into a new length and the end that moves.
#pragma once

#include "edit/length_text.h"
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
