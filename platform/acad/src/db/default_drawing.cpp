#include "db/database_impl.h"
#include "db/essentials.h"
#include "db/unknown.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "win_codepage.h"

#include <string>

namespace kz {
namespace {

std::string hex(AcDbObjectId id) {
    char buf[20];
    id.handle().getIntoAsciiBuffer(buf, sizeof buf);
    return buf;
}

// Adds obj to the database under owner and closes it; null (and obj deleted) on failure.
AcDbObjectId add(DatabaseImpl& impl, AcDbObject* obj, AcDbObjectId owner) {
    AcDbObjectId id;
    if (impl.addObject(obj, owner, id) != Acad::eOk) {
        delete obj;
        return {};
    }
    obj->kzSetModified(false);
    obj->close();
    return id;
}

template <class T> T* object(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    return s && s->object ? T::cast(s->object.get()) : nullptr;
}

// The record of that name in the table, or proto added under that name (proto is
// deleted when the record exists).
AcDbObjectId findOrAdd(AcDbDatabase& db, AcDbObjectId tableId, const wchar_t* name,
                       AcDbSymbolTableRecord* proto) {
    auto* table = object<AcDbSymbolTable>(tableId);
    if (!table) {
        delete proto;
        return {};
    }
    AcRxClass* recordClass = AcRxClass::byDxfName(table->kzRecordDxfName());
    for (auto& id : table->kzRecords()) {
        auto* rec = object<AcDbSymbolTableRecord>(id);
        if (rec && rec->isKindOf(recordClass) && !id.isErased() &&
            compareSymbolNames(rec->name(), name) == 0) {
            delete proto;
            return id;
        }
    }
    proto->kzSetNameRaw(name);
    AcDbObjectId id = add(db.impl(), proto, tableId);
    if (!id.isNull())
        table->kzAppendRecord(id);
    return id;
}

void ensureBeginEnd(DatabaseImpl& impl, AcDbObjectId blockId) {
    auto* btr = object<AcDbBlockTableRecord>(blockId);
    if (!btr || !btr->kzBlockBegin().isNull())
        return;
    auto* begin = new AcDbBlockBegin();
    begin->setLayer(impl.ids.layerZero);
    begin->setLinetype(impl.ids.byLayer);
    auto* end = new AcDbBlockEnd();
    end->setLayer(impl.ids.layerZero);
    end->setLinetype(impl.ids.byLayer);
    AcDbObjectId b = add(impl, begin, blockId);
    btr->kzSetBlockBeginEnd(b, add(impl, end, blockId));
}

void tag(std::vector<KeptTag>& tags, int code, std::string value) {
    tags.push_back({code, std::move(value)});
}

// A layout object: the page setup and layout data that other programs expect for
// model space and each paper space.
AcDbObjectId addLayout(DatabaseImpl& impl, AcDbObjectId dict, AcDbObjectId block,
                       const std::string& name, int tabOrder) {
    auto* layout = new UnknownObject("LAYOUT");
    auto& ex = layout->extraForWrite();
    KeptSubclass plot{"AcDbPlotSettings", {}};
    tag(plot.tags, 1, "");
    tag(plot.tags, 4, "");
    tag(plot.tags, 6, "");
    for (int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141})
        tag(plot.tags, code, "0.0");
    tag(plot.tags, 142, "1.0");
    tag(plot.tags, 143, "1.0");
    tag(plot.tags, 70, tabOrder == 0 ? "1712" : "688");
    tag(plot.tags, 72, "1");
    tag(plot.tags, 73, "0");
    tag(plot.tags, 74, "5");
    tag(plot.tags, 7, "");
    tag(plot.tags, 75, "16");
    tag(plot.tags, 147, "1.0");
    tag(plot.tags, 148, "0.0");
    tag(plot.tags, 149, "0.0");
    KeptSubclass lay{"AcDbLayout", {}};
    tag(lay.tags, 1, name);
    tag(lay.tags, 70, "1");
    tag(lay.tags, 71, std::to_string(tabOrder));
    // clang-format off
    for (auto [code, v] : std::initializer_list<std::pair<int, const char*>>{
             {10, "0.0"}, {20, "0.0"}, {11, "420.0"}, {21, "297.0"}, {12, "0.0"},
             {22, "0.0"}, {32, "0.0"}, {14, "0.0"}, {24, "0.0"}, {34, "0.0"},
             {15, "0.0"}, {25, "0.0"}, {35, "0.0"}, {146, "0.0"}, {13, "0.0"},
             {23, "0.0"}, {33, "0.0"}, {16, "1.0"}, {26, "0.0"}, {36, "0.0"},
             {17, "0.0"}, {27, "1.0"}, {37, "0.0"}, {76, "0"}})
        tag(lay.tags, code, v);
    // clang-format on
    tag(lay.tags, 330, hex(block));
    ex.kept.push_back(std::move(plot));
    ex.kept.push_back(std::move(lay));
    AcDbObjectId id = add(impl, layout, dict);
    if (auto* btr = object<AcDbBlockTableRecord>(block))
        btr->kzSetLayoutId(id);
    return id;
}

// The dictionary that the root dictionary's entry `key` names, added when there is none.
// A damaged file can name an object of another kind there (a block's BLOCK, a layer);
// the entry then names a new dictionary, as groups and layouts are kept in a dictionary only.
AcDbObjectId dictEntry(DatabaseImpl& impl, AcDbObjectId dictId, const wchar_t* key) {
    AcDbDictionary* dict = nullptr;
    if (acdbOpenObject(dict, dictId, AcDb::kForWrite) != Acad::eOk)
        return {};
    AcDbObjectId id;
    if (dict->getAt(key, id) == Acad::eOk) {
        AcDbObject* named = id.stub()->object.get();
        if (AcDbDictionary::cast(named)) {
            dict->close();
            return id;
        }
        impl.warnings.push_back("the root dictionary's entry \"" + kz::wideToUtf8(key) +
                                "\" named a " + dxfTypeOf(named) +
                                ", not a dictionary; it now names a new dictionary");
    }
    auto* value = new AcDbDictionary();
    if (dict->setAt(key, value, id) == Acad::eOk) {
        value->kzSetModified(false);
        value->close();
    } else {
        delete value;
        id = {};
    }
    dict->close();
    return id;
}

} // namespace

void ensureTable(AcDbDatabase& db, SymbolTable kind) {
    DatabaseImpl& impl = db.impl();
    WellKnownIds& ids = impl.ids;
    auto make = [&](AcDbObjectId& member, AcDbObject* table) {
        if (member.isNull())
            member = add(impl, table, AcDbObjectId());
        else
            delete table;
    };
    switch (kind) {
    case SymbolTable::Block:
        make(ids.blockTable, new AcDbBlockTable());
        break;
    case SymbolTable::Layer:
        make(ids.layerTable, new AcDbLayerTable());
        break;
    case SymbolTable::Linetype:
        make(ids.linetypeTable, new AcDbLinetypeTable());
        break;
    case SymbolTable::TextStyle:
        make(ids.textStyleTable, new AcDbTextStyleTable());
        break;
    case SymbolTable::RegApp:
        make(ids.regAppTable, new AcDbRegAppTable());
        break;
    case SymbolTable::DimStyle:
        make(ids.dimStyleTable, new AcDbDimStyleTable());
        break;
    }
}

void ensureSymbols(AcDbDatabase& db) {
    DatabaseImpl& impl = db.impl();
    WellKnownIds& ids = impl.ids;
    if (ids.viewportTable.isNull())
        ids.viewportTable = add(impl, new AcDbViewportTable(), AcDbObjectId());
    ensureTable(db, SymbolTable::Linetype);
    ensureTable(db, SymbolTable::Layer);
    ensureTable(db, SymbolTable::TextStyle);
    if (ids.viewTable.isNull())
        ids.viewTable = add(impl, new AcDbViewTable(), AcDbObjectId());
    if (ids.ucsTable.isNull())
        ids.ucsTable = add(impl, new AcDbUCSTable(), AcDbObjectId());
    ensureTable(db, SymbolTable::RegApp);
    ensureTable(db, SymbolTable::DimStyle);
    ensureTable(db, SymbolTable::Block);

    ids.byBlock = findOrAdd(db, ids.linetypeTable, L"ByBlock", new AcDbLinetypeTableRecord());
    ids.byLayer = findOrAdd(db, ids.linetypeTable, L"ByLayer", new AcDbLinetypeTableRecord());
    auto* continuous = new AcDbLinetypeTableRecord();
    continuous->setComments(L"Solid line");
    ids.continuous = findOrAdd(db, ids.linetypeTable, L"Continuous", continuous);
    auto* zero = new AcDbLayerTableRecord();
    zero->setLinetypeObjectId(ids.continuous);
    ids.layerZero = findOrAdd(db, ids.layerTable, L"0", zero);
    if (ids.clayer.isNull())
        ids.clayer = ids.layerZero;
    ids.standardTextStyle =
        findOrAdd(db, ids.textStyleTable, L"Standard", new AcDbTextStyleTableRecord());
    findOrAdd(db, ids.regAppTable, L"ACAD", new AcDbRegAppTableRecord());
    ids.standardDimStyle =
        findOrAdd(db, ids.dimStyleTable, L"Standard", new AcDbDimStyleTableRecord());
    auto* vports = object<AcDbSymbolTable>(ids.viewportTable);
    if (vports && vports->kzRecords().empty()) {
        auto* active = new AcDbViewportTableRecord();
        auto& kept = active->extraForWrite().keptFor("AcDbViewportTableRecord");
        // clang-format off
        for (auto [code, v] : std::initializer_list<std::pair<int, const char*>>{
                 {10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}, {12, "210.0"},
                 {22, "148.5"}, {40, "297.0"}, {41, "1.5"}, {42, "50.0"}})
            kept.tags.push_back({code, v});
        // clang-format on
        findOrAdd(db, ids.viewportTable, L"*Active", active);
    }

    ids.modelSpace = findOrAdd(db, ids.blockTable, ACDB_MODEL_SPACE, new AcDbBlockTableRecord());
    ids.paperSpace = findOrAdd(db, ids.blockTable, ACDB_PAPER_SPACE, new AcDbBlockTableRecord());
}

void ensureEssentials(AcDbDatabase& db) {
    ensureSymbols(db);
    DatabaseImpl& impl = db.impl();
    WellKnownIds& ids = impl.ids;
    if (auto* blocks = object<AcDbSymbolTable>(ids.blockTable))
        for (auto id : std::vector<AcDbObjectId>(blocks->kzRecords()))
            ensureBeginEnd(impl, id);
    if (ids.namedObjects.isNull())
        ids.namedObjects = add(impl, new AcDbDictionary(), AcDbObjectId());
    ids.groupDictionary = dictEntry(impl, ids.namedObjects, L"ACAD_GROUP");
    AcDbObjectId layouts = dictEntry(impl, ids.namedObjects, L"ACAD_LAYOUT");
    int tab = 0;
    for (AcDbObjectId block : {ids.modelSpace, ids.paperSpace}) {
        auto* btr = object<AcDbBlockTableRecord>(block);
        if (!btr || !btr->getLayoutId().isNull() || layouts.isNull()) {
            ++tab;
            continue;
        }
        std::string name = tab == 0 ? "Model" : "Layout1";
        AcDbObjectId layout = addLayout(impl, layouts, block, name, tab);
        AcDbDictionary* dict = nullptr;
        if (acdbOpenObject(dict, layouts, AcDb::kForWrite) == Acad::eOk) {
            AcDbObjectId ignored;
            std::wstring key(name.begin(), name.end());
            if (!dict->has(key.c_str()))
                dict->setAt(key.c_str(), layout.stub()->object.get(), ignored);
            dict->close();
        }
        ++tab;
    }
}

void buildDefaultDrawing(AcDbDatabase& db) {
    ensureEssentials(db);
    DatabaseImpl& impl = db.impl();
    auto var = [&](const char* name, std::initializer_list<KeptTag> tags) {
        impl.header.push_back({name, std::vector<KeptTag>(tags)});
    };
    var("$INSBASE", {{10, "0.0"}, {20, "0.0"}, {30, "0.0"}});
    var("$EXTMIN", {{10, "0.0"}, {20, "0.0"}, {30, "0.0"}});
    var("$EXTMAX", {{10, "420.0"}, {20, "297.0"}, {30, "0.0"}});
    var("$LIMMIN", {{10, "0.0"}, {20, "0.0"}});
    var("$LIMMAX", {{10, "420.0"}, {20, "297.0"}});
    var("$LTSCALE", {{40, "1.0"}});
    var("$MEASUREMENT", {{70, "1"}});
    var("$INSUNITS", {{70, "4"}});
}

} // namespace kz
