#include "db/ents/subentity_list.h"

#include "db/database_impl.h"

#include <algorithm>

namespace kz {

namespace {

AcDbEntity* liveEntity(AcDbObjectId id, bool includeErased) {
    AcDbStub* s = id.stub();
    if (!s || !s->object || (s->erased && !includeErased))
        return nullptr;
    return AcDbEntity::cast(s->object.get());
}

} // namespace

SubentityList::SubentityList(const SubentityList& other) {
    for (auto& entry : other.entries()) {
        auto* copy = entry.entity ? AcDbEntity::cast(entry.entity->clone()) : nullptr;
        if (copy)
            m_kept.emplace_back(copy);
    }
}

void SubentityList::addResident(AcDbEntity* owner, AcDbEntity* sub, AcDbObjectId& id) {
    AcDbDatabase* db = owner->database();
    // A sub-entity made without a database takes its owner's layer and linetype.
    if (sub->layerId().isNull() || sub->layerId().database() != db)
        sub->setLayer(owner->layerId().isNull() ? db->layerZero() : owner->layerId());
    if (sub->linetypeId().isNull() || sub->linetypeId().database() != db)
        sub->setLinetype(owner->linetypeId().isNull() ? db->byLayerLinetype()
                                                      : owner->linetypeId());
    db->impl().addObject(sub, owner->objectId(), id);
    ids.push_back(id);
    ensureSequenceEnd(owner);
}

void SubentityList::ensureSequenceEnd(AcDbEntity* owner) {
    if (!sequenceEnd.isNull())
        return;
    auto* end = new AcDbSequenceEnd();
    end->setLayer(owner->layerId().isNull() ? owner->database()->layerZero() : owner->layerId());
    end->setLinetype(owner->database()->byLayerLinetype());
    if (owner->database()->impl().addObject(end, owner->objectId(), sequenceEnd) != Acad::eOk) {
        delete end;
        return;
    }
    end->close();
}

Acad::ErrorStatus SubentityList::append(AcDbEntity* owner, AcDbEntity* sub, AcDbObjectId& id) {
    id = AcDbObjectId();
    if (!sub)
        return Acad::eNullEntityPointer;
    if (!sub->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (owner->objectId().isNull()) {
        m_kept.emplace_back(sub);
        return Acad::eOk;
    }
    if (!owner->isWriteEnabled())
        return Acad::eNotOpenForWrite;
    addResident(owner, sub, id);
    return Acad::eOk;
}

void SubentityList::moveIntoDatabase(AcDbEntity* owner) {
    if (owner->objectId().isNull() || !owner->database())
        return;
    for (auto& kept : m_kept) {
        AcDbEntity* sub = kept.release();
        AcDbObjectId id;
        addResident(owner, sub, id);
        sub->close();
    }
    m_kept.clear();
}

std::vector<AcDbObjectIterator::Entry> SubentityList::entries(bool includeErased) const {
    std::vector<AcDbObjectIterator::Entry> out;
    for (auto& id : ids)
        if (AcDbEntity* e = liveEntity(id, includeErased))
            out.push_back({id, e});
    for (auto& kept : m_kept)
        out.push_back({AcDbObjectId(), kept.get()});
    return out;
}

bool SubentityList::contains(AcDbObjectId id) const {
    return !id.isNull() && std::find(ids.begin(), ids.end(), id) != ids.end();
}

void SubentityList::setErased(bool erased) {
    // The owner is open for write; its sub-entities follow it directly, as the host's
    // own bookkeeping, without being opened.
    for (auto& id : ids)
        if (AcDbStub* s = id.stub(); s && s->object)
            s->erased = erased;
    if (AcDbStub* s = sequenceEnd.stub(); s && s->object)
        s->erased = erased;
}

void SubentityList::transformBy(const AcGeMatrix3d& xform) {
    for (auto& kept : m_kept)
        kept->transformBy(xform);
    for (auto& id : ids) {
        AcDbEntity* sub = nullptr;
        if (acdbOpenAcDbEntity(sub, id, AcDb::kForWrite, true) != Acad::eOk)
            continue; // open elsewhere: it stays where it is
        sub->transformBy(xform);
        sub->close();
    }
}

} // namespace kz
