// A curve's geometry in world coordinates as a chain of straight pieces and circular
// arcs. Every curve class describes itself this way once, and the shared code answers
// the curve questions (points and distances along it, nearest points, extents,
// intersections) from the chain.
#pragma once

#include "acdb.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gept3dar.h"

#include <vector>

class AcDbExtents;

namespace kz {

struct PathPiece {
    bool isArc = false;
    // Straight piece.
    AcGePoint3d start, end;
    // Arc: centre, radius and the plane's axes; the angle runs from startAngle by sweep
    // (negative: clockwise around normal). A full circle has a sweep of 2 pi.
    AcGePoint3d center;
    double radius = 0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d xAxis = AcGeVector3d::kXAxis;
    double startAngle = 0;
    double sweep = 0;
    // The curve parameter at the piece's start and end.
    double param0 = 0, param1 = 1;

    static PathPiece segment(const AcGePoint3d& a, const AcGePoint3d& b, double p0, double p1);
    static PathPiece arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                         const AcGeVector3d& xAxis, double startAngle, double sweep, double p0,
                         double p1);

    AcGeVector3d yAxis() const { return normal.crossProduct(xAxis); }
    AcGePoint3d pointAtAngle(double angle) const;
    // t runs from 0 at the piece's start to 1 at its end.
    AcGePoint3d pointAt(double t) const;
    AcGePoint3d startPoint() const { return pointAt(0); }
    AcGePoint3d endPoint() const { return pointAt(1); }
    double length() const;
    // An arc's fraction t at this angle: 0 to 1 on the arc, more beyond its end.
    double fractionAtAngle(double angle) const;
    // The fraction t of the point nearest to p, clamped to the piece.
    double closestT(const AcGePoint3d& p) const;
};

struct CurvePath {
    std::vector<PathPiece> pieces;
    // Extending a curve (AcDb::Intersect) prolongs its first and last pieces: a straight
    // one beyond its end, an arc to its whole circle.
    bool extendable = true;

    bool empty() const { return pieces.empty(); }
    double length() const;
    void addToExtents(AcDbExtents& ext) const;
    // The point at a curve parameter; false outside the curve's range.
    bool pointAtParam(double param, AcGePoint3d& p) const;
    // The nearest point of the curve, its parameter and distance from the start. With
    // extend, straight end pieces of an extendable path count as prolonged.
    void closest(const AcGePoint3d& p, bool extend, AcGePoint3d& onCurve, double& param,
                 double& dist) const;
};

// Bulge of a polyline segment: tan(included angle / 4), positive counter-clockwise
// around normal. Appends a straight piece for a zero bulge, an arc otherwise.
void appendBulgeSegment(CurvePath& path, const AcGePoint3d& a, const AcGePoint3d& b, double bulge,
                        const AcGeVector3d& normal, double p0, double p1);

// The points where two paths meet, each extended or not as the mode asks, without
// repeats. Pieces in different planes meet only where a straight piece pierces an arc's
// plane on the arc; coincident pieces give no points.
void intersectPaths(const CurvePath& a, const CurvePath& b, AcDb::Intersect mode,
                    AcGePoint3dArray& points);

} // namespace kz
