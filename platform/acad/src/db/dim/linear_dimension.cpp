#include "dbdim.h"

#include "db/dim_graphics.h"

#include <cmath>

ACRX_DEFINE_MEMBERS_EX(AcDbAlignedDimension, AcDbDimension, "",
                       []() -> AcRxObject* { return new AcDbAlignedDimension(); })
ACRX_DEFINE_MEMBERS_EX(AcDbRotatedDimension, AcDbDimension, "",
                       []() -> AcRxObject* { return new AcDbRotatedDimension(); })

namespace {

bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The extension-line points of both linear kinds: the AcDbAlignedDimension subclass
// with 13 and 14 (and 50, the rotation, for rotated dimensions).
void readPoints(AcDbDxfFiler* filer, AcGePoint3d& x1, AcGePoint3d& x2, double* rotation,
                double* oblique) {
    if (!filer->atSubclassData("AcDbAlignedDimension"))
        return;
    while (filer->nextItem()) {
        int code = filer->code();
        switch (code) {
        case 13:
        case 23:
        case 33:
            x1[static_cast<unsigned>((code - 13) / 10)] = filer->asDouble();
            break;
        case 14:
        case 24:
        case 34:
            x2[static_cast<unsigned>((code - 14) / 10)] = filer->asDouble();
            break;
        case 50:
            if (rotation)
                *rotation = filer->asDouble() * 3.14159265358979323846 / 180.0;
            else
                filer->keepItem();
            break;
        case 52: {
            // Some writers put the oblique angle here rather than with AcDbDimension.
            double deg = std::fmod(filer->asDouble(), 180.0);
            *oblique = std::fabs(std::fabs(deg) - 90.0) < 1e-9
                           ? 0.0
                           : deg * 3.14159265358979323846 / 180.0;
            break;
        }
        default:
            filer->keepItem();
        }
    }
}

// A subclass without fields of its own: anything in it is kept.
void keepSubclass(AcDbDxfFiler* filer, const char* name) {
    if (filer->atSubclassData(name))
        while (filer->nextItem())
            filer->keepItem();
}

} // namespace

// ---- aligned ----

AcDbAlignedDimension::AcDbAlignedDimension() = default;

AcDbAlignedDimension::AcDbAlignedDimension(const AcGePoint3d& xLine1Point,
                                           const AcGePoint3d& xLine2Point,
                                           const AcGePoint3d& dimLinePoint, const ACHAR* dimText,
                                           AcDbObjectId dimStyle)
    : m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_dimLine(dimLinePoint) {
    if (dimText)
        setDimensionText(dimText);
    if (!dimStyle.isNull())
        setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbAlignedDimension::setXLine1Point(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_xLine1 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setXLine2Point(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_xLine2 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setDimLinePoint(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_dimLine = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::setOblique(double angle) {
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_oblique = angle;
    return Acad::eOk;
}

bool AcDbAlignedDimension::kzLinearDefinition(kz::dim::LinearDefinition& def) const {
    def.xLine1 = m_xLine1;
    def.xLine2 = m_xLine2;
    def.dimLine = m_dimLine;
    def.oblique = m_oblique;
    AcGeVector3d d = m_xLine2 - m_xLine1;
    d.z = 0;
    def.measurement = (m_xLine2 - m_xLine1).length();
    def.direction = d.isZeroLength() ? AcGeVector3d(1, 0, 0) : d.normal();
    return true;
}

void AcDbAlignedDimension::kzTransformPoints(const AcGeMatrix3d& xform) {
    m_xLine1.transformBy(xform);
    m_xLine2.transformBy(xform);
    m_dimLine.transformBy(xform);
}

Acad::ErrorStatus AcDbAlignedDimension::dxfInFields(AcDbDxfFiler* filer) {
    AcDbDimension::dxfInFields(filer);
    readPoints(filer, m_xLine1, m_xLine2, nullptr, &m_oblique);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAlignedDimension::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbDimension::dxfOutFields(filer);
    filer->writeSubclass("AcDbAlignedDimension");
    filer->writePoint3d(13, m_xLine1);
    filer->writePoint3d(14, m_xLine2);
    return Acad::eOk;
}

// ---- rotated ----

AcDbRotatedDimension::AcDbRotatedDimension() = default;

AcDbRotatedDimension::AcDbRotatedDimension(double rotation, const AcGePoint3d& xLine1Point,
                                           const AcGePoint3d& xLine2Point,
                                           const AcGePoint3d& dimLinePoint, const ACHAR* dimText,
                                           AcDbObjectId dimStyle)
    : m_xLine1(xLine1Point), m_xLine2(xLine2Point), m_dimLine(dimLinePoint), m_rotation(rotation) {
    if (dimText)
        setDimensionText(dimText);
    if (!dimStyle.isNull())
        setDimensionStyle(dimStyle);
}

Acad::ErrorStatus AcDbRotatedDimension::setXLine1Point(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_xLine1 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setXLine2Point(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_xLine2 = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setDimLinePoint(const AcGePoint3d& point) {
    if (!finite(point))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_dimLine = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setOblique(double angle) {
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_oblique = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::setRotation(double angle) {
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_rotation = angle;
    return Acad::eOk;
}

bool AcDbRotatedDimension::kzLinearDefinition(kz::dim::LinearDefinition& def) const {
    def.xLine1 = m_xLine1;
    def.xLine2 = m_xLine2;
    def.dimLine = m_dimLine;
    def.oblique = m_oblique;
    def.direction = AcGeVector3d(std::cos(m_rotation), std::sin(m_rotation), 0);
    def.measurement = std::fabs((m_xLine2 - m_xLine1).dotProduct(def.direction));
    return true;
}

void AcDbRotatedDimension::kzTransformPoints(const AcGeMatrix3d& xform) {
    AcGeVector3d u(std::cos(m_rotation), std::sin(m_rotation), 0);
    u.transformBy(xform);
    if (!AcGeVector3d(u.x, u.y, 0).isZeroLength())
        m_rotation = std::atan2(u.y, u.x);
    m_xLine1.transformBy(xform);
    m_xLine2.transformBy(xform);
    m_dimLine.transformBy(xform);
}

Acad::ErrorStatus AcDbRotatedDimension::dxfInFields(AcDbDxfFiler* filer) {
    AcDbDimension::dxfInFields(filer);
    readPoints(filer, m_xLine1, m_xLine2, &m_rotation, &m_oblique);
    keepSubclass(filer, "AcDbRotatedDimension");
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRotatedDimension::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbDimension::dxfOutFields(filer);
    filer->writeSubclass("AcDbAlignedDimension");
    filer->writePoint3d(13, m_xLine1);
    filer->writePoint3d(14, m_xLine2);
    filer->writeDouble(50, m_rotation * 180.0 / 3.14159265358979323846);
    filer->writeSubclass("AcDbRotatedDimension");
    return Acad::eOk;
}
