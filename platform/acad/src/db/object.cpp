#include "dbmain.h"

#include "db/database_impl.h"
#include "dbsymtb.h"

#include "win_codepage.h"

#include <cstring>
#include <cwchar>

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbObject, AcRxObject)

AcDbObject::AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject& other)
    : AcRxObject(other), m_ownerId(), m_modified(true) {
    if (other.m_extra) {
        m_extra = std::make_unique<kz::ObjectExtra>(*other.m_extra);
        // A copy is a new object: it is not a member of the original's groups and
        // does not share its extension dictionary.
        m_extra->reactors.clear();
        m_extra->xdictionary = AcDbObjectId();
    }
}

AcDbObject::~AcDbObject() = default;

kz::ObjectExtra& AcDbObject::extraForWrite() {
    if (!m_extra)
        m_extra = std::make_unique<kz::ObjectExtra>();
    return *m_extra;
}

void AcDbObject::kzAttach(AcDbObjectId id) { m_id = id; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId ownerId) {
    m_ownerId = ownerId;
    return Acad::eOk;
}

AcDbDatabase* AcDbObject::database() const { return m_id.database(); }

AcDbHandle AcDbObject::handle() const { return m_id.handle(); }

bool AcDbObject::isReadEnabled() const { return m_id.isNull() || m_readers > 0 || m_writer; }

bool AcDbObject::isWriteEnabled() const { return m_id.isNull() || m_writer; }

void AcDbObject::assertWriteEnabled() const {
    auto* self = const_cast<AcDbObject*>(this);
    self->m_modified = true;
    if (!m_id.isNull() && !m_writer && m_id.database())
        m_id.database()->impl().countAccessViolation();
}

// Reads of closed objects are not counted: the host's own code (file writing,
// drawing) reads objects without opening them.
void AcDbObject::assertReadEnabled() const {}

Acad::ErrorStatus AcDbObject::close() {
    if (m_id.isNull())
        return Acad::eOk; // not in a database: its owner deletes it
    if (m_writer) {
        m_writer = false;
        if (m_modified)
            subClose();
        return Acad::eOk;
    }
    if (m_readers > 0) {
        --m_readers;
        return Acad::eOk;
    }
    if (m_notifiers > 0) {
        --m_notifiers;
        return Acad::eOk;
    }
    return Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::cancel() { return close(); }

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (m_id.isNull() || m_writer)
        return Acad::eOk;
    if (m_readers != 1)
        return m_readers == 0 ? Acad::eNotOpenForRead : Acad::eWasOpenedForRead;
    m_readers = 0;
    m_writer = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (m_id.isNull())
        return Acad::eOk;
    if (!m_writer)
        return Acad::eNotOpenForWrite;
    m_writer = false;
    if (m_modified)
        subClose();
    m_readers = 1;
    return Acad::eOk;
}

bool AcDbObject::isErased() const { return m_id.isErased(); }

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (m_id.isNull())
        return Acad::eNotInDatabase;
    if (!m_writer)
        return Acad::eNotOpenForWrite;
    AcDbStub* stub = m_id.stub();
    if (stub->erased == erasing)
        return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk)
        return es;
    stub->erased = erasing;
    m_modified = true;
    return Acad::eOk;
}

// ---- extended data ----

namespace {

void appendItem(resbuf*& head, resbuf*& tail, const kz::XDataItem& item) {
    resbuf* rb = acutNewRb(item.code);
    switch (kz::rbKind(item.code)) {
    case kz::RbKind::String:
        rb->resval.rstring = acutNewString(item.text.c_str());
        break;
    case kz::RbKind::Point:
        for (int i = 0; i < 3; ++i)
            rb->resval.rpoint[i] = item.v[i];
        break;
    case kz::RbKind::Real:
        rb->resval.rreal = item.v[0];
        break;
    case kz::RbKind::Short:
        rb->resval.rint = static_cast<short>(item.i);
        break;
    case kz::RbKind::Long:
        rb->resval.rlong = static_cast<Adesk::Int32>(item.i);
        break;
    case kz::RbKind::Binary: {
        rb->resval.rbinary.clen = static_cast<short>(item.bytes.size());
        rb->resval.rbinary.buf = new char[item.bytes.size() + 1];
        std::memcpy(rb->resval.rbinary.buf, item.bytes.data(), item.bytes.size());
        break;
    }
    default:
        break;
    }
    if (tail)
        tail->rbnext = rb;
    else
        head = rb;
    tail = rb;
}

bool itemFromResbuf(const resbuf* rb, kz::XDataItem& item) {
    item.code = rb->restype;
    if (rb->restype < 1000 || rb->restype > 1071)
        return false;
    switch (kz::rbKind(rb->restype)) {
    case kz::RbKind::String:
        item.text = rb->resval.rstring ? rb->resval.rstring : L"";
        if (rb->restype == 1002 && item.text != L"{" && item.text != L"}")
            return false;
        return true;
    case kz::RbKind::Point:
        for (int i = 0; i < 3; ++i)
            item.v[i] = rb->resval.rpoint[i];
        return true;
    case kz::RbKind::Real:
        item.v[0] = rb->resval.rreal;
        return true;
    case kz::RbKind::Short:
        item.i = rb->resval.rint;
        return true;
    case kz::RbKind::Long:
        item.i = rb->resval.rlong;
        return true;
    case kz::RbKind::Binary:
        if (rb->resval.rbinary.clen < 0 || (rb->resval.rbinary.clen > 0 && !rb->resval.rbinary.buf))
            return false;
        item.bytes.assign(rb->resval.rbinary.buf ? rb->resval.rbinary.buf : "",
                          static_cast<std::size_t>(rb->resval.rbinary.clen));
        return true;
    default:
        return false;
    }
}

// Rough size of one application's data as the host counts it against its limit.
std::size_t itemSize(const kz::XDataItem& item) {
    switch (kz::rbKind(item.code)) {
    case kz::RbKind::String:
        return 4 + kz::wideToUtf8(item.text).size();
    case kz::RbKind::Point:
        return 2 + 24;
    case kz::RbKind::Binary:
        return 3 + item.bytes.size();
    default:
        return 2 + 8;
    }
}

} // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
    assertReadEnabled();
    if (!m_extra)
        return nullptr;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const auto& app : m_extra->xdata) {
        if (regappName && kz::compareSymbolNames(app.app, regappName) != 0)
            continue;
        kz::XDataItem name;
        name.code = 1001;
        name.text = app.app;
        appendItem(head, tail, name);
        for (const auto& item : app.items)
            appendItem(head, tail, item);
    }
    return head;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    // Parse the whole chain first: a bad chain changes nothing.
    std::vector<kz::XDataApp> apps;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            if (!rb->resval.rstring || !*rb->resval.rstring)
                return Acad::eInvalidInput;
            apps.push_back({rb->resval.rstring, {}});
            continue;
        }
        if (rb->restype == -3)
            continue;
        if (apps.empty())
            return Acad::eBadDxfSequence;
        kz::XDataItem item;
        if (!itemFromResbuf(rb, item))
            return Acad::eInvalidDxfCode;
        apps.back().items.push_back(std::move(item));
    }
    AcDbDatabase* db = kz::databaseFor(this);
    for (const auto& app : apps) {
        if (db) {
            AcDbRegAppTable* table = nullptr;
            bool known = false;
            if (db->getRegAppTable(table, AcDb::kForRead) == Acad::eOk) {
                known = table->has(app.app.c_str());
                table->close();
            }
            if (!known)
                return Acad::eRegappIdNotFound;
        }
        std::size_t size = 0;
        for (const auto& item : app.items)
            size += itemSize(item);
        if (size > 16383)
            return Acad::eXdataSizeExceeded;
    }
    assertWriteEnabled();
    auto& ex = extraForWrite();
    for (auto& app : apps) {
        auto it = ex.xdata.begin();
        while (it != ex.xdata.end() && kz::compareSymbolNames(it->app, app.app) != 0)
            ++it;
        if (app.items.empty()) {
            if (it != ex.xdata.end())
                ex.xdata.erase(it);
        } else if (it != ex.xdata.end()) {
            it->items = std::move(app.items);
        } else {
            ex.xdata.push_back(std::move(app));
        }
    }
    return Acad::eOk;
}

AcDbObjectId AcDbObject::extensionDictionary() const {
    return m_extra ? m_extra->xdictionary : AcDbObjectId();
}

void AcDbObject::addPersistentReactor(AcDbObjectId reactorId) {
    assertWriteEnabled();
    auto& r = extraForWrite().reactors;
    for (auto& id : r)
        if (id == reactorId)
            return;
    r.push_back(reactorId);
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId reactorId) {
    if (!m_extra)
        return Acad::eKeyNotFound;
    auto& r = m_extra->reactors;
    for (auto it = r.begin(); it != r.end(); ++it) {
        if (*it == reactorId) {
            assertWriteEnabled();
            r.erase(it);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

AcDbObjectIdArray AcDbObject::getPersistentReactors() const {
    AcDbObjectIdArray ids;
    if (m_extra)
        for (auto& id : m_extra->reactors)
            ids.append(id);
    return ids;
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler*) { return Acad::eOk; }

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler*) const { return Acad::eOk; }

// ---- opening ----

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    obj = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    AcDbStub* stub = id.stub();
    if (!stub->db)
        return Acad::eNoDatabase;
    if (!stub->object)
        return Acad::ePermanentlyErased;
    if (stub->erased && !openErased)
        return Acad::eWasErased;
    AcDbObject* o = stub->object.get();
    switch (mode) {
    case AcDb::kForRead:
        if (o->m_writer)
            return Acad::eWasOpenedForWrite;
        if (o->m_readers >= 256)
            return Acad::eAtMaxReaders;
        ++o->m_readers;
        break;
    case AcDb::kForWrite:
        if (o->m_writer)
            return Acad::eWasOpenedForWrite;
        if (o->m_readers > 0)
            return Acad::eWasOpenedForRead;
        o->m_writer = true;
        o->m_modified = false;
        break;
    case AcDb::kForNotify:
        ++o->m_notifiers;
        break;
    }
    obj = o;
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    Acad::ErrorStatus es = acdbOpenObject(ent, id, mode, openErased);
    return es == Acad::eNotThatKindOfClass ? Acad::eNotAnEntity : es;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
    objName[0] = static_cast<Adesk::LongPtr>(objId.asOldId());
    objName[1] = 0;
    return objId.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
    objId.setFromOldId(static_cast<Adesk::IntDbId>(objName[0]));
    return objId.isNull() ? Acad::eUnknownHandle : Acad::eOk;
}
