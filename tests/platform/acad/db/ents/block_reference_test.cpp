// Block references: the placing transform, extents through nested blocks and
// attributes, transforms, attributes joining the database, and DXF fields.
#include "../db_fixture.h"
#include "recording_filer.h"

#include "dbents.h"
#include "db/database_impl.h"
#include "dbextents.h"

#include <cmath>
#include <memory>

namespace {

const double kPi = 3.14159265358979323846;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

class BlockRefTest : public DbTest {
protected:
    // A block with this origin holding the entities (closed afterwards).
    AcDbObjectId makeBlock(const ACHAR* name, const AcGePoint3d& origin,
                           std::initializer_list<AcDbEntity*> entities) {
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
        auto* btr = new AcDbBlockTableRecord();
        btr->setName(name);
        btr->setOrigin(origin);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, btr), Acad::eOk);
        bt->close();
        for (AcDbEntity* e : entities) {
            EXPECT_EQ(btr->appendAcDbEntity(e), Acad::eOk);
            e->close();
        }
        btr->close();
        return id;
    }

    // Block "B" (origin (1, 1)): a line (1,1)-(3,1), a circle at (1,1) of radius 0.5,
    // and block "IN" (a unit line along x) placed at (1,3) turned by 90 degrees.
    AcDbObjectId makeNestedBlock() {
        AcDbObjectId inner = makeBlock(L"IN", {0, 0, 0}, {new AcDbLine({0, 0, 0}, {1, 0, 0})});
        auto* nested = new AcDbBlockReference({1, 3, 0}, inner);
        nested->setRotation(kPi / 2);
        return makeBlock(L"B", {1, 1, 0},
                         {new AcDbLine({1, 1, 0}, {3, 1, 0}),
                          new AcDbCircle({1, 1, 0}, AcGeVector3d::kZAxis, 0.5), nested});
    }
};

} // namespace

TEST_F(BlockRefTest, BlockTransformMovesScalesAndRotatesFromTheBlockOrigin) {
    AcDbObjectId block = makeBlock(L"B", {1, 1, 0}, {});
    AcDbBlockReference ref({10, 10, 0}, block);
    ref.setScaleFactors(AcGeScale3d(2, 3, 1));
    ref.setRotation(kPi / 2);
    AcGeMatrix3d m = ref.blockTransform();
    expectPoint(m * AcGePoint3d(1, 1, 0), {10, 10, 0});
    expectPoint(m * AcGePoint3d(3, 1, 0), {10, 14, 0}); // x scaled by 2, turned to +y
    expectPoint(m * AcGePoint3d(1, 2, 0), {7, 10, 0});  // y scaled by 3, turned to -x
    EXPECT_EQ(ref.setScaleFactors(AcGeScale3d(0, 1, 1)), Acad::eInvalidInput);
}

TEST_F(BlockRefTest, ExtentsFollowNestedBlocksAndAttributes) {
    AcDbObjectId block = makeNestedBlock();
    auto* ref = new AcDbBlockReference({10, 10, 0}, block);
    ref->setScaleFactors(AcGeScale3d(2, 3, 1));
    ref->setRotation(kPi / 2);
    AcDbObjectId refId = addToModelSpace(ref);

    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    auto* attribute = new AcDbAttribute({20, 20, 0}, L"AB", L"S016");
    attribute->setHeight(1);
    AcDbObjectId attributeId;
    ASSERT_EQ(open->appendAttribute(attributeId, attribute), Acad::eOk);
    EXPECT_FALSE(attributeId.isNull());
    attribute->close();

    // Line -> (10,10)-(10,14); circle, scaled unevenly, by its box -> x 8.5..11.5,
    // y 9..11; nested line (1,3)-(1,4) -> (4,10)-(1,10); attribute text box
    // (20,20)-(22,21).
    AcDbExtents ext;
    ASSERT_EQ(open->getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), {1, 9, 0});
    expectPoint(ext.maxPoint(), {22, 21, 0});

    // An invisible attribute does not count.
    AcDbAttribute* attr = nullptr;
    ASSERT_EQ(open->openAttribute(attr, attributeId, AcDb::kForWrite), Acad::eOk);
    attr->setInvisible(true);
    attr->close();
    ASSERT_EQ(open->getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.maxPoint(), {11.5, 14, 0});
    open->close();
}

TEST_F(BlockRefTest, ExtentsOfAReferenceToAnEmptyOrMissingBlockAreInvalid) {
    AcDbBlockReference empty({0, 0, 0}, makeBlock(L"E", {0, 0, 0}, {}));
    AcDbExtents ext;
    EXPECT_EQ(empty.getGeomExtents(ext), Acad::eInvalidExtents);
    AcDbBlockReference none({0, 0, 0}, AcDbObjectId());
    EXPECT_EQ(none.getGeomExtents(ext), Acad::eInvalidExtents);
}

// A block that holds references to itself (a damaged drawing can): measuring it ends,
// at once, and what is inside the cycle counts as empty. Each level used to try every
// entity twice, so two self-references took 4^32 steps before a depth limit.
TEST_F(BlockRefTest, ExtentsOfABlockThatHoldsItselfEnd) {
    AcDbObjectId self = makeBlock(L"SELF", {0, 0, 0}, {new AcDbLine({0, 0, 0}, {1, 0, 0})});
    AcDbBlockTableRecord* btr = nullptr;
    ASSERT_EQ(acdbOpenObject(btr, self, AcDb::kForWrite), Acad::eOk);
    for (AcGePoint3d at : {AcGePoint3d(5, 0, 0), AcGePoint3d(0, 5, 0)}) {
        auto* inner = new AcDbBlockReference(at, self);
        EXPECT_EQ(btr->appendAcDbEntity(inner), Acad::eOk);
        inner->close();
    }
    btr->close();
    AcDbBlockReference outer({0, 0, 0}, self);
    AcDbExtents ext;
    ASSERT_EQ(outer.getGeomExtents(ext), Acad::eOk);
    EXPECT_DOUBLE_EQ(ext.maxPoint().x, 1.0);
    EXPECT_DOUBLE_EQ(ext.maxPoint().y, 0.0);
}

TEST_F(BlockRefTest, TransformByComposesWithThePlacement) {
    AcDbObjectId block = makeBlock(L"B", {1, 1, 0}, {new AcDbLine({1, 1, 0}, {3, 1, 0})});
    AcGeMatrix3d mirrorX;
    mirrorX.entry[0][0] = -1;
    const AcGeMatrix3d transforms[] = {
        AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis),
        AcGeMatrix3d::scaling(2, {5, 5, 0}) * AcGeMatrix3d::translation({1, -2, 0}),
        mirrorX,
        AcGeMatrix3d::rotation(kPi / 3, AcGeVector3d::kXAxis),
    };
    for (const AcGeMatrix3d& xform : transforms) {
        AcDbBlockReference ref({10, 10, 0}, block);
        ref.setScaleFactors(AcGeScale3d(2, 3, 1));
        ref.setRotation(kPi / 6);
        AcGeMatrix3d expected = xform * ref.blockTransform();
        ASSERT_EQ(ref.transformBy(xform), Acad::eOk);
        EXPECT_TRUE(ref.blockTransform().isEqualTo(expected, AcGeTol()));
        for (const AcGePoint3d& p : {AcGePoint3d(1, 1, 0), AcGePoint3d(4, -2, 3)})
            expectPoint(ref.blockTransform() * p, expected * p);
    }
    // A mirror keeps the normal and turns the y scale negative.
    AcDbBlockReference ref({10, 10, 0}, block);
    ref.transformBy(mirrorX);
    EXPECT_TRUE(ref.normal().isEqualTo(AcGeVector3d::kZAxis));
    EXPECT_LT(ref.scaleFactors().sy, 0);
}

TEST_F(BlockRefTest, AttributesOfANewReferenceJoinTheDatabaseWithIt) {
    AcDbObjectId block = makeBlock(L"B", {0, 0, 0}, {new AcDbLine({0, 0, 0}, {1, 0, 0})});
    auto* ref = new AcDbBlockReference({5, 5, 0}, block);
    AcDbObjectId pending;
    ASSERT_EQ(ref->appendAttribute(pending, new AcDbAttribute({5, 6, 0}, L"1", L"A")), Acad::eOk);
    EXPECT_TRUE(pending.isNull());
    ASSERT_EQ(ref->appendAttribute(new AcDbAttribute({5, 7, 0}, L"2", L"B")), Acad::eOk);
    {
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        int n = 0;
        for (; !it->done(); it->step()) {
            EXPECT_NE(AcDbAttribute::cast(it->entity()), nullptr);
            ++n;
        }
        EXPECT_EQ(n, 2);
    }
    AcDbObjectId refId = addToModelSpace(ref);

    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(open->kzSubentities()->size(), 2u);
    EXPECT_FALSE(open->kzSequenceEnd()->isNull());
    std::unique_ptr<AcDbObjectIterator> it(open->attributeIterator());
    const wchar_t* tags[] = {L"A", L"B"};
    int n = 0;
    for (; !it->done(); it->step(), ++n) {
        AcDbAttribute* attr = nullptr;
        ASSERT_EQ(acdbOpenObject(attr, it->objectId(), AcDb::kForRead), Acad::eOk);
        EXPECT_STREQ(attr->tagConst(), tags[n]);
        EXPECT_EQ(attr->ownerId(), refId);
        attr->close();
    }
    EXPECT_EQ(n, 2);

    // Erasing the reference erases its attributes; unerasing brings them back.
    AcDbObjectId first = (*open->kzSubentities())[0];
    ASSERT_EQ(open->erase(), Acad::eOk);
    EXPECT_TRUE(first.isErased());
    EXPECT_TRUE(open->kzSequenceEnd()->isErased());
    ASSERT_EQ(open->close(), Acad::eOk);
    // Opened as erased, the reference still lists the attributes erased with it.
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite, true), Acad::eOk);
    it.reset(open->attributeIterator());
    n = 0;
    for (; !it->done(); it->step(), ++n)
        EXPECT_STREQ(AcDbAttribute::cast(it->entity())->tagConst(), tags[n]);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(open->erase(false), Acad::eOk);
    EXPECT_FALSE(first.isErased());
    // A live reference skips an attribute erased on its own.
    AcDbAttribute* lone = nullptr;
    ASSERT_EQ(open->openAttribute(lone, first, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(lone->erase(), Acad::eOk);
    lone->close();
    it.reset(open->attributeIterator());
    ASSERT_FALSE(it->done());
    EXPECT_STREQ(AcDbAttribute::cast(it->entity())->tagConst(), L"B");
    it->step();
    EXPECT_TRUE(it->done());

    // A foreign id is not one of its attributes.
    AcDbAttribute* attr = nullptr;
    EXPECT_EQ(open->openAttribute(attr, refId, AcDb::kForRead), Acad::eInvalidInput);
    open->close();
    EXPECT_EQ(db->impl().accessViolations(), 0);
}

TEST_F(BlockRefTest, TransformMovesResidentAttributesToo) {
    AcDbObjectId block = makeBlock(L"B", {0, 0, 0}, {new AcDbLine({0, 0, 0}, {1, 0, 0})});
    auto* ref = new AcDbBlockReference({0, 0, 0}, block);
    ref->appendAttribute(new AcDbAttribute({1, 2, 0}, L"x", L"T"));
    AcDbObjectId refId = addToModelSpace(ref);
    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(open->transformBy(AcGeMatrix3d::translation({10, 0, 0})), Acad::eOk);
    AcDbObjectId attrId = (*open->kzSubentities())[0];
    open->close();
    AcDbAttribute* attr = nullptr;
    ASSERT_EQ(acdbOpenObject(attr, attrId, AcDb::kForRead), Acad::eOk);
    expectPoint(attr->position(), {11, 2, 0});
    attr->close();
    EXPECT_EQ(db->impl().accessViolations(), 0);
}

TEST_F(BlockRefTest, CloneHasItsOwnAttributes) {
    AcDbObjectId block = makeBlock(L"B", {0, 0, 0}, {new AcDbLine({0, 0, 0}, {1, 0, 0})});
    auto* ref = new AcDbBlockReference({0, 0, 0}, block);
    ref->appendAttribute(new AcDbAttribute({1, 2, 0}, L"x", L"T"));
    AcDbObjectId refId = addToModelSpace(ref);
    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForRead), Acad::eOk);
    std::unique_ptr<AcDbBlockReference> copy(AcDbBlockReference::cast(open->clone()));
    open->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_EQ(copy->blockTableRecord(), block);
    copy->setPosition({50, 0, 0});
    std::unique_ptr<AcDbObjectIterator> it(copy->attributeIterator());
    ASSERT_FALSE(it->done());
    EXPECT_TRUE(it->objectId().isNull());
    auto* copiedAttr = AcDbAttribute::cast(it->entity());
    ASSERT_NE(copiedAttr, nullptr);
    copiedAttr->setTextString(L"changed");

    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForRead), Acad::eOk);
    expectPoint(open->position(), {0, 0, 0});
    AcDbAttribute* original = nullptr;
    ASSERT_EQ(acdbOpenObject(original, (*open->kzSubentities())[0], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(original->textStringConst(), L"x");
    original->close();
    open->close();
}

TEST_F(BlockRefTest, DxfFieldsRoundTrip) {
    AcDbObjectId block = makeBlock(L"Pipe", {0, 0, 0}, {});
    AcDbBlockReference ref({1, 2, 3}, block);
    ref.setRotation(kPi / 2);
    ref.setScaleFactors(AcGeScale3d(2, 2, 1));
    RecordingFiler out(db.get());
    std::unique_ptr<AcDbBlockReference> back(roundTrip(ref, db.get(), &out));
    EXPECT_EQ(out.values(2), std::vector<std::string>{"Pipe"});
    EXPECT_EQ(std::stod(out.values(50).at(0)), 90.0);
    EXPECT_TRUE(out.values(66).empty()); // no attributes follow
    EXPECT_TRUE(out.values(43).empty()); // default z scale not written
    EXPECT_EQ(back->blockTableRecord(), block);
    expectPoint(back->position(), {1, 2, 3});
    EXPECT_NEAR(back->rotation(), kPi / 2, 1e-12);
    EXPECT_EQ(back->scaleFactors(), AcGeScale3d(2, 2, 1));

    // An array insert keeps its marker, columns and rows; unknown tags are handed back.
    std::vector<Tag> minsert = {{100, "AcDbEntity"}, {8, "0"},  {100, "AcDbMInsertBlock"},
                                {2, "Pipe"},         {10, "0"}, {20, "0"},
                                {30, "0"},           {70, "3"}, {71, "2"},
                                {44, "5"},           {45, "7"}, {1000, "odd"}};
    RecordingFiler in(db.get(), minsert);
    AcDbBlockReference read;
    read.dxfInFields(&in);
    EXPECT_EQ(read.kzColumns(), 3);
    EXPECT_EQ(read.kzRows(), 2);
    EXPECT_EQ(in.kept, (std::vector<Tag>{{1000, "odd"}}));
    RecordingFiler rewritten(db.get());
    read.dxfOutFields(&rewritten);
    EXPECT_EQ(rewritten.subclass("AcDbMInsertBlock").size(), 8u); // 2, 10/20/30, 70, 71, 44, 45
}

TEST_F(BlockRefTest, AReferenceReadBeforeItsBlockFindsItLater) {
    std::vector<Tag> tags = {
        {100, "AcDbBlockReference"}, {2, "Later"}, {10, "1"}, {20, "0"}, {30, "0"}};
    RecordingFiler in(db.get(), tags);
    AcDbBlockReference ref;
    ref.dxfInFields(&in);
    EXPECT_TRUE(ref.blockTableRecord().isNull());
    AcDbObjectId block = makeBlock(L"Later", {0, 0, 0}, {});
    EXPECT_EQ(ref.blockTableRecord(), block);
    RecordingFiler out(db.get());
    ref.dxfOutFields(&out);
    EXPECT_EQ(out.values(2), std::vector<std::string>{"Later"});
}
