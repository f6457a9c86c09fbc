#include "aci_palette.h"

#include <gtest/gtest.h>

using kz::Rgb;
using kz::aci::Background;
using kz::aci::kPalette;
using kz::aci::toRgb;

TEST(AciPalette, FixedColoursAndForegroundOnEitherBackground) {
    EXPECT_EQ(toRgb(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(toRgb(2), (Rgb{255, 255, 0}));
    EXPECT_EQ(toRgb(3), (Rgb{0, 255, 0}));
    EXPECT_EQ(toRgb(4), (Rgb{0, 255, 255}));
    EXPECT_EQ(toRgb(5), (Rgb{0, 0, 255}));
    EXPECT_EQ(toRgb(6), (Rgb{255, 0, 255}));
    EXPECT_EQ(toRgb(8), (Rgb{128, 128, 128}));
    EXPECT_EQ(toRgb(9), (Rgb{192, 192, 192}));
    EXPECT_EQ(toRgb(7, Background::Dark), (Rgb{255, 255, 255}));
    EXPECT_EQ(toRgb(7, Background::Light), (Rgb{0, 0, 0}));
    // Only 7 follows the background; white 255 stays white.
    EXPECT_EQ(toRgb(255, Background::Light), (Rgb{255, 255, 255}));
    EXPECT_EQ(toRgb(1, Background::Light), (Rgb{255, 0, 0}));
    // By block, by layer and nonsense fall back to the foreground.
    for (int i : {0, 256, -1, 1000}) {
        EXPECT_EQ(toRgb(i, Background::Dark), (Rgb{255, 255, 255})) << i;
        EXPECT_EQ(toRgb(i, Background::Light), (Rgb{0, 0, 0})) << i;
    }
}

TEST(AciPalette, ShadesOfRedRowAndHueSteps) {
    const Rgb red[10] = {{255, 0, 0}, {255, 127, 127}, {204, 0, 0}, {204, 102, 102},
                         {153, 0, 0}, {153, 76, 76},   {127, 0, 0}, {127, 63, 63},
                         {76, 0, 0},  {76, 38, 38}};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(kPalette[10 + i], red[i]) << 10 + i;
    EXPECT_EQ(kPalette[20], (Rgb{255, 63, 0}));
    EXPECT_EQ(kPalette[21], (Rgb{255, 159, 127}));
    EXPECT_EQ(kPalette[22], (Rgb{204, 51, 0}));
    EXPECT_EQ(kPalette[27], (Rgb{127, 79, 63}));
    EXPECT_EQ(kPalette[29], (Rgb{76, 47, 38}));
    EXPECT_EQ(kPalette[30], (Rgb{255, 127, 0}));
    EXPECT_EQ(kPalette[40], (Rgb{255, 191, 0}));
    EXPECT_EQ(kPalette[60], (Rgb{191, 255, 0}));
    // Every 40 indices a primary or secondary colour at full brightness.
    EXPECT_EQ(kPalette[50], toRgb(2));
    EXPECT_EQ(kPalette[90], toRgb(3));
    EXPECT_EQ(kPalette[130], toRgb(4));
    EXPECT_EQ(kPalette[170], toRgb(5));
    EXPECT_EQ(kPalette[210], toRgb(6));
    EXPECT_EQ(kPalette[240], (Rgb{255, 0, 63}));
    EXPECT_EQ(kPalette[249], (Rgb{76, 38, 47}));
}

TEST(AciPalette, GreysAndEveryHueShadeIsDarkerThanItsFullColour) {
    const std::uint8_t greys[6] = {51, 91, 132, 173, 214, 255};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(kPalette[250 + i], (Rgb{greys[i], greys[i], greys[i]})) << 250 + i;
    for (int i = 10; i < 250; ++i) {
        const Rgb c = kPalette[i];
        const int maxC = std::max({c.r, c.g, c.b}), minC = std::min({c.r, c.g, c.b});
        const int levels[5] = {255, 204, 153, 127, 76};
        EXPECT_EQ(maxC, levels[(i % 10) / 2]) << i;
        // Even: full saturation (a zero component); odd: half (minimum is half the maximum).
        EXPECT_EQ(minC, i % 2 == 0 ? 0 : maxC / 2) << i;
    }
}
