// KZ_DIM_CONFIG: the settings dialog on the stored settings; a confirmed dialog
// writes all thirteen values back.
#include "create/dim_data.h"
#include "frame/commands.h"
#include "frame/module_state.h"
#include "settings/dim_setting_dlg.h"

void KzDimConfigCommand() {
    CDimData job;
    LoadSettingsForConfig(job.settings);
    CKzResourceScope scope;
    CDimSetting dialog(job.settings, CWnd::FromHandle(adsw_acadMainWnd()));
    if (dialog.DoModal() == IDOK) {
        job.settings = dialog.Values();
        WriteStoredSettings(job.settings);
    }
}
