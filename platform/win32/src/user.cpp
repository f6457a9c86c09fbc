#include "win_user.h"

#include "host_state.h"
#include "win_codepage.h"
#include "win_host_options.h"

#include <cstdio>
#include <utility>

namespace kz {

namespace {

MessageBoxSink& sink() {
    static MessageBoxSink s;
    return s;
}

// Without a host sink, boxes are printed to standard error and answered as if the user
// pressed Enter.
int printToStandardError(const MessageBoxRecord& box) {
    std::fprintf(stderr, "%s\n", wideToUtf8(describeMessageBox(box)).c_str());
    return defaultMessageBoxAnswer(box.type);
}

} // namespace

const char* messageBoxIconName(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return "stop";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "warning";
    case MB_ICONASTERISK:
        return "information";
    default:
        return "";
    }
}

int defaultMessageBoxAnswer(UINT type) {
    // The answer per default button; a default button the box lacks is its first one.
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},                 // MB_OK
        {IDOK, IDCANCEL, IDOK},             // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},       // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},            // MB_YESNOCANCEL
        {IDYES, IDNO, IDYES},               // MB_YESNO
        {IDRETRY, IDCANCEL, IDRETRY},       // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, // MB_CANCELTRYCONTINUE
    };
    UINT buttons = type & MB_TYPEMASK;
    if (buttons > MB_CANCELTRYCONTINUE)
        buttons = MB_OK;
    UINT def = (type & MB_DEFMASK) >> 8;
    return kButtons[buttons][def > 2 ? 0 : def];
}

std::wstring describeMessageBox(const MessageBoxRecord& box) {
    std::wstring out;
    std::string icon = messageBoxIconName(box.type);
    if (!icon.empty())
        out += L"[" + utf8ToWide(icon) + L"] ";
    out += box.caption + L": " + box.text;
    return out;
}

MessageBoxSink setMessageBoxSink(MessageBoxSink newSink) {
    return std::exchange(sink(), std::move(newSink));
}

} // namespace kz

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    kz::MessageBoxRecord box{owner, text ? text : L"", caption ? caption : L"Error", type};
    try {
        return kz::sink() ? kz::sink()(box) : kz::printToStandardError(box);
    } catch (...) {
        return 0; // Windows reports a box that could not be shown with 0
    }
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point)
        return FALSE;
    *point = kz::hostOptions().cursorPos;
    return TRUE;
}
