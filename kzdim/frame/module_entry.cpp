// The module's entry points: process attach and detach, the host's application
// messages, and the identification marker the host add-in product looks for.
#include "assoc/dim_replace.h"
#include "frame/commands.h"
#include "frame/language.h"
#include "frame/module_state.h"
#include "frame/host_addin.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    KzModuleState& m = KzModule();
    if (reason == DLL_PROCESS_ATTACH) {
        m.ownInstance = instance;
        if (!m.extensionInitialised) {
            m.extensionInitialised = AfxInitExtensionModule(m.extensionModule, instance) ? 1 : 0;
            if (m.extensionInitialised)
                new CDynLinkLibrary(m.extensionModule);
        }
        InitAcUiDLL();
        m.hostAddIn = GetModuleHandleW(L"Kelto.arx");
    } else if (reason == DLL_PROCESS_DETACH) {
        if (m.extensionInitialised) {
            AfxTermExtensionModule(m.extensionModule, FALSE);
            m.extensionInitialised = 0;
        }
    }
    return TRUE;
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    KzModuleState& m = KzModule();
    switch (msg) {
    case AcRx::kInitAppMsg: {
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
        auto getIniFile = FindAddinService<KZAddinGetIniFileFn>(L"KZAddinGetIniFile");
        if (!getIniFile)
            return AcRx::kRetError;
        m.iniPath = getIniFile();
        RegisterKzCommands();
        ChooseResourceLanguage();
        m.replaceReactor = new CDimReplace();
        RuleComn_addReplaceReactor(m.replaceReactor);
        return AcRx::kRetOK;
    }
    case AcRx::kUnloadAppMsg:
        // Nothing of the module may stay reachable once it is unmapped: its commands
        // and the reactor the route library would call.
        acedRegCmds->removeGroup(L"VESTRA");
        if (m.replaceReactor) {
            RuleComn_removeReplaceReactor(m.replaceReactor);
            delete m.replaceReactor;
            m.replaceReactor = nullptr;
        }
        if (m.languageModule) {
            FreeLibrary(m.languageModule);
            m.languageModule = nullptr;
        }
        return AcRx::kRetOK;
    default:
        return AcRx::kRetOK;
    }
}

extern "C" const wchar_t* KzAddIn_$$6525dim() {
    return L"DI Rir Uv Edavirevere";
}
