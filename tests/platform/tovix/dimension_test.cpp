// ApiComn_CreateDimension: points and rotation of the new dimension, and the dimension
// variables set from the 120-byte parameter block.
#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "dbdim.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace {

// The block as the module fills it: arrow size 1.5, arrow type t twice, separate
// arrowheads, gap 1, exe 0, offset 2, text above (1), justification 0, aligned text,
// height 0.8.
struct RawBlock {
    unsigned char bytes[120] = {};
    template <class T> void put(std::size_t at, T v) { std::memcpy(bytes + at, &v, sizeof v); }
    explicit RawBlock(std::int32_t type) {
        put(8, 1.5), put(16, type), put(20, type), put(26, std::uint8_t(1)), put(32, 1.0);
        put(48, 2.0), put(56, std::int32_t(1)), put(68, std::uint8_t(1)), put(72, 0.8);
    }
};

std::unique_ptr<AcDbRotatedDimension> make(AcGePoint3dArray points, const void* params,
                                           int* result = nullptr) {
    AcDbRotatedDimension* dim = nullptr;
    int r = ApiComn_CreateDimension(&dim, points, params);
    if (result)
        *result = r;
    return std::unique_ptr<AcDbRotatedDimension>(dim);
}

std::wstring blockName(AcDbObjectId id) {
    AcDbBlockTableRecord* btr = nullptr;
    if (id.isNull() || acdbOpenObject(btr, id, AcDb::kForRead) != Acad::eOk)
        return L"";
    std::wstring name = btr->name();
    btr->close();
    return name;
}

TEST_F(DbTest, TheBlockSetsItsDimensionVariablesAndArrowheads) {
    const wchar_t* names[] = {
        L"",          L"_DOT",       L"_DOTSMALL", L"_DOTBLANK",    L"_ORIGIN",      L"_ORIGIN2",
        L"_OPEN",     L"_OPEN90",    L"_OPEN30",   L"_CLOSED",      L"_SMALL",       L"_NONE",
        L"_OBLIQUE",  L"_BOXFILLED", L"_BOXBLANK", L"_CLOSEDBLANK", L"_DATUMFILLED", L"_DATUMBLANK",
        L"_INTEGRAL", L"_ARCHTICK"};
    for (int t = 0; t < 20; ++t) {
        RawBlock b(t);
        auto dim = make({{0, 0, 0}, {100, 0, 0}, AcGePoint3d::kOrigin}, b.bytes);
        ASSERT_TRUE(dim);
        EXPECT_EQ(blockName(dim->dimblk1()), names[t]) << t;
        EXPECT_EQ(blockName(dim->dimblk2()), names[t]) << t;
        if (t != 4)
            continue;
        EXPECT_TRUE(dim->objectId().isNull()); // in no database
        EXPECT_DOUBLE_EQ(dim->dimasz(), 1.5);
        EXPECT_DOUBLE_EQ(dim->dimgap(), 1.0);
        EXPECT_DOUBLE_EQ(dim->dimexo(), 2.0);
        EXPECT_DOUBLE_EQ(dim->dimexe(), 0.0);
        EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.8);
        EXPECT_EQ(dim->dimtad(), 1);
        EXPECT_TRUE(dim->dimsah());
        EXPECT_FALSE(dim->dimtih());
        EXPECT_FALSE(dim->dimtoh());
    }
    // Out of range: the arrowheads stay as the style has them.
    RawBlock out(25);
    EXPECT_EQ(make({{0, 0, 0}, {1, 0, 0}}, out.bytes)->dimblk1(), AcDbRotatedDimension().dimblk1());
}

TEST_F(DbTest, ANewDimensionMeasuresItsTwoPointsInAnyDirection) {
    const AcGePoint3d a(10, 10, 0);
    for (double deg : {0.0, 90.0, 135.0, 250.0}) {
        double r = deg * std::numbers::pi / 180.0;
        AcGePoint3d b(a.x + 25 * std::cos(r), a.y + 25 * std::sin(r), 0);
        auto dim = make({a, b, AcGePoint3d::kOrigin}, nullptr);
        EXPECT_NEAR(dim->rotation(), r, 1e-12) << deg;
        EXPECT_NEAR(dim->measurement(), 25.0, 1e-9) << deg;
        EXPECT_EQ(dim->xLine2Point(), b);
    }
    int result = 0;
    auto single = make({{5, 5, 0}}, nullptr, &result); // still a dimension
    ASSERT_TRUE(single);
    EXPECT_EQ(result, -1);
}

} // namespace
