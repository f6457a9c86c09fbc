#include "dbents.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbLine, AcDbCurve, "LINE")

AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

AcGePoint3d AcDbLine::startPoint() const {
    assertReadEnabled();
    return m_start;
}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    m_start = point;
    return Acad::eOk;
}

AcGePoint3d AcDbLine::endPoint() const {
    assertReadEnabled();
    return m_end;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    m_end = point;
    return Acad::eOk;
}

double AcDbLine::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbLine::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbLine::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

void AcDbLine::kzGetPath(kz::CurvePath& path) const {
    path.pieces.push_back(kz::PathPiece::segment(m_start, m_end, 0, m_start.distanceTo(m_end)));
}

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_start.transformBy(xform);
    m_end.transformBy(xform);
    m_normal = kz::transformNormal(xform, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbLine"))
        return Acad::eOk;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, m_start) || kz::readPoint(filer, 11, m_end) ||
            kz::readVector(filer, 210, m_normal))
            continue;
        if (filer->code() == 39)
            m_thickness = filer->asDouble();
        else
            filer->keepItem();
    }
    m_normal = kz::cleanNormal(m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDbLine");
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    filer->writePoint3d(10, m_start);
    filer->writePoint3d(11, m_end);
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
