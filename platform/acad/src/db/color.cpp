#include "dbcolor.h"

Acad::ErrorStatus AcCmColor::setColorIndex(Adesk::UInt16 index) {
    if (index > 256)
        return Acad::eInvalidInput;
    m_index = index;
    m_rgb = 0;
    if (index == 0)
        m_method = AcCmEntityColor::kByBlock;
    else if (index == 256)
        m_method = AcCmEntityColor::kByLayer;
    else
        m_method = AcCmEntityColor::kByACI;
    return Acad::eOk;
}

Adesk::UInt16 AcCmColor::colorIndex() const {
    switch (m_method) {
    case AcCmEntityColor::kByLayer:
        return 256;
    case AcCmEntityColor::kByBlock:
        return 0;
    default:
        return m_index;
    }
}

Acad::ErrorStatus AcCmColor::setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue) {
    m_method = AcCmEntityColor::kByColor;
    m_rgb = (Adesk::UInt32(red) << 16) | (Adesk::UInt32(green) << 8) | blue;
    return Acad::eOk;
}
