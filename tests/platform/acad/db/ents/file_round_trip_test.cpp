// Entities through a whole DXF file: written by the drawing writer and read back by
// the reader, sub-entities and long texts included.
#include "../db_fixture.h"

#include "db/stub.h"
#include "dbents.h"
#include "dbmtext.h"
#include "dbpl.h"
#include "dxf/drawing_io.h"

#include <memory>

namespace {

const double kPi = 3.14159265358979323846;

std::unique_ptr<AcDbDatabase> reload(AcDbDatabase& db, std::string* text = nullptr) {
    std::string saved, error;
    EXPECT_TRUE(kz::writeDrawingToText(db, saved, error)) << error;
    auto loaded = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("round.dxf", saved, *loaded);
    EXPECT_TRUE(r.ok) << r.error;
    if (text)
        *text = saved;
    return loaded;
}

// Model space's entities of the database, in order.
std::vector<AcDbEntity*> modelSpace(AcDbDatabase& db) {
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForRead);
    bt->close();
    std::vector<AcDbEntity*> out;
    for (auto& id : ms->kzEntities())
        out.push_back(AcDbEntity::cast(id.stub()->object.get()));
    ms->close();
    return out;
}

template <class T> T* entityAt(const std::vector<AcDbEntity*>& ents, std::size_t i) {
    return i < ents.size() ? T::cast(ents[i]) : nullptr;
}

} // namespace

TEST_F(DbTest, EntitiesSurviveADxfFile) {
    std::wstring contents;
    while (contents.size() < 600)
        contents += L"配管経路の寸法値を変更します。";
    contents.resize(600);

    auto* mtext = new AcDbMText();
    mtext->setContents(contents.c_str());
    mtext->setTextHeight(3.5);
    mtext->setLocation({1, 2, 0});
    mtext->setRotation(kPi / 6);
    addToModelSpace(mtext);

    AcDbBlockTable* bt = nullptr;
    db->getBlockTable(bt, AcDb::kForWrite);
    auto* btr = new AcDbBlockTableRecord();
    btr->setName(L"VALVE");
    AcDbObjectId blockId;
    bt->add(blockId, btr);
    bt->close();
    btr->appendAcDbEntity(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    btr->appendAcDbEntity(new AcDbAttributeDefinition({0, 1, 0}, L"", L"S016", L"size"));
    btr->close();

    auto* ref = new AcDbBlockReference({10, 10, 0}, blockId);
    ref->setRotation(kPi / 2);
    ref->appendAttribute(new AcDbAttribute({10, 11, 0}, L"50A", L"S016"));
    addToModelSpace(ref);

    AcGePoint3dArray pts;
    pts.append({0, 0, 0});
    pts.append({5, 0, 0});
    pts.append({5, 5, 0});
    addToModelSpace(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 1.5));
    pts.append({5, 5, 5});
    addToModelSpace(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, {0, 0}, 1);
    pl->addVertexAt(1, {2, 0});
    addToModelSpace(pl);
    auto* text = new AcDbText({0, 0, 0}, L"TOP", AcDbObjectId(), 2.0);
    text->setVerticalMode(AcDb::kTextTop);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setAlignmentPoint({4, 4, 0});
    addToModelSpace(text);

    std::string saved;
    auto loaded = reload(*db, &saved);
    auto ents = modelSpace(*loaded);
    ASSERT_EQ(ents.size(), 6u);

    auto* m = entityAt<AcDbMText>(ents, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->kzContents(), contents);
    EXPECT_NEAR(m->rotation(), kPi / 6, 1e-12);

    auto* r = entityAt<AcDbBlockReference>(ents, 1);
    ASSERT_NE(r, nullptr);
    ASSERT_FALSE(r->blockTableRecord().isNull());
    auto* block = AcDbBlockTableRecord::cast(r->blockTableRecord().stub()->object.get());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->name(), L"VALVE");
    ASSERT_EQ(r->kzSubentities()->size(), 1u);
    auto* attr = AcDbAttribute::cast((*r->kzSubentities())[0].stub()->object.get());
    ASSERT_NE(attr, nullptr);
    EXPECT_STREQ(attr->tagConst(), L"S016");
    EXPECT_STREQ(attr->textStringConst(), L"50A");
    EXPECT_EQ(attr->ownerId(), r->objectId());
    EXPECT_FALSE(r->kzSequenceEnd()->isNull());
    EXPECT_NEAR(r->rotation(), kPi / 2, 1e-12);

    auto* p2 = entityAt<AcDb2dPolyline>(ents, 2);
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->kzSubentities()->size(), 3u);
    EXPECT_DOUBLE_EQ(p2->elevation(), 1.5);
    auto* p3 = entityAt<AcDb3dPolyline>(ents, 3);
    ASSERT_NE(p3, nullptr);
    EXPECT_EQ(p3->kzSubentities()->size(), 4u);
    auto* lw = entityAt<AcDbPolyline>(ents, 4);
    ASSERT_NE(lw, nullptr);
    double bulge = 0;
    lw->getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 1);
    auto* t = entityAt<AcDbText>(ents, 5);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->verticalMode(), AcDb::kTextTop);
    EXPECT_EQ(t->horizontalMode(), AcDb::kTextCenter);

    // Saving what was read gives the same file.
    std::string again;
    reload(*loaded, &again);
    EXPECT_EQ(again, saved);
}
