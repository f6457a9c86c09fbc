// The host's editor interface: the command stack, the input functions and the
// selection keyword callback.
#pragma once

#include "accmd.h"
#include "acedads.h"
#include "rxregsvc.h"

// The host's colour dialog: nColor in and out (0 by block, 1-255, 256 by layer). False
// when the user cancels.
Adesk::Boolean acedSetColorDialog(int& nColor, Adesk::Boolean bAllowMetaColor, int nCurLayerColor);
