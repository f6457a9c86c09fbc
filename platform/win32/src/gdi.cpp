#include "win_gdi.h"

#include "host_state.h"
#include "win_error.h"
#include "win_host_options.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace kz {

namespace {

struct GdiObject {
    enum class Kind { Pen, Brush, Font, Palette } kind = Kind::Pen;
    LOGPEN pen{};
    LOGBRUSH brush{};
    LOGFONTW font{}; // the default GUI font reads the host option instead
    bool stock = false;
    bool defaultGuiFont = false;
};

struct DeviceContext {
    HWND window = nullptr;
    GdiObject* pen = nullptr;
    GdiObject* brush = nullptr;
    POINT position{0, 0};
    int rop2 = R2_COPYPEN;
    int fillMode = ALTERNATE;
};

constexpr int kStockCount = 20;

GdiObject makePen(UINT style, COLORREF color) {
    GdiObject o;
    o.kind = GdiObject::Kind::Pen;
    o.pen = LOGPEN{style, POINT{0, 0}, color};
    o.stock = true;
    return o;
}

GdiObject makeBrush(UINT style, COLORREF color) {
    GdiObject o;
    o.kind = GdiObject::Kind::Brush;
    o.brush = LOGBRUSH{style, color, 0};
    o.stock = true;
    return o;
}

GdiObject makeFont(const wchar_t* face, bool fixedPitch) {
    GdiObject o;
    o.kind = GdiObject::Kind::Font;
    o.font.lfHeight = -12;
    o.font.lfWeight = FW_NORMAL;
    o.font.lfCharSet = DEFAULT_CHARSET;
    o.font.lfPitchAndFamily = fixedPitch ? 1 : 2; // FIXED_PITCH or VARIABLE_PITCH
    std::wcsncpy(o.font.lfFaceName, face, LF_FACESIZE - 1);
    o.stock = true;
    return o;
}

struct Gdi {
    std::mutex lock;
    GdiObject stock[kStockCount];
    std::map<const GdiObject*, std::unique_ptr<GdiObject>> created;
    std::map<const DeviceContext*, std::unique_ptr<DeviceContext>> dcs;
    GdiSink sink;

    Gdi() {
        stock[WHITE_BRUSH] = makeBrush(BS_SOLID, RGB(255, 255, 255));
        stock[LTGRAY_BRUSH] = makeBrush(BS_SOLID, RGB(192, 192, 192));
        stock[GRAY_BRUSH] = makeBrush(BS_SOLID, RGB(128, 128, 128));
        stock[DKGRAY_BRUSH] = makeBrush(BS_SOLID, RGB(64, 64, 64));
        stock[BLACK_BRUSH] = makeBrush(BS_SOLID, RGB(0, 0, 0));
        stock[NULL_BRUSH] = makeBrush(BS_NULL, 0);
        stock[WHITE_PEN] = makePen(PS_SOLID, RGB(255, 255, 255));
        stock[BLACK_PEN] = makePen(PS_SOLID, RGB(0, 0, 0));
        stock[NULL_PEN] = makePen(PS_NULL, 0);
        stock[OEM_FIXED_FONT] = makeFont(L"Terminal", true);
        stock[ANSI_FIXED_FONT] = makeFont(L"Courier", true);
        stock[ANSI_VAR_FONT] = makeFont(L"Default GUI", false);
        stock[SYSTEM_FONT] = makeFont(L"System", false);
        stock[DEVICE_DEFAULT_FONT] = makeFont(L"System", false);
        stock[DEFAULT_PALETTE].kind = GdiObject::Kind::Palette;
        stock[DEFAULT_PALETTE].stock = true;
        stock[SYSTEM_FIXED_FONT] = makeFont(L"Fixedsys", true);
        stock[DEFAULT_GUI_FONT] = makeFont(L"Default GUI", false);
        stock[DEFAULT_GUI_FONT].defaultGuiFont = true;
        stock[DC_BRUSH] = makeBrush(BS_SOLID, RGB(255, 255, 255));
        stock[DC_PEN] = makePen(PS_SOLID, RGB(0, 0, 0));
    }

    GdiObject* object(HGDIOBJ h) {
        auto* o = reinterpret_cast<GdiObject*>(h);
        if (o >= stock && o < stock + kStockCount)
            return (o - stock == 9) ? nullptr : o; // index 9 is no stock object
        auto it = created.find(o);
        return it == created.end() ? nullptr : it->second.get();
    }

    DeviceContext* dc(HDC h) {
        auto it = dcs.find(reinterpret_cast<const DeviceContext*>(h));
        return it == dcs.end() ? nullptr : it->second.get();
    }
};

Gdi& gdi() {
    static Gdi g;
    return g;
}

HGDIOBJ handleOf(GdiObject* o) {
    return reinterpret_cast<HGDIOBJ>(o);
}

// A record with the device context's window, pen, brush and mix mode filled in.
GdiRecord recordFor(GdiOp op, HDC h, const DeviceContext* dc) {
    GdiRecord r;
    r.op = op;
    r.dc = h;
    if (dc) {
        r.window = dc->window;
        r.rop2 = dc->rop2;
        r.fillMode = dc->fillMode;
        r.penColor = dc->pen->pen.lopnColor;
        r.penStyle = static_cast<int>(dc->pen->pen.lopnStyle);
        r.penWidth = dc->pen->pen.lopnWidth.x;
        r.brushColor = dc->brush->brush.lbColor;
        r.brushHollow = dc->brush->brush.lbStyle == BS_NULL;
    }
    return r;
}

// Hands the record to the sink outside the lock: a sink may well call GDI itself.
void emit(std::unique_lock<std::mutex>& held, const GdiRecord& r) {
    GdiSink sink = gdi().sink;
    held.unlock();
    if (sink) {
        try {
            sink(r);
        } catch (...) {
            // A failing transcript must not take the drawing code down with it.
        }
    }
}

BOOL drawPoints(GdiOp op, HDC h, const POINT* points, int count) {
    std::unique_lock held(gdi().lock);
    DeviceContext* dc = gdi().dc(h);
    if (!dc || !points || count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    GdiRecord r = recordFor(op, h, dc);
    r.points.assign(points, points + count);
    if (op == GdiOp::Polyline)
        dc->position = points[count - 1];
    emit(held, r);
    return TRUE;
}

} // namespace

const char* gdiOpName(GdiOp op) {
    switch (op) {
    case GdiOp::GetDC:
        return "GetDC";
    case GdiOp::ReleaseDC:
        return "ReleaseDC";
    case GdiOp::CreatePen:
        return "CreatePen";
    case GdiOp::CreateSolidBrush:
        return "CreateSolidBrush";
    case GdiOp::SelectObject:
        return "SelectObject";
    case GdiOp::DeleteObject:
        return "DeleteObject";
    case GdiOp::MoveTo:
        return "MoveTo";
    case GdiOp::LineTo:
        return "LineTo";
    case GdiOp::Polygon:
        return "Polygon";
    case GdiOp::Polyline:
        return "Polyline";
    case GdiOp::SetROP2:
        return "SetROP2";
    case GdiOp::SetPolyFillMode:
        return "SetPolyFillMode";
    case GdiOp::InvalidateRect:
        return "InvalidateRect";
    case GdiOp::UpdateWindow:
        return "UpdateWindow";
    }
    return "?";
}

GdiSink setGdiSink(GdiSink sink) {
    std::lock_guard guard(gdi().lock);
    return std::exchange(gdi().sink, std::move(sink));
}

} // namespace kz

using kz::GdiObject;
using kz::GdiOp;

HGDIOBJ GetStockObject(int index) {
    std::lock_guard guard(kz::gdi().lock);
    if (index < 0 || index >= kz::kStockCount || index == 9)
        return nullptr;
    return kz::handleOf(&kz::gdi().stock[index]);
}

int GetObjectW(HGDIOBJ object, int size, LPVOID out) {
    std::lock_guard guard(kz::gdi().lock);
    GdiObject* o = kz::gdi().object(object);
    if (!o || size < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    WORD paletteEntries = 20;
    const void* source = nullptr;
    int needed = 0;
    LOGFONTW font{};
    switch (o->kind) {
    case GdiObject::Kind::Pen:
        source = &o->pen;
        needed = sizeof(LOGPEN);
        break;
    case GdiObject::Kind::Brush:
        source = &o->brush;
        needed = sizeof(LOGBRUSH);
        break;
    case GdiObject::Kind::Font:
        font = o->defaultGuiFont ? kz::hostOptions().defaultGuiFont : o->font;
        source = &font;
        needed = sizeof(LOGFONTW);
        break;
    case GdiObject::Kind::Palette:
        source = &paletteEntries;
        needed = sizeof(WORD);
        break;
    }
    if (!out)
        return needed;
    int n = size < needed ? size : needed;
    std::memcpy(out, source, static_cast<std::size_t>(n));
    return n;
}

HDC GetDC(HWND window) {
    std::unique_lock held(kz::gdi().lock);
    auto dc = std::make_unique<kz::DeviceContext>();
    dc->window = window;
    dc->pen = &kz::gdi().stock[BLACK_PEN];
    dc->brush = &kz::gdi().stock[WHITE_BRUSH];
    const kz::DeviceContext* raw = dc.get();
    kz::gdi().dcs.emplace(raw, std::move(dc));
    HDC h = reinterpret_cast<HDC>(const_cast<kz::DeviceContext*>(raw));
    kz::emit(held, kz::recordFor(GdiOp::GetDC, h, raw));
    return h;
}

int ReleaseDC(HWND window, HDC h) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    if (!dc || dc->window != window)
        return 0;
    kz::GdiRecord r = kz::recordFor(GdiOp::ReleaseDC, h, dc);
    kz::gdi().dcs.erase(dc);
    kz::emit(held, r);
    return 1;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    std::unique_lock held(kz::gdi().lock);
    auto o = std::make_unique<GdiObject>(kz::makePen(static_cast<UINT>(style), color));
    o->stock = false;
    o->pen.lopnWidth.x = width < 0 ? 0 : width;
    GdiObject* raw = o.get();
    kz::gdi().created.emplace(raw, std::move(o));
    kz::GdiRecord r;
    r.op = GdiOp::CreatePen;
    r.object = kz::handleOf(raw);
    r.penColor = color;
    r.penStyle = style;
    r.penWidth = raw->pen.lopnWidth.x;
    kz::emit(held, r);
    return kz::handleOf(raw);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    std::unique_lock held(kz::gdi().lock);
    auto o = std::make_unique<GdiObject>(kz::makeBrush(BS_SOLID, color));
    o->stock = false;
    GdiObject* raw = o.get();
    kz::gdi().created.emplace(raw, std::move(o));
    kz::GdiRecord r;
    r.op = GdiOp::CreateSolidBrush;
    r.object = kz::handleOf(raw);
    r.brushColor = color;
    kz::emit(held, r);
    return kz::handleOf(raw);
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ object) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    GdiObject* o = kz::gdi().object(object);
    if (!dc || !o)
        return nullptr;
    GdiObject* previous = nullptr;
    if (o->kind == GdiObject::Kind::Pen) {
        previous = std::exchange(dc->pen, o);
    } else if (o->kind == GdiObject::Kind::Brush) {
        previous = std::exchange(dc->brush, o);
    } else {
        // Fonts and palettes are accepted; nothing is drawn with them here.
        return object;
    }
    kz::GdiRecord r = kz::recordFor(GdiOp::SelectObject, h, dc);
    r.object = object;
    kz::emit(held, r);
    return kz::handleOf(previous);
}

BOOL DeleteObject(HGDIOBJ object) {
    std::unique_lock held(kz::gdi().lock);
    GdiObject* o = kz::gdi().object(object);
    if (!o)
        return FALSE;
    if (!o->stock) {
        for (const auto& [key, dc] : kz::gdi().dcs)
            if (dc->pen == o || dc->brush == o)
                return FALSE; // still selected
        kz::gdi().created.erase(o);
    }
    kz::GdiRecord r;
    r.op = GdiOp::DeleteObject;
    r.object = object;
    kz::emit(held, r);
    return TRUE;
}

BOOL MoveToEx(HDC h, int x, int y, LPPOINT previous) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->position;
    dc->position = POINT{x, y};
    kz::GdiRecord r = kz::recordFor(GdiOp::MoveTo, h, dc);
    r.points = {dc->position};
    kz::emit(held, r);
    return TRUE;
}

BOOL LineTo(HDC h, int x, int y) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    if (!dc)
        return FALSE;
    kz::GdiRecord r = kz::recordFor(GdiOp::LineTo, h, dc);
    r.points = {dc->position, POINT{x, y}};
    dc->position = POINT{x, y};
    kz::emit(held, r);
    return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    return kz::drawPoints(GdiOp::Polygon, dc, points, count);
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    return kz::drawPoints(GdiOp::Polyline, dc, points, count);
}

int SetROP2(HDC h, int mode) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    int previous = std::exchange(dc->rop2, mode);
    kz::emit(held, kz::recordFor(GdiOp::SetROP2, h, dc));
    return previous;
}

int GetROP2(HDC h) {
    std::lock_guard guard(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    return dc ? dc->rop2 : 0;
}

int SetPolyFillMode(HDC h, int mode) {
    std::unique_lock held(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    if (!dc || (mode != ALTERNATE && mode != WINDING))
        return 0;
    int previous = std::exchange(dc->fillMode, mode);
    kz::emit(held, kz::recordFor(GdiOp::SetPolyFillMode, h, dc));
    return previous;
}

int GetPolyFillMode(HDC h) {
    std::lock_guard guard(kz::gdi().lock);
    kz::DeviceContext* dc = kz::gdi().dc(h);
    return dc ? dc->fillMode : 0;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
    std::unique_lock held(kz::gdi().lock);
    kz::GdiRecord r;
    r.op = GdiOp::InvalidateRect;
    r.window = window;
    kz::emit(held, r);
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    std::unique_lock held(kz::gdi().lock);
    kz::GdiRecord r;
    r.op = GdiOp::UpdateWindow;
    r.window = window;
    kz::emit(held, r);
    return TRUE;
}
