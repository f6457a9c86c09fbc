// The host's 256 colour indices and their RGB values. Index 0 (by block) and 256
// (by layer) are not colours: the renderer resolves them before asking for RGB.
//
// 1-9 are fixed; 10-249 are 24 hues 15 degrees apart (10 red, 50 yellow, 90 green,
// 130 cyan, 170 blue, 210 magenta), each in ten shades: the last digit's half (0-4)
// picks the brightness 100, 80, 60, 50 or 30 percent, and an odd last digit halves the
// saturation; 250-255 are greys from dark to white. Index 7 is drawn white on a dark
// background and black on a light one.
#pragma once

#include <array>
#include <cstdint>

namespace kz {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace aci {

enum class Background { Dark, Light };

constexpr int kByBlock = 0;
constexpr int kForeground = 7;
constexpr int kByLayer = 256;

namespace detail {

// floor(255 * level/10 * (1 - saturation/2 * k/4)), in integers so that no value lands
// a rounding error below a whole number.
constexpr std::uint8_t shade(int level, int saturation, int k) {
    return static_cast<std::uint8_t>(255 * level * (8 - saturation * k) / 80);
}

constexpr Rgb hueShade(int index) {
    constexpr int levels[5] = {10, 8, 6, 5, 3};
    const int hue = index / 10 - 1; // 0..23, 15 degrees each
    const int level = levels[(index % 10) / 2];
    const int saturation = index % 2 == 0 ? 2 : 1; // in halves
    const int sector = hue / 4, step = hue % 4;
    const std::uint8_t v = shade(level, saturation, 0);
    const std::uint8_t p = shade(level, saturation, 4);
    const std::uint8_t q = shade(level, saturation, step);     // falling ramp
    const std::uint8_t t = shade(level, saturation, 4 - step); // rising ramp
    switch (sector) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default:
        return {v, p, q};
    }
}

constexpr std::array<Rgb, 256> makePalette() {
    std::array<Rgb, 256> p{};
    constexpr Rgb fixed[10] = {{0, 0, 0},       {255, 0, 0},    {255, 255, 0}, {0, 255, 0},
                               {0, 255, 255},   {0, 0, 255},    {255, 0, 255}, {255, 255, 255},
                               {128, 128, 128}, {192, 192, 192}};
    for (int i = 0; i < 10; ++i)
        p[i] = fixed[i];
    for (int i = 10; i < 250; ++i)
        p[i] = hueShade(i);
    for (int i = 250; i < 256; ++i) {
        const auto g = static_cast<std::uint8_t>(51 + (i - 250) * 204 / 5);
        p[i] = {g, g, g};
    }
    return p;
}

} // namespace detail

// The palette as drawn on a dark background (index 7 white).
inline constexpr std::array<Rgb, 256> kPalette = detail::makePalette();

// The colour of index 1-255 on the given background. Indices that are not colours
// (0, 256, anything outside 1-255) give the foreground colour of index 7.
constexpr Rgb toRgb(int index, Background background = Background::Dark) {
    if (index < 1 || index > 255 || index == kForeground)
        return background == Background::Dark ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    return kPalette[static_cast<unsigned>(index)];
}

} // namespace aci
} // namespace kz
