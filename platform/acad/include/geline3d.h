// AcGeLine3d: an infinite straight line.
#pragma once

#include "gelent3d.h"

class AcGeLine3d : public AcGeLinearEnt3d {
public:
    AcGeLine3d() : AcGeLinearEnt3d(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, false) {}
    AcGeLine3d(const AcGePoint3d& point, const AcGeVector3d& vector)
        : AcGeLinearEnt3d(point, vector, false) {}
    AcGeLine3d(const AcGePoint3d& point1, const AcGePoint3d& point2)
        : AcGeLinearEnt3d(point1, point2 - point1, false) {}

    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    AcGeLine3d& set(const AcGePoint3d& point, const AcGeVector3d& vector) {
        mOrigin = point;
        mVector = vector;
        return *this;
    }
    AcGeLine3d& set(const AcGePoint3d& point1, const AcGePoint3d& point2) {
        return set(point1, point2 - point1);
    }
};
