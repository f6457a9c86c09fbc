#include "../db_fixture.h"

#include "acutmem.h"
#include "db/database_impl.h"
#include "db/dim_graphics.h"
#include "db/symbol_lookup.h"
#include "dbdim.h"
#include "dbents.h"
#include "dbmtext.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The live entities of a block, without opening them.
std::vector<AcDbEntity*> contents(AcDbObjectId blockId) {
    std::vector<AcDbEntity*> out;
    AcDbStub* s = blockId.stub();
    auto* btr = s && s->object ? AcDbBlockTableRecord::cast(s->object.get()) : nullptr;
    if (!btr)
        return out;
    for (const AcDbObjectId& id : btr->kzEntities())
        if (id.stub() && id.stub()->object && !id.isErased())
            out.push_back(AcDbEntity::cast(id.stub()->object.get()));
    return out;
}

template <class T> std::vector<T*> only(const std::vector<AcDbEntity*>& ents) {
    std::vector<T*> out;
    for (AcDbEntity* e : ents)
        if (T* t = T::cast(e))
            out.push_back(t);
    return out;
}

// Vertical lines at this x: the extension lines of a horizontal dimension.
int linesAtX(const std::vector<AcDbEntity*>& ents, double x) {
    int n = 0;
    for (AcDbLine* l : only<AcDbLine>(ents))
        n += std::fabs(l->startPoint().x - x) < 1e-9 && std::fabs(l->endPoint().x - x) < 1e-9;
    return n;
}

class DimBlock : public DbTest {
protected:
    // A horizontal dimension over 0..100 with its line at y = 20, in model space.
    AcDbObjectId addDim(void (*setup)(AcDbRotatedDimension*) = nullptr) {
        auto* dim = new AcDbRotatedDimension(0, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0),
                                             AcGePoint3d(50, 20, 0));
        if (setup)
            setup(dim);
        return addToModelSpace(dim);
    }
    AcDbRotatedDimension* openDim(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead) {
        AcDbRotatedDimension* dim = nullptr;
        EXPECT_EQ(acdbOpenObject(dim, id, mode), Acad::eOk);
        return dim;
    }
    AcDbObjectId blockOf(AcDbObjectId dimId) {
        AcDbRotatedDimension* dim = openDim(dimId);
        AcDbObjectId block = dim->dimBlockId();
        dim->close();
        return block;
    }
};

} // namespace

TEST_F(DimBlock, AddingADimensionBuildsItsAnonymousBlock) {
    AcDbObjectId id = addDim();
    AcDbObjectId block = blockOf(id);
    ASSERT_FALSE(block.isNull());
    std::wstring name = kz::symbolName(block);
    EXPECT_EQ(name.substr(0, 2), L"*D");
    EXPECT_GT(name.size(), 2u);

    auto ents = contents(block);
    EXPECT_EQ(linesAtX(ents, 0), 1);
    EXPECT_EQ(linesAtX(ents, 100), 1);
    EXPECT_EQ(only<AcDbLine>(ents).size(), 4u);  // two extension lines, the broken line
    EXPECT_EQ(only<AcDbSolid>(ents).size(), 2u); // closed filled arrowheads
    auto texts = only<AcDbMText>(ents);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->kzContents(), L"100");
    EXPECT_EQ(texts[0]->attachment(), AcDbMText::kMiddleCenter);
    EXPECT_TRUE(texts[0]->location().isEqualTo(AcGePoint3d(50, 20, 0)));
    auto points = only<AcDbPoint>(ents);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(kz::symbolName(points[0]->layerId()), L"Defpoints");
    EXPECT_EQ(kz::symbolName(texts[0]->layerId()), L"0");

    EXPECT_EQ(db->impl().openObjectCount(), 0);
    EXPECT_EQ(db->impl().accessViolations(), 0);
}

TEST_F(DimBlock, ClosingAfterAChangeRebuildsTheSameBlock) {
    AcDbObjectId id = addDim();
    AcDbObjectId block = blockOf(id);
    AcDbRotatedDimension* dim = openDim(id, AcDb::kForWrite);
    ASSERT_EQ(dim->setXLine1Point(AcGePoint3d(-50, 0, 0)), Acad::eOk);
    dim->close();

    EXPECT_EQ(blockOf(id), block);
    auto ents = contents(block);
    EXPECT_EQ(linesAtX(ents, 0), 0);
    EXPECT_EQ(linesAtX(ents, -50), 1);
    EXPECT_EQ(only<AcDbMText>(ents).size(), 1u); // the old entities are gone
    EXPECT_EQ(only<AcDbMText>(ents)[0]->kzContents(), L"150");

    // A read-only open changes nothing.
    dim = openDim(id);
    dim->close();
    EXPECT_EQ(contents(block).size(), ents.size());
    EXPECT_EQ(db->impl().openObjectCount(), 0);

    // The block's list holds only what the last rebuild made: a list keeping the erased
    // entities made every rebuild walk all earlier ones.
    for (double x : {-60.0, -70.0, -80.0}) {
        dim = openDim(id, AcDb::kForWrite);
        dim->setXLine1Point(AcGePoint3d(x, 0, 0));
        dim->close();
    }
    auto* btr = AcDbBlockTableRecord::cast(block.stub()->object.get());
    ASSERT_NE(btr, nullptr);
    EXPECT_EQ(btr->kzEntities().size(), ents.size());
    EXPECT_EQ(linesAtX(contents(block), -80), 1);
}

TEST_F(DimBlock, SuppressedExtensionLineAndNoneArrowheadEachDropOnePiece) {
    AcDbObjectId plain = addDim();
    AcDbObjectId shared = addDim([](AcDbRotatedDimension* d) {
        d->setDimse1(true);
        d->setDimsah(true);
        d->setDimblk1(L"_NONE");
    });
    auto before = contents(blockOf(plain));
    auto after = contents(blockOf(shared));
    EXPECT_EQ(linesAtX(after, 0), 0);
    EXPECT_EQ(linesAtX(after, 100), 1);
    EXPECT_EQ(only<AcDbSolid>(after).size(), 1u);
    EXPECT_EQ(only<AcDbBlockReference>(after).size(), 0u);
    // The "_NONE" block exists in the drawing, empty.
    AcDbObjectId none = kz::findSymbol(db.get(), kz::SymbolTable::Block, L"_NONE");
    ASSERT_FALSE(none.isNull());
    EXPECT_TRUE(contents(none).empty());
    AcDbRotatedDimension* dim = openDim(shared);
    EXPECT_EQ(dim->dimblk1(), none);
    dim->close();
}

TEST_F(DimBlock, WithoutDimsahBothEndsUseDimblk) {
    AcDbObjectId id = addDim([](AcDbRotatedDimension* d) {
        d->setDimblk1(L"_NONE"); // ignored while dimsah is off
        d->setDimblk(L"_DOT");
    });
    auto refs = only<AcDbBlockReference>(contents(blockOf(id)));
    ASSERT_EQ(refs.size(), 2u);
    AcDbObjectId dot = kz::findSymbol(db.get(), kz::SymbolTable::Block, L"_DOT");
    EXPECT_EQ(refs[0]->blockTableRecord(), dot);
    EXPECT_TRUE(refs[0]->position().isEqualTo(AcGePoint3d(0, 20, 0)));
    EXPECT_NEAR(std::fabs(refs[0]->rotation() - kPi), 0.0, 1e-9);
    EXPECT_NEAR(refs[1]->rotation(), 0.0, 1e-9);
    EXPECT_NEAR(refs[1]->scaleFactors().sx, 2.5, 1e-12);
    // The dot's block: a filled disc of diameter 1 and its stem, drawn by block.
    auto dotEnts = contents(dot);
    EXPECT_GT(only<AcDbSolid>(dotEnts).size(), 8u);
    ASSERT_EQ(only<AcDbLine>(dotEnts).size(), 1u);
    EXPECT_TRUE(only<AcDbLine>(dotEnts)[0]->startPoint().isEqualTo(AcGePoint3d(-0.5, 0, 0)));
    for (AcDbEntity* e : dotEnts)
        EXPECT_TRUE(e->color().isByBlock());
}

TEST_F(DimBlock, DimscaleScalesArrowheadsAndText) {
    AcDbObjectId id = addDim([](AcDbRotatedDimension* d) {
        d->setDimscale(4);
        d->setDimblk(L"_OBLIQUE");
    });
    auto ents = contents(blockOf(id));
    auto refs = only<AcDbBlockReference>(ents);
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_NEAR(refs[0]->scaleFactors().sx, 10.0, 1e-12);
    ASSERT_EQ(only<AcDbMText>(ents).size(), 1u);
    EXPECT_NEAR(only<AcDbMText>(ents)[0]->textHeight(), 10.0, 1e-12);
}

TEST_F(DimBlock, MovedTextIsWhereTheUserPutIt) {
    AcDbObjectId id = addDim();
    AcDbRotatedDimension* dim = openDim(id, AcDb::kForWrite);
    dim->setDimtmove(2);
    dim->setTextPosition(AcGePoint3d(70, 45, 0));
    dim->close();
    auto texts = only<AcDbMText>(contents(blockOf(id)));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0]->location().isEqualTo(AcGePoint3d(70, 45, 0)));

    // Back to the default place: the dimension reports where the text went.
    dim = openDim(id, AcDb::kForWrite);
    dim->setDimtad(1);
    dim->useDefaultTextPosition();
    dim->close();
    dim = openDim(id);
    EXPECT_TRUE(dim->textPosition().isEqualTo(AcGePoint3d(50, 21.875, 0)));
    dim->close();
}

TEST_F(DimBlock, PreviewEntitiesAreLooseAndDrawTheArrowheadsOut) {
    AcDbRotatedDimension dim(0, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0),
                             AcGePoint3d(50, 20, 0));
    dim.setDimblk(L"_DOT");
    EXPECT_EQ(dim.recomputeDimBlock(), Acad::eNotInDatabase);
    auto ents = kz::dim::graphicsEntities(dim, db.get());
    std::vector<AcDbEntity*> raw;
    for (auto& e : ents) {
        EXPECT_TRUE(e->objectId().isNull());
        raw.push_back(e.get());
    }
    EXPECT_EQ(only<AcDbMText>(raw).size(), 1u);
    EXPECT_EQ(only<AcDbBlockReference>(raw).size(), 0u);
    EXPECT_EQ(only<AcDbPoint>(raw).size(), 0u);
    // Each dot is drawn out as a fan of SOLIDs within half an arrow size of its tip.
    auto pieces = only<AcDbSolid>(raw);
    ASSERT_FALSE(pieces.empty());
    int nearEnd2 = 0;
    for (AcDbSolid* s : pieces) {
        AcGePoint3d p;
        s->getPointAt(0, p);
        double d = p.distanceTo(AcGePoint3d(100, 20, 0));
        EXPECT_TRUE(d <= 1.25 + 1e-9 || p.distanceTo(AcGePoint3d(0, 20, 0)) <= 1.25 + 1e-9);
        nearEnd2 += d <= 1.25 + 1e-9;
    }
    EXPECT_EQ(nearEnd2 * 2, static_cast<int>(pieces.size()));
}

TEST_F(DimBlock, UnknownArrowheadNamesAreRefused) {
    AcDbRotatedDimension dim;
    EXPECT_EQ(dim.setDimblk1(L"NO_SUCH_BLOCK"), Acad::eKeyNotFound);
    EXPECT_EQ(dim.setDimblk1(L"open30"), Acad::eOk); // standard name, "_" and case free
    EXPECT_EQ(kz::symbolName(dim.dimblk1()), L"_OPEN30");
    EXPECT_EQ(dim.setDimblk1(L""), Acad::eOk);
    EXPECT_TRUE(dim.dimblk1().isNull());
}

TEST_F(DimBlock, ABlockTableHeldOpenDoesNotStopTheBlocks) {
    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(db->getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
    auto* dim = new AcDbRotatedDimension(0, AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0),
                                         AcGePoint3d(5, 5, 0));
    ASSERT_EQ(dim->setDimblk(L"_OPEN"), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, dim), Acad::eOk);
    dim->close();
    ms->close();
    bt->close();

    AcDbObjectId block = blockOf(id);
    ASSERT_FALSE(block.isNull());
    EXPECT_EQ(kz::symbolName(block).substr(0, 2), L"*D");
    EXPECT_EQ(only<AcDbMText>(contents(block)).size(), 1u);
    AcDbObjectId open = kz::findSymbol(db.get(), kz::SymbolTable::Block, L"_OPEN");
    EXPECT_EQ(only<AcDbLine>(contents(open)).size(), 3u); // the two strokes and the stem
    for (AcDbObjectId made : {block, open}) {
        auto* btr = AcDbBlockTableRecord::cast(made.stub()->object.get());
        EXPECT_FALSE(btr->kzBlockBegin().isNull()); // framed like any block in a file
        EXPECT_FALSE(btr->kzBlockEnd().isNull());
    }
    EXPECT_EQ(db->impl().openObjectCount(), 0);
}
