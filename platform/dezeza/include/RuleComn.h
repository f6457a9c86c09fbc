// Route rules: element positions and directions, sides, route groups, erasing and the
// replace reactors.
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"

class CReplaceReactor;

// The insertion point of a block reference (the position of a POINT entity); the
// origin for anything else.
AcGePoint3d RuleComn_getInsertPos(AcDbObjectId element);

// The direction from p to q in the XY plane in whole degrees 0-359: the angle in
// degrees rounded half up, 360 becoming 0 (so 359.5 and more give 0). Equal points 0.
int RuleComn_getIntAngle(AcGePoint3d p, AcGePoint3d q);

// 2 when p lies left of the directed line a->b (in the XY plane), 1 when right, 0 when
// on it (closer than 1e-9 drawing units) or when a and b are equal.
int RuleComn_isSide(AcGePoint3d a, AcGePoint3d b, AcGePoint3d p);

// Whether p0->p1 runs the same way as q0->q1 in the XY plane. strict false: the two
// directions differ by less than 90 degrees; true: their RuleComn_getIntAngle values
// are equal. A zero-length direction never runs the same way.
bool RuleComn_isDirection(AcGePoint3d p0, AcGePoint3d p1, AcGePoint3d q0, AcGePoint3d q1,
                          bool strict);

// The ends of the element's root: its first two connection points (length points when
// useLengthPoints). Returns 0, or -1 (ends unchanged) when it has fewer than two.
int RuleComn_rootPoint(AcDbObjectId element, AcGePoint3d& root0, AcGePoint3d& root1,
                       bool useLengthPoints);

// The route group of the element: the first group of the drawing's group dictionary
// (in dictionary order) that holds it; null when none does. routeKind is not used for
// the choice: a route's elements share one group whatever their kind.
AcDbObjectId RuleComn_getGroupID(AcDbObjectId element, int routeKind);

// The elements of the element's route: the members of its route group, or, for an
// element in no group, the route elements (references with KZ_LINK) of the same space.
// Erased elements are left out. Returns the number appended.
int RuleComn_getRouteMembers(AcDbObjectId element, AcDbObjectIdArray& members);

// Elements of the element's route (as RuleComn_getRouteMembers gives them), other than
// the element itself:
// - the first form appends those with a connection point within kDeZezaConnectTolerance
//   of point;
// - the second appends those connected to the element.
// mode 1 stops at the first one found; routeKind not 0 leaves out elements of another
// route kind (kind 0 always counts). Results in group order. Returns the number appended.
int RuleComn_getGroupRootIDs(AcGePoint3d point, AcDbObjectId element, AcDbObjectIdArray& found,
                             int mode, int routeKind);
int RuleComn_getGroupRootIDs(AcDbObjectId element, AcDbObjectIdArray& found, int mode,
                             int routeKind);

// Erases the element(s) and tells the replace reactors (erase). Returns the number of
// objects erased.
int RuleComn_eraseAll(AcDbObjectId element);
int RuleComn_eraseAll(const AcDbObjectIdArray& elements);

// ---- replace reactors ----

// Registers the reactor (not owned; it must outlive its registration). Returns 0, 1
// when it was registered already, -1 for null.
int RuleComn_addReplaceReactor(CReplaceReactor* reactor);
// Returns 0, or 1 when it was not registered.
int RuleComn_removeReplaceReactor(CReplaceReactor* reactor);
// Called by the host add-in: every registered reactor, in registration order, is told.
// A reactor that fails is skipped; registering or removing reactors while being told
// affects the next notification only.
void RuleComn_notifyErased(AcDbObjectId element);
void RuleComn_notifyReplaced(AcDbObjectId oldElement, const AcDbObjectIdArray& newElements);
