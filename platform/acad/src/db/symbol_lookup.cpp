#include "db/symbol_lookup.h"

#include "db/database_impl.h"
#include "dbsymtb.h"
#include "win_codepage.h"

namespace kz {

AcDbObjectId tableId(AcDbDatabase* db, SymbolTable table) {
    if (!db)
        return {};
    switch (table) {
    case SymbolTable::Block:
        return db->blockTableId();
    case SymbolTable::Layer:
        return db->layerTableId();
    case SymbolTable::Linetype:
        return db->linetypeTableId();
    case SymbolTable::TextStyle:
        return db->textStyleTableId();
    case SymbolTable::RegApp:
        return db->regAppTableId();
    case SymbolTable::DimStyle:
        return db->dimStyleTableId();
    }
    return {};
}

namespace {
AcDbSymbolTable* tableObject(AcDbDatabase* db, SymbolTable table) {
    AcDbStub* s = tableId(db, table).stub();
    return s && s->object ? AcDbSymbolTable::cast(s->object.get()) : nullptr;
}
} // namespace

AcDbObjectId findSymbol(AcDbDatabase* db, SymbolTable table, const ACHAR* name) {
    AcDbSymbolTable* t = tableObject(db, table);
    if (!t || !name)
        return {};
    // The table's own lookup: objects of another kind among the records (kept as read
    // from a damaged file) are no symbols of this table.
    AcDbObjectId id;
    return t->getAt(name, id) == Acad::eOk ? id : AcDbObjectId();
}

AcDbObjectId findOrAddSymbol(AcDbDatabase* db, SymbolTable table, const std::wstring& name) {
    AcDbObjectId id = findSymbol(db, table, name.c_str());
    if (!id.isNull() || name.empty())
        return id;
    AcDbSymbolTable* t = tableObject(db, table);
    if (!t)
        return {};
    AcDbSymbolTableRecord* rec = nullptr;
    switch (table) {
    case SymbolTable::Layer:
        rec = new AcDbLayerTableRecord();
        break;
    case SymbolTable::Linetype:
        rec = new AcDbLinetypeTableRecord();
        break;
    case SymbolTable::TextStyle:
        rec = new AcDbTextStyleTableRecord();
        break;
    case SymbolTable::RegApp:
        rec = new AcDbRegAppTableRecord();
        break;
    case SymbolTable::DimStyle:
        rec = new AcDbDimStyleTableRecord();
        break;
    case SymbolTable::Block:
        rec = new AcDbBlockTableRecord();
        break;
    }
    if (rec->setName(name.c_str()) != Acad::eOk) {
        delete rec;
        return {};
    }
    AcDbObjectId newId;
    if (db->impl().addObject(rec, t->objectId(), newId) != Acad::eOk) {
        delete rec;
        return {};
    }
    if (auto* layer = AcDbLayerTableRecord::cast(rec))
        layer->setLinetypeObjectId(db->continuousLinetype());
    rec->close();
    t->kzAppendRecord(newId);
    db->impl().warnings.push_back("added the missing " +
                                  std::string(table == SymbolTable::Layer ? "layer" : "symbol") +
                                  " \"" + kz::wideToUtf8(name) + "\"");
    return newId;
}

std::wstring symbolName(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    if (!s || !s->object)
        return {};
    auto* rec = AcDbSymbolTableRecord::cast(s->object.get());
    return rec ? rec->name() : std::wstring();
}

void readSymbolField(AcDbDxfFiler* filer, SymbolTable table, AcDbObjectId& id) {
    AcDbObjectId symbol = findOrAddSymbol(filer->database(), table, filer->asString());
    if (symbol.isNull())
        filer->keepItem();
    else
        id = symbol;
}

} // namespace kz
