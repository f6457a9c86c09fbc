#include "KeltoHost.h"

#include <gtest/gtest.h>

namespace {

using kz::kelto::parseDisplacement;

TEST(DisplacementTest, RelativeAndAbsoluteForms) {
    const AcGePoint3d insertion(10, 2, 3);
    auto d = parseDisplacement(L"@5,-1", insertion);
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, AcGeVector3d(5, -1, 0));
    d = parseDisplacement(L" @ 1.5 , 2 , 4 ", insertion);
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, AcGeVector3d(1.5, 2, 4));
    // "x,y" is the base element's new insertion point; its z stays.
    d = parseDisplacement(L"15,2", insertion);
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, AcGeVector3d(5, 0, 0));
    d = parseDisplacement(L"15.000000,-2.500000,0", insertion);
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, AcGeVector3d(5, -4.5, -3));
}

TEST(DisplacementTest, AnythingElseIsRefused) {
    const AcGePoint3d o;
    for (const wchar_t* bad : {L"", L"@", L"@1", L"1,2,3,4", L"1,,2", L"abc", L"@1,2x", L"1;2",
                               L"@@1,2", L"nan,1", L"inf,1"})
        EXPECT_FALSE(parseDisplacement(bad, o)) << bad;
}

} // namespace
