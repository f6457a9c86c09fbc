// CString: MFC's wide string with value semantics and the everyday member functions.
// Indexes and counts are ints as in MFC; out-of-range positions given to Left, Mid,
// Insert, Delete and friends are clamped as MFC clamps them, while an invalid index
// for GetAt/SetAt/operator[] is a programming error reported before the process stops.
#pragma once

#include "windows.h"
#include "win_format.h"

#include <cstdarg>
#include <cstdint>
#include <string_view>

namespace kz {
[[noreturn]] void afxInvalidArgument(const char* where, long long index, long long size);
} // namespace kz

class CString {
public:
    CString() noexcept;
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const wchar_t* text);
    CString(const wchar_t* text, int length);
    // Narrow text is UTF-8 on this platform.
    CString(const char* utf8);
    CString(wchar_t ch, int repeat = 1);
    explicit CString(std::wstring_view text);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const wchar_t* text);
    CString& operator=(const char* utf8);
    CString& operator=(wchar_t ch);

    int GetLength() const noexcept { return m_nLength; }
    bool IsEmpty() const noexcept { return m_nLength == 0; }
    void Empty();
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }
    operator const wchar_t*() const noexcept { return m_pszData; }
    const wchar_t* GetString() const noexcept { return m_pszData; }
    std::wstring_view view() const noexcept {
        return {m_pszData, static_cast<std::size_t>(m_nLength)};
    }

    void SetString(const wchar_t* text);
    void SetString(const wchar_t* text, int length);
    void Append(const wchar_t* text);
    void Append(const wchar_t* text, int length);
    void Append(const CString& other) { Append(other.m_pszData, other.m_nLength); }
    void AppendChar(wchar_t ch);
    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(const char* utf8);
    CString& operator+=(wchar_t ch);

    // Compare: like wcscmp; CompareNoCase folds ASCII letters only (the C locale).
    int Compare(const wchar_t* text) const;
    int CompareNoCase(const wchar_t* text) const;

    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* chars) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString SpanIncluding(const wchar_t* chars) const;
    CString SpanExcluding(const wchar_t* chars) const;
    // Returns the next token after start (skipping leading delimiters) and moves start
    // past it; an empty string and start -1 when no token is left. With no delimiters
    // the rest of the string is one token.
    CString Tokenize(const wchar_t* delimiters, int& start) const;

    // Upper and lower case change ASCII letters only, as the C locale does.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    // Trim() removes white space, including the ideographic space U+3000.
    CString& Trim();
    CString& Trim(wchar_t ch);
    CString& Trim(const wchar_t* chars);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t ch);
    CString& TrimLeft(const wchar_t* chars);
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& TrimRight(const wchar_t* chars);

    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // The buffer has room for at least minLength characters and a terminator; the
    // length is unchanged until ReleaseBuffer (-1: up to the first NUL).
    wchar_t* GetBuffer();
    wchar_t* GetBuffer(int minLength);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength);
    int GetAllocLength() const noexcept { return m_nCapacity; }
    void Preallocate(int length);
    void FreeExtra();

    // printf-style formatting with the rules of win_format.h.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);
    void AppendFormatV(const wchar_t* format, va_list args);

private:
    void assign(const wchar_t* text, std::size_t length);
    void reserve(int capacity); // keeps the content
    void setLength(int length);
    void release() noexcept;

    // The layout starts like kz::WideTextObject (win_format.h): a marker, then the
    // text, so that a CString handed to "%s" prints.
    std::uint32_t m_magic = kz::kWideTextObjectMagic;
    wchar_t* m_pszData;
    int m_nLength = 0;
    int m_nCapacity = 0; // 0: m_pszData is the shared empty text
};

using CStringW = CString;

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

inline bool operator==(const CString& a, const CString& b) {
    return a.view() == b.view();
}
inline bool operator==(const CString& a, const wchar_t* b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const wchar_t* a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, const wchar_t* b) {
    return !(a == b);
}
inline bool operator!=(const wchar_t* a, const CString& b) {
    return !(a == b);
}
inline bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, const wchar_t* b) {
    return a.Compare(b) < 0;
}
inline bool operator<(const wchar_t* a, const CString& b) {
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, const wchar_t* b) {
    return a.Compare(b) > 0;
}
inline bool operator>(const wchar_t* a, const CString& b) {
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, const wchar_t* b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(const wchar_t* a, const CString& b) {
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, const wchar_t* b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(const wchar_t* a, const CString& b) {
    return b.Compare(a) <= 0;
}
