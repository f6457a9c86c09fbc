#include "dbents.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"

#include <cmath>

ACRX_DXF_DEFINE_MEMBERS(AcDbArc, AcDbCurve, "ARC")

AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : m_center(center), m_radius(radius), m_startAngle(startAngle), m_endAngle(endAngle) {}

AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                 double startAngle, double endAngle)
    : m_center(center), m_radius(radius), m_startAngle(startAngle), m_endAngle(endAngle),
      m_normal(kz::cleanNormal(normal)) {}

AcGePoint3d AcDbArc::center() const {
    assertReadEnabled();
    return m_center;
}

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center) {
    assertWriteEnabled();
    m_center = center;
    return Acad::eOk;
}

double AcDbArc::radius() const {
    assertReadEnabled();
    return m_radius;
}

Acad::ErrorStatus AcDbArc::setRadius(double radius) {
    if (!(radius > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_radius = radius;
    return Acad::eOk;
}

double AcDbArc::startAngle() const {
    assertReadEnabled();
    return m_startAngle;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double angle) {
    assertWriteEnabled();
    m_startAngle = angle;
    return Acad::eOk;
}

double AcDbArc::endAngle() const {
    assertReadEnabled();
    return m_endAngle;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double angle) {
    assertWriteEnabled();
    m_endAngle = angle;
    return Acad::eOk;
}

AcGeVector3d AcDbArc::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbArc::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbArc::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

void AcDbArc::kzGetPath(kz::CurvePath& path) const {
    // Counter-clockwise from start to end; equal angles make a whole turn.
    double sweep = kz::normalizeAngle(m_endAngle - m_startAngle);
    if (sweep == 0)
        sweep = 2 * kz::kPi;
    path.pieces.push_back(kz::PathPiece::arc(m_center, m_radius, m_normal, kz::ocsXAxis(m_normal),
                                             m_startAngle, sweep, m_startAngle,
                                             m_startAngle + sweep));
}

Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    assertWriteEnabled();
    kz::CurvePath path;
    kzGetPath(path);
    AcGePoint3d start = xform * path.pieces.front().startPoint();
    AcGePoint3d end = xform * path.pieces.front().endPoint();
    m_center.transformBy(xform);
    m_radius *= xform.scale();
    // The new normal comes from the images of the plane's axes, so the arc still runs
    // counter-clockwise around it; the angles follow from the moved end points.
    m_normal = kz::transformNormal(xform, m_normal);
    m_startAngle = kz::angleInPlane(start - m_center, m_normal);
    m_endAngle = kz::angleInPlane(end - m_center, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    // The centre, radius, thickness and normal are the circle's subclass, the angles
    // the arc's; files without subclass markers give both loops the one pool of tags.
    AcGePoint3d center; // in the arc's plane
    auto take = [&]() {
        if (kz::readPoint(filer, 10, center) || kz::readVector(filer, 210, m_normal))
            return;
        switch (filer->code()) {
        case 39:
            m_thickness = filer->asDouble();
            break;
        case 40:
            m_radius = filer->asDouble();
            break;
        case 50:
            m_startAngle = kz::toRadians(filer->asDouble());
            break;
        case 51:
            m_endAngle = kz::toRadians(filer->asDouble());
            break;
        default:
            filer->keepItem();
        }
    };
    for (const char* subclass : {"AcDbCircle", "AcDbArc"})
        if (filer->atSubclassData(subclass))
            while (filer->nextItem())
                take();
    m_normal = kz::cleanNormal(m_normal);
    m_center = kz::ocsToWorld(center, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDbCircle");
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    filer->writePoint3d(10, kz::worldToOcs(m_center, m_normal));
    filer->writeDouble(40, m_radius);
    kz::writeNormal(filer, m_normal);
    filer->writeSubclass("AcDbArc");
    filer->writeDouble(50, kz::toDegrees(m_startAngle));
    filer->writeDouble(51, kz::toDegrees(m_endAngle));
    return Acad::eOk;
}
