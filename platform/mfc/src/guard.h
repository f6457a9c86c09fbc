// The boundary between the module's handlers and the host: an exception that escapes a
// handler is reported in the transcript instead of unwinding through the host.
#pragma once

#include "afxwin.h"

#include <exception>
#include <string>

namespace kz::ui {

void reportEscapedException(const wchar_t* where, const std::wstring& what);

template <class T, class Fn> T guarded(const wchar_t* where, T fallback, Fn&& fn) {
    try {
        return fn();
    } catch (CException* e) {
        reportEscapedException(where, L"an MFC exception");
        e->Delete();
    } catch (const std::exception& e) {
        reportEscapedException(
            where, std::wstring(e.what(), e.what() + std::char_traits<char>::length(e.what())));
    } catch (...) {
        reportEscapedException(where, L"an exception");
    }
    return fallback;
}

} // namespace kz::ui
