// ApiComn_CreateDimension: the new dimension's points and rotation, and the dimension
// variables set from the 120-byte parameter block.
#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "dbdim.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace {

// The block as the module fills it: raw bytes at their offsets.
struct RawBlock {
    unsigned char bytes[120] = {};
    template <class T> void put(std::size_t offset, T value) {
        std::memcpy(bytes + offset, &value, sizeof value);
    }
};

RawBlock routeBlock(double arrowSize, int arrowType, double gap, double offset, int tad,
                    double height) {
    RawBlock b;
    b.put(8, arrowSize);
    b.put(16, static_cast<std::int32_t>(arrowType));
    b.put(20, static_cast<std::int32_t>(arrowType));
    b.put(26, static_cast<unsigned char>(1));
    b.put(32, gap);
    b.put(40, 0.0);
    b.put(48, offset);
    b.put(56, static_cast<std::int32_t>(tad));
    b.put(60, static_cast<std::int32_t>(0));
    b.put(68, static_cast<unsigned char>(1));
    b.put(72, height);
    return b;
}

std::wstring blockName(AcDbObjectId id) {
    if (id.isNull())
        return L"(closed filled)";
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, id, AcDb::kForRead) != Acad::eOk)
        return L"?";
    std::wstring name = btr->name();
    btr->close();
    return name;
}

class CreateDimensionTest : public DbTest {
protected:
    std::unique_ptr<AcDbRotatedDimension> make(std::initializer_list<AcGePoint3d> pts,
                                               const void* params, int* result = nullptr) {
        AcGePoint3dArray points;
        for (const auto& p : pts)
            points.append(p);
        AcDbRotatedDimension* dim = nullptr;
        int r = ApiComn_CreateDimension(&dim, points, params);
        if (result)
            *result = r;
        return std::unique_ptr<AcDbRotatedDimension>(dim);
    }
};

TEST_F(CreateDimensionTest, TheBlockSetsItsDimensionVariables) {
    RawBlock b = routeBlock(1.5, 4, 1.0, 2.0, 1, 0.8);
    auto dim = make({{0, 0, 0}, {100, 0, 0}, AcGePoint3d::kOrigin}, b.bytes);
    ASSERT_TRUE(dim);
    EXPECT_TRUE(dim->objectId().isNull()); // in no database
    EXPECT_DOUBLE_EQ(dim->dimasz(), 1.5);
    EXPECT_DOUBLE_EQ(dim->dimgap(), 1.0);
    EXPECT_DOUBLE_EQ(dim->dimexo(), 2.0);
    EXPECT_DOUBLE_EQ(dim->dimexe(), 0.0);
    EXPECT_DOUBLE_EQ(dim->dimdle(), 0.0);
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.8);
    EXPECT_EQ(dim->dimtad(), 1);
    EXPECT_EQ(dim->dimjust(), 0);
    EXPECT_TRUE(dim->dimsah());
    EXPECT_FALSE(dim->dimtih());
    EXPECT_FALSE(dim->dimtoh());
    EXPECT_EQ(blockName(dim->dimblk1()), L"_ORIGIN");
    EXPECT_EQ(blockName(dim->dimblk2()), L"_ORIGIN");
}

TEST_F(CreateDimensionTest, EveryArrowPositionNamesItsStandardArrowhead) {
    const wchar_t* expected[] = {L"(closed filled)", L"_DOT", L"_DOTSMALL", L"_DOTBLANK",
                                 L"_ORIGIN", L"_ORIGIN2", L"_OPEN", L"_OPEN90", L"_OPEN30",
                                 L"_CLOSED", L"_SMALL", L"_NONE", L"_OBLIQUE", L"_BOXFILLED",
                                 L"_BOXBLANK", L"_CLOSEDBLANK", L"_DATUMFILLED",
                                 L"_DATUMBLANK", L"_INTEGRAL", L"_ARCHTICK"};
    for (int i = 0; i < 20; ++i) {
        RawBlock b = routeBlock(1, i, 1, 1, 0, 1);
        auto dim = make({{0, 0, 0}, {1, 0, 0}}, b.bytes);
        EXPECT_EQ(blockName(dim->dimblk1()), expected[i]) << "position " << i;
        EXPECT_EQ(blockName(dim->dimblk2()), expected[i]) << "position " << i;
    }
    EXPECT_EQ(ApiComn_ArrowBlockName(20), nullptr);
    EXPECT_EQ(ApiComn_ArrowBlockName(-1), nullptr);
    // Out of range: the arrowheads stay as the style has them.
    RawBlock out = routeBlock(1, 25, 1, 1, 0, 1);
    auto dim = make({{0, 0, 0}, {1, 0, 0}}, out.bytes);
    AcDbRotatedDimension plain;
    EXPECT_EQ(dim->dimblk1(), plain.dimblk1());
}

TEST_F(CreateDimensionTest, ItMeasuresTheDistanceBetweenItsPointsInAnyDirection) {
    const AcGePoint3d a(10, 10, 0);
    for (double deg : {0.0, 30.0, 90.0, 135.0, 180.0, 250.0, 315.0}) {
        double r = deg * std::numbers::pi / 180.0;
        AcGePoint3d b(a.x + 25 * std::cos(r), a.y + 25 * std::sin(r), 0);
        auto dim = make({a, b, AcGePoint3d(0, 0, 0)}, nullptr);
        EXPECT_NEAR(dim->rotation(), r, 1e-12) << deg;
        EXPECT_NEAR(dim->measurement(), 25.0, 1e-9) << deg;
        EXPECT_EQ(dim->xLine1Point(), a);
        EXPECT_EQ(dim->xLine2Point(), b);
    }
}

TEST_F(CreateDimensionTest, ADimensionIsDeliveredEvenForTooFewPoints) {
    int result = 0;
    auto dim = make({{5, 5, 0}}, nullptr, &result);
    ASSERT_TRUE(dim);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dim->xLine2Point(), AcGePoint3d::kOrigin);
    AcGePoint3dArray none;
    EXPECT_EQ(ApiComn_CreateDimension(nullptr, none, nullptr), -1);
}

} // namespace
