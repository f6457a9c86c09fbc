// Putting the picked segments in chain order along the chosen side of the route, and
// turning each so that its first point comes first along the chain.
#pragma once

class CDimData;

// qsort comparator over DimSegment entries; may turn either segment.
int CompareSegments(const void* a, const void* b);

// Run after sorting: every segment after the first starts at the end nearest to where
// the previous one ends; the first segment and ducts running across the chain get a
// fixed direction.
void OrientSegments(CDimData& job);
