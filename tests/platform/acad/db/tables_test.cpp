#include "db_fixture.h"

#include "acutmem.h"
#include "dbdict.h"
#include "dbgroup.h"
#include "db/database_impl.h"
#include "unknown_entity_for_tests.h"

#include <cwchar>

TEST_F(DbTest, NewDrawingHasTheStandardSymbols) {
    AcDbLinetypeTable* lt = nullptr;
    ASSERT_EQ(db->getLinetypeTable(lt, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(lt->has(L"ByLayer"));
    EXPECT_TRUE(lt->has(L"BYBLOCK")); // names compare without letter case
    EXPECT_TRUE(lt->has(L"Continuous"));
    lt->close();
    AcDbTextStyleTable* st = nullptr;
    ASSERT_EQ(db->getTextStyleTable(st, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(st->has(L"Standard"));
    st->close();
    EXPECT_FALSE(db->layerZero().isNull());
    EXPECT_EQ(db->clayer(), db->layerZero());
}

TEST_F(DbTest, AddingRecordsChecksNamesAndDuplicates) {
    AcDbTextStyleTable* st = nullptr;
    ASSERT_EQ(db->getTextStyleTable(st, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbTextStyleTableRecord();
    ASSERT_EQ(rec->setName(L"DimStyle"), Acad::eOk);
    rec->setXScale(0.8);
    rec->setFileName(L"simplex.shx");
    AcDbObjectId id;
    ASSERT_EQ(st->add(id, rec), Acad::eOk);
    rec->close();

    auto* dup = new AcDbTextStyleTableRecord();
    dup->setName(L"DIMSTYLE");
    EXPECT_EQ(st->add(dup), Acad::eDuplicateRecordName); // refused; the caller deletes it
    delete dup;
    auto* bad = new AcDbTextStyleTableRecord();
    EXPECT_EQ(bad->setName(L"a<b"), Acad::eInvalidInput);
    delete bad;

    AcDbTextStyleTableRecord* found = nullptr;
    ASSERT_EQ(st->getAt(L"dimstyle", found, AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(found->xScale(), 0.8);
    const ACHAR* font = nullptr;
    found->fileName(font);
    EXPECT_STREQ(font, L"simplex.shx");
    found->close();
    st->close();
}

TEST_F(DbTest, AnonymousBlocksGetUniqueNumbers) {
    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
    std::vector<std::wstring> names;
    for (const wchar_t* base : {L"*U", L"*U", L"*D", L"*D", L"*U"}) {
        auto* btr = new AcDbBlockTableRecord();
        ASSERT_EQ(btr->setName(base), Acad::eOk);
        ASSERT_EQ(bt->add(btr), Acad::eOk);
        EXPECT_TRUE(btr->isAnonymous());
        names.push_back(btr->name());
        btr->close();
    }
    bt->close();
    EXPECT_EQ(names, (std::vector<std::wstring>{L"*U0", L"*U1", L"*D0", L"*D1", L"*U2"}));
}

TEST_F(DbTest, ExtendedDataNeedsARegisteredApplicationAndReplacesPerApplication) {
    AcDbObjectId id = addToModelSpace(new TestEntity());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    resbuf* rb = acutBuildList(1001, L"KZ_DIMENSION", 1000, L"1A3", 1000, L"1B4", 0);
    EXPECT_EQ(ent->setXData(rb), Acad::eRegappIdNotFound);
    ASSERT_TRUE(acdbRegApp(L"KZ_DIMENSION"));
    ASSERT_TRUE(acdbRegApp(L"KZ_LINK"));
    ASSERT_EQ(ent->setXData(rb), Acad::eOk);
    acutRelRb(rb);
    rb = acutBuildList(1001, L"KZ_LINK", 1000, L"2|||01||1|", 1070, 5, 1040, 2.5, 0);
    ASSERT_EQ(ent->setXData(rb), Acad::eOk);
    acutRelRb(rb);
    // A second write under one application replaces that application's list only.
    rb = acutBuildList(1001, L"KZ_DIMENSION", 1000, L"2C5", 0);
    ASSERT_EQ(ent->setXData(rb), Acad::eOk);
    acutRelRb(rb);
    ent->close();

    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    resbuf* dim = ent->xData(L"KZ_DIMENSION");
    resbuf* all = ent->xData();
    ent->close();
    ASSERT_NE(dim, nullptr);
    EXPECT_EQ(dim->restype, 1001);
    ASSERT_NE(dim->rbnext, nullptr);
    EXPECT_STREQ(dim->rbnext->resval.rstring, L"2C5");
    EXPECT_EQ(dim->rbnext->rbnext, nullptr);
    int count = 0;
    for (resbuf* p = all; p; p = p->rbnext)
        ++count;
    EXPECT_EQ(count, 2 + 4); // two names, one + three items
    acutRelRb(dim);
    acutRelRb(all);

    // An application given without items loses its data.
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    rb = acutBuildList(1001, L"KZ_LINK", 0);
    ASSERT_EQ(ent->setXData(rb), Acad::eOk);
    acutRelRb(rb);
    EXPECT_EQ(ent->xData(L"KZ_LINK"), nullptr);
    // A chain that does not start with an application name changes nothing.
    rb = acutBuildList(1000, L"x", 0);
    EXPECT_EQ(ent->setXData(rb), Acad::eBadDxfSequence);
    acutRelRb(rb);
    ent->close();
}

TEST_F(DbTest, GroupsKeepOrderAndMembersPointBack) {
    AcDbObjectId a = addToModelSpace(new TestEntity());
    AcDbObjectId b = addToModelSpace(new TestEntity());
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    auto* group = new AcDbGroup(L"pipe run 1");
    AcDbObjectId gid;
    ASSERT_EQ(groups->setAt(L"RUN1", group, gid), Acad::eOk);
    groups->close();
    EXPECT_EQ(group->append(b), Acad::eOk);
    EXPECT_EQ(group->prepend(a), Acad::eOk);
    EXPECT_EQ(group->append(a), Acad::eDuplicateKey);
    EXPECT_EQ(group->append(db->layerZero()), Acad::eNotAnEntity);
    group->close();

    AcDbGroup* g = nullptr;
    ASSERT_EQ(acdbOpenObject(g, gid, AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray ids;
    EXPECT_EQ(g->allEntityIds(ids), 2u);
    EXPECT_EQ(ids[0], a);
    EXPECT_EQ(ids[1], b);
    ACHAR* name = nullptr;
    g->getName(name);
    EXPECT_STREQ(name, L"RUN1");
    acutDelString(name);
    g->close();

    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, a, AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray reactors = ent->getPersistentReactors();
    ent->close();
    ASSERT_EQ(reactors.length(), 1);
    EXPECT_EQ(reactors[0], gid);
}

TEST_F(DbTest, EntityLayerMustExist) {
    auto* ent = new TestEntity();
    EXPECT_EQ(ent->setLayer(L"KZ_DIM"), Acad::eKeyNotFound);
    AcDbLayerTable* lt = nullptr;
    ASSERT_EQ(db->getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"KZ_DIM");
    ASSERT_EQ(lt->add(layer), Acad::eOk);
    layer->close();
    lt->close();
    EXPECT_EQ(ent->setLayer(L"kz_dim"), Acad::eOk);
    ACHAR* name = ent->layer();
    EXPECT_STREQ(name, L"KZ_DIM");
    acutDelString(name);
    AcDbObjectId id = addToModelSpace(ent);
    EXPECT_FALSE(id.isNull());
}
