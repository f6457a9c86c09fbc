#include "afxwin.h"

#include "data_exchange.h"
#include "guard.h"
#include "window.h"

#include <algorithm>
#include <vector>

using kz::ui::Window;

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (Window* w = kz::ui::find(m_hWnd); w != nullptr && w->object == this) {
        w->object = nullptr;
    }
}

const AFX_MSGMAP* PASCAL CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

namespace {

// The wrapper handed out for a window without its own object is of the class that
// matches the control, so that the usual cast of GetDlgItem's result to CEdit,
// CComboBox or CButton names an object of that class.
std::unique_ptr<CWnd> temporaryObjectFor(kz::ui::Kind kind) {
    using kz::ui::Kind;
    switch (kind) {
    case Kind::PushButton:
    case Kind::CheckBox:
    case Kind::RadioButton:
    case Kind::GroupBox:
        return std::make_unique<CButton>();
    case Kind::Edit:
        return std::make_unique<CEdit>();
    case Kind::ComboBox:
        return std::make_unique<CComboBox>();
    case Kind::Label:
    case Kind::Picture:
        return std::make_unique<CStatic>();
    default:
        return std::make_unique<CWnd>();
    }
}

} // namespace

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
    Window* w = kz::ui::find(hWnd);
    if (w == nullptr) {
        return nullptr;
    }
    if (w->object != nullptr) {
        return w->object;
    }
    if (!w->temporary) {
        w->temporary = temporaryObjectFor(w->kind);
        w->temporary->m_hWnd = hWnd;
    }
    return w->temporary.get();
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    Window* w = kz::ui::find(hWnd);
    return w != nullptr ? w->object : nullptr;
}

BOOL CWnd::Attach(HWND hWndNew) {
    Window* w = kz::ui::find(hWndNew);
    if (w == nullptr || m_hWnd != nullptr || (w->object != nullptr && w->object != this)) {
        return FALSE;
    }
    w->object = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (Window* w = kz::ui::find(h); w != nullptr && w->object == this) {
        w->object = nullptr;
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND item = pParent != nullptr ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return item != nullptr && SubclassWindow(item);
}

HWND CWnd::UnsubclassWindow() {
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const {
    if (phWnd != nullptr) {
        *phWnd = ::GetDlgItem(m_hWnd, nID);
    }
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    ::SetWindowTextW(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    rString.SetString(buffer.data(), copied);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthW(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (item != nullptr) {
        FromHandle(item)->GetWindowText(rString);
    }
    return rString.GetLength();
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
    return static_cast<int>(::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount));
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    const std::wstring text =
        bSigned ? kz::formatWide(L"%d", static_cast<int>(nValue)) : kz::formatWide(L"%u", nValue);
    ::SetDlgItemTextW(m_hWnd, nID, text.c_str());
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    CString text;
    GetDlgItemText(nID, text);
    const std::optional<long long> value = kz::ui::parseInteger(text.view());
    const bool ok = value.has_value() && (bSigned ? (*value >= INT32_MIN && *value <= INT32_MAX)
                                                  : (*value >= 0 && *value <= UINT32_MAX));
    if (lpTrans != nullptr) {
        *lpTrans = ok ? TRUE : FALSE;
    }
    return ok ? static_cast<UINT>(*value) : 0;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x,
                          y, cx, cy, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    if (lpRect != nullptr) {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
    }
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    if (lpRect != nullptr) {
        ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
        ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
    }
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    if (lpRect != nullptr) {
        ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
        ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
    }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    Window* w = kz::ui::find(m_hWnd);
    if (w == nullptr) {
        return;
    }
    const Window* over =
        pAlternateOwner != nullptr ? kz::ui::find(pAlternateOwner->m_hWnd) : nullptr;
    if (over == nullptr) {
        over = w->parent;
    }
    // A child window is centred in its parent's client area; a top-level window over
    // its owner's window, or over the screen, and kept on the screen.
    const bool child = (w->style & WS_CHILD) != 0;
    RECT area{0, 0, kz::ui::screen().cx, kz::ui::screen().cy};
    if (child && over != nullptr) {
        ::GetClientRect(kz::ui::handleOf(over), &area);
    } else if (over != nullptr) {
        area = kz::ui::screenRect(over);
    }
    const RECT r = kz::ui::screenRect(w);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    if (!child) {
        x = std::clamp(x, 0, std::max(0, kz::ui::screen().cx - width));
        y = std::clamp(y, 0, std::max(0, kz::ui::screen().cy - height));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    return kz::ui::exchangeData(*this, bSaveAndValidate != FALSE) ? TRUE : FALSE;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) {
        if (pResult != nullptr) {
            *pResult = 1;
        }
        return TRUE;
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = kz::ui::find(m_hWnd);
    return w != nullptr ? kz::ui::defaultProc(w, message, wParam, lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (lParam == 0) {
        code = CN_COMMAND; // menus and accelerators send no control
    } else {
        // Controls report their changes while UpdateData fills them; nobody asked.
        if (kz::ui::exchangeInProgress(m_hWnd)) {
            return TRUE;
        }
        if (id == 0) {
            return FALSE;
        }
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

void CWnd::DoDataExchange(CDataExchange* pDX) {}
