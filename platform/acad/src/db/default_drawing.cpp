#include "default_drawing.h"

#include "db/database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "db/unknown.h"

#include <string>

namespace kz {
namespace {

std::string hex(AcDbObjectId id) {
    char buf[20];
    id.handle().getIntoAsciiBuffer(buf, sizeof buf);
    return buf;
}

// Adds obj to the database under owner and closes it.
AcDbObjectId add(DatabaseImpl& impl, AcDbObject* obj, AcDbObjectId owner) {
    AcDbObjectId id;
    impl.addObject(obj, owner, id);
    obj->close();
    return id;
}

template <class Table> AcDbObjectId addTable(DatabaseImpl& impl) {
    return add(impl, new Table(), AcDbObjectId());
}

template <class Record>
AcDbObjectId addRecord(DatabaseImpl& impl, AcDbObjectId tableId, const wchar_t* name,
                       Record* rec = nullptr) {
    if (!rec)
        rec = new Record();
    rec->kzSetNameRaw(name);
    AcDbObjectId id = add(impl, rec, tableId);
    static_cast<AcDbSymbolTable*>(tableId.stub()->object.get())->kzAppendRecord(id);
    return id;
}

AcDbObjectId addBlock(DatabaseImpl& impl, const wchar_t* name) {
    AcDbObjectId id = addRecord<AcDbBlockTableRecord>(impl, impl.ids.blockTable, name);
    auto* btr = static_cast<AcDbBlockTableRecord*>(id.stub()->object.get());
    auto* begin = new AcDbBlockBegin();
    begin->setLayer(impl.ids.layerZero);
    begin->setLinetype(impl.ids.byLayer);
    auto* end = new AcDbBlockEnd();
    end->setLayer(impl.ids.layerZero);
    end->setLinetype(impl.ids.byLayer);
    btr->kzSetBlockBeginEnd(add(impl, begin, id), add(impl, end, id));
    return id;
}

void tag(std::vector<KeptTag>& tags, int code, std::string value) {
    tags.push_back({code, std::move(value)});
}

// A layout object: the page setup and layout data that other programs expect for
// model space and the first paper space.
AcDbObjectId addLayout(DatabaseImpl& impl, AcDbObjectId dict, AcDbObjectId block,
                       const char* name, int tabOrder) {
    auto* layout = new UnknownObject("LAYOUT");
    AcDbObjectId id = add(impl, layout, dict);
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
    for (auto [code, v] : std::initializer_list<std::pair<int, const char*>>{
             {10, "0.0"}, {20, "0.0"}, {11, "420.0"}, {21, "297.0"}, {12, "0.0"},
             {22, "0.0"}, {32, "0.0"}, {14, "0.0"}, {24, "0.0"}, {34, "0.0"},
             {15, "0.0"}, {25, "0.0"}, {35, "0.0"}, {146, "0.0"}, {13, "0.0"},
             {23, "0.0"}, {33, "0.0"}, {16, "1.0"}, {26, "0.0"}, {36, "0.0"},
             {17, "0.0"}, {27, "1.0"}, {37, "0.0"}, {76, "0"}})
        tag(lay.tags, code, v);
    tag(lay.tags, 330, hex(block));
    ex.kept.push_back(std::move(plot));
    ex.kept.push_back(std::move(lay));
    static_cast<AcDbBlockTableRecord*>(block.stub()->object.get())->kzSetLayoutId(id);
    return id;
}

void headerVar(DatabaseImpl& impl, const char* name, std::initializer_list<KeptTag> tags) {
    impl.header.push_back({name, std::vector<KeptTag>(tags)});
}

} // namespace

void buildDefaultDrawing(AcDbDatabase& db) {
    DatabaseImpl& impl = db.impl();
    WellKnownIds& ids = impl.ids;

    ids.viewportTable = addTable<AcDbViewportTable>(impl);
    ids.linetypeTable = addTable<AcDbLinetypeTable>(impl);
    ids.layerTable = addTable<AcDbLayerTable>(impl);
    ids.textStyleTable = addTable<AcDbTextStyleTable>(impl);
    ids.viewTable = addTable<AcDbViewTable>(impl);
    ids.ucsTable = addTable<AcDbUCSTable>(impl);
    ids.regAppTable = addTable<AcDbRegAppTable>(impl);
    ids.dimStyleTable = addTable<AcDbDimStyleTable>(impl);
    ids.blockTable = addTable<AcDbBlockTable>(impl);

    ids.byBlock = addRecord<AcDbLinetypeTableRecord>(impl, ids.linetypeTable, L"ByBlock");
    ids.byLayer = addRecord<AcDbLinetypeTableRecord>(impl, ids.linetypeTable, L"ByLayer");
    auto* continuous = new AcDbLinetypeTableRecord();
    continuous->setComments(L"Solid line");
    ids.continuous = addRecord(impl, ids.linetypeTable, L"Continuous", continuous);

    auto* zero = new AcDbLayerTableRecord();
    zero->setLinetypeObjectId(ids.continuous);
    ids.layerZero = addRecord(impl, ids.layerTable, L"0", zero);
    ids.clayer = ids.layerZero;

    ids.standardTextStyle = addRecord<AcDbTextStyleTableRecord>(impl, ids.textStyleTable, L"Standard");
    addRecord<AcDbRegAppTableRecord>(impl, ids.regAppTable, L"ACAD");
    ids.standardDimStyle = addRecord<AcDbDimStyleTableRecord>(impl, ids.dimStyleTable, L"Standard");

    auto* active = new AcDbViewportTableRecord();
    AcDbObjectId activeId = addRecord(impl, ids.viewportTable, L"*Active", active);
    {
        auto& kept = static_cast<AcDbObject*>(activeId.stub()->object.get())
                         ->extraForWrite()
                         .keptFor("AcDbViewportTableRecord");
        for (auto [code, v] : std::initializer_list<std::pair<int, const char*>>{
                 {10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}, {12, "210.0"},
                 {22, "148.5"}, {40, "297.0"}, {41, "1.5"}, {42, "50.0"}})
            kept.tags.push_back({code, v});
    }

    ids.modelSpace = addBlock(impl, ACDB_MODEL_SPACE);
    ids.paperSpace = addBlock(impl, ACDB_PAPER_SPACE);

    auto* nod = new AcDbDictionary();
    ids.namedObjects = add(impl, nod, AcDbObjectId());
    auto* groups = new AcDbDictionary();
    ids.groupDictionary = add(impl, groups, ids.namedObjects);
    auto* layouts = new AcDbDictionary();
    AcDbObjectId layoutDict = add(impl, layouts, ids.namedObjects);
    AcDbObjectId model = addLayout(impl, layoutDict, ids.modelSpace, "Model", 0);
    AcDbObjectId paper = addLayout(impl, layoutDict, ids.paperSpace, "Layout1", 1);

    auto fill = [](AcDbObjectId dictId, const wchar_t* key, AcDbObjectId value) {
        AcDbDictionary* d = nullptr;
        if (acdbOpenObject(d, dictId, AcDb::kForWrite) != Acad::eOk)
            return;
        AcDbObjectId ignored;
        d->setAt(key, value.stub()->object.get(), ignored);
        d->close();
    };
    fill(ids.namedObjects, L"ACAD_GROUP", ids.groupDictionary);
    fill(ids.namedObjects, L"ACAD_LAYOUT", layoutDict);
    fill(layoutDict, L"Model", model);
    fill(layoutDict, L"Layout1", paper);

    headerVar(impl, "$INSBASE", {{10, "0.0"}, {20, "0.0"}, {30, "0.0"}});
    headerVar(impl, "$EXTMIN", {{10, "0.0"}, {20, "0.0"}, {30, "0.0"}});
    headerVar(impl, "$EXTMAX", {{10, "420.0"}, {20, "297.0"}, {30, "0.0"}});
    headerVar(impl, "$LIMMIN", {{10, "0.0"}, {20, "0.0"}});
    headerVar(impl, "$LIMMAX", {{10, "420.0"}, {20, "297.0"}});
    headerVar(impl, "$LTSCALE", {{40, "1.0"}});
    headerVar(impl, "$MEASUREMENT", {{70, "1"}});
    headerVar(impl, "$INSUNITS", {{70, "4"}});
}

} // namespace kz
