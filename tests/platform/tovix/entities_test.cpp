// Adding entities to model space and putting them on layers.
#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "acutmem.h"
#include "dbents.h"

namespace {

std::wstring layerOf(AcDbEntity* ent) {
    ACHAR* name = ent->layer();
    std::wstring s = name ? name : L"";
    acutDelString(name);
    return s;
}

TEST_F(DbTest, AddEntityPutsTheEntityInModelSpaceAndClosesIt) {
    auto* line = new AcDbLine({0, 0, 0}, {1, 1, 0});
    AcDbObjectId id;
    ASSERT_EQ(ApiComn_AddEntity(line, &id), 0);
    EXPECT_FALSE(id.isNull());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk); // it was closed
    EXPECT_EQ(ent->blockId(), db->currentSpaceId());
    ent->close();
    // Adding it again is refused.
    EXPECT_EQ(ApiComn_AddEntity(line, nullptr), Acad::eAlreadyInDb);
    EXPECT_NE(ApiComn_AddEntity(nullptr, &id), 0);
}

TEST_F(DbTest, SetLayerCreatesAMissingLayerAndUsesAnExistingOne) {
    AcDbLine line({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(ApiComn_SetLayer(&line, L"KZ_DIM"), 0);
    EXPECT_EQ(layerOf(&line), L"KZ_DIM");
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(layers->getAt(L"KZ_DIM", rec, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(rec->color().colorIndex(), 7);
    EXPECT_EQ(rec->linetypeObjectId(), db->continuousLinetype());
    rec->close();
    layers->close();

    AcDbLine other({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(ApiComn_SetLayer(&other, L"kz_dim"), 0); // the same layer
    EXPECT_EQ(other.layerId(), line.layerId());
    EXPECT_NE(ApiComn_SetLayer(&other, L"bad<name"), 0);
    EXPECT_EQ(other.layerId(), line.layerId());
    EXPECT_NE(ApiComn_SetLayer(nullptr, L"KZ_DIM"), 0);
}

} // namespace
