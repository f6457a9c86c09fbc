// The window manager's way into the protected members of the MFC classes, which
// Windows reaches through window procedures.
#pragma once

#include "afxwin.h"

namespace kz::ui {

struct WindowAccess {
    static LRESULT windowProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return wnd.WindowProc(message, wParam, lParam);
    }
    static void postNcDestroy(CWnd& wnd) { wnd.PostNcDestroy(); }
    static void doDataExchange(CWnd& wnd, CDataExchange* pDX) { wnd.DoDataExchange(pDX); }
    static LPCTSTR templateName(const CDialog& dlg) { return dlg.m_lpszTemplateName; }
    static CWnd* parentOf(const CDialog& dlg) { return dlg.m_pParentWnd; }
    static HINSTANCE dialogResource(const CDialog& dlg) { return dlg.m_hDialogResource; }
};

} // namespace kz::ui
