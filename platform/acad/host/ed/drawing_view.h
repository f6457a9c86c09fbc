// The drawing window of the headless host: a client area of width x height pixels
// whose top left corner is at (screenLeft, screenTop) on the screen, showing the part of model space centred on center
// that is viewHeight drawing units tall. Pixel y grows downwards. The view is set once
// when the drawing is opened (zoom to its extents) and changes only by ZOOM.
#pragma once

#include "dbextents.h"
#include "gepnt3d.h"
#include "win_types.h"

namespace kz::ed {

// Half the side of the pick box, in pixels.
inline constexpr int kPickBoxPixels = 3;

struct DrawingView {
    int width = 1280;
    int height = 800;
    int screenLeft = 0;
    int screenTop = 0;
    AcGePoint3d center{210.0, 148.5, 0.0};
    double viewHeight = 297.0;

    double unitsPerPixel() const { return viewHeight / height; }
    // Client pixel of a world point (z ignored) and back (z 0).
    POINT toPixel(const AcGePoint3d& world) const;
    AcGePoint3d toWorld(double px, double py) const;
    // Shows the whole box with a margin of 5% of its size on every side; an empty box
    // leaves the view as it is, a box without width or height is shown 1 unit tall.
    void zoomExtents(const AcDbExtents& extents);
    // Half the side of the pick box in drawing units.
    double pickRadius() const { return kPickBoxPixels * unitsPerPixel(); }
};

DrawingView& drawingView();

} // namespace kz::ed
