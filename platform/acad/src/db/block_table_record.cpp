#include "dbsymtb.h"

#include "db/database_impl.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbBlockBegin, AcDbEntity, "BLOCK")
ACRX_DXF_DEFINE_MEMBERS(AcDbBlockEnd, AcDbEntity, "ENDBLK")

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& entityId,
                                                         AcDbEntity* entity) {
    entityId = AcDbObjectId();
    if (!entity)
        return Acad::eNullEntityPointer;
    if (objectId().isNull())
        return Acad::eNotInDatabase;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!entity->objectId().isNull())
        return Acad::eAlreadyInDb;
    AcDbDatabase* db = database();
    if (entity->layerId().isNull() || entity->layerId().database() != db ||
        entity->linetypeId().isNull() || entity->linetypeId().database() != db) {
        // An entity made without a database gets the drawing's current layer and
        // by-layer linetype, keeping what was set in this database.
        AcDbObjectId layer = entity->layerId().database() == db ? entity->layerId() : db->clayer();
        AcDbObjectId lt =
            entity->linetypeId().database() == db ? entity->linetypeId() : db->byLayerLinetype();
        entity->setLayer(layer.isNull() ? db->layerZero() : layer);
        entity->setLinetype(lt);
    }
    Acad::ErrorStatus es = db->impl().addObject(entity, objectId(), entityId);
    if (es != Acad::eOk)
        return es;
    assertWriteEnabled();
    m_entities.push_back(entityId);
    return Acad::eOk;
}

void AcDbBlockTableRecord::kzForgetErasedEntities() {
    assertWriteEnabled();
    std::erase_if(m_entities, [](const AcDbObjectId& id) { return id.isErased(); });
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
    assertReadEnabled();
    iterator = new AcDbBlockTableRecordIterator(m_entities, atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin) {
    assertWriteEnabled();
    m_origin = origin;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(const ACHAR*& text) const {
    assertReadEnabled();
    text = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const ACHAR* text) {
    assertWriteEnabled();
    m_comments = text ? text : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(const ACHAR*& path) const {
    assertReadEnabled();
    path = m_pathName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const ACHAR* path) {
    assertWriteEnabled();
    m_pathName = path ? path : L"";
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
    return kz::compareSymbolNames(name(), ACDB_MODEL_SPACE) == 0 ||
           kz::compareSymbolNames(name().substr(0, 12), ACDB_PAPER_SPACE) == 0;
}

void AcDbBlockTableRecord::kzSetBlockBeginEnd(AcDbObjectId begin, AcDbObjectId end) {
    m_blockBegin = begin;
    m_blockEnd = end;
}

Acad::ErrorStatus AcDbBlockTableRecord::setName(const ACHAR* name) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::setName(name);
    if (es == Acad::eOk && name && name[0] == L'*' &&
        (name[1] == L'U' || name[1] == L'u' || name[1] == L'D' || name[1] == L'd'))
        kzSetFlags(kzFlags() | 1);
    return es;
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    AcDbSymbolTableRecord::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbBlockTableRecord"))
        return Acad::eOk;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 2:
            kzSetNameRaw(filer->asString());
            break;
        case 340:
            m_layoutId = filer->asObjectId();
            break;
        case 70:
            m_insertUnits = filer->asInt();
            break;
        case 280:
            m_explodable = filer->asInt();
            break;
        case 281:
            m_scalable = filer->asInt();
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbSymbolTableRecord::dxfOutFields(filer);
    filer->writeSubclass("AcDbBlockTableRecord");
    filer->writeString(2, name());
    filer->writeObjectId(340, m_layoutId);
    filer->writeInt16(70, m_insertUnits);
    filer->writeInt16(280, m_explodable);
    filer->writeInt16(281, m_scalable);
    return Acad::eOk;
}

// ---- entity iterator ----

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const std::vector<AcDbObjectId>& ids,
                                                           bool atBeginning, bool skipDeleted)
    : m_ids(ids) {
    start(atBeginning, skipDeleted);
}

void AcDbBlockTableRecordIterator::skip(bool forward, bool skipDeleted) {
    long n = static_cast<long>(m_ids.size());
    while (m_pos >= 0 && m_pos < n) {
        const AcDbObjectId& id = m_ids[static_cast<std::size_t>(m_pos)];
        if (id.stub() && id.stub()->object && !(skipDeleted && id.isErased()))
            break;
        m_pos += forward ? 1 : -1;
    }
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
    m_pos = atBeginning ? 0 : static_cast<long>(m_ids.size()) - 1;
    skip(atBeginning, skipDeleted);
}

bool AcDbBlockTableRecordIterator::done() const {
    return m_pos < 0 || m_pos >= static_cast<long>(m_ids.size());
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
    if (done())
        return;
    m_pos += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done())
        return Acad::eInvalidIndex;
    id = m_ids[static_cast<std::size_t>(m_pos)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErasedEntity) const {
    entity = nullptr;
    if (done())
        return Acad::eInvalidIndex;
    return acdbOpenAcDbEntity(entity, m_ids[static_cast<std::size_t>(m_pos)], mode,
                              openErasedEntity);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id) {
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == id) {
            m_pos = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

// ---- BLOCK and ENDBLK ----

Acad::ErrorStatus AcDbBlockBegin::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbBlockBegin"))
        return Acad::eOk;
    double xyz[3] = {0, 0, 0};
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 2:
            kzName = filer->asString();
            break;
        case 3:
            if (kzName.empty())
                kzName = filer->asString();
            break;
        case 70:
            kzFlags = filer->asInt();
            break;
        case 10:
        case 20:
        case 30:
            xyz[filer->code() / 10 - 1] = filer->asDouble();
            break;
        case 1:
            kzPath = filer->asString();
            break;
        case 4:
            kzDescription = filer->asString();
            break;
        default:
            filer->keepItem();
        }
    }
    kzOrigin.set(xyz[0], xyz[1], xyz[2]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockBegin::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbBlockBegin");
    AcDbStub* s = ownerId().stub();
    auto* btr = s && s->object ? AcDbBlockTableRecord::cast(s->object.get()) : nullptr;
    std::wstring name = btr ? btr->name() : kzName;
    filer->writeString(2, name);
    filer->writeInt16(70, btr ? btr->kzFlags() : kzFlags);
    filer->writePoint3d(10, btr ? btr->origin() : kzOrigin);
    filer->writeString(3, name);
    const ACHAR* path = L"";
    if (btr)
        btr->pathName(path);
    filer->writeString(1, btr ? path : kzPath.c_str());
    const ACHAR* comments = L"";
    if (btr)
        btr->comments(comments);
    if (btr ? *comments != 0 : !kzDescription.empty())
        filer->writeString(4, btr ? comments : kzDescription.c_str());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockEnd::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (filer->atSubclassData("AcDbBlockEnd"))
        while (filer->nextItem())
            filer->keepItem();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockEnd::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbBlockEnd");
    return Acad::eOk;
}
