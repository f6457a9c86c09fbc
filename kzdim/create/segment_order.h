// Putting the picked segments in chain order along the chosen side of the route, and
// turning each so that its first point comes first along the chain.
#pragma once

class CDimData;

// qsort comparator over DimSegment entries; may turn either segment.
int CompareSegments(const void* a, const void* b);

// Puts the job's segments in chain order: the same order and the same turned segments
// as qsort over the segments with CompareSegments, reading each straight element's root
// points from the drawing once.
void SortSegments(CDimData& job);

// Run after sorting: every segment after the first starts at the end nearest to where
// the previous one ends; the first segment and ducts running across the chain get a
// fixed direction.
void OrientSegments(CDimData& job);
