// Keeps a route dimension linked when the host add-in replaces the element it
// measures by one new element of the same length.
#pragma once

#include "frame/platform.h"

class CDimReplace : public CReplaceReactor {
public:
    void terminated(AcDbObjectId oldElement, AcDbObjectIdArray newElements) override;
};
