#include "db/database_impl.h"

#include "dbdict.h"
#include "dbgroup.h"
#include "dbsymtb.h"
#include "db/essentials.h"

namespace kz {

DatabaseImpl::~DatabaseImpl() {
    // Objects may point at each other while being destroyed: take them all out of
    // their stubs first, then free them.
    std::vector<std::unique_ptr<AcDbObject>> objects;
    objects.reserve(m_stubs.size());
    for (AcDbStub& s : m_stubs) {
        unregisterStub(s.oldId);
        s.db = nullptr;
        if (s.object)
            objects.push_back(std::move(s.object));
    }
    objects.clear();
}

AcDbStub* DatabaseImpl::stubForHandle(AcDbHandle handle, bool create) {
    if (handle.isNull())
        return nullptr;
    auto it = m_byHandle.find(handle.value());
    if (it != m_byHandle.end())
        return it->second;
    if (!create)
        return nullptr;
    m_stubs.emplace_back();
    AcDbStub* s = &m_stubs.back();
    s->db = m_self;
    s->handle = handle;
    s->oldId = registerStub(s);
    m_byHandle.emplace(handle.value(), s);
    raiseHandseed(handle.value() + 1);
    return s;
}

Acad::ErrorStatus DatabaseImpl::addObject(AcDbObject* obj, AcDbObjectId owner,
                                          AcDbObjectId& outId, AcDbHandle handle) {
    outId = AcDbObjectId();
    if (!obj)
        return Acad::eNullObjectPointer;
    if (!obj->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (handle.isNull())
        handle = AcDbHandle(m_nextHandle);
    AcDbStub* s = stubForHandle(handle, true);
    if (s->object)
        return Acad::eHandleExists;
    s->object.reset(obj);
    obj->kzAttach(AcDbObjectId(s));
    obj->setOwnerId(owner);
    obj->m_writer = true;
    obj->m_modified = true;
    outId = AcDbObjectId(s);
    return Acad::eOk;
}

int DatabaseImpl::openObjectCount() const {
    int n = 0;
    for (const AcDbStub& s : m_stubs)
        if (s.object && (s.object->m_writer || s.object->m_readers > 0 || s.object->m_notifiers > 0))
            ++n;
    return n;
}

} // namespace kz

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool)
    : m_impl(std::make_unique<kz::DatabaseImpl>(this)) {
    if (buildDefaultDrawing)
        kz::buildDefaultDrawing(*this);
}

AcDbDatabase::~AcDbDatabase() {
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

namespace {

template <class T>
Acad::ErrorStatus openWellKnown(T*& obj, AcDbObjectId id, AcDb::OpenMode mode) {
    obj = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    return acdbOpenObject(obj, id, mode);
}

} // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.blockTable, m);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.layerTable, m);
}
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.linetypeTable, m);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.textStyleTable, m);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.regAppTable, m);
}
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& t, AcDb::OpenMode m) {
    return openWellKnown(t, m_impl->ids.dimStyleTable, m);
}
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& d, AcDb::OpenMode m) {
    return openWellKnown(d, m_impl->ids.namedObjects, m);
}
Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& d, AcDb::OpenMode m) {
    return openWellKnown(d, m_impl->ids.groupDictionary, m);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return m_impl->ids.blockTable; }
AcDbObjectId AcDbDatabase::layerTableId() const { return m_impl->ids.layerTable; }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return m_impl->ids.linetypeTable; }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return m_impl->ids.textStyleTable; }
AcDbObjectId AcDbDatabase::regAppTableId() const { return m_impl->ids.regAppTable; }
AcDbObjectId AcDbDatabase::dimStyleTableId() const { return m_impl->ids.dimStyleTable; }
AcDbObjectId AcDbDatabase::viewportTableId() const { return m_impl->ids.viewportTable; }
AcDbObjectId AcDbDatabase::viewTableId() const { return m_impl->ids.viewTable; }
AcDbObjectId AcDbDatabase::UCSTableId() const { return m_impl->ids.ucsTable; }
AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return m_impl->ids.namedObjects; }
AcDbObjectId AcDbDatabase::groupDictionaryId() const { return m_impl->ids.groupDictionary; }
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return m_impl->ids.byLayer; }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return m_impl->ids.byBlock; }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return m_impl->ids.continuous; }
AcDbObjectId AcDbDatabase::layerZero() const { return m_impl->ids.layerZero; }
AcDbObjectId AcDbDatabase::clayer() const {
    return m_impl->ids.clayer.isNull() ? m_impl->ids.layerZero : m_impl->ids.clayer;
}
Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layerId) {
    AcDbStub* s = layerId.stub();
    if (!s || s->db != this || !s->object || !AcDbLayerTableRecord::cast(s->object.get()))
        return Acad::eInvalidLayer;
    m_impl->ids.clayer = layerId;
    return Acad::eOk;
}
AcDbObjectId AcDbDatabase::textstyle() const { return m_impl->ids.standardTextStyle; }
AcDbObjectId AcDbDatabase::dimstyle() const { return m_impl->ids.standardDimStyle; }
AcDbObjectId AcDbDatabase::currentSpaceId() const { return m_impl->ids.modelSpace; }

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                                const AcDbHandle& objHandle, Adesk::UInt32) {
    retId = AcDbObjectId();
    if (objHandle.isNull())
        return Acad::eNullHandle;
    AcDbStub* s = m_impl->stubForHandle(objHandle, createIfNotFound);
    if (!s)
        return Acad::eUnknownHandle;
    retId = AcDbObjectId(s);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& objId, AcDbObject* obj) {
    return m_impl->addObject(obj, AcDbObjectId(), objId);
}

AcDbHandle AcDbDatabase::handseed() const { return m_impl->nextHandle(); }

bool acdbRegApp(const ACHAR* appName, AcDbDatabase* db) {
    if (!db)
        db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !appName || !*appName)
        return false;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk)
        return false;
    bool ok = table->has(appName);
    if (!ok) {
        auto* rec = new AcDbRegAppTableRecord();
        if (rec->setName(appName) == Acad::eOk && table->add(rec) == Acad::eOk) {
            rec->close();
            ok = true;
        } else {
            delete rec;
        }
    }
    table->close();
    return ok;
}
