// The host's windows as the module sees them: handles to pass as dialog parents, and
// the drawing window's pixels.
#include "acedads.h"
#include "ed/drawing_view.h"
#include "ed/host_windows.h"
#include "mfc_host.h"

namespace kz::ed {

namespace {

struct Windows {
    HWND main = nullptr;
    HWND drawing = nullptr;
};

Windows& windows() {
    static Windows w;
    return w;
}

} // namespace

HWND mainWindow() { return windows().main; }
HWND drawingWindow() { return windows().drawing; }

void createHostWindows() {
    destroyHostWindows();
    DrawingView& view = drawingView();
    windows().main = kz::createHostWindow(L"KzDim host", RECT{0, 0, 1920, 1080});
    windows().drawing =
        kz::createHostWindow(L"Drawing", RECT{0, 0, view.width, view.height}, windows().main);
    RECT client{0, 0, 0, 0};
    POINT origin{0, 0};
    if (windows().drawing && GetClientRect(windows().drawing, &client) &&
        ClientToScreen(windows().drawing, &origin)) {
        if (client.right > 0 && client.bottom > 0) {
            view.width = client.right;
            view.height = client.bottom;
        }
        view.screenLeft = origin.x;
        view.screenTop = origin.y;
    }
}

void destroyHostWindows() {
    if (windows().drawing)
        DestroyWindow(windows().drawing);
    if (windows().main)
        DestroyWindow(windows().main);
    windows() = Windows{};
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

CView* acedGetAcadDwgView() {
    // One view object for the drawing window, attached again when the window was made
    // anew.
    static CView view;
    HWND window = kz::ed::drawingWindow();
    if (view.GetSafeHwnd() != window) {
        if (view.GetSafeHwnd())
            view.Detach();
        if (window)
            view.Attach(window);
    }
    return window ? &view : nullptr;
}

CWnd* acedGetAcadFrame() { return CWnd::FromHandle(kz::ed::mainWindow()); }

int acedGetWinNum(int ptx, int pty) {
    const kz::ed::DrawingView& v = kz::ed::drawingView();
    int x = ptx - v.screenLeft, y = pty - v.screenTop;
    return (x >= 0 && y >= 0 && x < v.width && y < v.height) ? kModelViewport : 0;
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
