// The search for the straight route element nearest to a start element, through the
// connections among the other members of the edited segment's route group.
#pragma once

#include "frame/platform.h"

// True with found set when a straight element (kind 1) can be reached from start.
bool FindBaseCandidate(AcDbObjectId start, AcDbObjectId segment, AcDbObjectId group, int routeKind,
                       AcDbObjectId& found);

// Drops from connected the entries whose levels do not fit the start element's.
void LevelFilter(AcDbObjectId start, AcDbObjectIdArray& connected);
