// The builder of candidate dimensions: one per straight segment, one per gap between
// consecutive segments, and a chain over the corners of rectangular ducts. The
// candidates are new rotated dimensions held by the drag with their placement tags.
#pragma once

class CDimData;
class CDrag;

void BuildRouteDimensions(CDimData& job, CDrag& drag);
