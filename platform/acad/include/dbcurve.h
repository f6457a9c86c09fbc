// AcDbCurve: what lines, arcs, circles and polylines share. Parameters run along the
// curve as each class defines them (a line: the distance from its start; an arc or a
// circle: the angle; a polyline: the vertex index, fractions between vertices).
#pragma once

#include "dbmain.h"

namespace kz {
struct CurvePath;
} // namespace kz

class AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);

    virtual bool isClosed() const { return false; }
    virtual bool isPeriodic() const { return false; }

    virtual Acad::ErrorStatus getStartParam(double& param) const;
    virtual Acad::ErrorStatus getEndParam(double& param) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;
    // eInvalidInput for a parameter outside the curve's range.
    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const;
    // eInvalidInput for a point that is not on the curve.
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const;
    // The point of the curve nearest to givenPoint; with extend, a line or the end
    // segments of an open polyline count as prolonged.
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint,
                                                AcGePoint3d& pointOnCurve,
                                                bool extend = false) const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    // Intersections with another curve (lines, arcs, circles, polylines). An extended
    // line is infinite, an extended arc its whole circle; parallel or overlapping lines
    // meet nowhere (eOk and no points). Other entities: eNotImplementedYet.
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;

    // Host internals: the curve's geometry in world coordinates.
    virtual void kzGetPath(kz::CurvePath& path) const;
};
