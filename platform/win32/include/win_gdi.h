// GDI: device contexts, pens, brushes, stock objects and line drawing. Nothing is
// rasterised: every call becomes a GdiRecord handed to the sink the host installed
// (win_host_options.h), which puts it into its transcript and preview. Handles are
// checked, so a stale or foreign one makes a call fail instead of crashing.
#pragma once

#include "win_types.h"

#include <vector>

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16

#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SHIFTJIS_CHARSET 128

#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>((rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};
struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    std::uintptr_t lbHatch;
};

HGDIOBJ GetStockObject(int index);
// Copies the object's LOGPEN, LOGBRUSH or LOGFONTW, at most size bytes; returns the
// bytes copied, or the size needed when out is null; 0 for an invalid handle. The
// default GUI font's face name is "Default GUI" (short enough to survive a copy cut to
// the 92 bytes of the Windows structure).
int GetObjectW(HGDIOBJ object, int size, LPVOID out);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// Returns the object of the same kind selected before, null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// FALSE for an invalid handle and for an object still selected into a device context;
// stock objects are not deleted.
BOOL DeleteObject(HGDIOBJ object);
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Polyline(HDC dc, const POINT* points, int count);
// Returns the previous mix mode (R2_COPYPEN at first), 0 on failure.
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
#define ALTERNATE 1
#define WINDING 2
// Returns the previous fill mode (ALTERNATE at first), 0 on failure.
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
// Marks the window for repainting: what was drawn on it directly is gone after the
// next update (the host's preview drops it).
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);

#define GetObject GetObjectW

namespace kz {

enum class GdiOp {
    GetDC,
    ReleaseDC,
    CreatePen,
    CreateSolidBrush,
    SelectObject,
    DeleteObject,
    MoveTo,
    LineTo,
    Polygon,
    Polyline,
    SetROP2,
    SetPolyFillMode,
    InvalidateRect,
    UpdateWindow,
};

// One GDI call. The pen and brush fields describe the object the call created, or for
// the drawing calls the pen and brush selected in the device context; rop2 is the
// context's mix mode (for SetROP2 the new one).
struct GdiRecord {
    GdiOp op = GdiOp::GetDC;
    HWND window = nullptr;
    HDC dc = nullptr;
    HGDIOBJ object = nullptr;  // created, selected or deleted object
    std::vector<POINT> points; // MoveTo: the point; LineTo: from and to; Polygon, Polyline
    COLORREF penColor = 0;
    int penStyle = PS_SOLID;
    int penWidth = 0;
    COLORREF brushColor = 0;
    bool brushHollow = false;
    int rop2 = R2_COPYPEN;
    int fillMode = ALTERNATE;
};

const char* gdiOpName(GdiOp op);

} // namespace kz
