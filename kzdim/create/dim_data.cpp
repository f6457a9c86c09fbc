#include "create/dim_data.h"

#include "create/route_edge_index.h"

CDimData::CDimData() = default;

CDimData::~CDimData() {
    if (segmentCount != 0)
        delete[] segments;
    if (textPairCount != 0)
        delete[] textPairs;
}

void CDimData::AllocateSegments(int count) {
    if (segmentCount != 0)
        delete[] segments;
    segmentCount = count;
    segments = count > 0 ? new DimSegment[static_cast<std::size_t>(count)] : nullptr;
}

void CDimData::AllocateTextPairs(int count) {
    if (textPairCount != 0)
        delete[] textPairs;
    textPairCount = count;
    textPairs = count > 0 ? new TextPair[static_cast<std::size_t>(count)] : nullptr;
}
