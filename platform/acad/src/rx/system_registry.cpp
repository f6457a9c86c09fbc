#include "accmd.h"
#include "rxregsvc.h"

AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary* registry = [] {
        auto* dict = new AcRxDictionary();
        dict->atPut(ACRX_COMMAND_DOCK, new AcEdCommandStack());
        dict->atPut(ACRX_DYNAMIC_LINKER, new AcRxDynamicLinker());
        return dict;
    }();
    return registry;
}
