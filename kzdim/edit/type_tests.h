// Checked conversions of a database object to the classes the editing commands work on:
// the object itself when its class is the host class or derives from it, else null.
#pragma once

#include "frame/platform.h"

AcDbMText* AsMText(AcDbObject* object);
AcDbRotatedDimension* AsRotatedDimension(AcDbObject* object);
AcDbDimension* AsDimension(AcDbObject* object);
