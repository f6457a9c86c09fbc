#include "dbents.h"

#include "db/ents/ent_dxf.h"
#include "dbextents.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbPoint, AcDbEntity, "POINT")

AcDbPoint::AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

AcGePoint3d AcDbPoint::position() const {
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

double AcDbPoint::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbPoint::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbPoint::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbPoint::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbPoint::ecsRotation() const {
    assertReadEnabled();
    return m_ecsRotation;
}

Acad::ErrorStatus AcDbPoint::setEcsRotation(double rotation) {
    assertWriteEnabled();
    m_ecsRotation = rotation;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_position.transformBy(xform);
    m_normal = kz::transformNormal(xform, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbPoint"))
        return Acad::eOk;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, m_position) || kz::readVector(filer, 210, m_normal))
            continue;
        switch (filer->code()) {
        case 39:
            m_thickness = filer->asDouble();
            break;
        case 50:
            m_ecsRotation = kz::toRadians(filer->asDouble());
            break;
        default:
            filer->keepItem();
        }
    }
    m_normal = kz::cleanNormal(m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbPoint");
    filer->writePoint3d(10, m_position);
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    kz::writeNormal(filer, m_normal);
    if (m_ecsRotation != 0)
        filer->writeDouble(50, kz::toDegrees(m_ecsRotation));
    return Acad::eOk;
}
