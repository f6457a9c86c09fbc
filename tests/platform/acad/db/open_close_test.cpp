#include "db_fixture.h"

#include "db/database_impl.h"
#include "unknown_entity_for_tests.h"

TEST_F(DbTest, OpenModesFollowTheHostRules) {
    AcDbObjectId id = addToModelSpace(new TestEntity());
    AcDbObject* r1 = nullptr;
    AcDbObject* r2 = nullptr;
    AcDbObject* w = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eOk); // many readers
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenedForRead);
    EXPECT_EQ(w, nullptr);
    r1->close();
    r2->close();
    ASSERT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
    AcDbObject* w2 = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(w2, id, AcDb::kForWrite), Acad::eWasOpenedForWrite);
    EXPECT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eWasOpenedForWrite);
    EXPECT_EQ(db->impl().openObjectCount(), 1);
    w->close();
    EXPECT_EQ(db->impl().openObjectCount(), 0);
    EXPECT_EQ(w->close(), Acad::eNotOpenForRead); // a close without an open is refused
}

TEST_F(DbTest, ErasedObjectsOpenOnlyWhenAskedAndIteratorsSkipThem) {
    AcDbObjectId a = addToModelSpace(new TestEntity());
    AcDbObjectId b = addToModelSpace(new TestEntity());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, a, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(ent->erase(), Acad::eOk);
    ent->close();
    EXPECT_EQ(acdbOpenAcDbEntity(ent, a, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, a, AcDb::kForRead, true), Acad::eOk);
    EXPECT_TRUE(ent->isErased());
    ent->close();

    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(db->getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForRead), Acad::eOk);
    bt->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(ms->newIterator(it), Acad::eOk);
    ms->close();
    std::vector<AcDbObjectId> seen;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        seen.push_back(id);
    }
    delete it;
    EXPECT_EQ(seen, std::vector<AcDbObjectId>{b});
}

TEST_F(DbTest, WrongClassOpenLeavesNothingOpen) {
    AcDbObjectId id = addToModelSpace(new TestEntity());
    AcDbBlockTableRecord* btr = nullptr;
    EXPECT_EQ(acdbOpenObject(btr, id, AcDb::kForWrite), Acad::eNotThatKindOfClass);
    EXPECT_EQ(btr, nullptr);
    EXPECT_EQ(db->impl().openObjectCount(), 0);
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, db->layerZero(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(acdbOpenAcDbEntity(ent, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
}

TEST_F(DbTest, ChangingAClosedObjectIsCounted) {
    AcDbObjectId id = addToModelSpace(new TestEntity());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    ent->close();
    EXPECT_EQ(db->impl().accessViolations(), 0);
    ent->setColorIndex(1); // after close: a fault in the caller
    EXPECT_EQ(db->impl().accessViolations(), 1);
}

TEST_F(DbTest, HandlesAndOldIdsNameObjects) {
    AcDbObjectId id = addToModelSpace(new TestEntity());
    ACHAR buf[20];
    ASSERT_TRUE(id.handle().getIntoAsciiBuffer(buf, 20));
    AcDbObjectId back;
    ASSERT_EQ(db->getAcDbObjectId(back, false, AcDbHandle(buf)), Acad::eOk);
    EXPECT_EQ(back, id);
    EXPECT_EQ(db->getAcDbObjectId(back, false, AcDbHandle(L"FFFFFF")), Acad::eUnknownHandle);
    EXPECT_TRUE(back.isNull());
    EXPECT_TRUE(AcDbHandle(L"12G").isNull());       // not hex
    EXPECT_TRUE(AcDbHandle(L"11111111111111111").isNull()); // 17 digits

    AcDbObjectId viaNumber;
    viaNumber.setFromOldId(id.asOldId());
    EXPECT_EQ(viaNumber, id);
    viaNumber.setFromOldId(id.asOldId() + 100000);
    EXPECT_TRUE(viaNumber.isNull());

    // A number printed for an object of a closed drawing names nothing afterwards.
    Adesk::IntDbId old = id.asOldId();
    db.reset();
    EXPECT_TRUE(AcDbObjectId().setFromOldId(old).isNull());
}
