// The host add-in's services, looked up by name in Kelto.arx when they are needed so
// that the module still loads (with less to offer) where one of them is missing.
#pragma once

#include "frame/platform.h"

using KZAddinGetIniFileFn = const wchar_t* (*)();
using KZAddinGetFontFn = LOGFONTW* (*)();
// The two below return a status that the module does not use; the pointer types still
// say int, as a call through a pointer of another function type is undefined.
using KZAddinGetLinkRootEXFn = int (*)(AcDbObjectId, AcDbObjectIdArray*);
using KZAddinAutoCommParamFn = int (*)(int, AcDbObjectId, AcGePoint3d*);

// Kelto.arx as found when the module was mapped; null when it is not loaded.
HMODULE KzHostAddinModule();

// The service's address in the host add-in; null when the add-in is not loaded or does
// not export it.
template <class Fn> Fn FindAddinService(const wchar_t* name) {
    HMODULE addin = KzHostAddinModule();
    if (!addin)
        return nullptr;
    return reinterpret_cast<Fn>(ApiComn_GetProcAdrs(addin, name));
}

// The font of the drag's distance read-out: the product's when KZAddinGetFont exists,
// the default GUI font otherwise.
void GetDragFont(LOGFONTW& font);

// The kind (-1 to 10) of a route element from the identifier of its block.
int GetRouteElementKind(AcDbObjectId element);
// The same rule on an identifier text.
int RouteElementKindOfId(const wchar_t* identifier);
