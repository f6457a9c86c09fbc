// The MFC core: CObject, CString and the Windows subset beneath them.
#pragma once

#include "windows.h"
#include "afxstr.h"

// Root of the MFC classes: polymorphic and, as in MFC, not copyable.
class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};
