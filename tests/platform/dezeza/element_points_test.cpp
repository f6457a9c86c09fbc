// Connection and length points through the reference's placement, the root and the
// extents of element references.
#include "route_fixture.h"

namespace {

TEST_F(RouteTest, PointsFollowTheReferenceRotationScaleAndBlockOrigin) {
    // Block origin (1, 0): block point (11, 0) lies 10 along the block's x axis.
    AcDbObjectId block = defineElement(L"PIPE", {{1, 0, 0}, {11, 0, 0}}, {{2, 0, 0}, {10, 0, 0}},
                                       {L"RT01"}, {1, 0, 0});
    AcDbObjectId ref = insert(block, {{100, 50, 0}, 90, AcGeScale3d(2, 3, 1)});
    std::vector<AcGePoint3d> connect = points(ref, KZCONECT_LAYER);
    ASSERT_EQ(connect.size(), 2u);
    expectPoint(connect[0], {100, 50, 0});
    expectPoint(connect[1], {100, 70, 0});
    std::vector<AcGePoint3d> length = points(ref, L"kz_length"); // letter case ignored
    ASSERT_EQ(length.size(), 2u);
    expectPoint(length[1], {100, 68, 0});
    AcGePoint3d r0, r1;
    ASSERT_EQ(RuleComn_rootPoint(ref, r0, r1, false), 0);
    expectPoint(r1, {100, 70, 0});
    // A mirroring scale turns the element the other way; xform replaces the placement.
    expectPoint(points(insert(block, {{0, 0, 0}, 0, AcGeScale3d(-1, 1, 1)}), KZCONECT_LAYER)[1],
                {-10, 0, 0});
    AcGePoint3dArray found;
    AcGeMatrix3d identity;
    EXPECT_EQ(DeZeza_GetConnectPoint(ref, found, KZCONECT_LAYER, &identity), 2);
    expectPoint(found[1], {11, 0, 0});
}

TEST_F(RouteTest, PointsComeInDefinitionOrderAndOnlyFromReferences) {
    AcDbObjectId ref =
        insert(defineElement(L"TEE", {{5, 0, 0}, {0, 0, 0}, {2.5, 3, 0}}, {}, {}), {{10, 10, 0}});
    std::vector<AcGePoint3d> connect = points(ref, KZCONECT_LAYER);
    ASSERT_EQ(connect.size(), 3u);
    expectPoint(connect[0], {15, 10, 0});
    expectPoint(connect[2], {12.5, 13, 0});
    AcDbObjectId line = addToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    AcGePoint3dArray found;
    EXPECT_EQ(DeZeza_GetConnectPoint(line, found, KZCONECT_LAYER, nullptr), -1);
    AcGePoint3d r0, r1;
    EXPECT_EQ(RuleComn_rootPoint(line, r0, r1, false), -1);
}

TEST_F(RouteTest, ExtentsGrowByThePlacedBlockAndOptionallyTheAttributes) {
    AcDbObjectId block = defineElement(L"P", {{0, 0, 0}, {10, 0, 0}}, {}, {L"RT"});
    AcDbObjectId refId = insert(block, {{0, 0, 0}, 90}, L"1", {{L"S016", L"KAKU"}});
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForRead), Acad::eOk);
    // Outline (0,0)-(10,0) and the stray point (0,7), turned by 90 degrees; the
    // extents given already hold (50, 50) and only grow.
    AcDbExtents ext(AcGePoint3d(50, 50, 0), AcGePoint3d(50, 50, 0));
    EXPECT_EQ(DeZeza_getBlockRefGeomExtents(ref, ext, AcGeMatrix3d(), 1), 0);
    expectPoint(ext.minPoint(), {-7, 0, 0});
    expectPoint(ext.maxPoint(), {50, 50, 0});
    // The attribute's text runs from the origin along +x, beyond the block.
    AcDbExtents withText;
    EXPECT_EQ(DeZeza_getBlockRefGeomExtents(ref, withText, AcGeMatrix3d(), 0), 0);
    EXPECT_GT(withText.maxPoint().x, 0.0);
    ref->close();
}

} // namespace
