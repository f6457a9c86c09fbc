// The application frame: registration and the document reactor.
#include "acdocman.h"
#include "edtest.h"
#include "rxregsvc.h"

namespace {

const ACHAR* const kGroup = L"KZEDTEST";

class ClosingReactor : public AcApDocManagerReactor {
public:
    void documentToBeDestroyed(AcApDocument* doc) override {
        acutPrintf(L"KzEdTest: %s closes\n", doc->docTitle());
    }
};

ClosingReactor reactor;

void registerCommands() {
    struct Entry {
        const ACHAR* name;
        Adesk::Int32 flags;
        AcRxFunctionPtr fn;
    };
    const Entry entries[] = {
        {L"TSETUP", ACRX_CMD_MODAL, edtest::cmdSetup},
        {L"TLIST", ACRX_CMD_MODAL, edtest::cmdList},
        {L"TSSKW", ACRX_CMD_MODAL, edtest::cmdPointMode},
        {L"TSINGLE", ACRX_CMD_MODAL, edtest::cmdSingle},
        {L"TIMPLIED", ACRX_CMD_USEPICKSET, edtest::cmdImplied},
        {L"TSETFIRST", ACRX_CMD_MODAL, edtest::cmdSetFirst},
        {L"TNENT", ACRX_CMD_MODAL, edtest::cmdNested},
        {L"TPOINT", ACRX_CMD_MODAL, edtest::cmdPoint},
        {L"TNUM", ACRX_CMD_MODAL, edtest::cmdNumbers},
        {L"TSEND", ACRX_CMD_MODAL, edtest::cmdSend},
        {L"TCANCEL", ACRX_CMD_MODAL, edtest::cmdCancel},
        {L"TDIALOG", ACRX_CMD_MODAL, edtest::cmdDialog},
        {L"TLINE", ACRX_CMD_MODAL, edtest::cmdLine},
        {L"TDRAG", ACRX_CMD_MODAL, edtest::cmdDrag},
    };
    AcEdCommandStack* stack = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    for (const Entry& e : entries)
        stack->addCommand(kGroup, e.name, e.name, e.flags, e.fn);
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
        registerCommands();
        acDocManager->addReactor(&reactor);
        acutPrintf(L"KzEdTest loaded (interface %d)\n", acrxGetApiVersion());
        break;
    case AcRx::kUnloadAppMsg:
        acDocManager->removeReactor(&reactor);
        acedRegCmds->removeGroup(kGroup);
        acutPrintf(L"KzEdTest unloaded\n");
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}
