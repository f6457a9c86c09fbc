#include "dbents.h"

#include "db/ents/curve_path.h"
#include "db/ents/ent_dxf.h"
#include "db/ents/subentity_list.h"

AcDb3dPolyline::AcDb3dPolyline() : m_vertices(std::make_unique<kz::SubentityList>()) {}

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed)
    : m_flags(8 | (closed ? 1 : 0)), m_type(type),
      m_vertices(std::make_unique<kz::SubentityList>()) {
    for (int i = 0; i < vertices.length(); ++i) {
        AcDbObjectId id;
        m_vertices->append(this, new AcDb3dPolylineVertex(vertices[i]), id);
    }
}

AcDb3dPolyline::AcDb3dPolyline(const AcDb3dPolyline& other)
    : AcDbCurve(other), m_flags(other.m_flags), m_type(other.m_type),
      m_vertices(std::make_unique<kz::SubentityList>(*other.m_vertices)) {}

AcDb3dPolyline::~AcDb3dPolyline() = default;

AcDb::Poly3dType AcDb3dPolyline::polyType() const {
    assertReadEnabled();
    return m_type;
}

Acad::ErrorStatus AcDb3dPolyline::setPolyType(AcDb::Poly3dType type) {
    assertWriteEnabled();
    m_type = type;
    return Acad::eOk;
}

bool AcDb3dPolyline::isClosed() const {
    assertReadEnabled();
    return (m_flags & 1) != 0;
}

Acad::ErrorStatus AcDb3dPolyline::makeClosed() {
    assertWriteEnabled();
    m_flags |= 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::makeOpen() {
    assertWriteEnabled();
    m_flags &= ~1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex) {
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDbObjectId& vertexId,
                                               AcDb3dPolylineVertex* vertex) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    return m_vertices->append(this, vertex, vertexId);
}

AcDbObjectIterator* AcDb3dPolyline::vertexIterator() const {
    assertReadEnabled();
    return m_vertices->newIterator();
}

void AcDb3dPolyline::kzGetPath(kz::CurvePath& path) const {
    std::vector<AcGePoint3d> points;
    for (auto& entry : m_vertices->entries())
        if (auto* v = AcDb3dPolylineVertex::cast(entry.entity);
            v && v->vertexType() != AcDb::k3dControlVertex)
            points.push_back(v->position());
    std::size_t n = points.size();
    bool closed = (m_flags & 1) != 0;
    path.extendable = !closed;
    if (n == 1)
        path.pieces.push_back(kz::PathPiece::segment(points[0], points[0], 0, 0));
    std::size_t segments = closed ? n : (n == 0 ? 0 : n - 1);
    for (std::size_t i = 0; i < segments; ++i)
        path.pieces.push_back(kz::PathPiece::segment(
            points[i], points[(i + 1) % n], static_cast<double>(i), static_cast<double>(i + 1)));
}

Acad::ErrorStatus AcDb3dPolyline::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    // The vertices move with their polyline, which is open for write.
    for (auto& entry : m_vertices->entries(true))
        if (auto* v = AcDb3dPolylineVertex::cast(entry.entity))
            v->kzSetPosition(xform * v->position());
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::setOwnerId(AcDbObjectId ownerId) {
    Acad::ErrorStatus es = AcDbCurve::setOwnerId(ownerId);
    m_vertices->moveIntoDatabase(this);
    return es;
}

std::vector<AcDbObjectId>* AcDb3dPolyline::kzSubentities() {
    return &m_vertices->ids;
}

AcDbObjectId* AcDb3dPolyline::kzSequenceEnd() {
    return &m_vertices->sequenceEnd;
}

Acad::ErrorStatus AcDb3dPolyline::subErase(bool erasing) {
    m_vertices->setErased(erasing);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    AcDbCurve::dxfInFields(filer);
    if (!filer->atSubclassData("AcDb3dPolyline"))
        return Acad::eOk;
    int curveType = 0;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 66:
        case 10:
        case 20:
        case 30:
            break; // vertices follow; the dummy point is always the origin
        case 70:
            m_flags = filer->asInt() | 8;
            break;
        case 75:
            curveType = filer->asInt();
            break;
        default:
            filer->keepItem();
        }
    }
    m_type = !(m_flags & 4)   ? AcDb::k3dSimplePoly
             : curveType == 5 ? AcDb::k3dQuadSplinePoly
                              : AcDb::k3dCubicSplinePoly;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbCurve::dxfOutFields(filer);
    filer->writeSubclass("AcDb3dPolyline");
    filer->writeInt16(66, 1);
    filer->writePoint3d(10, AcGePoint3d::kOrigin);
    int flags = (m_flags & ~4) | 8;
    if (m_type != AcDb::k3dSimplePoly)
        flags |= 4;
    filer->writeInt16(70, flags);
    if (m_type == AcDb::k3dQuadSplinePoly)
        filer->writeInt16(75, 5);
    else if (m_type == AcDb::k3dCubicSplinePoly)
        filer->writeInt16(75, 6);
    return Acad::eOk;
}
