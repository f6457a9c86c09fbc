// The application entry of Kelto.arx: it registers the product's command KZ_REJOB1.
#include "KeltoHost.h"

#include "aced.h"
#include "rxregsvc.h"

namespace kz::kelto {
void rejobCommand(); // rejob_command.cpp
}

namespace {
const ACHAR* const kGroup = L"KELTO";
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
        if (acedRegCmds->addCommand(kGroup, L"KZ_REJOB1", L"KZ_REJOB1", ACRX_CMD_MODAL,
                                    kz::kelto::rejobCommand) != Acad::eOk)
            return AcRx::kRetError;
        break;
    case AcRx::kUnloadAppMsg:
        acedRegCmds->removeGroup(kGroup);
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}
