#include "dbents.h"

#include "db/ents/ent_dxf.h"
#include "dbextents.h"

// ---- 2D vertices ----

AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth,
                           double endWidth, double tangent)
    : m_position(position), m_bulge(bulge), m_startWidth(startWidth), m_endWidth(endWidth),
      m_tangent(tangent) {
    if (tangent != 0)
        m_flags |= 2;
}

AcDb::Vertex2dType AcDb2dVertex::vertexType() const {
    assertReadEnabled();
    if (m_flags & 16)
        return AcDb::k2dSplineCtlVertex;
    if (m_flags & 8)
        return AcDb::k2dSplineFitVertex;
    if (m_flags & 1)
        return AcDb::k2dCurveFitVertex;
    return AcDb::k2dVertex;
}

AcGePoint3d AcDb2dVertex::position() const {
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

double AcDb2dVertex::bulge() const {
    assertReadEnabled();
    return m_bulge;
}

Acad::ErrorStatus AcDb2dVertex::setBulge(double bulge) {
    assertWriteEnabled();
    m_bulge = bulge;
    return Acad::eOk;
}

double AcDb2dVertex::startWidth() const {
    assertReadEnabled();
    return m_startWidth;
}

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_startWidth = width;
    return Acad::eOk;
}

double AcDb2dVertex::endWidth() const {
    assertReadEnabled();
    return m_endWidth;
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_endWidth = width;
    return Acad::eOk;
}

bool AcDb2dVertex::isTangentUsed() const {
    assertReadEnabled();
    return (m_flags & 2) != 0;
}

double AcDb2dVertex::tangent() const {
    assertReadEnabled();
    return m_tangent;
}

Acad::ErrorStatus AcDb2dVertex::setTangent(double tangent) {
    assertWriteEnabled();
    m_tangent = tangent;
    m_flags |= 2;
    return Acad::eOk;
}

void AcDb2dVertex::kzScaleWidths(double factor) {
    m_startWidth *= factor;
    m_endWidth *= factor;
}

Acad::ErrorStatus AcDb2dVertex::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_position.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* filer) {
    AcDbVertex::dxfInFields(filer);
    // The vertex subclass itself holds nothing; files without markers put everything
    // in one pool, read below.
    if (filer->atSubclassData("AcDbVertex"))
        while (filer->nextItem())
            filer->keepItem();
    if (!filer->atSubclassData("AcDb2dVertex"))
        return Acad::eOk;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, m_position))
            continue;
        switch (filer->code()) {
        case 40:
            m_startWidth = filer->asDouble();
            break;
        case 41:
            m_endWidth = filer->asDouble();
            break;
        case 42:
            m_bulge = filer->asDouble();
            break;
        case 50:
            m_tangent = kz::toRadians(filer->asDouble());
            break;
        case 70:
            m_flags = filer->asInt();
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbVertex::dxfOutFields(filer);
    filer->writeSubclass("AcDbVertex");
    filer->writeSubclass("AcDb2dVertex");
    filer->writePoint3d(10, m_position);
    if (m_startWidth != 0)
        filer->writeDouble(40, m_startWidth);
    if (m_endWidth != 0)
        filer->writeDouble(41, m_endWidth);
    if (m_bulge != 0)
        filer->writeDouble(42, m_bulge);
    filer->writeInt16(70, m_flags);
    if (m_flags & 2)
        filer->writeDouble(50, kz::toDegrees(m_tangent));
    return Acad::eOk;
}

// ---- 3D vertices ----

AcDb3dPolylineVertex::AcDb3dPolylineVertex(const AcGePoint3d& position) : m_position(position) {}

AcDb::Vertex3dType AcDb3dPolylineVertex::vertexType() const {
    assertReadEnabled();
    if (m_flags & 16)
        return AcDb::k3dControlVertex;
    if (m_flags & 8)
        return AcDb::k3dFitVertex;
    return AcDb::k3dSimpleVertex;
}

AcGePoint3d AcDb3dPolylineVertex::position() const {
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_position.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfInFields(AcDbDxfFiler* filer) {
    AcDbVertex::dxfInFields(filer);
    if (filer->atSubclassData("AcDbVertex"))
        while (filer->nextItem())
            filer->keepItem();
    if (!filer->atSubclassData("AcDb3dPolylineVertex"))
        return Acad::eOk;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, m_position))
            continue;
        if (filer->code() == 70)
            m_flags = filer->asInt() | 32;
        else
            filer->keepItem();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbVertex::dxfOutFields(filer);
    filer->writeSubclass("AcDbVertex");
    filer->writeSubclass("AcDb3dPolylineVertex");
    filer->writePoint3d(10, m_position);
    filer->writeInt16(70, m_flags);
    return Acad::eOk;
}
