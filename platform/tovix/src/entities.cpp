#include "ApiComn.h"

#include "dbsymtb.h"

int ApiComn_AddEntity(AcDbEntity* entity, AcDbObjectId* id) {
    if (!entity)
        return Acad::eNullEntityPointer;
    if (!entity->objectId().isNull())
        return Acad::eAlreadyInDb;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db)
        return Acad::eNoDatabase;
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    AcDbBlockTableRecord* space = nullptr;
    es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    if (es != Acad::eOk)
        return es;
    AcDbObjectId newId;
    es = space->appendAcDbEntity(newId, entity);
    space->close();
    if (es != Acad::eOk)
        return es;
    entity->close();
    if (id)
        *id = newId;
    return Acad::eOk;
}

int ApiComn_SetLayer(AcDbEntity* entity, const wchar_t* layer) {
    if (!entity)
        return Acad::eNullEntityPointer;
    if (!layer || !*layer)
        return Acad::eInvalidInput;
    AcDbDatabase* db = entity->database();
    if (!db)
        db = acdbHostApplicationServices()->workingDatabase();
    if (!db)
        return Acad::eNoDatabase;
    AcDbLayerTable* table = nullptr;
    Acad::ErrorStatus es = db->getLayerTable(table, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    if (!table->has(layer)) {
        es = table->upgradeOpen();
        if (es == Acad::eOk) {
            auto* record = new AcDbLayerTableRecord();
            es = record->setName(layer);
            if (es == Acad::eOk) {
                record->setLinetypeObjectId(db->continuousLinetype());
                es = table->add(record);
            }
            if (es == Acad::eOk)
                record->close();
            else
                delete record;
        }
    }
    table->close();
    if (es != Acad::eOk)
        return es;
    return entity->setLayer(layer);
}
