// Maps a tokenized DXF file onto the database: header variables, classes, tables and
// their records, blocks with their entities, the entities of model and paper space,
// and the non-graphical objects. Every object keeps its handle; whatever its class
// does not model is kept on it and written back.
#include "db/database_impl.h"
#include "db/symbol_lookup.h"
#include "db/unknown.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "dxf/drawing_io.h"
#include "dxf/sections.h"
#include "dxf/tag_values.h"
#include "db/essentials.h"
#include "file_save.h"
#include "read_filer.h"
#include "win_codepage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kz {
namespace {

using namespace dxf;

std::string_view trimmed(std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

bool hasMarker(const Tag* b, const Tag* e, std::string_view marker) {
    for (const Tag* t = b; t != e; ++t)
        if (t->code == 100 && trimmed(t->value) == marker)
            return true;
    return false;
}

int firstInt(const Tag* b, const Tag* e, int code, int fallback) {
    for (const Tag* t = b; t != e; ++t) {
        std::int32_t v = 0;
        if (t->code == code && parseInt32(t->value, v) == ParseStatus::Ok)
            return v;
    }
    return fallback;
}

// The class of the object a DXF type names, or null for a type the database does not
// model.
const AcRxClass* classForType(std::string_view type, const Tag* b, const Tag* e,
                              const AcDbEntity* parent) {
    // A type holding NUL characters (a damaged file) is none of ours, although its
    // C string would name one: it is kept as read, as the checks for sub-entities and
    // block markers, which see the whole text, take it.
    if (type.find('\0') != std::string_view::npos)
        return nullptr;
    if (type == "DIMENSION") {
        if (hasMarker(b, e, "AcDbRotatedDimension"))
            return AcRxClass::byName(L"AcDbRotatedDimension");
        if (hasMarker(b, e, "AcDbAlignedDimension"))
            return AcRxClass::byName(L"AcDbAlignedDimension");
        if (!hasMarker(b, e, "AcDbDimension")) {
            int kind = firstInt(b, e, 70, 0) & 0x0F;
            if (kind == 0)
                return AcRxClass::byName(L"AcDbRotatedDimension");
            if (kind == 1)
                return AcRxClass::byName(L"AcDbAlignedDimension");
        }
        return nullptr;
    }
    if (type == "POLYLINE") {
        int flags = firstInt(b, e, 70, 0);
        if (hasMarker(b, e, "AcDb3dPolyline") || (flags & 8))
            return (flags & (16 | 64)) ? nullptr : AcRxClass::byName(L"AcDb3dPolyline");
        if (flags & (16 | 64))
            return nullptr;
        return AcRxClass::byName(L"AcDb2dPolyline");
    }
    if (type == "VERTEX") {
        const wchar_t* parentClass = parent ? parent->isA()->name() : L"";
        if (std::wcscmp(parentClass, L"AcDb3dPolyline") == 0)
            return AcRxClass::byName(L"AcDb3dPolylineVertex");
        if (std::wcscmp(parentClass, L"AcDb2dPolyline") == 0)
            return AcRxClass::byName(L"AcDb2dVertex");
        return nullptr;
    }
    // The registry wants a C string; type names are short, a long one gets a string.
    char name[64];
    std::string longName;
    const char* cname = name;
    if (type.size() < sizeof name) {
        std::memcpy(name, type.data(), type.size());
        name[type.size()] = '\0';
    } else {
        longName.assign(type);
        cname = longName.c_str();
    }
    return AcRxClass::byDxfName(cname);
}

AcDbObject* createForType(std::string_view type, const Tag* b, const Tag* e,
                          const AcDbEntity* parent) {
    const AcRxClass* c = classForType(type, b, e, parent);
    return c ? AcDbObject::cast(c->create()) : nullptr;
}

class Reader {
public:
    Reader(const TagFile& file, AcDbDatabase& db, DrawingReadResult& result)
        : m_file(file), m_db(db), m_impl(db.impl()), m_result(result), m_tags(file.tags().data()),
          m_filer(file, &db) {}

    bool run(const SectionScan& scan);

private:
    // ---- one object ----
    // Reads the object whose 0/TYPE tag is at index i and which ends before index j.
    // When obj is null it is created from the type; owner is its owner unless the file
    // says otherwise for non-graphical objects. Returns the new id (null on failure).
    AcDbObjectId readObject(std::size_t i, std::size_t j, AcDbObject* obj, AcDbObjectId owner,
                            bool entity, const AcDbEntity* parent = nullptr,
                            bool ownerFromFile = false);
    bool readXData(std::size_t begin, std::size_t end, AcDbObject* obj);
    // Index of the next 0 tag after i (or end).
    std::size_t nextZero(std::size_t i, std::size_t end) const {
        ++i;
        while (i < end && m_tags[i].code != 0)
            ++i;
        return i;
    }
    bool fail(const Tag& at, std::string_view what) {
        if (m_error.empty())
            m_error = m_file.errorAt(at, DxfProblem::NotDxf, what).message;
        return false;
    }
    void warn(const Tag& at, std::string_view what) {
        m_result.warnings.push_back(m_file.errorAt(at, DxfProblem::None, what).message);
    }

    // ---- sections ----
    void readHeader(const DxfSection& s);
    void readKept(const DxfSection& s, std::vector<KeptTag>& out);
    bool readTables(const DxfSection& s);
    bool readBlocks(const DxfSection& s);
    bool readEntities(const DxfSection& s);
    bool readObjects(const DxfSection& s);
    // Reads the entity at i (and its sub-entities) into block; returns the index after.
    std::size_t readEntityInto(std::size_t i, std::size_t end, AcDbObjectId block);
    AcDbObjectId blockForName(std::wstring name);
    AcDbObjectId ownerRecordOfBlock(std::size_t begin, std::size_t end, const std::wstring& name);
    void resolveLayerLinetypes();
    void finish();

    const TagFile& m_file;
    AcDbDatabase& m_db;
    DatabaseImpl& m_impl;
    DrawingReadResult& m_result;
    const Tag* m_tags;
    // Reused from object to object: readObject is never re-entered.
    ReadFiler m_filer;
    std::vector<const Tag*> m_rest;
    std::string m_error;
    bool m_sawBlockRecords = false;
    bool m_sawObjects = false;
    // Applications of extended data read while the file had no APPID table yet (a
    // damaged file whose table came late or never): registered when the reading ends.
    std::vector<std::wstring> m_unregisteredApps;
};

AcDbObjectId Reader::readObject(std::size_t i, std::size_t j, AcDbObject* obj, AcDbObjectId owner,
                                bool entity, const AcDbEntity* parent, bool ownerFromFile) {
    const Tag& head = m_tags[i];
    std::string_view type = trimmed(head.value);
    const Tag* b = m_tags + i + 1;
    const Tag* e = m_tags + j;
    if (!obj) {
        obj = createForType(type, b, e, parent);
        if (obj && entity != (AcDbEntity::cast(obj) != nullptr)) {
            delete obj;
            obj = nullptr;
        }
        if (!obj) {
            if (entity)
                obj = new UnknownEntity(std::string(type));
            else
                obj = new UnknownObject(std::string(type));
        }
    }

    std::size_t xdataStart = j;
    for (std::size_t k = i + 1; k < j; ++k) {
        if (m_tags[k].code == 1001) {
            xdataStart = k;
            break;
        }
    }

    // Common part: handle, application groups, owner.
    const int handleCode = type == "DIMSTYLE" ? 105 : 5;
    AcDbHandle handle;
    bool sawMarker = false;
    bool sawOwner = false;
    AcDbObjectId fileOwner;
    std::vector<const Tag*>& rest = m_rest;
    rest.clear();
    std::vector<KeptTag> appData;
    std::vector<AcDbObjectId> reactors;
    AcDbObjectId xdict;
    for (std::size_t k = i + 1; k < xdataStart; ++k) {
        const Tag& t = m_tags[k];
        if (t.code == 100)
            sawMarker = true;
        if (t.code == handleCode && handle.isNull() && !sawMarker) {
            std::uint64_t h = 0;
            if (parseHandle(t.value, h) != ParseStatus::Ok) {
                delete obj;
                fail(t, "value " + quoteForMessage(t.value) + " is not a handle for group code " +
                            std::to_string(t.code));
                return {};
            }
            handle = AcDbHandle(h);
            continue;
        }
        if (t.code == 102 && !sawMarker && trimmed(t.value).substr(0, 1) == "{") {
            std::string_view group = trimmed(t.value);
            std::size_t close = k + 1;
            while (close < xdataStart &&
                   !(m_tags[close].code == 102 && trimmed(m_tags[close].value) == "}"))
                ++close;
            if (close >= xdataStart) {
                delete obj;
                fail(t,
                     "application group " + quoteForMessage(group) + " is not closed by 102 \"}\"");
                return {};
            }
            // Reactors and the extension dictionary are modelled when the group holds
            // nothing but their handles; any other group is kept as read.
            int wanted = group == "{ACAD_REACTORS" ? 330 : group == "{ACAD_XDICTIONARY" ? 360 : -1;
            std::vector<AcDbObjectId> ids;
            for (std::size_t g = k + 1; g < close && wanted > 0; ++g) {
                std::uint64_t h = 0;
                if (m_tags[g].code != wanted ||
                    parseHandle(m_tags[g].value, h) != ParseStatus::Ok || h == 0) {
                    wanted = -1;
                    break;
                }
                AcDbObjectId id;
                m_db.getAcDbObjectId(id, true, AcDbHandle(h));
                ids.push_back(id);
            }
            if (wanted == 330) {
                reactors.insert(reactors.end(), ids.begin(), ids.end());
            } else if (wanted == 360 && ids.size() == 1) {
                xdict = ids.front();
            } else {
                for (std::size_t g = k; g <= close; ++g)
                    appData.push_back({m_tags[g].code, std::string(m_tags[g].value)});
            }
            k = close;
            continue;
        }
        if (t.code == 330 && !sawMarker && !sawOwner) {
            sawOwner = true;
            std::uint64_t h = 0;
            if (parseHandle(t.value, h) == ParseStatus::Ok && h != 0)
                m_db.getAcDbObjectId(fileOwner, true, AcDbHandle(h));
            continue;
        }
        rest.push_back(&t);
    }

    if (ownerFromFile)
        owner = fileOwner;
    AcDbObjectId id;
    if (!handle.isNull()) {
        AcDbStub* stub = m_impl.stubForHandle(handle, false);
        if (stub && stub->object) {
            char hex[20];
            std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(handle.value()));
            warn(head, "handle " + std::string(hex) +
                           " is used twice; the second object gets a new handle");
            m_result.duplicateHandles.push_back(handle.value());
            handle = AcDbHandle();
        }
    }
    if (m_impl.addObject(obj, owner, id, handle) != Acad::eOk) {
        delete obj;
        fail(head, "cannot add this object to the drawing");
        return {};
    }

    ReadFiler& filer = m_filer;
    filer.start(rest);
    obj->dxfInFields(&filer);
    filer.keepTheRest(obj);
    if (!filer.firstError().empty()) {
        if (m_error.empty())
            m_error = filer.firstError();
        obj->kzSetModified(false);
        obj->close();
        return {};
    }
    if (!appData.empty() || !reactors.empty() || !xdict.isNull()) {
        auto& ex = obj->extraForWrite();
        ex.appData = std::move(appData);
        ex.reactors = std::move(reactors);
        ex.xdictionary = xdict;
    }
    if (!readXData(xdataStart, j, obj)) {
        obj->kzSetModified(false);
        obj->close();
        return {};
    }
    obj->kzSetModified(false);
    obj->close();
    return id;
}

bool Reader::readXData(std::size_t begin, std::size_t end, AcDbObject* obj) {
    if (begin >= end)
        return true;
    auto& apps = obj->extraForWrite().xdata;
    for (std::size_t k = begin; k < end; ++k) {
        const Tag& t = m_tags[k];
        if (t.code == 1001) {
            std::wstring app = kz::utf8ToWide(trimmed(t.value));
            if (findSymbol(&m_db, SymbolTable::RegApp, app.c_str()).isNull() &&
                findOrAddSymbol(&m_db, SymbolTable::RegApp, app).isNull() &&
                std::find(m_unregisteredApps.begin(), m_unregisteredApps.end(), app) ==
                    m_unregisteredApps.end())
                m_unregisteredApps.push_back(app);
            apps.push_back({app, {}});
            continue;
        }
        if (t.code < 1000 || t.code > 1071)
            return fail(t, "group code " + std::to_string(t.code) +
                               " inside extended data (expected 1000 to 1071)");
        if (apps.empty())
            return fail(t, "extended data without an application name (1001)");
        XDataItem item;
        item.code = static_cast<short>(t.code);
        bool ok = true;
        switch (rbKind(t.code)) {
        case RbKind::String:
            item.text = kz::utf8ToWide(t.value);
            break;
        case RbKind::Binary: {
            std::vector<std::uint8_t> bytes;
            ok = parseBinary(t.value, bytes) == ParseStatus::Ok;
            item.bytes.assign(bytes.begin(), bytes.end());
            break;
        }
        case RbKind::Point: {
            ok = parseDouble(t.value, item.v[0]) == ParseStatus::Ok;
            for (int axis = 1; axis < 3 && ok; ++axis) {
                if (k + 1 < end && m_tags[k + 1].code == t.code + 10 * axis) {
                    ++k;
                    ok = parseDouble(m_tags[k].value, item.v[axis]) == ParseStatus::Ok;
                }
            }
            if (!ok)
                return fail(m_tags[k], "value " + quoteForMessage(m_tags[k].value) +
                                           " is not a number for group code " +
                                           std::to_string(m_tags[k].code));
            break;
        }
        case RbKind::Real:
            ok = parseDouble(t.value, item.v[0]) == ParseStatus::Ok;
            break;
        case RbKind::Short: {
            std::int16_t v = 0;
            ok = parseInt16(t.value, v) == ParseStatus::Ok;
            item.i = v;
            break;
        }
        case RbKind::Long: {
            std::int32_t v = 0;
            ok = parseInt32(t.value, v) == ParseStatus::Ok;
            item.i = v;
            break;
        }
        default:
            // 1020-1033 arrive with their 1010-1013 point; alone they are out of place.
            return fail(t, "group code " + std::to_string(t.code) +
                               " without the point it belongs to");
        }
        if (!ok)
            return fail(t, "value " + quoteForMessage(t.value) + " is not valid for group code " +
                               std::to_string(t.code));
        apps.back().items.push_back(std::move(item));
    }
    return true;
}

// ---- header, classes and kept sections ----

void Reader::readHeader(const DxfSection& s) {
    for (std::size_t k = s.begin; k < s.end; ++k) {
        const Tag& t = m_tags[k];
        if (t.code == 9) {
            m_impl.header.push_back({std::string(trimmed(t.value)), {}});
            continue;
        }
        if (m_impl.header.empty())
            continue; // tags before the first variable carry nothing
        m_impl.header.back().tags.push_back({t.code, std::string(t.value)});
        // Objects the reader must add (missing layers, say) take handles above the
        // seed, so they never collide with handles later in the file.
        std::uint64_t seed = 0;
        if (m_impl.header.back().name == "$HANDSEED" &&
            parseHandle(t.value, seed) == ParseStatus::Ok)
            m_impl.raiseHandseed(seed);
    }
}

void Reader::readKept(const DxfSection& s, std::vector<KeptTag>& out) {
    for (std::size_t k = s.begin; k < s.end; ++k)
        out.push_back({m_tags[k].code, std::string(m_tags[k].value)});
}

// ---- tables ----

struct TableKind {
    const char* name;
    const wchar_t* tableClass;
    AcDbObjectId WellKnownIds::*id;
};

const TableKind kTables[] = {
    {"VPORT", L"AcDbViewportTable", &WellKnownIds::viewportTable},
    {"LTYPE", L"AcDbLinetypeTable", &WellKnownIds::linetypeTable},
    {"LAYER", L"AcDbLayerTable", &WellKnownIds::layerTable},
    {"STYLE", L"AcDbTextStyleTable", &WellKnownIds::textStyleTable},
    {"VIEW", L"AcDbViewTable", &WellKnownIds::viewTable},
    {"UCS", L"AcDbUCSTable", &WellKnownIds::ucsTable},
    {"APPID", L"AcDbRegAppTable", &WellKnownIds::regAppTable},
    {"DIMSTYLE", L"AcDbDimStyleTable", &WellKnownIds::dimStyleTable},
    {"BLOCK_RECORD", L"AcDbBlockTable", &WellKnownIds::blockTable},
};

bool Reader::readTables(const DxfSection& s) {
    std::size_t k = s.begin;
    while (k < s.end) {
        const Tag& t = m_tags[k];
        if (t.code == 999) {
            ++k;
            continue;
        }
        if (!t.isMarker("TABLE"))
            return fail(t, "expected 0 TABLE, found " + std::to_string(t.code) + " " +
                               quoteForMessage(t.value));
        std::size_t headEnd = nextZero(k, s.end);
        std::string_view name;
        for (std::size_t q = k + 1; q < headEnd; ++q)
            if (m_tags[q].code == 2) {
                name = trimmed(m_tags[q].value);
                break;
            }
        // The table's records run to its ENDTAB.
        std::size_t endtab = headEnd;
        while (endtab < s.end && !m_tags[endtab].isMarker("ENDTAB")) {
            if (m_tags[endtab].isMarker("TABLE"))
                return fail(m_tags[endtab],
                            "table " + quoteForMessage(name) + " is not closed by 0 ENDTAB");
            ++endtab;
        }
        if (endtab >= s.end)
            return fail(t, "table " + quoteForMessage(name) + " is not closed by 0 ENDTAB");

        const TableKind* kind = nullptr;
        for (const TableKind& tk : kTables)
            if (name == tk.name)
                kind = &tk;
        if (!kind || !(m_impl.ids.*(kind->id)).isNull()) {
            // A table the database does not know (or a second one of a kind) is kept
            // as read and written back in place.
            KeptSection kept{"TABLE", {}, true};
            for (std::size_t q = k; q <= endtab; ++q)
                kept.tags.push_back({m_tags[q].code, std::string(m_tags[q].value)});
            m_impl.otherSections.push_back(std::move(kept));
            warn(t, "table " + quoteForMessage(name) + " is kept as read");
            k = endtab + 1;
            continue;
        }
        // The table object: its 2/name is written by the writer itself.
        AcRxClass* tableClass = AcRxClass::byName(kind->tableClass);
        AcDbObject* table = tableClass ? AcDbObject::cast(tableClass->create()) : nullptr;
        AcDbObjectId tableId = readObject(k, headEnd, table, AcDbObjectId(), false);
        if (tableId.isNull())
            return false;
        if (auto* ex = table->extra())
            for (auto& sub : ex->kept)
                if (sub.name.empty())
                    std::erase_if(sub.tags, [](const KeptTag& kt) { return kt.code == 2; });
        m_impl.ids.*(kind->id) = tableId;
        if (std::strcmp(kind->name, "BLOCK_RECORD") == 0)
            m_sawBlockRecords = true;

        auto* symbolTable = static_cast<AcDbSymbolTable*>(table);
        std::size_t r = headEnd;
        while (r < endtab) {
            std::size_t next = nextZero(r, endtab);
            AcDbObjectId recId = readObject(r, next, nullptr, tableId, false);
            if (recId.isNull())
                return false;
            AcDbObject* rec = recId.stub()->object.get();
            if (!AcDbSymbolTableRecord::cast(rec) ||
                !rec->isKindOf(AcRxClass::byDxfName(symbolTable->kzRecordDxfName()))) {
                warn(m_tags[r], "a " + std::string(trimmed(m_tags[r].value)) + " record in table " +
                                    std::string(name) + " is kept as read");
            } else if (static_cast<AcDbSymbolTableRecord*>(rec)->name().empty()) {
                // Nothing can name it, and a block of it could not be written.
                return fail(m_tags[r], "a " + std::string(trimmed(m_tags[r].value)) +
                                           " record without a name (group code 2)");
            }
            symbolTable->kzAppendRecord(recId);
            r = next;
        }
        k = endtab + 1;
    }
    return true;
}

// ---- blocks and entities ----

// The block record a BLOCK's owner handle (330) names, when that record is in the block
// table, has the block's name and no block read yet. A damaged file can hold two records of one
// name; each BLOCK then goes to the record it names rather than both to the first.
AcDbObjectId Reader::ownerRecordOfBlock(std::size_t begin, std::size_t end,
                                        const std::wstring& name) {
    for (std::size_t q = begin; q < end; ++q) {
        std::uint64_t h = 0;
        if (m_tags[q].code != 330 || parseHandle(m_tags[q].value, h) != ParseStatus::Ok)
            continue;
        AcDbStub* stub = m_impl.stubForHandle(AcDbHandle(h), false);
        auto* btr = stub && stub->object && !stub->erased
                        ? AcDbBlockTableRecord::cast(stub->object.get())
                        : nullptr;
        // Only a record of the block table: a damaged file can leave one in another
        // table, whose blocks are not written.
        if (btr && btr->ownerId() == m_db.blockTableId() && btr->kzBlockBegin().isNull() &&
            compareSymbolNames(btr->name(), name) == 0)
            return AcDbObjectId(stub);
        return {};
    }
    return {};
}

AcDbObjectId Reader::blockForName(std::wstring name) {
    if (compareSymbolNames(name, L"$MODEL_SPACE") == 0)
        name = ACDB_MODEL_SPACE;
    else if (compareSymbolNames(name, L"$PAPER_SPACE") == 0)
        name = ACDB_PAPER_SPACE;
    AcDbObjectId id = findSymbol(&m_db, SymbolTable::Block, name.c_str());
    if (!id.isNull())
        return id;
    // Files without block records (R12) name their blocks only in BLOCKS.
    ensureTable(m_db, SymbolTable::Block);
    auto* btr = new AcDbBlockTableRecord();
    btr->kzSetNameRaw(name);
    AcDbObjectId tableId = m_db.blockTableId();
    if (m_impl.addObject(btr, tableId, id) != Acad::eOk) {
        delete btr;
        return {};
    }
    btr->close();
    static_cast<AcDbSymbolTable*>(tableId.stub()->object.get())->kzAppendRecord(id);
    if (m_sawBlockRecords)
        m_result.warnings.push_back("added the missing block record \"" + kz::wideToUtf8(name) +
                                    "\"");
    return id;
}

std::size_t Reader::readEntityInto(std::size_t i, std::size_t end, AcDbObjectId block) {
    std::size_t next = nextZero(i, end);
    AcDbObjectId id = readObject(i, next, nullptr, block, true);
    if (id.isNull())
        return end + 1;
    auto* btr = AcDbBlockTableRecord::cast(block.stub()->object.get());
    btr->kzAppendEntityId(id);
    auto* ent = static_cast<AcDbEntity*>(id.stub()->object.get());
    std::vector<AcDbObjectId>* subs = ent->kzSubentities();
    if (!subs)
        return next;
    // An INSERT's attributes follow it only when its 66 says so, and so do the
    // sub-entities of a type the database does not model. Without the flag an ATTRIB
    // after it is an entity of its own (a damaged file can have one), which is saved so
    // again; taking it for the owner's would change the drawing on the next read.
    if ((AcDbBlockReference::cast(ent) || UnknownEntity::cast(ent)) &&
        firstInt(m_tags + i + 1, m_tags + next, 66, 0) != 1)
        return next;
    // Sub-entities and their SEQEND follow their owner.
    while (next < end) {
        std::string_view type = trimmed(m_tags[next].value);
        if (type != "VERTEX" && type != "ATTRIB" && type != "SEQEND")
            break;
        std::size_t after = nextZero(next, end);
        AcDbObjectId subId = readObject(next, after, nullptr, id, true, ent);
        if (subId.isNull())
            return end + 1;
        if (type == "SEQEND") {
            *ent->kzSequenceEnd() = subId;
            next = after;
            break;
        }
        subs->push_back(subId);
        next = after;
    }
    return next;
}

bool Reader::readBlocks(const DxfSection& s) {
    ensureSymbols(m_db);
    std::size_t k = s.begin;
    while (k < s.end) {
        const Tag& t = m_tags[k];
        if (t.code == 999) {
            ++k;
            continue;
        }
        if (!t.isMarker("BLOCK"))
            return fail(t, "expected 0 BLOCK, found " + std::to_string(t.code) + " " +
                               quoteForMessage(t.value));
        std::size_t headEnd = nextZero(k, s.end);
        // The name as the record's is read (blanks kept, NULs dropped), and trimmed.
        std::wstring raw, name;
        for (std::size_t q = k + 1; q < headEnd; ++q)
            if (m_tags[q].code == 2) {
                raw = kz::utf8ToWide(m_tags[q].value);
                std::erase(raw, L'\0');
                name = kz::utf8ToWide(trimmed(m_tags[q].value));
                std::erase(name, L'\0');
                break;
            }
        if (name.empty())
            return fail(t, "block without a name (group code 2)");
        // A record whose name has blanks around it (a damaged file) is the block's own
        // when the BLOCK spells it so; the trimmed name is for the rest.
        AcDbObjectId block = ownerRecordOfBlock(k + 1, headEnd, raw);
        if (block.isNull() && raw != name) {
            block = ownerRecordOfBlock(k + 1, headEnd, name);
            if (block.isNull())
                block = findSymbol(&m_db, SymbolTable::Block, raw.c_str());
        }
        if (block.isNull())
            block = blockForName(name);
        if (block.isNull())
            return fail(t, "block name " + quoteForMessage(kz::wideToUtf8(name)) + " is not valid");
        auto* btr = AcDbBlockTableRecord::cast(block.stub()->object.get());
        // A damaged file can define one block twice (two BLOCKS sections, or two BLOCKs of
        // one name). The first definition keeps its BLOCK and ENDBLK, and so the handles
        // that other objects may name; the entities of the second join it, as one block
        // has one list of entities. The second's markers are not read, so their handles
        // name nothing, at this read as at the next.
        const bool again = !btr->kzBlockBegin().isNull();
        AcDbObjectId beginId;
        if (again) {
            warn(t, "block " + quoteForMessage(kz::wideToUtf8(name)) +
                        " is defined a second time; its entities join the first definition");
        } else {
            auto* begin = new AcDbBlockBegin();
            beginId = readObject(k, headEnd, begin, block, true);
            if (beginId.isNull())
                return false;
            btr->kzSetFlags(begin->kzFlags);
            btr->kzSetNameRaw(btr->name()); // the record's spelling wins
            btr->setOrigin(begin->kzOrigin);
            btr->setPathName(begin->kzPath.c_str());
            btr->setComments(begin->kzDescription.c_str());
            btr->kzSetModified(false);
        }
        std::size_t e = headEnd;
        while (e < s.end && !m_tags[e].isMarker("ENDBLK")) {
            if (m_tags[e].isMarker("BLOCK"))
                return fail(m_tags[e], "block " + quoteForMessage(kz::wideToUtf8(name)) +
                                           " is not closed by 0 ENDBLK");
            e = readEntityInto(e, s.end, block);
            if (e > s.end)
                return false;
        }
        if (e >= s.end)
            return fail(t, "block " + quoteForMessage(kz::wideToUtf8(name)) +
                               " is not closed by 0 ENDBLK");
        std::size_t after = nextZero(e, s.end);
        if (!again) {
            AcDbObjectId endId = readObject(e, after, new AcDbBlockEnd(), block, true);
            if (endId.isNull())
                return false;
            btr->kzSetBlockBeginEnd(beginId, endId);
        }
        k = after;
    }
    return true;
}

bool Reader::readEntities(const DxfSection& s) {
    ensureSymbols(m_db);
    AcDbObjectId model = blockForName(ACDB_MODEL_SPACE);
    AcDbObjectId paper = blockForName(ACDB_PAPER_SPACE);
    std::size_t k = s.begin;
    while (k < s.end) {
        if (m_tags[k].code == 999) {
            ++k;
            continue;
        }
        if (m_tags[k].code != 0)
            return fail(m_tags[k], "expected an entity (group code 0), found group code " +
                                       std::to_string(m_tags[k].code));
        // A block's markers among the entities would become entities of a block, and
        // be saved where they end the block early.
        std::string_view type = trimmed(m_tags[k].value);
        if (type == "BLOCK" || type == "ENDBLK")
            return fail(m_tags[k], "expected an entity, found 0 " + std::string(type) +
                                       " (blocks belong in the BLOCKS section)");
        std::size_t next = nextZero(k, s.end);
        // The owner is named by 330 (files since 2000) or by the paper-space flag 67.
        AcDbObjectId block = model;
        bool sawMarker = false;
        for (std::size_t q = k + 1; q < next; ++q) {
            const Tag& t = m_tags[q];
            if (t.code == 100)
                sawMarker = true;
            std::int32_t v = 0;
            if (t.code == 67 && parseInt32(t.value, v) == ParseStatus::Ok && v == 1)
                block = paper;
            std::uint64_t h = 0;
            if (t.code == 330 && !sawMarker && parseHandle(t.value, h) == ParseStatus::Ok) {
                AcDbStub* st = m_impl.stubForHandle(AcDbHandle(h), false);
                if (st && st->object && AcDbBlockTableRecord::cast(st->object.get()))
                    block = AcDbObjectId(st);
                break;
            }
        }
        k = readEntityInto(k, s.end, block);
        if (k > s.end)
            return false;
    }
    return true;
}

bool Reader::readObjects(const DxfSection& s) {
    std::size_t k = s.begin;
    // The named object dictionary is the first object of the first OBJECTS section; a
    // damaged file's second section does not take its place.
    bool first = !m_sawObjects;
    m_sawObjects = true;
    while (k < s.end) {
        if (m_tags[k].code == 999) {
            ++k;
            continue;
        }
        if (m_tags[k].code != 0)
            return fail(m_tags[k], "expected an object (group code 0), found group code " +
                                       std::to_string(m_tags[k].code));
        std::size_t next = nextZero(k, s.end);
        // A table record belongs in its table, which a save writes from the table's own
        // list: one that a damaged file put among the objects is kept as read, so that
        // it is written again where it stood.
        AcDbObject* kept = nullptr;
        std::string_view type = trimmed(m_tags[k].value);
        const AcRxClass* c = classForType(type, m_tags + k + 1, m_tags + next, nullptr);
        if (c && c->isDerivedFrom(AcDbSymbolTableRecord::desc())) {
            warn(m_tags[k], "a " + std::string(type) + " record among the objects is kept as read");
            kept = new UnknownObject(std::string(type));
        }
        AcDbObjectId id = readObject(k, next, kept, AcDbObjectId(), false, nullptr, true);
        if (id.isNull())
            return false;
        if (first && AcDbDictionary::cast(id.stub()->object.get()))
            m_impl.ids.namedObjects = id;
        first = false;
        k = next;
    }
    return true;
}

// A layer whose linetype was not defined when it was read kept the name as read, and a
// save would write it after the linetype the layer has (Continuous): now that every
// table is read, the name is looked up again, and a linetype that is still missing is
// added, as for entities.
void Reader::resolveLayerLinetypes() {
    // Every layer record, also one a damaged file put into another table.
    std::vector<AcDbObjectId> layers;
    m_impl.forEachStub([&](const AcDbStub& s) {
        if (s.object && AcDbLayerTableRecord::cast(s.object.get()))
            layers.push_back(AcDbObjectId(const_cast<AcDbStub*>(&s)));
    });
    for (AcDbObjectId id : layers) {
        auto* layer = AcDbLayerTableRecord::cast(id.stub()->object.get());
        ObjectExtra* ex = layer ? layer->extra() : nullptr;
        if (!ex || !layer->linetypeObjectId().isNull())
            continue;
        for (KeptSubclass& sub : ex->kept) {
            // The layer's own part; tags before the first marker only in a file without
            // markers (in others they are no field of the layer's, just kept).
            if (sub.name != "AcDbLayerTableRecord" && !(sub.name.empty() && ex->noMarkers))
                continue;
            auto kept = std::find_if(sub.tags.begin(), sub.tags.end(),
                                     [](const KeptTag& t) { return t.code == 6; });
            if (kept == sub.tags.end())
                continue;
            AcDbObjectId linetype =
                findOrAddSymbol(&m_db, SymbolTable::Linetype, kz::utf8ToWide(trimmed(kept->value)));
            AcDbLayerTableRecord* open = nullptr;
            if (linetype.isNull() || acdbOpenObject(open, id, AcDb::kForWrite) != Acad::eOk)
                continue;
            open->setLinetypeObjectId(linetype);
            open->kzSetModified(false);
            open->close();
            sub.tags.erase(kept);
            break;
        }
    }
}

void Reader::finish() {
    ensureEssentials(m_db);
    resolveLayerLinetypes();
    for (const std::wstring& app : m_unregisteredApps)
        findOrAddSymbol(&m_db, SymbolTable::RegApp, app);
    for (const HeaderVar& v : m_impl.header) {
        if (v.name == "$HANDSEED" && !v.tags.empty()) {
            std::uint64_t h = 0;
            if (parseHandle(v.tags.front().value, h) == ParseStatus::Ok)
                m_impl.raiseHandseed(h);
        } else if (v.name == "$CLAYER" && !v.tags.empty()) {
            AcDbObjectId layer = findSymbol(&m_db, SymbolTable::Layer,
                                            kz::utf8ToWide(trimmed(v.tags.front().value)).c_str());
            if (!layer.isNull())
                m_impl.ids.clayer = layer;
        }
    }
}

// Group codes whose value is a handle: an object's own (5, 105) or a reference to one
// (owners, pointers, extended data).
bool namesHandle(int code) {
    return code == 5 || code == 105 || (code >= 320 && code <= 369) ||
           (code >= 390 && code <= 399) || code == 480 || code == 481 || code == 1005;
}

bool Reader::run(const SectionScan& scan) {
    // Objects the reader adds (a missing layer, model space of a file without block
    // records) take handles above every handle of the file, also when its $HANDSEED is
    // missing or too low, so that no object of the file is renumbered for them, and
    // none takes a handle that a reference of the file names (a damaged file can name
    // an object it lacks; the reference would then reach the new one).
    std::uint64_t highest = 0;
    for (const DxfSection& s : scan.sections) {
        if (s.name == "HEADER")
            continue; // $HANDSEED's own 5 is no object's handle
        for (std::size_t k = s.begin; k < s.end; ++k) {
            const Tag& t = m_tags[k];
            std::uint64_t h = 0;
            if (namesHandle(t.code) && parseHandle(t.value, h) == ParseStatus::Ok && h > highest)
                highest = h;
        }
    }
    if (highest > 0 && highest < UINT64_MAX)
        m_impl.raiseHandseed(highest + 1);
    for (const DxfSection& s : scan.sections) {
        if (s.name == "HEADER")
            readHeader(s);
        else if (s.name == "CLASSES")
            readKept(s, m_impl.classes);
        else if (s.name == "TABLES") {
            if (!readTables(s))
                break;
        } else if (s.name == "BLOCKS") {
            if (!readBlocks(s))
                break;
        } else if (s.name == "ENTITIES") {
            if (!readEntities(s))
                break;
        } else if (s.name == "OBJECTS") {
            if (!readObjects(s))
                break;
        } else {
            KeptSection kept{std::string(s.name), {}};
            readKept(s, kept.tags);
            m_impl.otherSections.push_back(std::move(kept));
        }
    }
    if (!m_error.empty()) {
        m_result.error = m_error;
        return false;
    }
    finish();
    return true;
}

} // namespace

DrawingReadResult readDrawingFromText(const std::string& fileName, std::string text,
                                      AcDbDatabase& db) {
    DrawingReadResult result;
    TagFile file;
    DxfError error;
    if (!parseTagFile(fileName, std::move(text), file, error)) {
        result.error = error.message;
        return result;
    }
    for (const DxfError& w : file.warnings())
        result.warnings.push_back(w.message);
    SectionScan scan;
    if (!scanSections(file, scan, error)) {
        result.error = error.message;
        return result;
    }
    for (const DxfError& w : scan.warnings)
        result.warnings.push_back(w.message);
    if (!scan.find("ENTITIES") && !scan.find("BLOCKS") && !scan.find("TABLES")) {
        result.error = fileName + ": no TABLES, BLOCKS or ENTITIES section: not a drawing";
        return result;
    }
    Reader reader(file, db, result);
    result.ok = reader.run(scan);
    for (auto& w : db.impl().warnings)
        result.warnings.push_back(fileName + ": " + w);
    db.impl().warnings.clear();
    return result;
}

DrawingReadResult readDrawing(const std::string& path, AcDbDatabase& db) {
    std::string bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) {
        DrawingReadResult result;
        result.error = error;
        return result;
    }
    return readDrawingFromText(path, std::move(bytes), db);
}

} // namespace kz
