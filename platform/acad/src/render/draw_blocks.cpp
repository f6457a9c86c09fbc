// Block references with their attributes, and dimensions through their blocks.
#include "render/collector.h"

#include "db/dim_graphics.h"
#include "db/stub.h"
#include "dbdim.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <memory>

namespace kz::render {

namespace {

// The entities of a block, placed by the frame. False when the block is missing or is
// being drawn already (a block that holds itself).
bool drawBlock(Collector& c, AcDbObjectId blockId, const Frame& frame) {
    const auto* block = AcDbBlockTableRecord::cast(residentObject(blockId));
    if (!block || frame.depth > Collector::kMaxDepth || !c.enterBlock(blockId.stub()))
        return false;
    for (const AcDbObjectId& id : block->kzEntities()) {
        if (const auto* entity = AcDbEntity::cast(residentObject(id)))
            c.draw(entity, frame);
    }
    c.leaveBlock(blockId.stub());
    return true;
}

} // namespace

bool drawReference(Collector& c, const AcDbEntity* entity, const Frame& frame) {
    const auto* ref = AcDbBlockReference::cast(entity);
    if (!ref)
        return false;
    Look look;
    if (!c.lookOf(entity, frame, look, true))
        return true;
    // Of a MINSERT array only the first copy is drawn; the picture says so.
    if (ref->kzColumns() * ref->kzRows() > 1)
        c.scene().noteNotDrawn("MINSERT copies after the first");
    const Frame inside = c.inner(frame, ref->blockTransform(), look);
    if (!drawBlock(c, ref->blockTableRecord(), inside))
        c.scene().noteNotDrawn("INSERT (block missing or drawn inside itself)");
    // Attributes are placed already; they take the reference's colour and layer as
    // the block's entities do.
    Frame attributes = inside;
    attributes.xform = frame.xform;
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        const AcDbEntity* attribute = it->entity();
        if (!attribute)
            attribute = AcDbEntity::cast(residentObject(it->objectId()));
        if (attribute)
            c.draw(attribute, attributes);
    }
    return true;
}

bool drawDimension(Collector& c, const AcDbEntity* entity, const Frame& frame) {
    const auto* dim = AcDbDimension::cast(entity);
    if (!dim)
        return false;
    Look look;
    if (!c.lookOf(entity, frame, look, true))
        return true;
    const AcGeMatrix3d at = AcGeMatrix3d::translation(dim->dimBlockPosition().asVector());
    const Frame inside = c.inner(frame, at, look);
    if (residentObject(dim->dimBlockId()) && drawBlock(c, dim->dimBlockId(), inside))
        return true;
    // No block (a dimension in no database, or one read without its block): the
    // dimension's graphics, made as its block would be.
    AcDbDatabase* db = dim->database() ? dim->database() : c.database();
    for (const auto& part : kz::dim::graphicsEntities(*dim, db))
        c.draw(part.get(), c.inner(frame, AcGeMatrix3d(), look));
    return true;
}

} // namespace kz::render
