// The drag callbacks of KZ_DIM_MAKE: at each cursor move the side of the route is
// found, the candidates are rebuilt when it changed, hidden when they measure nothing
// and placed; when the point is picked the shown candidates are committed and linked.
#pragma once

#include "frame/platform.h"

class CDimData;
struct DimSegment;

int PlacementSampleCallback(dragdata* data);
int PlacementEndCallback(dragdata* data);

// Which side of the extents box the point lies on: 1 left, 2 above, 3 right, 4 below;
// 0 when it is inside the box or beyond a corner.
int FindRouteSide(const AcDbExtents& extents, const AcGePoint3d& point);
// 2 when c lies left of the line from x1 to x2, 1 when right, 0 when exactly across.
int CursorSideOfLine(const AcGePoint3d& x1, const AcGePoint3d& x2, const AcGePoint3d& c);
// An angle in radians as degrees rounded to two decimals.
double RoundedDegrees(double radians);
// -1 not parallel; 1 s2 lies on s1; 2 only s2's start on s1; 3 only its end; 4 s1 lies
// on s2; 0 otherwise. same: the two run the same way.
int ClassifyOverlap(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                    const AcGePoint3d& p3, bool& same);
// Keeps an extension line from running along route geometry: moves its origin o
// toward its foot f on the dimension line. Walks every segment; RouteEdgeIndex
// (route_edge_index.h) gives the same result without the walk.
void TrimExtensionOrigin(const CDimData& job, AcGePoint3d& origin, const AcGePoint3d& foot);

// One straight piece of route geometry an extension line must not run along: a plain
// line or straight element itself, or one of the two long sides of a duct.
struct RouteEdge {
    AcGePoint3d start, end;
    bool ductEdge = false;
};
// The edges of a segment in walk order (a duct's first side, then its second); 0 for
// segments of one point and for kinds that are not walked.
int SegmentEdges(const DimSegment& seg, RouteEdge (&edges)[2]);
// One step of the walk: true when the edge stops it, with the origin moved.
bool TrimAlongEdge(const RouteEdge& edge, AcGePoint3d& origin, const AcGePoint3d& foot);
