// MFC extension libraries: a library that shares the host's MFC registers its
// resources in the chain of extension libraries (CDynLinkLibrary), where
// AfxFindResourceHandle looks for what the current resource handle lacks.
#pragma once

#include "afxwin.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
    void* pFirstSharedClass = nullptr;
    void* pFirstSharedFactory = nullptr;
};

// Records the library's handle in the state (once); returns TRUE.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes the library's CDynLinkLibrary objects from the chain (all of them with
// bAll) and deletes them. A library calls it before it is unloaded; an object left
// in the chain would name a module that is gone.
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class CDynLinkLibrary : public CCmdTarget {
public:
    // Puts the library at the head of the chain. Created with new in the library's
    // DllMain; deleted by AfxTermExtensionModule.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL = nullptr;
};

// The first library of the chain (most recently added), for walking it.
CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary();
