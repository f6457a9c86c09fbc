#include "dbents.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"
#include "db/ents/subentity_list.h"

AcDb2dPolyline::AcDb2dPolyline() : m_vertices(std::make_unique<kz::SubentityList>()) {}

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices,
                               double elevation, bool closed, double defStartWidth,
                               double defEndWidth, const AcArray<double>* bulges)
    : m_flags(closed ? 1 : 0), m_type(type), m_defaultStartWidth(defStartWidth),
      m_defaultEndWidth(defEndWidth), m_elevation(elevation),
      m_vertices(std::make_unique<kz::SubentityList>()) {
    for (int i = 0; i < vertices.length(); ++i) {
        double bulge = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
        AcDbObjectId id;
        m_vertices->append(this,
                           new AcDb2dVertex({vertices[i].x, vertices[i].y, elevation}, bulge,
                                            defStartWidth, defEndWidth),
                           id);
    }
}

AcDb2dPolyline::AcDb2dPolyline(const AcDb2dPolyline& other)
    : AcDbCurve(other), m_flags(other.m_flags), m_type(other.m_type),
      m_defaultStartWidth(other.m_defaultStartWidth), m_defaultEndWidth(other.m_defaultEndWidth),
      m_elevation(other.m_elevation), m_thickness(other.m_thickness), m_normal(other.m_normal),
      m_vertices(std::make_unique<kz::SubentityList>(*other.m_vertices)) {}

AcDb2dPolyline::~AcDb2dPolyline() = default;

AcDb::Poly2dType AcDb2dPolyline::polyType() const {
    assertReadEnabled();
    return m_type;
}

Acad::ErrorStatus AcDb2dPolyline::setPolyType(AcDb::Poly2dType type) {
    assertWriteEnabled();
    m_type = type;
    return Acad::eOk;
}

bool AcDb2dPolyline::isClosed() const {
    assertReadEnabled();
    return (m_flags & 1) != 0;
}

Acad::ErrorStatus AcDb2dPolyline::makeClosed() {
    assertWriteEnabled();
    m_flags |= 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen() {
    assertWriteEnabled();
    m_flags &= ~1;
    return Acad::eOk;
}

double AcDb2dPolyline::defaultStartWidth() const {
    assertReadEnabled();
    return m_defaultStartWidth;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultStartWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_defaultStartWidth = width;
    return Acad::eOk;
}

double AcDb2dPolyline::defaultEndWidth() const {
    assertReadEnabled();
    return m_defaultEndWidth;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultEndWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_defaultEndWidth = width;
    return Acad::eOk;
}

double AcDb2dPolyline::elevation() const {
    assertReadEnabled();
    return m_elevation;
}

Acad::ErrorStatus AcDb2dPolyline::setElevation(double elevation) {
    assertWriteEnabled();
    m_elevation = elevation;
    return Acad::eOk;
}

double AcDb2dPolyline::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDb2dPolyline::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDb2dPolyline::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex) {
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    return m_vertices->append(this, vertex, vertexId);
}

AcDbObjectIterator* AcDb2dPolyline::vertexIterator() const {
    assertReadEnabled();
    return m_vertices->newIterator();
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const {
    assertReadEnabled();
    AcGePoint3d p = vertex.position();
    return kz::ocsToWorld({p.x, p.y, m_elevation}, m_normal);
}

void AcDb2dPolyline::kzGetPath(kz::CurvePath& path) const {
    // The curve runs through the vertices a simple or fitted polyline shows; a spline's
    // frame (control) vertices are not on it.
    std::vector<const AcDb2dVertex*> shown;
    for (auto& entry : m_vertices->entries())
        if (auto* v = AcDb2dVertex::cast(entry.entity);
            v && v->vertexType() != AcDb::k2dSplineCtlVertex)
            shown.push_back(v);
    std::size_t n = shown.size();
    bool closed = (m_flags & 1) != 0;
    path.extendable = !closed;
    if (n == 1)
        path.pieces.push_back(
            kz::PathPiece::segment(vertexPosition(*shown[0]), vertexPosition(*shown[0]), 0, 0));
    std::size_t segments = closed ? n : (n == 0 ? 0 : n - 1);
    for (std::size_t i = 0; i < segments; ++i)
        kz::appendBulgeSegment(path, vertexPosition(*shown[i]), vertexPosition(*shown[(i + 1) % n]),
                               shown[i]->bulge(), m_normal, static_cast<double>(i),
                               static_cast<double>(i + 1));
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    assertWriteEnabled();
    AcGeVector3d normal = kz::transformNormal(xform, m_normal);
    double scale = xform.scale();
    // The vertices move with their polyline (which is open for write) as the host's own
    // bookkeeping, through the plane: a mirror turns the plane over and the bulges keep
    // their sense around the new normal.
    for (auto& entry : m_vertices->entries(true)) {
        auto* v = AcDb2dVertex::cast(entry.entity);
        if (!v)
            continue;
        v->kzSetPosition(kz::worldToOcs(xform * vertexPosition(*v), normal));
        v->kzScaleWidths(scale);
    }
    m_elevation = kz::worldToOcs(xform * kz::ocsToWorld({0, 0, m_elevation}, m_normal), normal).z;
    m_normal = normal;
    m_defaultStartWidth *= scale;
    m_defaultEndWidth *= scale;
    m_thickness *= scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setOwnerId(AcDbObjectId ownerId) {
    Acad::ErrorStatus es = AcDbCurve::setOwnerId(ownerId);
    m_vertices->moveIntoDatabase(this);
    return es;
}

std::vector<AcDbObjectId>* AcDb2dPolyline::kzSubentities() {
    return &m_vertices->ids;
}

AcDbObjectId* AcDb2dPolyline::kzSequenceEnd() {
    return &m_vertices->sequenceEnd;
}

Acad::ErrorStatus AcDb2dPolyline::subErase(bool erasing) {
    m_vertices->setErased(erasing);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    if (!filer->atSubclassData("AcDb2dPolyline"))
        return Acad::eOk;
    AcGePoint3d origin; // its z is the elevation
    int curveType = 0;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, origin) || kz::readVector(filer, 210, m_normal))
            continue;
        switch (filer->code()) {
        case 66:
            break; // vertices follow: the vertex list tells
        case 70:
            m_flags = filer->asInt();
            break;
        case 39:
            m_thickness = filer->asDouble();
            break;
        case 40:
            m_defaultStartWidth = filer->asDouble();
            break;
        case 41:
            m_defaultEndWidth = filer->asDouble();
            break;
        case 75:
            curveType = filer->asInt();
            break;
        default:
            filer->keepItem();
        }
    }
    m_elevation = origin.z;
    m_normal = kz::cleanNormal(m_normal);
    m_type = (m_flags & 4)   ? (curveType == 5 ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly)
             : (m_flags & 2) ? AcDb::k2dFitCurvePoly
                             : AcDb::k2dSimplePoly;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDb2dPolyline");
    filer->writeInt16(66, 1);
    filer->writePoint3d(10, {0, 0, m_elevation});
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    int flags = m_flags & ~(2 | 4);
    if (m_type == AcDb::k2dFitCurvePoly)
        flags |= 2;
    else if (m_type == AcDb::k2dQuadSplinePoly || m_type == AcDb::k2dCubicSplinePoly)
        flags |= 4;
    filer->writeInt16(70, flags);
    if (m_defaultStartWidth != 0)
        filer->writeDouble(40, m_defaultStartWidth);
    if (m_defaultEndWidth != 0)
        filer->writeDouble(41, m_defaultEndWidth);
    if (m_type == AcDb::k2dQuadSplinePoly)
        filer->writeInt16(75, 5);
    else if (m_type == AcDb::k2dCubicSplinePoly)
        filer->writeInt16(75, 6);
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
