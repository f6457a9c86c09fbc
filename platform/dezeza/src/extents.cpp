#include "DeZeza.h"

#include "dbents.h"
#include "dbsymtb.h"

#include <memory>
#include <new>

namespace {

// Adds the entity placed by xform: a placed copy gives tight bounds; an entity that
// cannot be placed so (a circle scaled unevenly) adds its own box transformed.
void addPlaced(const AcDbEntity* ent, const AcGeMatrix3d& xform, AcDbExtents& extents) {
    AcDbExtents part;
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(ent->clone()));
    if (copy && copy->transformBy(xform) == Acad::eOk && copy->getGeomExtents(part) == Acad::eOk) {
        extents.addExt(part);
    } else if (ent->getGeomExtents(part) == Acad::eOk) {
        part.transformBy(xform);
        extents.addExt(part);
    }
}

} // namespace

int DeZeza_getBlockRefGeomExtents(AcDbBlockReference* ref, AcDbExtents& extents,
                                  const AcGeMatrix3d& xform, int flags) {
    if (!ref)
        return Acad::eNullEntityPointer;
    try {
        AcDbBlockTableRecord* block = nullptr;
        Acad::ErrorStatus es = acdbOpenObject(block, ref->blockTableRecord(), AcDb::kForRead);
        if (es != Acad::eOk)
            return es;
        AcDbExtents found;
        AcGeMatrix3d placement = xform * ref->blockTransform();
        AcDbBlockTableRecordIterator* it = nullptr;
        if (block->newIterator(it) == Acad::eOk) {
            for (; !it->done(); it->step()) {
                AcDbEntity* ent = nullptr;
                if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk)
                    continue;
                // Attribute definitions show in the block, not in its references.
                if (!AcDbAttributeDefinition::cast(ent))
                    addPlaced(ent, placement, found);
                ent->close();
            }
            delete it;
        }
        block->close();
        if (flags != 1) {
            std::unique_ptr<AcDbObjectIterator> attributes(ref->attributeIterator());
            for (; attributes && !attributes->done(); attributes->step()) {
                auto* attribute = AcDbAttribute::cast(attributes->entity());
                if (attribute && !attribute->isInvisible())
                    addPlaced(attribute, xform, found);
            }
        }
        if (!found.isEmpty())
            extents.addExt(found);
        return Acad::eOk;
    } catch (const std::bad_alloc&) {
        return Acad::eOutOfMemory;
    }
}
