// Connection and length points of route elements through the reference's placement,
// the root, the insertion point and the extents of element references.
#include "route_fixture.h"

#include "dbextents.h"

namespace {

class ElementPointsTest : public RouteTest {};

TEST_F(ElementPointsTest, PointsFollowTheReferenceRotationScaleAndBlockOrigin) {
    // Block origin (1, 0): block point (11, 0) is 10 units along the block's x axis.
    AcDbObjectId block = defineElement(L"PIPE", {{1, 0, 0}, {11, 0, 0}}, {{2, 0, 0}, {10, 0, 0}},
                                       {L"RT01"}, {1, 0, 0});
    AcDbObjectId ref = insert(block, {{100, 50, 0}, 90, AcGeScale3d(2, 3, 1)});

    std::vector<AcGePoint3d> connect = points(ref, KZCONECT_LAYER);
    ASSERT_EQ(connect.size(), 2u);
    expectPoint(connect[0], {100, 50, 0});
    expectPoint(connect[1], {100, 70, 0}); // 10 along x, scaled by 2, turned to +y
    std::vector<AcGePoint3d> length = points(ref, KZLENGTH_LAYER);
    ASSERT_EQ(length.size(), 2u);
    expectPoint(length[0], {100, 52, 0});
    expectPoint(length[1], {100, 68, 0});

    // A negative (mirroring) x scale turns the element the other way.
    AcDbObjectId mirrored = insert(block, {{0, 0, 0}, 0, AcGeScale3d(-1, 1, 1)});
    expectPoint(points(mirrored, KZCONECT_LAYER)[1], {-10, 0, 0});
}

TEST_F(ElementPointsTest, PointsComeInDefinitionOrderFromTheNamedLayerOnly) {
    AcDbObjectId block =
        defineElement(L"TEE", {{5, 0, 0}, {0, 0, 0}, {2.5, 3, 0}}, {}, {L"RBT1"});
    AcDbObjectId ref = insert(block, {{10, 10, 0}});
    std::vector<AcGePoint3d> connect = points(ref, L"kz_connect"); // letter case ignored
    ASSERT_EQ(connect.size(), 3u);
    expectPoint(connect[0], {15, 10, 0});
    expectPoint(connect[1], {10, 10, 0});
    expectPoint(connect[2], {12.5, 13, 0});
    EXPECT_TRUE(points(ref, KZLENGTH_LAYER).empty());

    // Points are appended after what the array holds; xform replaces the placement.
    AcGePoint3dArray found;
    found.append(AcGePoint3d(-1, -1, -1));
    AcGeMatrix3d identity;
    EXPECT_EQ(DeZeza_GetConnectPoint(ref, found, KZCONECT_LAYER, &identity), 3);
    ASSERT_EQ(found.length(), 4);
    expectPoint(found[1], {5, 0, 0});
}

TEST_F(ElementPointsTest, AnythingButABlockReferenceHasNoPoints) {
    AcDbObjectId line = addToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    AcGePoint3dArray found;
    EXPECT_EQ(DeZeza_GetConnectPoint(line, found, KZCONECT_LAYER, nullptr), -1);
    AcDbObjectId none;
    EXPECT_EQ(DeZeza_GetConnectPoint(none, found, KZCONECT_LAYER, nullptr), -1);
    EXPECT_EQ(found.length(), 0);
    AcGePoint3d r0(9, 9, 9), r1(9, 9, 9);
    EXPECT_EQ(RuleComn_rootPoint(line, r0, r1, false), -1);
    expectPoint(r0, {9, 9, 9});
    expectPoint(RuleComn_getInsertPos(line), AcGePoint3d::kOrigin);
}

TEST_F(ElementPointsTest, RootRunsBetweenTheFirstTwoConnectionOrLengthPoints) {
    AcDbObjectId block = defineElement(L"P", {{0, 0, 0}, {8, 0, 0}, {4, 2, 0}},
                                       {{1, 0, 0}, {7, 0, 0}}, {L"RT"});
    AcDbObjectId ref = insert(block, {{3, 4, 0}, 180});
    AcGePoint3d r0, r1;
    ASSERT_EQ(RuleComn_rootPoint(ref, r0, r1, false), 0);
    expectPoint(r0, {3, 4, 0});
    expectPoint(r1, {-5, 4, 0});
    ASSERT_EQ(RuleComn_rootPoint(ref, r0, r1, true), 0);
    expectPoint(r0, {2, 4, 0});
    expectPoint(r1, {-4, 4, 0});
    expectPoint(RuleComn_getInsertPos(ref), {3, 4, 0});
}

TEST_F(ElementPointsTest, ExtentsGrowByThePlacedBlockAndOptionallyTheAttributes) {
    AcDbObjectId block = defineElement(L"P", {{0, 0, 0}, {10, 0, 0}}, {}, {L"RT"});
    AcDbObjectId refId = insert(block, {{0, 0, 0}, 90}, L"1", {{L"S016", L"KAKU"}});
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForRead), Acad::eOk);

    // The block holds the outline (0,0)-(10,0) and a stray point at (0,7): turned by 90
    // degrees they span x -7..0 and y 0..10.
    AcDbExtents ext;
    AcGeMatrix3d identity;
    EXPECT_EQ(DeZeza_getBlockRefGeomExtents(ref, ext, identity, 1), 0);
    expectPoint(ext.minPoint(), {-7, 0, 0});
    expectPoint(ext.maxPoint(), {0, 10, 0});

    // Extents already holding a far point keep it: the call only grows them.
    AcDbExtents grown(AcGePoint3d(50, 50, 0), AcGePoint3d(50, 50, 0));
    AcGeMatrix3d shift = AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0));
    EXPECT_EQ(DeZeza_getBlockRefGeomExtents(ref, grown, shift, 1), 0);
    expectPoint(grown.minPoint(), {-6, 0, 0});
    expectPoint(grown.maxPoint(), {50, 50, 0});

    // The attribute's text starts at the origin and runs along +x, beyond the block.
    AcDbExtents withText;
    EXPECT_EQ(DeZeza_getBlockRefGeomExtents(ref, withText, identity, 0), 0);
    EXPECT_GT(withText.maxPoint().x, 0.0);
    EXPECT_DOUBLE_EQ(withText.minPoint().x, -7.0);
    ref->close();
    EXPECT_NE(DeZeza_getBlockRefGeomExtents(nullptr, ext, identity, 0), 0);
}

} // namespace
