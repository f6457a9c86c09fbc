// MFC windows and dialogs: command targets with message maps, CWnd, the standard
// control classes, CDialog with dialog data exchange, message boxes and the resource
// handle. Dialogs run headless: DoModal builds the dialog from its template, shows it
// in the host's transcript and takes the user's actions from the host's input (see
// CDialog::DoModal).
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "winuser.h"

#define afx_msg
#ifndef PASCAL
#define PASCAL
#endif
#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_EXT_CLASS
#define AFX_EXT_CLASS
#endif

class CCmdTarget;
class CWnd;
class CDialog;
class CDataExchange;

namespace kz::ui {
struct WindowAccess;
} // namespace kz::ui

// ---- Exceptions -------------------------------------------------------------------

class CException : public CObject {
public:
    // MFC exceptions are thrown as pointers; the catcher calls Delete.
    void Delete() { delete this; }
};

// Thrown by CDataExchange::Fail after the user has been told what is wrong.
class CUserException : public CException {};

[[noreturn]] void AFXAPI AfxThrowUserException();

// ---- Message maps -----------------------------------------------------------------

using AFX_PMSG = void (CCmdTarget::*)();

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSigCmd_v = 1, // void handler()
};

// Notification code of WM_COMMAND sent by a menu or accelerator; equal to BN_CLICKED,
// so ON_COMMAND also handles a button's click.
#define CN_COMMAND 0

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                           \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                       \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, nullptr }                                                            \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// Handlers take no arguments and return nothing: afx_msg void OnSomething().
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     static_cast<WORD>(id),                                                                        \
     static_cast<WORD>(id),                                                                        \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (ThisClass::*)()>(memberFxn))},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND,                                                                                   \
     static_cast<WORD>(wNotifyCode),                                                               \
     static_cast<WORD>(id),                                                                        \
     static_cast<WORD>(id),                                                                        \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (ThisClass::*)()>(memberFxn))},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// ---- Command targets and windows --------------------------------------------------

class CCmdTarget : public CObject {
public:
    // Looks the command up in the message maps of this class and its bases and calls
    // the first handler found. Returns TRUE when a handler ran.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    // A window still attached is detached (it stays, without its object).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The object attached to the window, or a wrapper object that lives as long as the
    // window (null for a null or stale handle). Wrappers do not receive messages.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The attached object only.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Attaching makes this object receive the window's messages. Fails when this object
    // already has a window or the window already has an object.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd); // Attach, then PreSubclassWindow
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;

    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    // Centres the window over its parent (over the screen without one), kept on screen.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    // Nothing is painted on this host; these only exist for the module's calls.
    void Invalidate(BOOL bErase = TRUE) {}
    void UpdateWindow() {}

    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();

    // Moves the dialog's data into the controls (FALSE) or back after checking it
    // (TRUE). Returns FALSE when a control's text was refused; the user has then been
    // told and the focus is on that control.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = 0);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    BOOL DestroyWindow();

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: LOWORD(wParam) is the id, HIWORD(wParam) the notification code,
    // lParam the control's window. Dispatches through the message maps.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void PreSubclassWindow();
    // Called after the window is gone (m_hWnd is null by then).
    virtual void PostNcDestroy();

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    friend struct kz::ui::WindowAccess;
};

// ---- Standard controls --------------------------------------------------------------

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
};

class CEdit : public CWnd {
public:
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
};

class CStatic : public CWnd {};

// The host's drawing view: the window the drawing is shown in.
class CView : public CWnd {};

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
    }
    int AddString(LPCTSTR lpszString) {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
    }
    int InsertString(int nIndex, LPCTSTR lpszString) {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                                            reinterpret_cast<LPARAM>(lpszString)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const {
        return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
    }
    DWORD_PTR GetItemData(int nIndex) const {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                            static_cast<LPARAM>(dwItemData)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                            reinterpret_cast<LPARAM>(lpszFind)));
    }
};

// ---- Dialogs ------------------------------------------------------------------------

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Runs the dialog modally on this headless host:
    // 1. the template is looked up through the current resource handle (then the
    //    extension libraries), the dialog and its controls are created and
    //    OnInitDialog runs; returning TRUE gives the first tab-stop control the focus;
    // 2. the dialog is written to the transcript (and, when a picture folder is set,
    //    drawn into an SVG file);
    // 3. each input line acts like the user: "ID=VALUE" types into an edit box, picks a
    //    list position (or entry text), sets a check box (0 or 1) or a colour index;
    //    "ID" clicks a button; "OK" is the Enter key, "CANCEL" the Escape key; an empty
    //    line is Enter too. Mistakes are reported and the dialog stays open;
    // 4. the dialog ends when EndDialog is called; the end of input cancels it.
    // Returns the EndDialog result, or -1 when the template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void OnOK();     // UpdateData(TRUE), and EndDialog(IDOK) when it succeeded
    virtual void OnCancel(); // EndDialog(IDCANCEL)

    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LPCTSTR m_lpszTemplateName = nullptr; // MAKEINTRESOURCE(id) or a name
    CWnd* m_pParentWnd = nullptr;
    // The module the template is taken from; null: found through the resource handle.
    HINSTANCE m_hDialogResource = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend struct kz::ui::WindowAccess;
    CString m_templateName; // a copy when the template is named by text
};

// ---- Dialog data exchange -----------------------------------------------------------

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to variables
    CWnd* m_pDlgWnd;

    // The control about to be exchanged; a missing control is reported and fails the
    // exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the focus back to the last prepared control and ends the exchange
    // (UpdateData returns FALSE).
    [[noreturn]] void Fail();

    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// Text of an edit box. Numbers are shown as C formats them ("%d", "%u", doubles with
// up to 15 significant digits, floats 6); when saving, a text that is not a number
// (optionally surrounded by white space; decimal only) shows the framework's message,
// puts the focus back on the edit box and fails the exchange.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// List position of a combo box (-1: nothing selected).
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Text of a combo box: the selected entry's text; when loading, the first entry that
// starts with the text is selected.
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// State of a check box: 0, 1, or 2 for an indeterminate three-state box.
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Binds a control object to the dialog's control (once; later exchanges do nothing).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// ---- Message boxes and resources --------------------------------------------------

// Shows the text in a message box owned by the active dialog (or the host). Without an
// icon, MB_OK and MB_OKCANCEL boxes get MB_ICONEXCLAMATION, yes/no boxes
// MB_ICONQUESTION, as MFC's application does.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = 0, UINT nIDHelp = 0);
// The prompt is a string of the current resource module.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = 0, UINT nIDHelp = static_cast<UINT>(-1));

// The module resources are loaded from: the host sets it around a module's commands
// (pushResourceHandle); by default the host executable.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxGetInstanceHandle();
// The module that holds the resource: the current resource handle if it has it, else
// the first extension library (CDynLinkLibrary) that has it, else the resource handle.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
#include "afxdll_.h"
