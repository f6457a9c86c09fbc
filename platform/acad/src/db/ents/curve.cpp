#include "dbcurve.h"

#include "db/ents/curve_path.h"
#include "dbextents.h"

#include <algorithm>
#include <cmath>

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbCurve, AcDbEntity)

namespace {

kz::CurvePath pathOf(const AcDbCurve* curve) {
    kz::CurvePath path;
    curve->kzGetPath(path);
    return path;
}

// Distances below this count as zero for a curve of this size.
double onCurveTolerance(const kz::CurvePath& path) {
    double size = 1;
    for (auto& piece : path.pieces)
        for (const AcGePoint3d& p : {piece.start, piece.end, piece.center})
            size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    return 1e-9 * size;
}

} // namespace

void AcDbCurve::kzGetPath(kz::CurvePath&) const {}

Acad::ErrorStatus AcDbCurve::getStartParam(double& param) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    param = path.pieces.front().param0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double& param) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    param = path.pieces.back().param1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    point = path.pieces.front().startPoint();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    point = path.pieces.back().endPoint();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    return pathOf(this).pointAtParam(param, point) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    AcGePoint3d on;
    double p = 0, d = 0;
    path.closest(point, false, on, p, d);
    if (on.distanceTo(point) > onCurveTolerance(path))
        return Acad::eInvalidInput;
    param = p;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    double before = 0;
    for (auto& piece : path.pieces) {
        double lo = std::min(piece.param0, piece.param1), hi = std::max(piece.param0, piece.param1);
        double slack = 1e-12 * std::max(1.0, std::fabs(hi));
        if (param >= lo - slack && param <= hi + slack) {
            double t = hi == lo ? 0 : (param - piece.param0) / (piece.param1 - piece.param0);
            dist = before + std::clamp(t, 0.0, 1.0) * piece.length();
            return Acad::eOk;
        }
        before += piece.length();
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    AcGePoint3d on;
    double p = 0, d = 0;
    path.closest(point, false, on, p, d);
    if (on.distanceTo(point) > onCurveTolerance(path))
        return Acad::eInvalidInput;
    dist = d;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPoint,
                                               AcGePoint3d& pointOnCurve, bool extend) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eNotApplicable;
    double p = 0, d = 0;
    path.closest(givenPoint, extend, pointOnCurve, p, d);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    kz::CurvePath path = pathOf(this);
    if (path.empty())
        return Acad::eInvalidExtents;
    extents = AcDbExtents();
    path.addToExtents(extents);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                           AcGePoint3dArray& points, Adesk::GsMarker,
                                           Adesk::GsMarker) const {
    assertReadEnabled();
    const AcDbCurve* curve = AcDbCurve::cast(other);
    if (!other)
        return Acad::eNullEntityPointer;
    if (!curve)
        return Acad::eNotImplementedYet;
    kz::intersectPaths(pathOf(this), pathOf(curve), type, points);
    return Acad::eOk;
}
