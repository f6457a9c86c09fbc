// AcGeLinearEnt3d: what infinite lines and bounded segments share. A segment's tests
// (isOn, intersectWith, closestPointTo) respect its end points; a line's do not.
#pragma once

#include "gepnt3d.h"

class AcGeLinearEnt3d {
public:
    // Unbounded entities yield the point they were built through; segments their start.
    AcGePoint3d pointOnLine() const { return mOrigin; }
    // The unit direction; the zero vector for a degenerate entity (two equal points).
    AcGeVector3d direction() const {
        const double len = mVector.length();
        return len > 0.0 ? mVector / len : AcGeVector3d::kIdentity;
    }

    // On the entity: within tol.equalPoint() of it (of the bounded part for a segment).
    bool isOn(const AcGePoint3d& point, const AcGeTol& tol = AcGeContext::gTol) const;
    // Parallel directions (either way). A degenerate entity is parallel to nothing.
    bool isParallelTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeLinearEnt3d& other,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    // Parallel and on one infinite line.
    bool isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    // The single point where the two meet (within both bounded parts for segments).
    // Parallel or overlapping entities, and skew lines, yield false.
    bool intersectWith(const AcGeLinearEnt3d& other, AcGePoint3d& intPt,
                       const AcGeTol& tol = AcGeContext::gTol) const;
    // The point of the entity nearest to point (a segment's end when beyond it).
    AcGePoint3d closestPointTo(const AcGePoint3d& point,
                               const AcGeTol& tol = AcGeContext::gTol) const;
    double distanceTo(const AcGePoint3d& point, const AcGeTol& tol = AcGeContext::gTol) const {
        return closestPointTo(point, tol).distanceTo(point);
    }

    bool isBounded() const { return mBounded; }

protected:
    AcGeLinearEnt3d(const AcGePoint3d& origin, const AcGeVector3d& vector, bool bounded)
        : mOrigin(origin), mVector(vector), mBounded(bounded) {}

    // Parameter of the foot of point along mVector (0 at mOrigin, 1 at mOrigin + mVector).
    double paramOf(const AcGePoint3d& point) const;

    AcGePoint3d mOrigin;
    AcGeVector3d mVector; // for a segment: from start to end
    bool mBounded;
};
