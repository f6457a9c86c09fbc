// The wide-string functions of the Microsoft C runtime that the module uses, with
// MSVC's results: numbers read up to the first character that does not belong,
// overflow saturating; the "_s" copies reporting errors instead of overrunning.
#pragma once

#include "win_types.h"

#include <cstdarg>
#include <cstddef>
#include <cwchar>

#ifndef _ERRNO_T_DEFINED
#define _ERRNO_T_DEFINED
using errno_t = int;
#endif
#ifndef _TRUNCATE
#define _TRUNCATE (static_cast<std::size_t>(-1))
#endif
#ifndef STRUNCATE
#define STRUNCATE 80
#endif
#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

// Leading white space, an optional sign, decimal digits (ASCII or full-width, as MSVC
// reads them); 0 when there is no number; INT_MIN/INT_MAX (INT64_MIN/MAX) on overflow.
int _wtoi(const wchar_t* s);
long _wtol(const wchar_t* s);
__int64 _wtoi64(const wchar_t* s);
// Leading white space and a decimal or hexadecimal floating-point number, always with
// '.' as decimal point, whatever the process locale; 0.0 when there is none.
double _wtof(const wchar_t* s);

// Case-insensitive comparisons fold ASCII letters only, as the C locale does.
int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, std::size_t count);
wchar_t* _wcsupr(wchar_t* s);
wchar_t* _wcslwr(wchar_t* s);

// 0 on success; EINVAL for a null destination or size 0 (destination untouched) or a
// null source; ERANGE when the text does not fit (destination emptied). wcsncpy_s
// copies at most count characters; count _TRUNCATE copies what fits and returns
// STRUNCATE when it had to cut.
errno_t wcscpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src);
errno_t wcsncpy_s(wchar_t* dest, std::size_t destSize, const wchar_t* src, std::size_t count);
errno_t wcscat_s(wchar_t* dest, std::size_t destSize, const wchar_t* src);

template <std::size_t N> errno_t wcscpy_s(wchar_t (&dest)[N], const wchar_t* src) {
    return wcscpy_s(dest, N, src);
}
template <std::size_t N>
errno_t wcsncpy_s(wchar_t (&dest)[N], const wchar_t* src, std::size_t count) {
    return wcsncpy_s(dest, N, src, count);
}
template <std::size_t N> errno_t wcscat_s(wchar_t (&dest)[N], const wchar_t* src) {
    return wcscat_s(dest, N, src);
}

// Formats with the rules of win_format.h. Returns the number of characters written
// without the terminator; -1 when the arguments are invalid or the text does not fit
// (the buffer is then emptied).
int swprintf_s(wchar_t* buffer, std::size_t size, const wchar_t* format, ...);
int vswprintf_s(wchar_t* buffer, std::size_t size, const wchar_t* format, va_list args);
template <std::size_t N> int swprintf_s(wchar_t (&buffer)[N], const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    int n = vswprintf_s(buffer, N, format, ap);
    va_end(ap);
    return n;
}

// Writes at most count characters. Returns the length when it fits (terminated when
// there is room for the terminator, not terminated when the text fills the buffer
// exactly) and -1 when the text was cut (not terminated). A null buffer with count 0
// returns the length the text needs.
int _snwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format, ...);
int _vsnwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args);
