#include "frame/module_state.h"

KzModuleState& KzModule() {
    static KzModuleState state;
    return state;
}

CString LoadKzString(UINT id) {
    wchar_t buffer[260] = {};
    DeZeza_LoadString(KzModule().resourceModule, id, buffer, 260);
    return CString(buffer);
}

CKzResourceScope::CKzResourceScope() {
    HINSTANCE h = KzModule().resourceModule ? KzModule().resourceModule : KzModule().ownInstance;
    acDocManager->pushResourceHandle(h);
}

CKzResourceScope::~CKzResourceScope() {
    acDocManager->popResourceHandle();
}
