#include "dbdict.h"

#include "db/database_impl.h"
#include "dbsymtb.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbDictionary, AcDbObject, "DICTIONARY")

namespace {
bool live(const AcDbObjectId& id) { return id.stub() && id.stub()->object && !id.isErased(); }
} // namespace

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObjectId& entryId) const {
    assertReadEnabled();
    entryId = AcDbObjectId();
    if (!entryName)
        return Acad::eInvalidInput;
    for (auto& e : m_entries) {
        if (kz::compareSymbolNames(e.name, entryName) == 0) {
            if (!live(e.id))
                return Acad::eKeyNotFound;
            entryId = e.id;
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObject*& entry,
                                        AcDb::OpenMode mode) const {
    entry = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id);
    return es == Acad::eOk ? acdbOpenAcDbObject(entry, id, mode) : es;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, ACHAR*& entryName) const {
    entryName = nullptr;
    for (auto& e : m_entries) {
        if (e.id == objId) {
            entryName = acutNewString(e.name.c_str());
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

bool AcDbDictionary::has(const ACHAR* entryName) const {
    AcDbObjectId id;
    return getAt(entryName, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId objId) const {
    for (auto& e : m_entries)
        if (e.id == objId && live(e.id))
            return true;
    return false;
}

Adesk::UInt32 AcDbDictionary::numEntries() const {
    Adesk::UInt32 n = 0;
    for (auto& e : m_entries)
        if (live(e.id))
            ++n;
    return n;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* srchKey, AcDbObject* newValue,
                                        AcDbObjectId& retObjId) {
    retObjId = AcDbObjectId();
    if (!srchKey || !*srchKey || !newValue)
        return Acad::eInvalidInput;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (newValue->objectId().isNull()) {
        AcDbDatabase* db = database();
        if (!db)
            return Acad::eNoDatabase;
        Acad::ErrorStatus es = db->impl().addObject(newValue, objectId(), retObjId);
        if (es != Acad::eOk)
            return es;
    } else {
        retObjId = newValue->objectId();
        newValue->setOwnerId(objectId());
    }
    assertWriteEnabled();
    for (auto& e : m_entries) {
        if (kz::compareSymbolNames(e.name, srchKey) == 0) {
            e.id = retObjId;
            return Acad::eOk;
        }
    }
    m_entries.push_back({srchKey, retObjId});
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& returnId) {
    returnId = AcDbObjectId();
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (key && kz::compareSymbolNames(it->name, key) == 0) {
            returnId = it->id;
            assertWriteEnabled();
            m_entries.erase(it);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->id == objId) {
            assertWriteEnabled();
            m_entries.erase(it);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const {
    assertReadEnabled();
    return new AcDbDictionaryIterator(m_entries);
}

void AcDbDictionary::setTreatElementsAsHard(bool doIt) {
    assertWriteEnabled();
    m_hardOwner = doIt;
}

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* filer) {
    AcDbObject::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbDictionary"))
        return Acad::eOk;
    std::wstring pendingName;
    bool havePending = false;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 280:
            m_hardOwner = filer->asInt() != 0;
            break;
        case 281:
            m_mergeStyle = filer->asInt();
            break;
        case 3:
            pendingName = filer->asString();
            havePending = true;
            break;
        case 350:
        case 360:
            if (havePending) {
                m_entries.push_back({pendingName, filer->asObjectId()});
                havePending = false;
            } else {
                filer->keepItem();
            }
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbObject::dxfOutFields(filer);
    filer->writeSubclass("AcDbDictionary");
    if (m_hardOwner)
        filer->writeInt16(280, 1);
    filer->writeInt16(281, m_mergeStyle);
    for (auto& e : m_entries) {
        if (!live(e.id))
            continue;
        filer->writeString(3, e.name);
        filer->writeObjectId(m_hardOwner ? 360 : 350, e.id);
    }
    return Acad::eOk;
}

// ---- iterator ----

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<AcDbDictionary::Entry> entries)
    : m_entries(std::move(entries)) {
    skipDead();
}

void AcDbDictionaryIterator::skipDead() {
    while (m_pos < m_entries.size() && !live(m_entries[m_pos].id))
        ++m_pos;
}

const ACHAR* AcDbDictionaryIterator::name() const {
    return done() ? nullptr : m_entries[m_pos].name.c_str();
}

AcDbObjectId AcDbDictionaryIterator::objectId() const {
    return done() ? AcDbObjectId() : m_entries[m_pos].id;
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& obj, AcDb::OpenMode mode) {
    obj = nullptr;
    if (done())
        return Acad::eInvalidIndex;
    return acdbOpenAcDbObject(obj, m_entries[m_pos].id, mode);
}

bool AcDbDictionaryIterator::next() {
    if (done())
        return false;
    ++m_pos;
    skipDead();
    return !done();
}
