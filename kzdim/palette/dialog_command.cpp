// KZ_DIM_DIALOG: the command palette. The chosen command is sent to the command line
// and runs once this command has ended.
#include "frame/commands.h"
#include "frame/module_state.h"
#include "palette/main_dlg.h"
#include "res/resource.h"

void KzDimDialogCommand() {
    CKzResourceScope scope;
    DeZeza_writeConfig(LoadKzString(IDS_SECTION_DIMENSION), LoadKzString(IDS_KEY_ISOMETRIC), L"0",
                       KzModule().iniPath);
    CMainDlg dialog(CWnd::FromHandle(adsw_acadMainWnd()));
    INT_PTR result = dialog.DoModal();
    const wchar_t* command = nullptr;
    switch (result) {
    case 101:
        command = L"KZ_DIM_MAKE";
        break;
    case 102:
        command = L"KZ_DIM_EDITXLINE";
        break;
    case 103:
        command = L"KZ_DIM_EDITTEXT";
        break;
    case 104:
        command = L"KZ_DIM_CONFIG";
        break;
    default:
        break;
    }
    if (command)
        ApiComn_sendCommand(command, 1, 0, true);
}
