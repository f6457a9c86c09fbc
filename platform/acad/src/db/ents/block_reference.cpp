#include "dbents.h"

#include "db/database_impl.h"
#include "db/ents/ent_dxf.h"
#include "db/ents/subentity_list.h"
#include "db/symbol_lookup.h"
#include "dbextents.h"
#include "dbsymtb.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

ACRX_DXF_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, "INSERT")

AcDbBlockReference::AcDbBlockReference() : m_attributes(std::make_unique<kz::SubentityList>()) {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
    : m_blockId(blockTableRecord), m_position(position),
      m_attributes(std::make_unique<kz::SubentityList>()) {}

AcDbBlockReference::AcDbBlockReference(const AcDbBlockReference& other)
    : AcDbEntity(other), m_blockId(other.blockTableRecord()), m_blockName(other.m_blockName),
      m_position(other.m_position), m_scale(other.m_scale), m_rotation(other.m_rotation),
      m_normal(other.m_normal), m_columns(other.m_columns), m_rows(other.m_rows),
      m_columnSpacing(other.m_columnSpacing), m_rowSpacing(other.m_rowSpacing),
      m_minsert(other.m_minsert),
      m_attributes(std::make_unique<kz::SubentityList>(*other.m_attributes)) {}

AcDbBlockReference::~AcDbBlockReference() = default;

AcDbObjectId AcDbBlockReference::blockTableRecord() const {
    assertReadEnabled();
    if (m_blockId.isNull() && !m_blockName.empty()) // read before its block was
        return kz::findSymbol(kz::databaseFor(this), kz::SymbolTable::Block, m_blockName.c_str());
    return m_blockId;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId blockTableRecord) {
    assertWriteEnabled();
    m_blockId = blockTableRecord;
    m_blockName.clear();
    return Acad::eOk;
}

AcGePoint3d AcDbBlockReference::position() const {
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const {
    assertReadEnabled();
    return m_scale;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
    if (scale.sx == 0 || scale.sy == 0 || scale.sz == 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_scale = scale;
    return Acad::eOk;
}

double AcDbBlockReference::rotation() const {
    assertReadEnabled();
    return m_rotation;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double rotation) {
    assertWriteEnabled();
    m_rotation = kz::normalizeAngle(rotation);
    return Acad::eOk;
}

AcGeVector3d AcDbBlockReference::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

namespace {

AcDbBlockTableRecord* blockRecord(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    return s && s->object && !s->erased ? AcDbBlockTableRecord::cast(s->object.get()) : nullptr;
}

} // namespace

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    assertReadEnabled();
    AcGePoint3d origin;
    if (AcDbBlockTableRecord* btr = blockRecord(blockTableRecord()))
        origin = btr->origin();
    // Block coordinates: moved so the origin is at 0, scaled, rotated in the plane,
    // the plane set in the world by the normal, and moved to the position.
    AcGeMatrix3d m = AcGeMatrix3d::translation(m_position.asVector());
    if (!kz::isDefaultNormal(m_normal))
        m *= AcGeMatrix3d::planeToWorld(m_normal);
    m *= AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis);
    m *= static_cast<AcGeMatrix3d>(m_scale);
    m *= AcGeMatrix3d::translation(-origin.asVector());
    return m;
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute) {
    AcDbObjectId id;
    return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& attributeId,
                                                      AcDbAttribute* attribute) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    return m_attributes->append(this, attribute, attributeId);
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    assertReadEnabled();
    return m_attributes->newIterator(isErased());
}

Acad::ErrorStatus AcDbBlockReference::openAttribute(AcDbAttribute*& attribute, AcDbObjectId id,
                                                    AcDb::OpenMode mode, bool openErased) {
    attribute = nullptr;
    if (!m_attributes->contains(id))
        return Acad::eInvalidInput;
    return acdbOpenObject(attribute, id, mode, openErased);
}

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    // A block that holds a reference to itself, directly or not, would never end; and
    // as each entity falls back to a second try when its copy gives no extents, even a
    // depth limit would let a cycle run for 2^depth calls. A block already being
    // measured further up counts as empty.
    static thread_local std::vector<const AcDbBlockTableRecord*> measuring;
    static thread_local int depth = 0;
    if (depth > 32)
        return Acad::eInvalidExtents;
    AcDbBlockTableRecord* btr = blockRecord(blockTableRecord());
    if (btr && std::find(measuring.begin(), measuring.end(), btr) != measuring.end())
        btr = nullptr;
    ++depth;
    if (btr)
        measuring.push_back(btr);
    extents = AcDbExtents();
    AcGeMatrix3d xform = blockTransform();
    if (btr) {
        for (const AcDbObjectId& id : btr->kzEntities()) {
            AcDbStub* s = id.stub();
            auto* ent = s && s->object && !s->erased ? AcDbEntity::cast(s->object.get()) : nullptr;
            // Attribute definitions show in the block, not in its references.
            if (!ent || AcDbAttributeDefinition::cast(ent))
                continue;
            AcDbExtents part;
            // Placing a copy of the entity gives tight bounds; an entity that cannot
            // be transformed so (a circle scaled unevenly) gives its box transformed.
            std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(ent->clone()));
            if (copy && copy->transformBy(xform) == Acad::eOk &&
                copy->getGeomExtents(part) == Acad::eOk) {
                extents.addExt(part);
            } else if (ent->getGeomExtents(part) == Acad::eOk) {
                part.transformBy(xform);
                extents.addExt(part);
            }
        }
        measuring.pop_back();
    }
    for (auto& entry : m_attributes->entries()) {
        AcDbExtents part;
        auto* attribute = AcDbAttribute::cast(entry.entity);
        if (attribute && !attribute->isInvisible() && attribute->getGeomExtents(part) == Acad::eOk)
            extents.addExt(part);
    }
    --depth;
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& xform) {
    // The new placement is read from where the transform sends the reference's own
    // axes; the block's contents and attributes move with it.
    AcGeMatrix3d placed = xform * blockTransform();
    AcGePoint3d origin;
    if (AcDbBlockTableRecord* btr = blockRecord(blockTableRecord()))
        origin = btr->origin();
    AcGePoint3d position = placed * origin;
    AcGeVector3d x = placed * AcGeVector3d::kXAxis;
    AcGeVector3d y = placed * AcGeVector3d::kYAxis;
    AcGeVector3d z = placed * AcGeVector3d::kZAxis;
    if (x.isZeroLength() || y.isZeroLength() || z.isZeroLength())
        return Acad::eInvalidInput;
    // Axes that stop being perpendicular (shearing) cannot be a block reference.
    if (std::fabs(x.normal().dotProduct(y.normal())) > 1e-9 ||
        std::fabs(x.normal().dotProduct(z.normal())) > 1e-9)
        return Acad::eNotApplicable;
    // The normal is the one on the side of the image of the z axis; a mirrored frame
    // then shows as a negative y scale.
    AcGeVector3d normal = x.crossProduct(y).normal();
    double sy = y.length();
    if (normal.dotProduct(z) < 0) {
        normal = -normal;
        sy = -sy;
    }
    assertWriteEnabled();
    m_position = position;
    m_normal = normal;
    m_rotation = kz::angleInPlane(x, normal);
    m_scale.set(x.length(), sy, z.length());
    m_attributes->transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setOwnerId(AcDbObjectId ownerId) {
    Acad::ErrorStatus es = AcDbEntity::setOwnerId(ownerId);
    // Attributes appended before the reference was in a database join it now.
    m_attributes->moveIntoDatabase(this);
    return es;
}

std::vector<AcDbObjectId>* AcDbBlockReference::kzSubentities() {
    return &m_attributes->ids;
}

AcDbObjectId* AcDbBlockReference::kzSequenceEnd() {
    return &m_attributes->sequenceEnd;
}

Acad::ErrorStatus AcDbBlockReference::subErase(bool erasing) {
    m_attributes->setErased(erasing);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    // An array insert (MINSERT) carries its own marker instead of the plain one.
    m_minsert = false;
    if (!filer->atSubclassData("AcDbBlockReference")) {
        if (!filer->atSubclassData("AcDbMInsertBlock"))
            return Acad::eOk;
        m_minsert = true;
    }
    AcGePoint3d position; // in the reference's plane
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, position) || kz::readVector(filer, 210, m_normal))
            continue;
        switch (filer->code()) {
        case 2:
            m_blockName = filer->asString();
            break;
        case 41:
            m_scale.sx = filer->asDouble();
            break;
        case 42:
            m_scale.sy = filer->asDouble();
            break;
        case 43:
            m_scale.sz = filer->asDouble();
            break;
        case 50:
            m_rotation = kz::toRadians(filer->asDouble());
            break;
        case 66:
            break; // attributes follow: known from the attribute list when writing
        case 70:
            m_columns = filer->asInt();
            break;
        case 71:
            m_rows = filer->asInt();
            break;
        case 44:
            m_columnSpacing = filer->asDouble();
            break;
        case 45:
            m_rowSpacing = filer->asDouble();
            break;
        default:
            filer->keepItem();
        }
    }
    m_normal = kz::cleanNormal(m_normal);
    m_position = kz::ocsToWorld(position, m_normal);
    m_blockId = kz::findSymbol(filer->database(), kz::SymbolTable::Block, m_blockName.c_str());
    if (!m_blockId.isNull())
        m_blockName.clear();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass(m_minsert ? "AcDbMInsertBlock" : "AcDbBlockReference");
    // 66 says attributes follow, ended by a SEQEND: also when there is a SEQEND and no
    // attribute (as a damaged file can have), so that the next read takes it back.
    const AcDbObjectId& end = m_attributes->sequenceEnd;
    if (!m_attributes->ids.empty() || (!end.isNull() && !end.isErased()))
        filer->writeInt16(66, 1);
    AcDbObjectId block = blockTableRecord();
    filer->writeString(2, block.isNull() ? m_blockName : kz::symbolName(block));
    filer->writePoint3d(10, kz::worldToOcs(m_position, m_normal));
    if (m_scale.sx != 1)
        filer->writeDouble(41, m_scale.sx);
    if (m_scale.sy != 1)
        filer->writeDouble(42, m_scale.sy);
    if (m_scale.sz != 1)
        filer->writeDouble(43, m_scale.sz);
    if (m_rotation != 0)
        filer->writeDouble(50, kz::toDegrees(m_rotation));
    if (m_columns != 1)
        filer->writeInt16(70, m_columns);
    if (m_rows != 1)
        filer->writeInt16(71, m_rows);
    if (m_columnSpacing != 0)
        filer->writeDouble(44, m_columnSpacing);
    if (m_rowSpacing != 0)
        filer->writeDouble(45, m_rowSpacing);
    kz::writeNormal(filer, m_normal);
    return Acad::eOk;
}
