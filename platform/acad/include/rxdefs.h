// Application messages and results of the host's run-time extension interface.
#pragma once

#include "AdAChar.h"

namespace AcRx {

// What the host tells an application through its acrxEntryPoint.
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16
};

// What the application answers. kRetError to kInitAppMsg makes the host unload it.
enum AppRetCode { kRetOK = 0, kRetError = 3 };

} // namespace AcRx

// A command handler: no arguments, no result.
typedef void (*AcRxFunctionPtr)();

// The entry point every application exports as extern "C".
typedef AcRx::AppRetCode (*AcRxEntryPointFn)(AcRx::AppMsgCode msg, void* appId);
