// The host's windows as the module sees them: handles to pass as dialog parents, and
// the drawing window's pixels.
#include "acedads.h"
#include "ed/drawing_view.h"
#include "ed/host_windows.h"

namespace kz::ed {

namespace {
// Distinct addresses give distinct handles; nothing is behind them.
char mainWindowTag;
char drawingWindowTag;
} // namespace

HWND mainWindow() {
    return reinterpret_cast<HWND>(&mainWindowTag);
}
HWND drawingWindow() {
    return reinterpret_cast<HWND>(&drawingWindowTag);
}

} // namespace kz::ed

namespace {
constexpr int kModelViewport = 2;
}

HWND adsw_acadMainWnd() {
    return kz::ed::mainWindow();
}

HWND adsw_acadDocWnd() {
    return kz::ed::drawingWindow();
}

int acedGetWinNum(int ptx, int pty) {
    const kz::ed::DrawingView& v = kz::ed::drawingView();
    return (ptx >= 0 && pty >= 0 && ptx < v.width && pty < v.height) ? kModelViewport : 0;
}

Adesk::Boolean acedCoordFromWorldToPixel(int windnum, const ads_point in_pt, POINT& out_pt) {
    if (windnum != kModelViewport || in_pt == nullptr)
        return Adesk::kFalse;
    out_pt = kz::ed::drawingView().toPixel(AcGePoint3d(in_pt[0], in_pt[1], in_pt[2]));
    return Adesk::kTrue;
}

Adesk::Boolean acedCoordFromPixelToWorld(int windnum, POINT in_pt, ads_point out_pt) {
    if (windnum != kModelViewport || out_pt == nullptr)
        return Adesk::kFalse;
    AcGePoint3d p = kz::ed::drawingView().toWorld(in_pt.x, in_pt.y);
    out_pt[0] = p.x;
    out_pt[1] = p.y;
    out_pt[2] = p.z;
    return Adesk::kTrue;
}
