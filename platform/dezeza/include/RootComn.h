// Route connections, route groups and the geometry helpers of the RootComn family.
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"

// Appends to connected every id of candidates (in list order, each once) whose element
// has a connection point within kDeZezaConnectTolerance of one of element's. element
// itself is never reported, even when it is in the list; null ids and entities that
// are no block reference are not connected to anything. mode 1 stops at the first one
// found (enough to tell whether any is connected); any other mode finds all. routeKind
// not 0 leaves out candidates of another route kind (those of kind 0 always count).
// Returns the number appended.
int RootComn_GetConnectBlock4(AcDbObjectIdArray candidates, AcDbObjectId& element,
                              AcDbObjectIdArray& connected, int mode, int routeKind);

// Appends element to group (once). A null group means the group named name in the
// drawing's group dictionary, made when missing. Returns 0 or the host's error status.
int RootComn_AddGroupMember(AcDbObjectId group, AcDbObjectId element, const wchar_t* name);

// The route kind of the element (third KZ_ELEMENT string of its block, 0 when missing)
// into *routeKind. Returns 0 when the block carries KZ_ELEMENT, else 1.
int RootComn_GetBlockRootKind(AcDbObjectId element, int* routeKind);

// The direction from p to q in the XY plane, in degrees counter-clockwise from the x
// axis, 0 <= angle < 360 (0 for equal points).
double RootComn_Get2PointAngle(AcGePoint3d p, AcGePoint3d q);
// result = base moved by distance in the direction angle (degrees) in the XY plane,
// z kept.
void RootComn_PointRotation2(AcGePoint3d base, double distance, double angle, AcGePoint3d& result);
