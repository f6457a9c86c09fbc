#include "geline3d.h"
#include "gelnsg3d.h"

const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis);
const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis);
const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis);

double AcGeLinearEnt3d::paramOf(const AcGePoint3d& point) const {
    const double len2 = mVector.lengthSqrd();
    if (len2 == 0.0)
        return 0.0;
    return (point - mOrigin).dotProduct(mVector) / len2;
}

AcGePoint3d AcGeLinearEnt3d::closestPointTo(const AcGePoint3d& point, const AcGeTol&) const {
    double t = paramOf(point);
    if (mBounded)
        t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    return mOrigin + mVector * t;
}

bool AcGeLinearEnt3d::isOn(const AcGePoint3d& point, const AcGeTol& tol) const {
    return closestPointTo(point, tol).distanceTo(point) <= tol.equalPoint();
}

bool AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const {
    return mVector.isParallelTo(other.mVector, tol);
}

bool AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const {
    return mVector.isPerpendicularTo(other.mVector, tol);
}

bool AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const {
    if (!isParallelTo(other, tol))
        return false;
    const AcGePoint3d foot = mOrigin + mVector * paramOf(other.mOrigin);
    return foot.distanceTo(other.mOrigin) <= tol.equalPoint();
}

bool AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& other, AcGePoint3d& intPt,
                                    const AcGeTol& tol) const {
    if (mVector.isZeroLength(tol) || other.mVector.isZeroLength(tol) || isParallelTo(other, tol))
        return false;
    // Closest points of the two infinite lines: o1 + s d1 and o2 + t d2.
    const AcGeVector3d& d1 = mVector;
    const AcGeVector3d& d2 = other.mVector;
    const AcGeVector3d w = mOrigin - other.mOrigin;
    const double a = d1.dotProduct(d1), b = d1.dotProduct(d2), c = d2.dotProduct(d2);
    const double d = d1.dotProduct(w), e = d2.dotProduct(w);
    const double denom = a * c - b * b;
    if (denom == 0.0)
        return false;
    const AcGePoint3d p1 = mOrigin + d1 * ((b * e - c * d) / denom);
    const AcGePoint3d p2 = other.mOrigin + d2 * ((a * e - b * d) / denom);
    if (p1.distanceTo(p2) > tol.equalPoint())
        return false; // skew lines
    if ((mBounded && !isOn(p1, tol)) || (other.mBounded && !other.isOn(p2, tol)))
        return false;
    intPt = p1;
    return true;
}
