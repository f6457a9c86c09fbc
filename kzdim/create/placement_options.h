// The keywords of the placement drag: LO clears a fixed angle, PO takes one from a
// picked line, TO opens the settings, JO aligns on a picked line, XO puts extension
// lines on a point, KO stacks on a reference line, 2R turns the gap rule.
#pragma once

#include "frame/platform.h"

int PlacementOptionCallback(dragdata* data);

// Picks a line segment, nested in block references or part of a polyline; null prompt:
// the default text. RTNORM with the two ends, RTCAN or RTKWORD.
int PickLineSegment(dragdata* data, AcGePoint3d* p1, AcGePoint3d* p2, const wchar_t* prompt);
