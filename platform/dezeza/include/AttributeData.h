// Reading the attributes of a route element.
#pragma once

#include "afxstr.h"
#include "dbid.h"

class CAttributeData {
public:
    // The text of the reference's attribute with this tag (letter case ignored; the
    // first one when several carry it); empty when the reference has none, or the id
    // is no block reference.
    CString GetValueAttID(AcDbObjectId reference, const wchar_t* tag) const;
};
