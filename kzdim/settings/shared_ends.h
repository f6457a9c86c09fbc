// The pieces of the shared-end rule: what a new dimension reads of each dimension placed
// before it, and the two tests that decide which of its ends it shares with that one.
// SuppressSharedEnds (dim_rules.h) walks every earlier dimension with them;
// SuppressSharedEndsInOrder gives the same result for a whole list at once.
#pragma once

#include "frame/platform.h"

class CDimData;
class CDrag;

// An earlier dimension as the rule sees it.
struct SharedEndTarget {
    // False when it runs across the new dimensions and is never compared.
    bool compared = false;
    // The far ends of its two extension lines.
    AcGePoint3d f1, f2;
    // The directions of its two extension lines in whole degrees, folded into 0-179.
    int a1 = 0, a2 = 0;
};

// A direction in whole degrees, folded into 0-179.
int FoldedAngle(const AcGePoint3d& from, const AcGePoint3d& to);
// The direction the extension lines of the job's dimensions run in.
AcGeVector3d ExtensionDirection(const CDimData& job);
SharedEndTarget SharedEndTargetOf(const CDimData& job, const AcGeVector3d& u,
                                  const AcDbRotatedDimension& other);
// Whether a new dimension with first extension origin p1 shares its first end with the
// target.
bool SharesFirstEnd(const SharedEndTarget& t, const AcGePoint3d& p1);
// Whether one with second origin p2 lies on one of the target's extension lines; only
// used when the first end is not shared.
bool SharesSecondEnd(const SharedEndTarget& t, const AcGePoint3d& p2);

// For every rotated dimension of the drag, in order, the shared ends it has with the
// rotated dimensions before it are suppressed, as SuppressSharedEnds would suppress
// them if the dimension were appended to the drag right after that call.
void SuppressSharedEndsInOrder(const CDimData& job, CDrag& drag);
