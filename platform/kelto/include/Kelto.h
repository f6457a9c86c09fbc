// Kelto.arx: the host add-in product's main module, loaded by the host before KzDim.
// Its four services are exported under these names for GetProcAddress; it also
// registers the command KZ_REJOB1 (docs/route-data.md, "Replacing elements").
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"
#include "windows.h"

extern "C" {

// Full path of the product's ini file: the one `kzdim --ini` names, else Kelto.ini in
// the user's configuration folder, copied from the bundled one on first use. The text
// stays valid until the next call.
const wchar_t* KZAddinGetIniFile();

// The font of the product's drawing read-outs; valid for the life of the process.
LOGFONTW* KZAddinGetFont();

// Appends to linked the route elements of the element's space (any route) that are
// connected to it, in drawing order. Returns the number appended, -1 for a null list.
int KZAddinGetLinkRootEX(AcDbObjectId element, AcDbObjectIdArray* linked);

// Sets the parameters of the next KZ_REJOB1: the base element and its insertion point
// (null: the element's own). mode is kept for the product's other re-layouts; 1 is the
// only one in use. Returns 0, or -1 for a null element.
int KZAddinAutoCommParam(int mode, AcDbObjectId element, AcGePoint3d* insertionPoint);

} // extern "C"

using KZAddinGetIniFileFn = const wchar_t* (*)();
using KZAddinGetFontFn = LOGFONTW* (*)();
using KZAddinGetLinkRootEXFn = int (*)(AcDbObjectId, AcDbObjectIdArray*);
using KZAddinAutoCommParamFn = int (*)(int, AcDbObjectId, AcGePoint3d*);
