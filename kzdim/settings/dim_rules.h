// The two rules the builder applies to each new route dimension: its layers and
// by-layer properties, and the suppression of an end it shares with an earlier
// dimension of the same chain.
#pragma once

#include "frame/platform.h"

class CDimData;
class CDrag;

// Puts a rotated dimension on the dimension layer and its text (the first MText of
// its block) on the text layer, both with by-layer colour, linetype and lineweight.
void ApplyDimLayers(AcDbEntity* entity);

// Drops extension line and arrowhead at the end of the new dimension that lies on an
// extension line of a dimension already in the drag list.
void SuppressSharedEnds(const CDimData& job, AcDbEntity* entity, CDrag& drag);
