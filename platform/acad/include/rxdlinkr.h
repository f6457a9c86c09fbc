// AcRxDynamicLinker: loads and unloads applications (shared libraries with an
// exported extern "C" acrxEntryPoint). Loading calls the entry point with kInitAppMsg
// and the application's id; an application that answers kRetError, or has no entry
// point, is unloaded again and the failure is reported on the command line. An
// application is locked (cannot be unloaded by unloadModule) until it calls
// unlockApplication with its id; the host unloads every application at exit anyway,
// with kUnloadAppMsg.
#pragma once

#include "AdAChar.h"
#include "rxdefs.h"
#include "rxdict.h"

class AcRxDynamicLinker : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);

    // fileName is a path or a name looked for beside the host (see LoadLibraryW). True
    // when the application is loaded afterwards (an application loaded already stays
    // loaded and is not initialised again). printit prints success too; failures are
    // always printed.
    bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false);
    // Sends kUnloadAppMsg and unloads; false when the application is not loaded or is
    // locked. Commands it registered and did not remove are removed.
    bool unloadModule(const ACHAR* fileName, bool printit, bool asCmd = false);

    // appId is the value the host passed to acrxEntryPoint; false for any other value.
    bool unlockApplication(void* appId) const;
    bool lockApplication(void* appId) const;
    bool isApplicationLocked(const ACHAR* name) const;
    bool registerAppMDIAware(void* appId) const;
    bool registerAppNotMDIAware(void* appId) const;
    // The loaded application's module handle, or null.
    void* getModuleHandle(const ACHAR* name) const;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))
