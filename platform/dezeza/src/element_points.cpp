// Points and positions of route elements: the POINT entities of their block on the
// connection and length layers, placed by the reference.
#include "DeZeza.h"
#include "route_data.h"

#include "acutmem.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <new>

namespace {

bool onLayer(const AcDbEntity* ent, const wchar_t* layer) {
    ACHAR* name = ent->layer();
    bool same = name && kz::compareSymbolNames(name, layer) == 0;
    acutDelString(name);
    return same;
}

} // namespace

int DeZeza_GetConnectPoint(AcDbObjectId& element, AcGePoint3dArray& points, const wchar_t* layer,
                           const AcGeMatrix3d* xform) {
    if (!layer)
        return -1;
    AcDbBlockReference* ref = nullptr;
    if (acdbOpenObject(ref, element, AcDb::kForRead, true) != Acad::eOk)
        return -1;
    AcGeMatrix3d toWorld = xform ? *xform : ref->blockTransform();
    AcDbObjectId blockId = ref->blockTableRecord();
    ref->close();
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return 0;
    int added = 0;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbEntity* ent = nullptr;
            if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk)
                continue;
            if (auto* point = AcDbPoint::cast(ent); point && onLayer(point, layer)) {
                points.append(toWorld * point->position());
                ++added;
            }
            ent->close();
        }
        delete it;
    }
    block->close();
    return added;
}

AcGePoint3d RuleComn_getInsertPos(AcDbObjectId element) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, element, AcDb::kForRead, true) != Acad::eOk)
        return AcGePoint3d::kOrigin;
    AcGePoint3d pos = AcGePoint3d::kOrigin;
    if (auto* ref = AcDbBlockReference::cast(ent))
        pos = ref->position();
    else if (auto* point = AcDbPoint::cast(ent))
        pos = point->position();
    ent->close();
    return pos;
}

int RuleComn_rootPoint(AcDbObjectId element, AcGePoint3d& root0, AcGePoint3d& root1,
                       bool useLengthPoints) {
    try {
        std::vector<AcGePoint3d> pts =
            kz::dezeza::layerPoints(element, useLengthPoints ? KZLENGTH_LAYER : KZCONECT_LAYER);
        if (pts.size() < 2)
            return -1;
        root0 = pts[0];
        root1 = pts[1];
        return 0;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}
