#include "dialog_fixture.h"

BEGIN_MESSAGE_MAP(SettingsDialog, CAcUiDialog)
ON_BN_CLICKED(IDC_EXTLINE_FIXED, &SettingsDialog::OnFixedClicked)
ON_BN_CLICKED(IDC_DIMLINE_COLOR_BUTTON, &SettingsDialog::OnColourButton)
ON_EN_CHANGE(IDC_ARROW_SIZE, &SettingsDialog::OnArrowSizeChanged)
ON_CBN_SELCHANGE(IDC_ARROW_TYPE, &SettingsDialog::OnArrowTypeChanged)
END_MESSAGE_MAP()
