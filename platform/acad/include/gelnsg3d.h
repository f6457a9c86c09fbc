// AcGeLineSeg3d: a bounded straight segment from a start point to an end point.
#pragma once

#include "gelent3d.h"

class AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    AcGeLineSeg3d() : AcGeLinearEnt3d(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, true) {}
    AcGeLineSeg3d(const AcGePoint3d& start, const AcGePoint3d& end)
        : AcGeLinearEnt3d(start, end - start, true) {}
    AcGeLineSeg3d(const AcGePoint3d& start, const AcGeVector3d& vector)
        : AcGeLinearEnt3d(start, vector, true) {}

    AcGeLineSeg3d& set(const AcGePoint3d& start, const AcGePoint3d& end) {
        mOrigin = start;
        mVector = end - start;
        return *this;
    }
    AcGeLineSeg3d& set(const AcGePoint3d& start, const AcGeVector3d& vector) {
        mOrigin = start;
        mVector = vector;
        return *this;
    }

    AcGePoint3d startPoint() const { return mOrigin; }
    AcGePoint3d endPoint() const { return mOrigin + mVector; }
    AcGePoint3d midPoint() const { return mOrigin + mVector * 0.5; }
    double length() const { return mVector.length(); }
};
