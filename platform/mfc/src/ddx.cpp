// Dialog data exchange: the DDX_ functions and UpdateData.
#include "data_exchange.h"

#include "guard.h"
#include "window.h"
#include "window_access.h"
#include "win_host_io.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace kz::ui {

namespace {

HWND gExchangeWindow = nullptr;

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The span of a number at the start of text as the C runtime's decimal conversions
// read it; 0 when there is none.
std::size_t numberLength(std::wstring_view text, bool real) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
            ++i;
        }
        return i - start;
    };
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        ++i;
    }
    std::size_t mantissa = digits();
    if (real && i < text.size() && text[i] == L'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return 0;
    }
    if (real && i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        const std::size_t mark = i;
        ++i;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
            ++i;
        }
        if (digits() == 0) {
            i = mark; // "1e" reads as 1 followed by "e"
        }
    }
    return i;
}

// Spaces and tabs, the number, spaces and tabs; the number's text in ASCII.
std::optional<std::string> numberText(std::wstring_view text, bool real) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    const std::size_t length = numberLength(text.substr(start), real);
    std::size_t end = start + length;
    while (end < text.size() && isBlank(text[end])) {
        ++end;
    }
    if (length == 0 || end != text.size()) {
        return std::nullopt;
    }
    std::string ascii;
    for (std::size_t i = start; i < start + length; ++i) {
        ascii.push_back(static_cast<char>(text[i]));
    }
    return ascii;
}

// MFC's test for "nothing was converted": a zero whose text does not start with '0'.
bool zeroWithoutLeadingDigit(const std::string& number, bool isZero) {
    return isZero && number.front() != '0';
}

struct Messages {
    const wchar_t* japanese;
    const wchar_t* english;
};
constexpr Messages kEnterNumber{L"数値を入力してください。", L"Enter a number."};
constexpr Messages kEnterInteger{L"整数を入力してください。", L"Enter an integer."};
constexpr Messages kEnterPositive{L"正の整数を入力してください。", L"Enter a positive integer."};
constexpr Messages kEnterByte{L"0 から 255 までの整数を入力してください。",
                              L"Enter an integer between 0 and 255."};

// The framework's messages are in the host's user-interface language.
const wchar_t* text(const Messages& m) {
    return PRIMARYLANGID(kz::hostUiLanguage()) == LANG_JAPANESE ? m.japanese : m.english;
}

CString windowText(HWND h) {
    CString s;
    if (CWnd* w = CWnd::FromHandle(h)) {
        w->GetWindowText(s);
    }
    return s;
}

// Sets the text only when it differs, as MFC does, so that an unchanged control is
// not told it changed.
void setWindowText(HWND h, const std::wstring& text) {
    if (windowText(h).view() != text) {
        ::SetWindowTextW(h, text.c_str());
    }
}

template <class T>
void exchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long low, long long high,
                     const Messages& message, const wchar_t* format) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const CString s = windowText(h);
        const std::optional<long long> v = parseInteger(s.view());
        if (!v || *v < low || *v > high) {
            AfxMessageBox(text(message), MB_OK);
            pDX->Fail();
        }
        value = static_cast<T>(*v);
    } else {
        setWindowText(h, kz::formatWide(format, static_cast<long long>(value)));
    }
}

template <class T> void exchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const CString s = windowText(h);
        const std::optional<double> v = parseReal(s.view());
        if (!v || (sizeof(T) < sizeof(double) && std::fabs(*v) > FLT_MAX)) {
            AfxMessageBox(text(kEnterNumber), MB_OK);
            pDX->Fail();
        }
        value = static_cast<T>(*v);
    } else {
        setWindowText(h, kz::formatWide(L"%.*g", digits, static_cast<double>(value)));
    }
}

} // namespace

std::optional<long long> parseInteger(std::wstring_view text) {
    const std::optional<std::string> number = numberText(text, false);
    if (!number) {
        return std::nullopt;
    }
    const char* first = number->data();
    if (*first == '+') {
        ++first; // from_chars takes no plus sign
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(first, number->data() + number->size(), value);
    if (error != std::errc{} || zeroWithoutLeadingDigit(*number, value == 0)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseReal(std::wstring_view text) {
    const std::optional<std::string> number = numberText(text, true);
    if (!number) {
        return std::nullopt;
    }
    const char* first = number->data();
    if (*first == '+') {
        ++first;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number->data() + number->size(), value);
    if (error != std::errc{} || !std::isfinite(value) ||
        zeroWithoutLeadingDigit(*number, value == 0.0)) {
        return std::nullopt;
    }
    return value;
}

bool exchangeInProgress(HWND window) {
    return window != nullptr && window == gExchangeWindow;
}

bool exchangeData(CWnd& wnd, bool save) {
    const HWND previous = gExchangeWindow;
    gExchangeWindow = wnd.m_hWnd;
    CDataExchange dx(&wnd, save ? TRUE : FALSE);
    bool ok = false;
    try {
        WindowAccess::doDataExchange(wnd, &dx);
        ok = true;
    } catch (CUserException* e) {
        e->Delete(); // the user has been told
    } catch (CException* e) {
        reportEscapedException(L"UpdateData", L"an MFC exception");
        e->Delete();
    } catch (const std::exception& e) {
        reportEscapedException(L"UpdateData",
                               std::wstring(e.what(), e.what() + std::strlen(e.what())));
    } catch (...) {
        reportEscapedException(L"UpdateData", L"an exception");
    }
    gExchangeWindow = previous;
    return ok;
}

} // namespace kz::ui

void AFXAPI AfxThrowUserException() {
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND h = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (h == nullptr) {
        kz::hostWrite(
            kz::formatWide(L"** Dialog data exchange: the dialog has no control %d\n", nIDC));
        AfxThrowUserException();
    }
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_pDlgWnd != nullptr) {
        HWND last = ::GetDlgItem(m_pDlgWnd->m_hWnd, static_cast<int>(m_idLastControl));
        if (last != nullptr) {
            ::SetFocus(last);
            if (m_bEditLastControl) {
                ::SendMessageW(last, EM_SETSEL, 0, -1);
            }
        }
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = kz::ui::windowText(h);
    } else {
        kz::ui::setWindowText(h, std::wstring(value.view()));
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    kz::ui::exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, kz::ui::kEnterInteger, L"%lld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    kz::ui::exchangeInteger(pDX, nIDC, value, 0, UINT_MAX, kz::ui::kEnterPositive, L"%lld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    // long is 32 bits on Windows: the module's values stay in that range.
    kz::ui::exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, kz::ui::kEnterInteger, L"%lld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) {
    kz::ui::exchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, kz::ui::kEnterInteger, L"%lld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
    kz::ui::exchangeInteger(pDX, nIDC, value, 0, 255, kz::ui::kEnterByte, L"%lld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    kz::ui::exchangeReal(pDX, nIDC, value, DBL_DIG);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    kz::ui::exchangeReal(pDX, nIDC, value, FLT_DIG);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageW(h, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = kz::ui::windowText(h);
    } else if (::SendMessageW(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        ::SetWindowTextW(h, value); // an editable combo box shows the text itself
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(h, BM_GETCHECK, 0, 0));
    } else {
        // Anything but 0, 1 and 2 shows as unchecked, as in MFC.
        ::SendMessageW(h, BM_SETCHECK, value >= 0 && value <= 2 ? static_cast<WPARAM>(value) : 0,
                       0);
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h)) {
        kz::hostWrite(kz::formatWide(
            L"** Dialog data exchange: control %d already has an object of its own\n", nIDC));
        AfxThrowUserException();
    }
}
