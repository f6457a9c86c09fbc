// CDrag, the drag loop (see Drag.h): not written yet.
#include "Drag.h"
