// A colour as the host keeps it: by layer, by block, an index colour (1-255) or a true
// colour (24-bit RGB).
#pragma once

#include "acadstrc.h"
#include "adesk.h"

class AcCmEntityColor {
public:
    enum ColorMethod : Adesk::UInt8 {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kForeground = 0xC5,
        kNone = 0xC8,
    };
};

class AcCmColor {
public:
    AcCmColor() = default;

    AcCmEntityColor::ColorMethod colorMethod() const { return m_method; }
    bool isByLayer() const { return m_method == AcCmEntityColor::kByLayer; }
    bool isByBlock() const { return m_method == AcCmEntityColor::kByBlock; }
    bool isByACI() const { return m_method == AcCmEntityColor::kByACI; }
    bool isByColor() const { return m_method == AcCmEntityColor::kByColor; }

    // 0 by block, 1-255 colours, 256 by layer; anything else is refused.
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
    // The index colour; for a true colour the index it was given with (0 when none).
    Adesk::UInt16 colorIndex() const;
    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);
    Adesk::UInt8 red() const { return static_cast<Adesk::UInt8>(m_rgb >> 16); }
    Adesk::UInt8 green() const { return static_cast<Adesk::UInt8>(m_rgb >> 8); }
    Adesk::UInt8 blue() const { return static_cast<Adesk::UInt8>(m_rgb); }
    // 0x00RRGGBB of a true colour.
    Adesk::UInt32 rgb() const { return m_rgb; }
    void setByLayer() { m_method = AcCmEntityColor::kByLayer; }
    void setByBlock() { m_method = AcCmEntityColor::kByBlock; }

    bool operator==(const AcCmColor& o) const {
        return m_method == o.m_method && m_index == o.m_index && m_rgb == o.m_rgb;
    }
    bool operator!=(const AcCmColor& o) const { return !(*this == o); }

private:
    AcCmEntityColor::ColorMethod m_method = AcCmEntityColor::kByLayer;
    Adesk::UInt16 m_index = 256;
    Adesk::UInt32 m_rgb = 0;
};
