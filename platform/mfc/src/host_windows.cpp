// The host's own windows and options, message boxes, and the report of exceptions that
// escape the module's handlers.
#include "guard.h"
#include "mfc_host.h"
#include "window.h"
#include "win_host_io.h"
#include "win_resource.h"

HWND kz::createHostWindow(const wchar_t* title, const RECT& rect, HWND parent) {
    ui::Window* owner = ui::find(parent);
    const DWORD style = WS_VISIBLE | (owner != nullptr ? WS_CHILD : WS_CAPTION | WS_SYSMENU);
    ui::Window* w = ui::create(ui::Kind::Frame, L"KzHostWindow", title != nullptr ? title : L"",
                               style, 0, rect, owner, 0);
    return ui::handleOf(w);
}

void kz::setScreenSize(int width, int height) {
    ui::screen() = {width > 0 ? width : 1, height > 0 ? height : 1};
}

void kz::ui::reportEscapedException(const wchar_t* where, const std::wstring& what) {
    hostWrite(std::wstring(L"** ") + where + L": " + what + L" escaped the module's handler\n");
}

namespace {

// The caption of the application's message boxes: as in MFC without a title string, the
// host executable's file name without its extension.
std::wstring appName() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length < MAX_PATH ? length : 0);
    name = name.substr(name.find_last_of(L"/\\") + 1);
    return name.substr(0, name.rfind(L'.'));
}

} // namespace

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    // Boxes without an icon get the one MFC's application gives them.
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBoxW(kz::activeModalDialog(), lpszText != nullptr ? lpszText : L"",
                         appName().c_str(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(AfxFindResourceHandle(MAKEINTRESOURCEW(nIDPrompt / 16 + 1), RT_STRING),
                    nIDPrompt, reinterpret_cast<LPWSTR>(&text), 0);
    const std::wstring prompt = length > 0 && text != nullptr
                                    ? std::wstring(text, static_cast<std::size_t>(length))
                                    : kz::formatWide(L"(string %u is missing)", nIDPrompt);
    return AfxMessageBox(prompt.c_str(), nType, nIDPrompt);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int length = GetLBTextLen(nIndex);
    if (length < 0) {
        rString.Empty();
        return;
    }
    wchar_t* buffer = rString.GetBuffer(length);
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    rString.ReleaseBuffer(length);
}
