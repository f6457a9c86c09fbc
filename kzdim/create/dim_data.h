// The job record of a command that runs the placement drag or edits the settings: the
// picked route segments, the placement options, the side of the route, the settings
// and what the drag loop needs. It lives on the command's stack for one run.
#pragma once

#include "frame/platform.h"
#include "settings/dim_settings.h"

#include <memory>
#include <vector>

class RouteEdgeIndex;

// One picked route segment.
struct DimSegment {
    // Where it came from: -2 a picked point, -1 a plain line, otherwise the link code
    // of the route element.
    int code = 0;
    // Route element kind, 100 for a rectangular duct.
    int kind = 0;
    // Copy of the job's side, written by the builder before sorting.
    int sideMode = 0;
    // Width of a rectangular duct.
    double width = 0.0;
    // Route points: two for straight elements, lines and ducts, one for fittings and
    // picked points.
    AcGePoint3dArray points{0, 8};
    AcDbObjectId elementId;
};

// The dimension variables a placement sets on a candidate, as it last set them.
struct PlacedStyle {
    double textHeight = 0.0, textGap = 0.0, arrowSize = 0.0, extLineOffset = 0.0;
    int dimLineColor = 0, extLineColor = 0, textColor = 0;

    bool operator==(const PlacedStyle&) const = default;
};

// A candidate the drag holds, the two points its placement tag holds and, once it was
// placed, the variables the placement gave it.
struct CandidatePoints {
    const AcDbEntity* entity = nullptr;
    AcGePoint3d p1, p2;
    bool placed = false;
    PlacedStyle style;
};

// The pair of a dimension's text entity and the dimension, for the text move.
struct TextPair {
    AcDbObjectId textId;
    AcDbObjectId dimensionId;
};

class CDimData {
public:
    CDimData();
    virtual ~CDimData();
    CDimData(const CDimData&) = delete;
    CDimData& operator=(const CDimData&) = delete;

    // Allocates segmentCount entries, each with an empty point array and a null id.
    void AllocateSegments(int count);
    // Allocates textPairCount pairs of null ids.
    void AllocateTextPairs(int count);

    AcGePoint3d xoPoint;
    Adesk::UInt8 xoFlags = 0;
    AcGePoint3d koPoint1;
    AcGePoint3d koPoint2;
    Adesk::UInt8 koFlags = 0;
    AcGePoint3d joPoint;
    Adesk::UInt8 joFlags = 0;
    int sideMode = 0; // 1 left, 2 above, 3 right, 4 below
    int segmentCount = 0;
    DimSegment* segments = nullptr;
    AcDbExtents extents;
    double fixedAngle = 0.0; // degrees; 0: horizontal or vertical by side
    DimSettings settings{};
    int directionSign = 0;
    Adesk::UInt8 textMoveMode = 0; // 0 lock, 1 free
    int textPairCount = 0;
    TextPair* textPairs = nullptr;
    LOGFONTW dragFont{};
    // Constructed with 0 by the command that runs a drag and destroyed by it; never by
    // this record.
    CDrag* drag = nullptr;
    wchar_t promptText[260] = {};
    // The route's edges for trimming extension lines during the drag; made at the first
    // cursor move and again whenever the segments no longer match it.
    std::unique_ptr<RouteEdgeIndex> edgeIndex;
    // The candidates in the drag's order with their tags' points, written by the builder
    // as it appends them, so that the cursor moves do not read every tag again. Used
    // only while it lists exactly the drag's entities.
    std::vector<CandidatePoints> candidates;
};
