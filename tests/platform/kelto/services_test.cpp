// The services Kelto.arx exports by name: the linked elements of an element, the
// parameters of KZ_REJOB1 and the read-out font.
#include "route_sample.h"

#include "Kelto.h"
#include "KeltoHost.h"

namespace {

class KeltoServicesTest : public RouteSampleTest {};

TEST_F(KeltoServicesTest, LinkedElementsAreTheConnectedOnesOfAnyRoute) {
    // D belongs to no group but touches A's start; F is not connected to A.
    AcDbObjectId d = insert(pipe8, {{0, 0, 0}, 180});
    AcDbObjectId f = insert(pipe8, {{30, 30, 0}});
    AcDbObjectIdArray linked;
    EXPECT_EQ(KZAddinGetLinkRootEX(a, &linked), 2);
    EXPECT_EQ(ids(linked), (std::vector<AcDbObjectId>{e, d}));
    EXPECT_EQ(KZAddinGetLinkRootEX(a, nullptr), -1);
    (void)f;
}

TEST_F(KeltoServicesTest, CommandParametersServeOneRun) {
    AcGePoint3d p(1, 2, 3);
    EXPECT_EQ(KZAddinAutoCommParam(1, b, &p), 0);
    auto params = kz::kelto::takeRejobParams();
    ASSERT_TRUE(params);
    EXPECT_EQ(params->base, b);
    EXPECT_EQ(params->insertionPoint, p);
    EXPECT_EQ(params->mode, 1);
    EXPECT_FALSE(kz::kelto::takeRejobParams());

    // Without a point the element's own insertion point is taken.
    EXPECT_EQ(KZAddinAutoCommParam(1, b, nullptr), 0);
    EXPECT_EQ(kz::kelto::takeRejobParams()->insertionPoint, AcGePoint3d(12, 2, 0));
    EXPECT_EQ(KZAddinAutoCommParam(1, AcDbObjectId(), &p), -1);
    EXPECT_FALSE(kz::kelto::takeRejobParams());
}

TEST(KeltoFontTest, TheFontIsAJapaneseFaceThatStaysValid) {
    LOGFONTW* font = KZAddinGetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, KZAddinGetFont());
    EXPECT_STREQ(font->lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(font->lfCharSet, 128);
    EXPECT_LT(font->lfHeight, 0);
}

} // namespace
