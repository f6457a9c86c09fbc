// Intersections of infinite lines the way the commands make them: two temporary
// database lines intersected with both extended, deleted at once.
#pragma once

#include "frame/platform.h"

// The first intersection point of the line through a1, a2 and the line through b1, b2;
// false when they do not meet (parallel).
bool IntersectLines(const AcGePoint3d& a1, const AcGePoint3d& a2, const AcGePoint3d& b1,
                    const AcGePoint3d& b2, AcGePoint3d& point);

// The same answer as IntersectLines, to the bit, computed in place: no database lines
// are made. For the placement drag, which intersects two lines per extension line at
// every cursor move.
bool IntersectLinesDirect(const AcGePoint3d& a1, const AcGePoint3d& a2, const AcGePoint3d& b1,
                          const AcGePoint3d& b2, AcGePoint3d& point);
