// Process-wide geometry settings.
#pragma once

#include "getol.h"

struct AcGeContext {
    // The tolerance used when a geometry call is given none.
    static AcGeTol gTol;
};
