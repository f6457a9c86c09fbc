#include "dbpl.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"

#include <cmath>

ACRX_DXF_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, "LWPOLYLINE")

AcDbPolyline::AcDbPolyline(unsigned int numVerts) {
    m_vertices.reserve(numVerts);
}

unsigned int AcDbPolyline::numVerts() const {
    assertReadEnabled();
    return static_cast<unsigned int>(m_vertices.size());
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& point,
                                            double bulge, double startWidth, double endWidth) {
    if (index > m_vertices.size())
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    Vertex v;
    v.point = point;
    v.bulge = bulge;
    v.startWidth = startWidth < 0 ? 0 : startWidth;
    v.endWidth = endWidth < 0 ? 0 : endWidth;
    m_vertices.insert(m_vertices.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_vertices.erase(m_vertices.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reset(bool reuse, unsigned int numVerts) {
    assertWriteEnabled();
    if (!reuse)
        m_vertices.clear();
    else if (numVerts < m_vertices.size())
        m_vertices.resize(numVerts);
    return Acad::eOk;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const {
    return kz::ocsToWorld(AcGePoint3d(p.x, p.y, m_elevation), m_normal);
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& point) const {
    assertReadEnabled();
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    point = toWorld(m_vertices[index].point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& point) const {
    assertReadEnabled();
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    point = m_vertices[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& point) {
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_vertices[index].point = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    assertReadEnabled();
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    bulge = m_vertices[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_vertices[index].bulge = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth,
                                            double& endWidth) const {
    assertReadEnabled();
    if (!validIndex(index))
        return Acad::eInvalidIndex;
    startWidth = m_vertices[index].startWidth;
    endWidth = m_vertices[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth,
                                            double endWidth) {
    if (!validIndex(index) || startWidth < 0 || endWidth < 0)
        return validIndex(index) ? Acad::eInvalidInput : Acad::eInvalidIndex;
    assertWriteEnabled();
    m_vertices[index].startWidth = startWidth;
    m_vertices[index].endWidth = endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
    assertReadEnabled();
    width = m_constantWidth;
    // Vertices with widths of their own make the width not constant.
    for (auto& v : m_vertices)
        if (v.startWidth != 0 || v.endWidth != 0)
            return Acad::eNotApplicable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_constantWidth = width;
    for (auto& v : m_vertices)
        v.startWidth = v.endWidth = 0;
    return Acad::eOk;
}

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const {
    assertReadEnabled();
    std::size_t n = m_vertices.size();
    if (index >= n)
        return kEmpty;
    if (n == 1)
        return kPoint;
    if (index + 1 == n && !m_closed)
        return kEmpty;
    const Vertex& a = m_vertices[index];
    const Vertex& b = m_vertices[(index + 1) % n];
    if (a.point.isEqualTo(b.point))
        return kCoincident;
    return a.bulge != 0 ? kArc : kLine;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg3d& segment) const {
    SegType type = segType(index);
    if (type == kEmpty || type == kPoint)
        return Acad::eInvalidIndex;
    std::size_t next = (index + 1) % m_vertices.size();
    segment.set(toWorld(m_vertices[index].point), toWorld(m_vertices[next].point));
    return Acad::eOk;
}

bool AcDbPolyline::isOnlyLines() const {
    return !hasBulges();
}

bool AcDbPolyline::hasBulges() const {
    assertReadEnabled();
    for (auto& v : m_vertices)
        if (v.bulge != 0)
            return true;
    return false;
}

bool AcDbPolyline::hasWidth() const {
    assertReadEnabled();
    if (m_constantWidth != 0)
        return true;
    for (auto& v : m_vertices)
        if (v.startWidth != 0 || v.endWidth != 0)
            return true;
    return false;
}

bool AcDbPolyline::isClosed() const {
    assertReadEnabled();
    return m_closed;
}

void AcDbPolyline::setClosed(bool closed) {
    assertWriteEnabled();
    m_closed = closed;
}

double AcDbPolyline::elevation() const {
    assertReadEnabled();
    return m_elevation;
}

void AcDbPolyline::setElevation(double elevation) {
    assertWriteEnabled();
    m_elevation = elevation;
}

double AcDbPolyline::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbPolyline::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

bool AcDbPolyline::hasPlinegen() const {
    assertReadEnabled();
    return m_plinegen;
}

void AcDbPolyline::setPlinegen(bool on) {
    assertWriteEnabled();
    m_plinegen = on;
}

void AcDbPolyline::kzGetPath(kz::CurvePath& path) const {
    std::size_t n = m_vertices.size();
    path.extendable = !m_closed;
    std::size_t segments = m_closed ? n : (n == 0 ? 0 : n - 1);
    if (n == 1) // a single vertex: a point of the curve
        path.pieces.push_back(kz::PathPiece::segment(toWorld(m_vertices[0].point),
                                                     toWorld(m_vertices[0].point), 0, 0));
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& a = m_vertices[i];
        const Vertex& b = m_vertices[(i + 1) % n];
        kz::appendBulgeSegment(path, toWorld(a.point), toWorld(b.point), a.bulge, m_normal,
                               static_cast<double>(i), static_cast<double>(i + 1));
    }
}

Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    AcGeVector3d normal = kz::transformNormal(xform, m_normal);
    std::vector<AcGePoint3d> moved;
    for (auto& v : m_vertices)
        moved.push_back(kz::worldToOcs(xform * toWorld(v.point), normal));
    assertWriteEnabled();
    double scale = xform.scale();
    // The plane is turned over with a mirror, so the arcs keep their sense around the
    // new normal and the bulges stay as they are.
    for (std::size_t i = 0; i < m_vertices.size(); ++i) {
        m_vertices[i].point.set(moved[i].x, moved[i].y);
        m_vertices[i].startWidth *= scale;
        m_vertices[i].endWidth *= scale;
    }
    if (!moved.empty())
        m_elevation = moved[0].z;
    else
        m_elevation =
            kz::worldToOcs(xform * kz::ocsToWorld({0, 0, m_elevation}, m_normal), normal).z;
    m_normal = normal;
    m_constantWidth *= scale;
    m_thickness *= scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbPolyline"))
        return Acad::eOk;
    m_vertices.clear();
    while (filer->nextItem()) {
        if (kz::readVector(filer, 210, m_normal))
            continue;
        int code = filer->code();
        // Each group 10 starts a vertex; 20, 40, 41, 42 and 91 belong to the last one.
        if (code == 10) {
            m_vertices.emplace_back();
            m_vertices.back().point.x = filer->asDouble();
            continue;
        }
        if (!m_vertices.empty() &&
            (code == 20 || code == 40 || code == 41 || code == 42 || code == 91)) {
            Vertex& v = m_vertices.back();
            switch (code) {
            case 20:
                v.point.y = filer->asDouble();
                break;
            case 40:
                v.startWidth = filer->asDouble();
                break;
            case 41:
                v.endWidth = filer->asDouble();
                break;
            case 42:
                v.bulge = filer->asDouble();
                break;
            default:
                v.id = filer->asInt();
            }
            continue;
        }
        switch (code) {
        case 90:
            break; // the vertex count: the vertices themselves tell
        case 70: {
            int flags = filer->asInt();
            m_closed = (flags & 1) != 0;
            m_plinegen = (flags & 128) != 0;
            break;
        }
        case 43:
            m_constantWidth = filer->asDouble();
            break;
        case 38:
            m_elevation = filer->asDouble();
            break;
        case 39:
            m_thickness = filer->asDouble();
            break;
        default:
            filer->keepItem();
        }
    }
    m_normal = kz::cleanNormal(m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDbPolyline");
    filer->writeInt32(90, static_cast<std::int32_t>(m_vertices.size()));
    filer->writeInt16(70, (m_closed ? 1 : 0) | (m_plinegen ? 128 : 0));
    bool ownWidths = false;
    for (auto& v : m_vertices)
        ownWidths = ownWidths || v.startWidth != 0 || v.endWidth != 0;
    if (!ownWidths)
        filer->writeDouble(43, m_constantWidth);
    if (m_elevation != 0)
        filer->writeDouble(38, m_elevation);
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    for (auto& v : m_vertices) {
        filer->writePoint2d(10, v.point.x, v.point.y);
        if (ownWidths) {
            filer->writeDouble(40, v.startWidth);
            filer->writeDouble(41, v.endWidth);
        }
        if (v.bulge != 0)
            filer->writeDouble(42, v.bulge);
        if (v.id != 0)
            filer->writeInt32(91, v.id);
    }
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
