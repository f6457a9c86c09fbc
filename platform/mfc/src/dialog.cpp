#include "afxwin.h"

#include "guard.h"
#include "modal.h"
#include "window.h"

using kz::ui::Window;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
    } else {
        m_templateName = lpszTemplateName;
        m_lpszTemplateName = m_templateName.GetString();
    }
}

INT_PTR CDialog::DoModal() {
    return kz::ui::guarded(L"DoModal", INT_PTR{-1}, [&] { return kz::ui::runModal(*this); });
}

void CDialog::EndDialog(int nResult) {
    if (Window* w = kz::ui::find(m_hWnd)) {
        w->ended = true;
        w->result = nResult;
    }
}

BOOL CDialog::OnInitDialog() {
    // The template's list entries are in the controls already; move the data in.
    UpdateData(FALSE);
    // A template at the parent's origin is centred on it, unless it places itself.
    if (Window* w = kz::ui::find(m_hWnd); w != nullptr && w->dialogTemplate != nullptr) {
        const kz::DialogTemplate& t = *w->dialogTemplate;
        if (t.x == 0 && t.y == 0 && !(t.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))) {
            CenterWindow();
        }
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    // The dialog keys (Enter, Escape, Tab) of any window of the dialog.
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && m_hWnd != nullptr &&
        (pMsg->hwnd == m_hWnd || ::GetParent(pMsg->hwnd) == m_hWnd)) {
        return ::IsDialogMessageW(m_hWnd, pMsg);
    }
    return FALSE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        const BOOL focusFirst = OnInitDialog();
        if (pResult != nullptr) {
            *pResult = focusFirst;
        }
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CDialog::SetDefID(UINT nID) {
    if (Window* w = kz::ui::find(m_hWnd)) {
        w->defId = static_cast<int>(nID);
    }
}

DWORD CDialog::GetDefID() const {
    // The high word says "this is an id", as DM_GETDEFID answers.
    const Window* w = kz::ui::find(m_hWnd);
    return w != nullptr ? (DWORD{0x534B} << 16) | static_cast<WORD>(w->defId) : 0;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != nullptr) {
        ::SetFocus(pWndCtrl->m_hWnd);
    }
}

void CDialog::NextDlgCtrl() const {
    MSG tab{m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    ::IsDialogMessageW(m_hWnd, &tab);
}

void CDialog::PrevDlgCtrl() const {
    Window* w = kz::ui::find(m_hWnd);
    if (w == nullptr || w->children.empty()) {
        return;
    }
    const auto& items = w->children;
    std::size_t at = items.size();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == kz::ui::focus()) {
            at = i;
        }
    }
    for (std::size_t k = 1; k <= items.size(); ++k) {
        Window* prev = items[(at + items.size() * 2 - k) % items.size()];
        if ((prev->style & WS_TABSTOP) && prev->enabled && prev->visible) {
            kz::ui::setFocus(prev);
            return;
        }
    }
}
