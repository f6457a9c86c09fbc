// Replace reactors: objects told when the host add-in erases a route element or
// replaces it by new ones. Register them with RuleComn_addReplaceReactor.
#pragma once

#include "dbmain.h"
#include "rxobject.h"

class CReplaceReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(CReplaceReactor);

    CReplaceReactor() = default;
    ~CReplaceReactor() override;

    // An element was erased (not as part of a replacement). The base does nothing.
    virtual void erase(AcDbObjectId element);
    // A replacement finished: oldElement (erased by then, still readable when opened
    // as erased) was replaced by newElements. The base does nothing.
    virtual void terminated(AcDbObjectId oldElement, AcDbObjectIdArray newElements);
};
