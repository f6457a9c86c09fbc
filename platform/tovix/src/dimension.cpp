#include "ApiComn.h"

#include "dbdim.h"

#include <cmath>
#include <cstring>
#include <new>
#include <numbers>

namespace {

// The host's standard arrowheads by position.
constexpr const wchar_t* kArrowBlocks[] = {
    L"",          L"_DOT",       L"_DOTSMALL", L"_DOTBLANK",    L"_ORIGIN",      L"_ORIGIN2",
    L"_OPEN",     L"_OPEN90",    L"_OPEN30",   L"_CLOSED",      L"_SMALL",       L"_NONE",
    L"_OBLIQUE",  L"_BOXFILLED", L"_BOXBLANK", L"_CLOSEDBLANK", L"_DATUMFILLED", L"_DATUMBLANK",
    L"_INTEGRAL", L"_ARCHTICK",
};

void applyParams(AcDbRotatedDimension* dim, const ApiComnDimParams& p) {
    dim->setDimdle(p.dimdle);
    dim->setDimasz(p.dimasz);
    if (p.separateArrows) {
        dim->setDimsah(true);
        if (const wchar_t* name = ApiComn_ArrowBlockName(p.arrow1))
            dim->setDimblk1(name);
        if (const wchar_t* name = ApiComn_ArrowBlockName(p.arrow2))
            dim->setDimblk2(name);
    } else if (const wchar_t* name = ApiComn_ArrowBlockName(p.arrow1)) {
        dim->setDimsah(false);
        dim->setDimblk(name);
    }
    dim->setDimgap(p.dimgap);
    dim->setDimexe(p.dimexe);
    dim->setDimexo(p.dimexo);
    dim->setDimtad(p.dimtad);
    dim->setDimjust(p.dimjust);
    if (p.alignedText) {
        dim->setDimtih(false);
        dim->setDimtoh(false);
    }
    dim->setDimtxt(p.dimtxt);
}

} // namespace

const wchar_t* ApiComn_ArrowBlockName(int position) {
    constexpr int count = static_cast<int>(sizeof(kArrowBlocks) / sizeof(kArrowBlocks[0]));
    return position >= 0 && position < count ? kArrowBlocks[position] : nullptr;
}

int ApiComn_CreateDimension(AcDbRotatedDimension** dimension, const AcGePoint3dArray& points,
                            const void* params) {
    if (!dimension)
        return -1;
    *dimension = nullptr;
    AcGePoint3d p[3];
    for (int i = 0; i < 3 && i < points.length(); ++i)
        p[i] = points[i];
    // The direction from the first point to the second, 0 <= rotation < 2 pi.
    double rotation = std::atan2(p[1].y - p[0].y, p[1].x - p[0].x);
    if (rotation < 0)
        rotation += 2 * std::numbers::pi;
    try {
        *dimension = new AcDbRotatedDimension(rotation, p[0], p[1], p[2]);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (params) {
        // The block comes from the caller as bytes; copying avoids relying on its alignment.
        ApiComnDimParams block;
        std::memcpy(&block, params, sizeof block);
        applyParams(*dimension, block);
    }
    return points.length() >= 2 ? 0 : -1;
}
