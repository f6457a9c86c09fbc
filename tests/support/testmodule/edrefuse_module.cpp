// An application that registers a command and then refuses to initialise: the host
// must unload it and drop the command.
#include "aced.h"

namespace {
void refusedCommand() {
    acutPrintf(L"must never run\n");
}
} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    if (msg == AcRx::kInitAppMsg) {
        acedRegCmds->addCommand(L"KZREFUSE", L"TREFUSED", L"TREFUSED", ACRX_CMD_MODAL,
                                refusedCommand);
        return AcRx::kRetError;
    }
    return AcRx::kRetOK;
}
