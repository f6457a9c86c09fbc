// The host's dialog base classes. Module dialogs derive from CAcUiDialog (acui.h),
// which derives from these; on this host they add nothing to CDialog but the module
// handle the template may be taken from.
#pragma once

#include "afxwin.h"

class CAdUiBaseDialog : public CDialog {
public:
    // hDialogResource: the module holding the template; null takes it from the current
    // resource handle (the module's resource scope), as a CDialog does.
    explicit CAdUiBaseDialog(UINT idd, CWnd* pParent = nullptr,
                             HINSTANCE hDialogResource = nullptr);
    ~CAdUiBaseDialog() override;

    DECLARE_MESSAGE_MAP()
};

class CAdUiDialog : public CAdUiBaseDialog {
public:
    explicit CAdUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);
    ~CAdUiDialog() override;

    DECLARE_MESSAGE_MAP()
};

class CAdUiComboBox : public CComboBox {};
