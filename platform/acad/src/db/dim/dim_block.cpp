// A dimension's graphics as entities: the "*D" block of a dimension in a drawing, the
// arrowhead blocks, and the loose entities of the drag preview.
#include "db/dim_graphics.h"

#include "db/database_impl.h"
#include "db/symbol_lookup.h"
#include "dbents.h"
#include "dbmtext.h"
#include "dbsymtb.h"
#include "gepnt2d.h"

#include <cmath>
#include <cwchar>
#include <string>

namespace kz::dim {
namespace {

using EntityList = std::vector<std::unique_ptr<AcDbEntity>>;

// Where a unit-size shape goes: scaled, turned and moved to the tip.
struct Placement {
    AcGePoint3d tip;
    double rotation = 0;
    double scale = 1;

    AcGePoint3d apply(const AcGePoint3d& p) const {
        double c = std::cos(rotation), s = std::sin(rotation);
        return AcGePoint3d(tip.x + scale * (c * p.x - s * p.y), tip.y + scale * (s * p.x + c * p.y),
                           tip.z);
    }
};

// A polyline shape as lines and arcs, or as SOLID strips where it has a width.
void polylineEntities(const Shape& shape, const Placement& at, EntityList& out) {
    const auto& pts = shape.points;
    std::size_t n = pts.size();
    std::size_t segments = shape.closed ? n : (n > 0 ? n - 1 : 0);
    double half = shape.width * at.scale / 2;
    for (std::size_t i = 0; i < segments; ++i) {
        AcGePoint3d a = at.apply(pts[i]), b = at.apply(pts[(i + 1) % n]);
        double bulge = i < shape.bulges.size() ? shape.bulges[i] : 0.0;
        AcGeVector3d chord = b - a;
        double d = chord.length();
        if (d <= 0)
            continue;
        if (bulge == 0) {
            if (half <= 0) {
                out.push_back(std::make_unique<AcDbLine>(a, b));
                continue;
            }
            AcGeVector3d off = AcGeVector3d(-chord.y, chord.x, 0) / d * half;
            // SOLID corners go 0, 1, 3, 2 around the outline.
            out.push_back(std::make_unique<AcDbSolid>(a + off, a - off, b + off, b - off));
            continue;
        }
        // The arc through a and b whose included angle is 4 atan(bulge), counter-clockwise
        // for a positive bulge.
        double theta = 4 * std::atan(bulge);
        AcGeVector3d left = AcGeVector3d(-chord.y, chord.x, 0) / d;
        AcGePoint3d centre =
            a + chord / 2 + left * (d / 2 * std::cos(theta / 2) / std::sin(theta / 2));
        double r = centre.distanceTo(a);
        double start = std::atan2(a.y - centre.y, a.x - centre.x);
        if (half <= 0) {
            double end = std::atan2(b.y - centre.y, b.x - centre.x);
            out.push_back(theta > 0 ? std::make_unique<AcDbArc>(centre, r, start, end)
                                    : std::make_unique<AcDbArc>(centre, r, end, start));
            continue;
        }
        // A wide arc: a ring of SOLIDs between radius r - half and r + half.
        const int steps = 8;
        double inner = std::max(r - half, 0.0), outer = r + half;
        for (int k = 0; k < steps; ++k) {
            double t0 = start + theta * k / steps, t1 = start + theta * (k + 1) / steps;
            AcGeVector3d u0(std::cos(t0), std::sin(t0), 0), u1(std::cos(t1), std::sin(t1), 0);
            out.push_back(std::make_unique<AcDbSolid>(centre + u0 * outer, centre + u0 * inner,
                                                      centre + u1 * outer, centre + u1 * inner));
        }
    }
}

// The entities of one unit-size shape placed at the tip.
void shapeEntities(const Shape& shape, const Placement& at, EntityList& out) {
    switch (shape.kind) {
    case Shape::Line:
        out.push_back(
            std::make_unique<AcDbLine>(at.apply(shape.points[0]), at.apply(shape.points[1])));
        break;
    case Shape::Solid: {
        const auto& p = shape.points;
        if (p.size() == 4)
            out.push_back(std::make_unique<AcDbSolid>(at.apply(p[0]), at.apply(p[1]),
                                                      at.apply(p[2]), at.apply(p[3])));
        else
            out.push_back(
                std::make_unique<AcDbSolid>(at.apply(p[0]), at.apply(p[1]), at.apply(p[2])));
        break;
    }
    case Shape::Circle:
        out.push_back(std::make_unique<AcDbCircle>(at.apply(shape.points[0]), AcGeVector3d::kZAxis,
                                                   shape.radius * at.scale));
        break;
    case Shape::Arc:
        out.push_back(std::make_unique<AcDbArc>(at.apply(shape.points[0]), shape.radius * at.scale,
                                                shape.startAngle + at.rotation,
                                                shape.endAngle + at.rotation));
        break;
    case Shape::Polyline:
        polylineEntities(shape, at, out);
        break;
    }
}

// Layer "0" and the given colour and linetype: entities of a block take the look of
// whatever inserts them when they say "by block".
void dress(AcDbEntity* ent, AcDbDatabase* db, const AcCmColor& color,
           AcDb::LineWeight weight = AcDb::kLnWtByBlock) {
    if (db) {
        ent->setLayer(db->layerZero());
        ent->setLinetype(db->byBlockLinetype());
    }
    ent->setColor(color);
    ent->setLineWeight(weight);
}

AcCmColor byBlock() {
    AcCmColor c;
    c.setByBlock();
    return c;
}

// The entities of a block, copied and placed (the preview shows a user's arrowhead
// block without inserting it).
void copyBlockEntities(AcDbObjectId blockId, const Placement& at, EntityList& out) {
    AcDbStub* s = blockId.stub();
    auto* btr = s && s->object ? AcDbBlockTableRecord::cast(s->object.get()) : nullptr;
    if (!btr)
        return;
    AcGeMatrix3d m = AcGeMatrix3d::translation(at.tip.asVector()) *
                     AcGeMatrix3d::rotation(at.rotation, AcGeVector3d::kZAxis) *
                     AcGeMatrix3d::scaling(at.scale) *
                     AcGeMatrix3d::translation(-btr->origin().asVector());
    for (const AcDbObjectId& id : btr->kzEntities()) {
        AcDbStub* es = id.stub();
        if (!es || !es->object || es->erased)
            continue;
        std::unique_ptr<AcRxObject> copy(es->object->clone());
        auto* ent = AcDbEntity::cast(copy.get());
        if (!ent || ent->transformBy(m) != Acad::eOk)
            continue;
        copy.release();
        out.emplace_back(ent);
    }
}

// The entities of a layout. In a block, arrowheads other than closed filled are
// references to their blocks and the definition points are included; loose
// (preview) entities have the arrowheads drawn out and no definition points.
EntityList makeEntities(const DimLayout& layout, AcDbDatabase* db, bool forBlock,
                        AcDbObjectId defpointsLayer) {
    EntityList out;
    for (const auto& line : layout.lines) {
        auto ent = std::make_unique<AcDbLine>(line.start, line.end);
        dress(ent.get(), db, line.color, line.weight);
        out.push_back(std::move(ent));
    }
    for (const auto& a : layout.arrows) {
        Placement at{a.tip, a.rotation, a.size};
        if (a.kind == Arrow::ClosedFilled || (!forBlock && a.kind != Arrow::User)) {
            std::size_t from = out.size();
            for (const Shape& shape : arrowShapes(a.kind))
                shapeEntities(shape, at, out);
            for (std::size_t i = from; i < out.size(); ++i)
                dress(out[i].get(), db, a.color);
        } else if (!forBlock) {
            std::size_t from = out.size();
            copyBlockEntities(a.block, at, out);
            for (std::size_t i = from; i < out.size(); ++i)
                if (out[i]->color().isByBlock())
                    out[i]->setColor(a.color);
        } else if (a.size > 0) {
            auto ref = std::make_unique<AcDbBlockReference>(a.tip, a.block);
            ref->setScaleFactors(AcGeScale3d(a.size));
            ref->setRotation(a.rotation);
            dress(ref.get(), db, a.color);
            out.push_back(std::move(ref));
        }
    }
    if (layout.text) {
        const auto& t = *layout.text;
        auto mt = std::make_unique<AcDbMText>();
        mt->setLocation(t.centre);
        mt->setContents(t.contents.c_str());
        if (t.height > 0)
            mt->setTextHeight(t.height);
        mt->setRotation(t.rotation);
        mt->setAttachment(AcDbMText::kMiddleCenter);
        if (!t.style.isNull())
            mt->setTextStyle(t.style);
        dress(mt.get(), db, t.color);
        out.push_back(std::move(mt));
    }
    if (forBlock) {
        for (const AcGePoint3d& p : layout.defpoints) {
            auto pt = std::make_unique<AcDbPoint>(p);
            dress(pt.get(), db, byBlock());
            if (!defpointsLayer.isNull())
                pt->setLayer(defpointsLayer);
            out.push_back(std::move(pt));
        }
    }
    return out;
}

// Adds a record to one of the database's tables and leaves it open for write. The
// table is opened for write when it can be; when a caller has it open (a command
// that appends a dimension while holding the block table), the record is added the
// way the file reader adds them, as the host does for the blocks it makes itself.
Acad::ErrorStatus addRecord(AcDbDatabase* db, SymbolTable which, AcDbSymbolTableRecord* rec,
                            AcDbObjectId& id) {
    AcDbObject* tableObj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(tableObj, tableId(db, which), AcDb::kForWrite);
    if (es == Acad::eOk) {
        es = AcDbSymbolTable::cast(tableObj)->add(id, rec);
        tableObj->close();
        return es;
    }
    if (es != Acad::eWasOpenedForRead && es != Acad::eWasOpenedForWrite)
        return es;
    AcDbStub* s = tableId(db, which).stub();
    auto* table = s && s->object ? AcDbSymbolTable::cast(s->object.get()) : nullptr;
    if (!table)
        return Acad::eNoDatabase;
    std::wstring name = rec->name();
    if (name == L"*D") {
        // The next free "*D<n>".
        long next = 0;
        for (const AcDbObjectId& other : table->kzRecords()) {
            const std::wstring& n = symbolName(other);
            if (n.size() > 2 && (n[1] == L'D' || n[1] == L'd') && n[0] == L'*') {
                wchar_t* end = nullptr;
                long v = std::wcstol(n.c_str() + 2, &end, 10);
                if (end && *end == 0 && v >= next)
                    next = v + 1;
            }
        }
        rec->setName((L"*D" + std::to_wstring(next)).c_str());
    } else if (!findSymbol(db, which, name.c_str()).isNull()) {
        return Acad::eDuplicateRecordName;
    }
    es = db->impl().addObject(rec, table->objectId(), id);
    if (es != Acad::eOk)
        return es;
    table->kzAppendRecord(id);
    if (auto* btr = AcDbBlockTableRecord::cast(rec)) {
        // The BLOCK and ENDBLK entities that frame a block in files.
        AcDbObjectId ends[2];
        AcDbEntity* ent[2] = {new AcDbBlockBegin(), new AcDbBlockEnd()};
        for (int i = 0; i < 2; ++i) {
            ent[i]->setLayer(db->layerZero());
            ent[i]->setLinetype(db->byLayerLinetype());
            if (db->impl().addObject(ent[i], id, ends[i]) == Acad::eOk)
                ent[i]->close();
            else
                delete ent[i];
        }
        btr->kzSetBlockBeginEnd(ends[0], ends[1]);
    }
    return es;
}

// The layer of definition points, added (not plotted) when the drawing lacks it.
AcDbObjectId defpointsLayer(AcDbDatabase* db) {
    AcDbObjectId id = findSymbol(db, SymbolTable::Layer, L"Defpoints");
    if (!id.isNull())
        return id;
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(L"Defpoints");
    rec->setIsPlottable(false);
    rec->setLinetypeObjectId(db->continuousLinetype());
    if (addRecord(db, SymbolTable::Layer, rec, id) != Acad::eOk) {
        delete rec;
        return db->layerZero();
    }
    rec->close();
    return id;
}

// Adds a new block record under this name ("*D" gets a number) and leaves it open for
// write.
Acad::ErrorStatus addBlock(AcDbDatabase* db, const wchar_t* name, AcDbBlockTableRecord*& btr,
                           AcDbObjectId& id) {
    btr = new AcDbBlockTableRecord();
    btr->setName(name);
    Acad::ErrorStatus es = addRecord(db, SymbolTable::Block, btr, id);
    if (es != Acad::eOk) {
        delete btr;
        btr = nullptr;
    }
    return es;
}

} // namespace

AcDbObjectId arrowBlock(AcDbDatabase* db, std::wstring_view name, bool create,
                        Acad::ErrorStatus* status) {
    auto result = [&](Acad::ErrorStatus es, AcDbObjectId id = AcDbObjectId()) {
        if (status)
            *status = es;
        return id;
    };
    const ArrowInfo* info = findArrow(name);
    if (info && info->kind == Arrow::ClosedFilled)
        return result(Acad::eOk);
    if (!db)
        return result(Acad::eNoDatabase);
    std::wstring blockName = info ? std::wstring(info->blockName) : std::wstring(name);
    AcDbObjectId id = findSymbol(db, SymbolTable::Block, blockName.c_str());
    if (!id.isNull())
        return result(Acad::eOk, id);
    if (!info)
        return result(Acad::eKeyNotFound);
    if (!create)
        return result(Acad::eOk);
    AcDbBlockTableRecord* btr = nullptr;
    Acad::ErrorStatus es = addBlock(db, blockName.c_str(), btr, id);
    if (es != Acad::eOk)
        return result(es);
    EntityList shapes;
    for (const Shape& shape : arrowShapes(info->kind))
        shapeEntities(shape, Placement{}, shapes);
    for (auto& ent : shapes) {
        dress(ent.get(), db, byBlock());
        if (btr->appendAcDbEntity(ent.get()) == Acad::eOk)
            ent.release()->close();
    }
    btr->close();
    return result(Acad::eOk, id);
}

std::vector<std::unique_ptr<AcDbEntity>> graphicsEntities(const AcDbDimension& dim,
                                                          AcDbDatabase* db) {
    if (!db)
        db = databaseFor(&dim);
    DimLayout layout;
    if (!layoutDimension(dim, layout))
        return {};
    return makeEntities(layout, db, false, AcDbObjectId());
}

Acad::ErrorStatus rebuildBlock(AcDbDimension* dim) {
    AcDbDatabase* db = dim ? dim->database() : nullptr;
    if (!db)
        return Acad::eNotInDatabase;
    DimLayout layout;
    if (!layoutDimension(*dim, layout))
        return Acad::eNotApplicable;

    // The dimension's own block, emptied; a new "*D" block when it has none.
    AcDbObjectId blockId = dim->dimBlockId();
    AcDbBlockTableRecord* btr = nullptr;
    if (blockId.isNull() || blockId.isErased()) {
        Acad::ErrorStatus es = addBlock(db, L"*D", btr, blockId);
        if (es != Acad::eOk)
            return es;
    } else {
        // A block someone holds open is left alone: the dimension stays marked changed
        // and is rebuilt at its next close.
        Acad::ErrorStatus es = acdbOpenObject(btr, blockId, AcDb::kForWrite);
        if (es != Acad::eOk)
            return es;
        for (const AcDbObjectId& id : std::vector<AcDbObjectId>(btr->kzEntities())) {
            AcDbEntity* old = nullptr;
            if (acdbOpenAcDbEntity(old, id, AcDb::kForWrite) == Acad::eOk) {
                old->erase();
                old->close();
            }
        }
        // The erased entities stay in the database but leave the block's list, so a
        // rebuild costs the same however often the dimension was rebuilt before.
        btr->kzForgetErasedEntities();
    }
    for (auto& ent : makeEntities(layout, db, true, defpointsLayer(db))) {
        if (btr->appendAcDbEntity(ent.get()) == Acad::eOk)
            ent.release()->close();
    }
    btr->close();
    dim->kzSetBuilt(blockId, layout.text ? layout.text->centre : dim->textPosition());
    return Acad::eOk;
}

} // namespace kz::dim
