#include "dbsymtb.h"

#include "db/database_impl.h"
#include "db/symbol_name_index.h"

#include <cwctype>

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject)

namespace kz {

int compareSymbolNames(std::wstring_view a, std::wstring_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        wint_t ca = foldSymbolChar(a[i]);
        wint_t cb = foldSymbolChar(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace kz

namespace {

// A block made through the API gets the BLOCK and ENDBLK entities that frame its
// contents in DXF files, as blocks read from files and the default drawing's have.
void addBlockBeginEnd(AcDbDatabase* db, AcDbBlockTableRecord* btr) {
    AcDbObjectId ids[2];
    AcDbEntity* ends[2] = {new AcDbBlockBegin(), new AcDbBlockEnd()};
    for (int i = 0; i < 2; ++i) {
        ends[i]->setLayer(db->layerZero());
        ends[i]->setLinetype(db->byLayerLinetype());
        if (db->impl().addObject(ends[i], btr->objectId(), ids[i]) != Acad::eOk) {
            delete ends[i];
            continue;
        }
        ends[i]->close();
    }
    btr->kzSetBlockBeginEnd(ids[0], ids[1]);
}

} // namespace

// ---- records ----

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    assertReadEnabled();
    name = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
    assertReadEnabled();
    name = acutNewString(m_name.c_str());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (!name || !*name)
        return Acad::eInvalidInput;
    for (const ACHAR* p = name; *p; ++p) {
        switch (*p) {
        case L'<':
        case L'>':
        case L'/':
        case L'\\':
        case L'"':
        case L':':
        case L';':
        case L'?':
        case L'*':
        case L'|':
        case L',':
        case L'=':
        case L'`':
            // A leading '*' names the host's own blocks (*Model_Space, *U12).
            if (*p == L'*' && p == name && isKindOf(AcDbBlockTableRecord::desc()))
                continue;
            return Acad::eInvalidInput;
        default:
            if (*p < 0x20)
                return Acad::eInvalidInput;
        }
    }
    // A resident record keeps its table's names unique.
    if (!objectId().isNull()) {
        AcDbObject* owner = nullptr;
        if (acdbOpenAcDbObject(owner, ownerId(), AcDb::kForRead) == Acad::eOk) {
            auto* table = AcDbSymbolTable::cast(owner);
            AcDbObjectId other;
            bool clash = table && table->getAt(name, other) == Acad::eOk && other != objectId();
            owner->close();
            if (clash)
                return Acad::eDuplicateRecordName;
        }
    }
    assertWriteEnabled();
    kzSetNameRaw(name);
    return Acad::eOk;
}

void AcDbSymbolTableRecord::kzSetNameRaw(std::wstring name) {
    if (name == m_name)
        return;
    m_name = std::move(name);
    if (!objectId().isNull())
        kz::noteSymbolNameChange();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    if (filer->atSubclassData("AcDbSymbolTableRecord")) {
        while (filer->nextItem()) {
            // R12 files give every class the one pool: take the name and flags here.
            if (filer->code() == 2)
                kzSetNameRaw(filer->asString());
            else if (filer->code() == 70)
                m_flags = filer->asInt();
            else
                filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    filer->writeSubclass("AcDbSymbolTableRecord");
    return Acad::eOk;
}

// ---- tables ----

AcDbSymbolTable::AcDbSymbolTable() = default;
AcDbSymbolTable::~AcDbSymbolTable() = default;

kz::SymbolNameIndex& AcDbSymbolTable::nameIndex() const {
    if (!m_index)
        m_index = std::make_unique<kz::SymbolNameIndex>();
    return *m_index;
}

void AcDbSymbolTable::kzAppendRecord(AcDbObjectId id) {
    m_records.push_back(id);
    nameIndex().appended(m_records, m_records.size() - 1);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    for (auto& r : m_records)
        if (r == id && !r.isErased())
            return true;
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& recordId,
                                         bool getErased) const {
    assertReadEnabled();
    recordId = AcDbObjectId();
    if (!name)
        return Acad::eInvalidInput;
    for (std::size_t pos : nameIndex().candidates(m_records, name)) {
        const AcDbObjectId& id = m_records[pos];
        AcDbStub* s = id.stub();
        if (!s || !s->object || (s->erased && !getErased))
            continue;
        // A damaged file may put another kind of object among the records; it is kept
        // for saving, but it is no record of this table.
        auto* rec = AcDbSymbolTableRecord::cast(s->object.get());
        if (!rec || !rec->isKindOf(recordClass()))
            continue;
        if (kz::compareSymbolNames(rec->name(), name) == 0) {
            recordId = id;
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErased) const {
    record = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErased);
    if (es != Acad::eOk)
        return es;
    return acdbOpenObject(record, id, mode, openErased);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record) {
    recordId = AcDbObjectId();
    if (!record)
        return Acad::eNullObjectPointer;
    if (!objectId().isNull() && !isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!record->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (!record->isKindOf(recordClass()))
        return Acad::eIllegalEntityType;
    std::wstring name = nameForNewRecord(record->name());
    if (name.empty())
        return Acad::eInvalidInput;
    if (has(name.c_str()))
        return Acad::eDuplicateRecordName;
    AcDbDatabase* db = database();
    if (!db)
        return Acad::eNoDatabase;
    // Named while not yet in the database, so that no index of names is made stale.
    if (name != record->name() && record->setName(name.c_str()) != Acad::eOk)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = db->impl().addObject(record, objectId(), recordId);
    if (es != Acad::eOk)
        return es;
    assertWriteEnabled();
    kzAppendRecord(recordId);
    if (auto* btr = AcDbBlockTableRecord::cast(record); btr && btr->kzBlockBegin().isNull())
        addBlockBeginEnd(db, btr);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
    assertReadEnabled();
    iterator = new AcDbSymbolTableIterator(m_records, atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dxfInFields(AcDbDxfFiler* filer) {
    if (filer->atSubclassData("AcDbSymbolTable")) {
        while (filer->nextItem()) {
            // The record count (70) is recomputed when writing; the name (2) is the
            // table's own.
            if (filer->code() != 70 && filer->code() != 2)
                filer->keepItem();
        }
    }
    if (kzTableSubclass() && filer->atSubclassData(kzTableSubclass())) {
        while (filer->nextItem())
            filer->keepItem();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* filer) const {
    filer->writeSubclass("AcDbSymbolTable");
    int live = 0;
    for (auto& id : m_records)
        if (!id.isErased() && id.stub() && id.stub()->object)
            ++live;
    filer->writeInt16(70, live);
    if (kzTableSubclass())
        filer->writeSubclass(kzTableSubclass());
    return Acad::eOk;
}

// ---- iterators ----

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const std::vector<AcDbObjectId>& ids,
                                                 bool atBeginning, bool skipDeleted)
    : m_ids(ids) {
    start(atBeginning, skipDeleted);
}

namespace {
bool skippable(const AcDbObjectId& id, bool skipDeleted) {
    return !id.stub() || !id.stub()->object || (skipDeleted && id.isErased());
}
} // namespace

void AcDbSymbolTableIterator::skip(bool forward, bool skipDeleted) {
    long n = static_cast<long>(m_ids.size());
    while (m_pos >= 0 && m_pos < n &&
           skippable(m_ids[static_cast<std::size_t>(m_pos)], skipDeleted))
        m_pos += forward ? 1 : -1;
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
    m_pos = atBeginning ? 0 : static_cast<long>(m_ids.size()) - 1;
    skip(atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const {
    return m_pos < 0 || m_pos >= static_cast<long>(m_ids.size());
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
    if (done())
        return;
    m_pos += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done())
        return Acad::eInvalidIndex;
    id = m_ids[static_cast<std::size_t>(m_pos)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record,
                                                     AcDb::OpenMode mode,
                                                     bool openErasedRecord) const {
    record = nullptr;
    if (done())
        return Acad::eInvalidIndex;
    return acdbOpenObject(record, m_ids[static_cast<std::size_t>(m_pos)], mode, openErasedRecord);
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(AcDbObjectId id) {
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == id) {
            m_pos = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

// ---- typed tables ----

#define KZ_DEFINE_TABLE(TABLE, RECORD, ITER, RECORD_DXF, TABLE_DXF)                                \
    ACRX_DXF_DEFINE_MEMBERS(RECORD, AcDbSymbolTableRecord, RECORD_DXF)                             \
    AcRxClass* TABLE::recordClass() const {                                                        \
        return RECORD::desc();                                                                     \
    }                                                                                              \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* name, RECORD*& record, AcDb::OpenMode mode,        \
                                   bool openErased) const {                                        \
        record = nullptr;                                                                          \
        AcDbObjectId id;                                                                           \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, id, openErased);                       \
        if (es != Acad::eOk)                                                                       \
            return es;                                                                             \
        return acdbOpenObject(record, id, mode, openErased);                                       \
    }                                                                                              \
    Acad::ErrorStatus TABLE::newIterator(ITER*& iterator, bool atBeginning, bool skipDeleted)      \
        const {                                                                                    \
        assertReadEnabled();                                                                       \
        iterator = new ITER(kzRecords(), atBeginning, skipDeleted);                                \
        return Acad::eOk;                                                                          \
    }                                                                                              \
    Acad::ErrorStatus ITER::getRecord(RECORD*& record, AcDb::OpenMode mode, bool openErasedRecord) \
        const {                                                                                    \
        record = nullptr;                                                                          \
        if (done())                                                                                \
            return Acad::eInvalidIndex;                                                            \
        return acdbOpenObject(record, m_ids[static_cast<std::size_t>(m_pos)], mode,                \
                              openErasedRecord);                                                   \
    }

ACRX_DXF_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbDimStyleTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbViewportTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbViewTable, AcDbSymbolTable, "")
ACRX_DXF_DEFINE_MEMBERS(AcDbUCSTable, AcDbSymbolTable, "")

KZ_DEFINE_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator, "BLOCK_RECORD", "")
KZ_DEFINE_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator, "LAYER", "")
KZ_DEFINE_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator, "LTYPE", "")
KZ_DEFINE_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator, "STYLE",
                "")
KZ_DEFINE_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator, "APPID", "")
KZ_DEFINE_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator, "DIMSTYLE",
                "")
KZ_DEFINE_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator, "VPORT", "")
KZ_DEFINE_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator, "VIEW", "")
KZ_DEFINE_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator, "UCS", "")

std::wstring AcDbBlockTable::nameForNewRecord(const std::wstring& name) const {
    // "*U" and "*D" (anonymous blocks of groups of entities and of dimensions) are
    // numbered: the first free "*U<n>" is taken.
    if (name.size() < 2 || name[0] != L'*')
        return name;
    wchar_t kind = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(name[1])));
    if ((kind != L'U' && kind != L'D' && kind != L'X' && kind != L'A') || name.size() > 2)
        return name;
    const long n = nameIndex().nextAnonymousNumber(kzRecords(), kind);
    return std::wstring(L"*") + kind + std::to_wstring(n);
}
