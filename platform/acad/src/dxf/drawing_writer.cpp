// Writes the database as a 2013-format DXF file: the header variables, classes and
// other sections kept from the file it was read from, the tables, the blocks, the
// entities of model and paper space and the non-graphical objects, each object with
// its handle, application groups, owner, fields, kept tags and extended data.
#include "db/database_impl.h"
#include "db/symbol_lookup.h"
#include "db/unknown.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dxf/drawing_io.h"
#include "dxf/tag_writer.h"
#include "file_save.h"
#include "win_codepage.h"
#include "write_filer.h"

#include <algorithm>
#include <set>

namespace kz {
namespace {

using namespace dxf;

// Every symbol table, in the order they are written.
const AcDbObjectId WellKnownIds::*const kTables[] = {
    &WellKnownIds::viewportTable,  &WellKnownIds::linetypeTable, &WellKnownIds::layerTable,
    &WellKnownIds::textStyleTable, &WellKnownIds::viewTable,     &WellKnownIds::ucsTable,
    &WellKnownIds::regAppTable,    &WellKnownIds::dimStyleTable, &WellKnownIds::blockTable,
};

template <class T> T* object(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    return s && s->object ? T::cast(s->object.get()) : nullptr;
}

bool live(AcDbObjectId id) {
    return id.stub() && id.stub()->object && !id.isErased();
}

class Writer {
public:
    Writer(AcDbDatabase& db, std::string& out)
        : m_db(db), m_impl(db.impl()), m_tags(out), m_filer(m_tags, &db) {}

    bool run(std::string& error);

private:
    void section(const char* name) {
        m_tags.writeString(0, "SECTION");
        m_tags.writeString(2, name);
    }
    void endSection() { m_tags.writeString(0, "ENDSEC"); }
    void writeKept(const std::vector<KeptTag>& tags) {
        for (const KeptTag& t : tags)
            m_tags.writeVerbatim(t.code, t.value);
    }
    void header();
    void tables();
    void blocks();
    void entities();
    void objects();
    void writeObject(const AcDbObject* obj, AcDbObjectId owner, bool ownerZero = false);
    void writeEntity(AcDbObjectId id);
    void writeXData(const ObjectExtra& ex);
    void ensureSequenceEnds();

    AcDbDatabase& m_db;
    DatabaseImpl& m_impl;
    TagWriter m_tags;
    WriteFiler m_filer;
};

void Writer::ensureSequenceEnds() {
    // A polyline always ends with SEQEND, a block reference when it has attributes:
    // entities made in this session get theirs before the handle seed is written. An
    // entity of a type kept as read is written as read: a SEQEND added to it would not
    // be its own on the next read (it has no 66 saying one follows), and each save
    // would add another.
    auto* blocks = object<AcDbSymbolTable>(m_impl.ids.blockTable);
    if (!blocks)
        return;
    for (AcDbObjectId blockId : blocks->kzRecords()) {
        auto* btr = object<AcDbBlockTableRecord>(blockId);
        if (!btr)
            continue;
        for (AcDbObjectId id : btr->kzEntities()) {
            auto* ent = object<AcDbEntity>(id);
            if (!ent || UnknownEntity::cast(ent) || !ent->kzSubentities() || !ent->kzSequenceEnd())
                continue;
            bool needed = !ent->kzSubentities()->empty() || dxfTypeOf(ent) == "POLYLINE";
            if (needed && ent->kzSequenceEnd()->isNull()) {
                auto* seqend = new AcDbSequenceEnd();
                seqend->setLayer(ent->layerId());
                AcDbObjectId seqId;
                if (m_impl.addObject(seqend, id, seqId) == Acad::eOk) {
                    seqend->kzSetModified(false);
                    seqend->close();
                    *ent->kzSequenceEnd() = seqId;
                } else {
                    delete seqend;
                }
            }
        }
    }
}

void Writer::header() {
    section("HEADER");
    m_tags.writeString(9, "$ACADVER");
    m_tags.writeString(1, "AC1027");
    std::string codePage = "ANSI_1252";
    for (const HeaderVar& v : m_impl.header)
        if (v.name == "$DWGCODEPAGE" && !v.tags.empty())
            codePage = v.tags.front().value;
    m_tags.writeString(9, "$DWGCODEPAGE");
    m_tags.writeString(3, codePage);
    m_tags.writeString(9, "$HANDSEED");
    m_tags.writeHandle(5, m_impl.nextHandle().value());
    bool wroteClayer = false;
    for (const HeaderVar& v : m_impl.header) {
        if (v.name == "$ACADVER" || v.name == "$DWGCODEPAGE" || v.name == "$HANDSEED")
            continue;
        m_tags.writeString(9, v.name);
        if (v.name == "$CLAYER") {
            m_tags.writeString(8, kz::wideToUtf8(symbolName(m_db.clayer())));
            wroteClayer = true;
            continue;
        }
        writeKept(v.tags);
    }
    if (!wroteClayer) {
        m_tags.writeString(9, "$CLAYER");
        m_tags.writeString(8, kz::wideToUtf8(symbolName(m_db.clayer())));
    }
    endSection();
}

void Writer::writeXData(const ObjectExtra& ex) {
    for (const XDataApp& app : ex.xdata) {
        m_tags.writeString(1001, kz::wideToUtf8(app.app));
        for (const XDataItem& item : app.items) {
            switch (rbKind(item.code)) {
            case RbKind::String:
                if (item.code == 1005)
                    m_tags.writeVerbatim(item.code, kz::wideToUtf8(item.text));
                else
                    m_tags.writeString(item.code, kz::wideToUtf8(item.text));
                break;
            case RbKind::Binary:
                m_tags.writeBinary(item.code,
                                   reinterpret_cast<const std::uint8_t*>(item.bytes.data()),
                                   item.bytes.size());
                break;
            case RbKind::Point:
                m_filer.writeDouble(item.code, item.v[0]);
                m_filer.writeDouble(item.code + 10, item.v[1]);
                m_filer.writeDouble(item.code + 20, item.v[2]);
                break;
            case RbKind::Real:
                m_filer.writeDouble(item.code, item.v[0]);
                break;
            default:
                m_tags.writeInt(item.code, item.i);
                break;
            }
        }
    }
}

void Writer::writeObject(const AcDbObject* obj, AcDbObjectId owner, bool ownerZero) {
    std::string type = dxfTypeOf(obj);
    m_tags.writeString(0, type);
    m_tags.writeHandle(type == "DIMSTYLE" ? 105 : 5, obj->objectId().handle().value());
    const ObjectExtra* ex = obj->extra();
    if (ex) {
        writeKept(ex->appData);
        std::vector<AcDbObjectId> reactors;
        for (AcDbObjectId r : ex->reactors)
            if (live(r))
                reactors.push_back(r);
        if (!reactors.empty()) {
            m_tags.writeString(102, "{ACAD_REACTORS");
            for (AcDbObjectId r : reactors)
                m_tags.writeHandle(330, r.handle().value());
            m_tags.writeString(102, "}");
        }
        if (live(ex->xdictionary)) {
            m_tags.writeString(102, "{ACAD_XDICTIONARY");
            m_tags.writeHandle(360, ex->xdictionary.handle().value());
            m_tags.writeString(102, "}");
        }
    }
    if (ownerZero || owner.isNull() || owner.handle().isNull())
        m_tags.writeVerbatim(330, "0");
    else
        m_tags.writeHandle(330, owner.handle().value());
    m_filer.beginObject(ex);
    obj->dxfOutFields(&m_filer);
    m_filer.endObject();
    if (ex)
        writeXData(*ex);
}

void Writer::writeEntity(AcDbObjectId id) {
    auto* ent = object<AcDbEntity>(id);
    if (!ent || id.isErased())
        return;
    writeObject(ent, ent->ownerId());
    std::vector<AcDbObjectId>* subs = ent->kzSubentities();
    if (!subs || !ent->kzSequenceEnd() || ent->kzSequenceEnd()->isNull())
        return;
    for (AcDbObjectId sub : *subs)
        if (live(sub))
            writeObject(sub.stub()->object.get(), id);
    if (AcDbObject* seqend = object<AcDbObject>(*ent->kzSequenceEnd()))
        writeObject(seqend, id);
}

void Writer::tables() {
    section("TABLES");
    struct Kind {
        const char* name;
        AcDbObjectId WellKnownIds::*id;
    };
    const Kind kinds[] = {
        {"VPORT", &WellKnownIds::viewportTable},     {"LTYPE", &WellKnownIds::linetypeTable},
        {"LAYER", &WellKnownIds::layerTable},        {"STYLE", &WellKnownIds::textStyleTable},
        {"VIEW", &WellKnownIds::viewTable},          {"UCS", &WellKnownIds::ucsTable},
        {"APPID", &WellKnownIds::regAppTable},       {"DIMSTYLE", &WellKnownIds::dimStyleTable},
        {"BLOCK_RECORD", &WellKnownIds::blockTable},
    };
    for (const Kind& k : kinds) {
        auto* table = object<AcDbSymbolTable>(m_impl.ids.*(k.id));
        if (!table)
            continue;
        m_tags.writeString(0, "TABLE");
        m_tags.writeString(2, k.name);
        m_tags.writeHandle(5, table->objectId().handle().value());
        if (const ObjectExtra* ex = table->extra())
            writeKept(ex->appData);
        m_tags.writeVerbatim(330, "0");
        m_filer.beginObject(table->extra());
        table->dxfOutFields(&m_filer);
        m_filer.endObject();
        if (const ObjectExtra* ex = table->extra())
            writeXData(*ex);
        for (AcDbObjectId rec : table->kzRecords())
            if (live(rec))
                writeObject(rec.stub()->object.get(), table->objectId());
        m_tags.writeString(0, "ENDTAB");
    }
    for (const KeptSection& s : m_impl.otherSections)
        if (s.isTable)
            writeKept(s.tags);
    endSection();
}

void Writer::blocks() {
    section("BLOCKS");
    auto* table = object<AcDbSymbolTable>(m_impl.ids.blockTable);
    for (AcDbObjectId blockId : table ? table->kzRecords() : std::vector<AcDbObjectId>()) {
        auto* btr = object<AcDbBlockTableRecord>(blockId);
        if (!btr || blockId.isErased())
            continue;
        if (auto* begin = object<AcDbObject>(btr->kzBlockBegin()))
            writeObject(begin, blockId);
        if (blockId != m_impl.ids.modelSpace && blockId != m_impl.ids.paperSpace)
            for (AcDbObjectId id : btr->kzEntities())
                writeEntity(id);
        if (auto* end = object<AcDbObject>(btr->kzBlockEnd()))
            writeObject(end, blockId);
    }
    endSection();
}

void Writer::entities() {
    section("ENTITIES");
    for (AcDbObjectId blockId : {m_impl.ids.modelSpace, m_impl.ids.paperSpace})
        if (auto* btr = object<AcDbBlockTableRecord>(blockId))
            for (AcDbObjectId id : btr->kzEntities())
                writeEntity(id);
    endSection();
}

void Writer::objects() {
    section("OBJECTS");
    AcDbObjectId nod = m_impl.ids.namedObjects;
    if (auto* root = object<AcDbObject>(nod))
        writeObject(root, AcDbObjectId(), true);
    // Objects of other kinds that a damaged file put among a table's records are
    // written there, with the records, and not again here.
    std::set<AcDbObjectId> inTables;
    for (auto table : kTables)
        if (auto* t = object<AcDbSymbolTable>(m_impl.ids.*table))
            inTables.insert(t->kzRecords().begin(), t->kzRecords().end());
    // The other objects in handle order: stable from one save to the next.
    std::vector<const AcDbObject*> rest;
    m_impl.forEachStub([&](const AcDbStub& s) {
        const AcDbObject* obj = s.object.get();
        AcDbObjectId id(const_cast<AcDbStub*>(&s));
        if (!obj || s.erased || id == nod || inTables.count(id))
            return;
        if (AcDbEntity::cast(obj) || AcDbSymbolTable::cast(obj) || AcDbSymbolTableRecord::cast(obj))
            return;
        rest.push_back(obj);
    });
    std::sort(rest.begin(), rest.end(), [](const AcDbObject* a, const AcDbObject* b) {
        return a->objectId().handle().value() < b->objectId().handle().value();
    });
    for (const AcDbObject* obj : rest)
        writeObject(obj, obj->ownerId());
    endSection();
}

bool Writer::run(std::string& error) {
    ensureSequenceEnds();
    header();
    if (!m_impl.classes.empty()) {
        section("CLASSES");
        writeKept(m_impl.classes);
        endSection();
    }
    tables();
    blocks();
    entities();
    objects();
    for (const KeptSection& s : m_impl.otherSections) {
        if (s.isTable)
            continue;
        section(s.name.c_str());
        writeKept(s.tags);
        endSection();
    }
    m_tags.writeString(0, "EOF");
    if (!m_tags.ok()) {
        error = "cannot write the drawing: " + m_tags.firstError();
        return false;
    }
    return true;
}

} // namespace

bool writeDrawingToText(AcDbDatabase& db, std::string& out, std::string& error) {
    out.clear();
    Writer writer(db, out);
    return writer.run(error);
}

bool writeDrawing(AcDbDatabase& db, const std::string& path, std::string& error) {
    std::string text;
    if (!writeDrawingToText(db, text, error))
        return false;
    return saveFileAtomically(path, text, error);
}

} // namespace kz
