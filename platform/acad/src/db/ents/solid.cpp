#include "dbents.h"

#include "db/ents/ent_dxf.h"
#include "dbextents.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbSolid, AcDbEntity, "SOLID")

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2,
                     const AcGePoint3d& pt3)
    : m_points{pt0, pt1, pt2, pt3} {}

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2)
    : m_points{pt0, pt1, pt2, pt2} {}

Acad::ErrorStatus AcDbSolid::getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const {
    assertReadEnabled();
    if (index > 3)
        return Acad::eInvalidIndex;
    point = m_points[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setPointAt(Adesk::UInt16 index, const AcGePoint3d& point) {
    if (index > 3)
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_points[index] = point;
    return Acad::eOk;
}

double AcDbSolid::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbSolid::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbSolid::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbSolid::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents = AcDbExtents();
    for (auto& p : m_points)
        extents.addPoint(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    for (auto& p : m_points)
        p.transformBy(xform);
    m_normal = kz::transformNormal(xform, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbTrace"))
        return Acad::eOk;
    AcGePoint3d ocs[4]; // corners in the solid's plane
    bool hasFourth = false;
    while (filer->nextItem()) {
        if (kz::readVector(filer, 210, m_normal))
            continue;
        int code = filer->code();
        if (code >= 10 && code <= 33 && code % 10 <= 3) {
            kz::readPoint(filer, 10 + code % 10, ocs[code % 10]);
            hasFourth = hasFourth || code % 10 == 3;
        } else if (code == 39) {
            m_thickness = filer->asDouble();
        } else {
            filer->keepItem();
        }
    }
    if (!hasFourth)
        ocs[3] = ocs[2]; // a triangle
    m_normal = kz::cleanNormal(m_normal);
    for (int i = 0; i < 4; ++i)
        m_points[i] = kz::ocsToWorld(ocs[i], m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbTrace");
    for (int i = 0; i < 4; ++i)
        filer->writePoint3d(10 + i, kz::worldToOcs(m_points[i], m_normal));
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
