#include "settings/dim_rules.h"

namespace {

void SetByLayer(AcDbEntity* entity) {
    entity->setLineWeight(AcDb::kLnWtByLayer, true);
    entity->setLinetype(L"ByLayer", true);
    entity->setColorIndex(256, true);
}

} // namespace

void ApplyDimLayers(AcDbEntity* entity) {
    if (!entity || !entity->isA()->isDerivedFrom(AcDbRotatedDimension::desc()))
        return;
    ApiComn_SetLayer(entity, KZDIM_LAYER);
    SetByLayer(entity);

    AcDbObjectId blockId = static_cast<AcDbDimension*>(entity)->dimBlockId();
    if (blockId.isNull())
        return;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbBlockTableRecordIterator* it = nullptr;
    Acad::ErrorStatus es = block->newIterator(it);
    block->close();
    if (es != Acad::eOk)
        return;
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* member = nullptr;
        if (it->getEntity(member, AcDb::kForWrite) != Acad::eOk)
            continue;
        if (AcDbMText::cast(member)) {
            ApiComn_SetLayer(member, KZDIMTEXT_LAYER);
            SetByLayer(member);
            ACHAR* layer = member->layer();
            acutPrintf(L"\n***[%s]", layer);
            acutDelString(layer);
            member->close();
            break;
        }
        member->close();
    }
    delete it;
}
