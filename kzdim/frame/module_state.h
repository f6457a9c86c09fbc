// Module-wide state: one instance per process, set up when the module is mapped and
// at initialisation, used by one command at a time.
#pragma once

#include "frame/platform.h"

class CDimReplace;

struct KzModuleState {
    HINSTANCE ownInstance = nullptr;
    AFX_EXTENSION_MODULE extensionModule{};
    int extensionInitialised = 0;
    // Kelto.arx as found when the module was mapped; null when not loaded.
    HMODULE hostAddIn = nullptr;
    // Where string-table texts and dialogs come from: the language module or the
    // module itself.
    HINSTANCE resourceModule = nullptr;
    HINSTANCE languageModule = nullptr;
    // The host add-in's ini file: the configuration store and the way to the shared
    // settings file.
    CString iniPath;
    CDimReplace* replaceReactor = nullptr;
};

KzModuleState& KzModule();

// A string-table text loaded from the resource module into a 260-character buffer.
CString LoadKzString(UINT id);

// Pushes the module's resources on the host for as long as it lives (dialogs and
// windows of the module are created inside one).
class CKzResourceScope {
public:
    CKzResourceScope();
    ~CKzResourceScope();
    CKzResourceScope(const CKzResourceScope&) = delete;
    CKzResourceScope& operator=(const CKzResourceScope&) = delete;
};
