// The resource handle and the chain of extension libraries.
#include "afxwin.h"
#include "win_resource.h"

namespace {

struct ResourceState {
    bool set = false;
    HINSTANCE handle = nullptr;
    CDynLinkLibrary* first = nullptr;
};

ResourceState& state() {
    static ResourceState s;
    return s;
}

} // namespace

HINSTANCE AFXAPI AfxGetResourceHandle() {
    return state().set ? state().handle : GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
    state().set = true;
    state().handle = hInstResource;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    return GetModuleHandleW(nullptr);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    HINSTANCE current = AfxGetResourceHandle();
    if (FindResourceW(current, lpszName, lpszType) != nullptr) {
        return current;
    }
    for (CDynLinkLibrary* lib = state().first; lib != nullptr; lib = lib->m_pNextDLL) {
        if (!lib->m_bSystem && lib->m_hResource != nullptr &&
            FindResourceW(lib->m_hResource, lpszName, lpszType) != nullptr) {
            return lib->m_hResource;
        }
    }
    return current;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE hModule) {
    if (!module.bInitialized) {
        module.hModule = hModule;
        module.hResource = hModule;
        module.bInitialized = TRUE;
    }
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL bAll) {
    if (!module.bInitialized) {
        return;
    }
    for (CDynLinkLibrary* lib = state().first; lib != nullptr;) {
        CDynLinkLibrary* next = lib->m_pNextDLL;
        if (bAll || lib->m_hModule == module.hModule) {
            delete lib;
        }
        lib = next;
    }
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module, BOOL bSystem)
    : m_hModule(module.hModule), m_hResource(module.hResource), m_bSystem(bSystem) {
    m_pNextDLL = state().first;
    state().first = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE) {
    m_pNextDLL = state().first;
    state().first = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
    for (CDynLinkLibrary** link = &state().first; *link != nullptr; link = &(*link)->m_pNextDLL) {
        if (*link == this) {
            *link = m_pNextDLL;
            break;
        }
    }
}

CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary() {
    return state().first;
}
