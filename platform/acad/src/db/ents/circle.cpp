#include "dbents.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"

#include <cmath>

ACRX_DXF_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, "CIRCLE")

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : m_center(center), m_radius(radius), m_normal(kz::cleanNormal(normal)) {}

AcGePoint3d AcDbCircle::center() const {
    assertReadEnabled();
    return m_center;
}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center) {
    assertWriteEnabled();
    m_center = center;
    return Acad::eOk;
}

double AcDbCircle::radius() const {
    assertReadEnabled();
    return m_radius;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius) {
    if (!(radius > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_radius = radius;
    return Acad::eOk;
}

AcGeVector3d AcDbCircle::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbCircle::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbCircle::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

void AcDbCircle::kzGetPath(kz::CurvePath& path) const {
    path.extendable = false;
    path.pieces.push_back(kz::PathPiece::arc(m_center, m_radius, m_normal, kz::ocsXAxis(m_normal),
                                             0, 2 * kz::kPi, 0, 2 * kz::kPi));
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    assertWriteEnabled();
    m_center.transformBy(xform);
    m_radius *= xform.scale();
    m_normal = kz::transformNormal(xform, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbCircle"))
        return Acad::eOk;
    AcGePoint3d center; // in the circle's plane
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, center) || kz::readVector(filer, 210, m_normal))
            continue;
        switch (filer->code()) {
        case 39:
            m_thickness = filer->asDouble();
            break;
        case 40:
            m_radius = filer->asDouble();
            break;
        default:
            filer->keepItem();
        }
    }
    m_normal = kz::cleanNormal(m_normal);
    m_center = kz::ocsToWorld(center, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDbCircle");
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    filer->writePoint3d(10, kz::worldToOcs(m_center, m_normal));
    filer->writeDouble(40, m_radius);
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
