#include "ed/drawing_view.h"

#include <algorithm>
#include <cmath>

namespace kz::ed {

POINT DrawingView::toPixel(const AcGePoint3d& world) const {
    double upp = unitsPerPixel();
    double px = width / 2.0 + (world.x - center.x) / upp;
    double py = height / 2.0 - (world.y - center.y) / upp;
    auto clampLong = [](double v) {
        return static_cast<LONG>(std::clamp(std::floor(v), -2.0e9, 2.0e9));
    };
    return POINT{clampLong(px), clampLong(py)};
}

AcGePoint3d DrawingView::toWorld(double px, double py) const {
    double upp = unitsPerPixel();
    return AcGePoint3d(center.x + (px - width / 2.0) * upp, center.y - (py - height / 2.0) * upp,
                       0.0);
}

void DrawingView::zoomExtents(const AcDbExtents& extents) {
    if (extents.isEmpty())
        return;
    const AcGePoint3d& lo = extents.minPoint();
    const AcGePoint3d& hi = extents.maxPoint();
    double w = hi.x - lo.x;
    double h = hi.y - lo.y;
    center = AcGePoint3d((lo.x + hi.x) / 2.0, (lo.y + hi.y) / 2.0, 0.0);
    double needed = std::max(h, w * height / width) * 1.1;
    viewHeight = needed > 0.0 ? needed : 1.0;
}

DrawingView& drawingView() {
    static DrawingView view;
    return view;
}

} // namespace kz::ed
