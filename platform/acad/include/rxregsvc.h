// Registration services of the run-time system: the system registry, the dynamic
// linker and the interface version.
#pragma once

#include "rxdefs.h"
#include "rxdict.h"
#include "rxdlinkr.h"

// The version of the run-time interface this host offers (the host's release).
#define ACRX_API_VERSION 20
// Defined in every application (the acad_app library) and exported: the version the
// application was built against. The host refuses to load one built for another.
extern "C" int acrxGetApiVersion();

// Shorthands of the dynamic linker.
bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd = false);
bool acrxUnloadModule(const ACHAR* moduleName, bool asCmd = false);
bool acrxUnlockApplication(void* appId);
bool acrxRegisterAppMDIAware(void* appId);
