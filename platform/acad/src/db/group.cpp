#include "dbgroup.h"

#include "db/database_impl.h"
#include "dbdict.h"

#include <algorithm>

ACRX_DXF_DEFINE_MEMBERS(AcDbGroup, AcDbObject, "GROUP")

AcDbGroup::AcDbGroup(const ACHAR* description, bool selectable)
    : m_description(description ? description : L""), m_selectable(selectable) {}

Acad::ErrorStatus AcDbGroup::setDescription(const ACHAR* description) {
    assertWriteEnabled();
    m_description = description ? description : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setSelectable(bool selectable) {
    assertWriteEnabled();
    m_selectable = selectable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::getName(ACHAR*& name) const {
    name = nullptr;
    AcDbStub* s = ownerId().stub();
    auto* dict = s && s->object ? AcDbDictionary::cast(s->object.get()) : nullptr;
    if (dict && dict->nameAt(objectId(), name) == Acad::eOk)
        return Acad::eOk;
    name = acutNewString(L"");
    return Acad::eOk;
}

void AcDbGroup::linkMember(AcDbObjectId id, bool add) const {
    // The member's reactor list is host bookkeeping, changed whether or not the
    // member is open, as the host does.
    AcDbStub* s = id.stub();
    if (!s || !s->object || objectId().isNull())
        return;
    auto& reactors = s->object->extraForWrite().reactors;
    auto it = std::find(reactors.begin(), reactors.end(), objectId());
    if (add && it == reactors.end())
        reactors.push_back(objectId());
    else if (!add && it != reactors.end())
        reactors.erase(it);
}

Acad::ErrorStatus AcDbGroup::append(AcDbObjectId id) {
    return insertAt(static_cast<Adesk::UInt32>(m_members.size()), id);
}

Acad::ErrorStatus AcDbGroup::append(const AcDbObjectIdArray& ids) {
    for (int i = 0; i < ids.length(); ++i) {
        Acad::ErrorStatus es = append(ids[i]);
        if (es != Acad::eOk)
            return es;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::prepend(AcDbObjectId id) { return insertAt(0, id); }

Acad::ErrorStatus AcDbGroup::insertAt(Adesk::UInt32 index, AcDbObjectId id) {
    if (id.isNull())
        return Acad::eNullObjectId;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (index > m_members.size())
        return Acad::eInvalidIndex;
    if (std::find(m_members.begin(), m_members.end(), id) != m_members.end())
        return Acad::eDuplicateKey;
    if (database() && id.database() != database())
        return Acad::eWrongDatabase;
    AcDbStub* s = id.stub();
    if (!s || !s->object || !s->object->isKindOf(AcDbEntity::desc()))
        return Acad::eNotAnEntity;
    assertWriteEnabled();
    m_members.insert(m_members.begin() + index, id);
    linkMember(id, true);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::remove(AcDbObjectId id) {
    auto it = std::find(m_members.begin(), m_members.end(), id);
    if (it == m_members.end())
        return Acad::eInvalidInput;
    return removeAt(static_cast<Adesk::UInt32>(it - m_members.begin()));
}

Acad::ErrorStatus AcDbGroup::removeAt(Adesk::UInt32 index) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (index >= m_members.size())
        return Acad::eInvalidIndex;
    assertWriteEnabled();
    linkMember(m_members[index], false);
    m_members.erase(m_members.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::replace(AcDbObjectId oldId, AcDbObjectId newId) {
    auto it = std::find(m_members.begin(), m_members.end(), oldId);
    if (it == m_members.end())
        return Acad::eInvalidInput;
    Adesk::UInt32 index = static_cast<Adesk::UInt32>(it - m_members.begin());
    Acad::ErrorStatus es = removeAt(index);
    return es == Acad::eOk ? insertAt(index, newId) : es;
}

Acad::ErrorStatus AcDbGroup::clear() {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    for (auto& id : m_members)
        linkMember(id, false);
    m_members.clear();
    return Acad::eOk;
}

Adesk::UInt32 AcDbGroup::numEntities() const {
    Adesk::UInt32 n = 0;
    for (auto& id : m_members)
        if (!id.isErased() && id.stub() && id.stub()->object)
            ++n;
    return n;
}

bool AcDbGroup::has(const AcDbEntity* entity) const { return entity && has(entity->objectId()); }

bool AcDbGroup::has(AcDbObjectId id) const {
    return !id.isNull() && std::find(m_members.begin(), m_members.end(), id) != m_members.end();
}

Adesk::UInt32 AcDbGroup::allEntityIds(AcDbObjectIdArray& ids) const {
    ids.setLogicalLength(0);
    for (auto& id : m_members)
        if (!id.isErased() && id.stub() && id.stub()->object)
            ids.append(id);
    return static_cast<Adesk::UInt32>(ids.length());
}

Acad::ErrorStatus AcDbGroup::getIndex(AcDbObjectId id, Adesk::UInt32& index) const {
    auto it = std::find(m_members.begin(), m_members.end(), id);
    if (it == m_members.end())
        return Acad::eInvalidInput;
    index = static_cast<Adesk::UInt32>(it - m_members.begin());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::dxfInFields(AcDbDxfFiler* filer) {
    AcDbObject::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbGroup"))
        return Acad::eOk;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 300:
            m_description = filer->asString();
            break;
        case 70:
            m_anonymous = filer->asInt() != 0;
            break;
        case 71:
            m_selectable = filer->asInt() != 0;
            break;
        case 340:
            m_members.push_back(filer->asObjectId());
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbObject::dxfOutFields(filer);
    filer->writeSubclass("AcDbGroup");
    filer->writeString(300, m_description);
    filer->writeInt16(70, m_anonymous ? 1 : 0);
    filer->writeInt16(71, m_selectable ? 1 : 0);
    for (auto& id : m_members)
        if (!id.isErased() && id.stub() && id.stub()->object)
            filer->writeObjectId(340, id);
    return Acad::eOk;
}
