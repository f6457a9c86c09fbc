// Reading the route data of elements: shared by the DeZeza, RootComn and RuleComn
// functions.
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"

#include <string>
#include <vector>

namespace kz::dezeza {

// The block table record behind a route element: the reference's block, or the id
// itself when it is a block table record; null otherwise.
AcDbObjectId elementBlock(AcDbObjectId element);

// The KZ_ELEMENT strings of the element's block (empty when it has none); found tells
// whether the block carries the record at all.
std::vector<std::wstring> elementRecord(AcDbObjectId element, bool* found = nullptr);

// The integer of KZ_ELEMENT string index (0 when missing).
int elementNumber(AcDbObjectId element, std::size_t index);

// The route kind of the element; 0 when unknown.
inline int routeKindOf(AcDbObjectId element) {
    return elementNumber(element, 2);
}

// Whether the element passes a route-kind filter (0 lets everything pass; elements of
// kind 0 always pass).
bool passesKind(AcDbObjectId element, int routeKind);

// The element's points on the layer in world coordinates; empty for anything that is
// not a block reference.
std::vector<AcGePoint3d> layerPoints(AcDbObjectId element, const wchar_t* layer);
std::vector<AcGePoint3d> connectionPoints(AcDbObjectId element);

// Whether some point of a lies within the connection tolerance of some point of b.
bool touches(const std::vector<AcGePoint3d>& a, const std::vector<AcGePoint3d>& b);

// Whether the object carries KZ_LINK.
bool isRouteElement(AcDbObjectId id);

// The members of the element's route group; for an element in no group, the route
// elements of the block (space) that owns it. The element itself is included.
std::vector<AcDbObjectId> routeMembers(AcDbObjectId element);

} // namespace kz::dezeza
