#include "afxstr.h"

#include "win_wstring.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace kz {

void afxInvalidArgument(const char* where, long long index, long long size) {
    std::fprintf(stderr, "%s: index %lld outside 0..%lld; stopping\n", where, index, size - 1);
    std::abort();
}

} // namespace kz

namespace {

wchar_t gEmpty[1] = {0};

// A resource identifier in place of a text (MAKEINTRESOURCE) reads as no text.
std::size_t safeLength(const wchar_t* text) {
    return text && !IS_INTRESOURCE(text) ? std::wcslen(text) : 0;
}

int toInt(std::size_t n) {
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(n);
}

// White space as the wide-character classification of Windows knows it: ASCII blanks
// and controls, no-break space and the Unicode spaces, among them U+3000.
bool isWideSpace(wchar_t c) {
    if (c == L' ' || (c >= L'\t' && c <= L'\r'))
        return true;
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool inSet(const wchar_t* set, wchar_t c) {
    return c != 0 && set && std::wcschr(set, c);
}

} // namespace

CString::CString() noexcept : m_pszData(gEmpty) {}

CString::CString(const CString& other) : m_pszData(gEmpty) {
    assign(other.m_pszData, static_cast<std::size_t>(other.m_nLength));
}

CString::CString(CString&& other) noexcept
    : m_pszData(other.m_pszData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity) {
    other.m_pszData = gEmpty;
    other.m_nLength = 0;
    other.m_nCapacity = 0;
}

CString::CString(const wchar_t* text) : m_pszData(gEmpty) {
    assign(text, safeLength(text));
}

CString::CString(const wchar_t* text, int length) : m_pszData(gEmpty) {
    if (length < 0)
        kz::afxInvalidArgument("CString(text, length)", length, 0);
    assign(text, text && !IS_INTRESOURCE(text) ? static_cast<std::size_t>(length) : 0);
}

CString::CString(const char* utf8) : m_pszData(gEmpty) {
    if (utf8) {
        std::wstring wide = kz::utf8ToWide(utf8);
        assign(wide.data(), wide.size());
    }
}

CString::CString(wchar_t ch, int repeat) : m_pszData(gEmpty) {
    if (repeat > 0) {
        reserve(repeat);
        std::wmemset(m_pszData, ch, static_cast<std::size_t>(repeat));
        setLength(repeat);
    }
}

CString::CString(std::wstring_view text) : m_pszData(gEmpty) {
    assign(text.data(), text.size());
}

CString::~CString() {
    release();
}

CString& CString::operator=(const CString& other) {
    if (this != &other)
        assign(other.m_pszData, static_cast<std::size_t>(other.m_nLength));
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        release();
        m_pszData = other.m_pszData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pszData = gEmpty;
        other.m_nLength = 0;
        other.m_nCapacity = 0;
    }
    return *this;
}

CString& CString::operator=(const wchar_t* text) {
    SetString(text);
    return *this;
}

CString& CString::operator=(const char* utf8) {
    return *this = CString(utf8);
}

CString& CString::operator=(wchar_t ch) {
    assign(&ch, 1);
    return *this;
}

void CString::release() noexcept {
    if (m_nCapacity > 0)
        delete[] m_pszData;
    m_pszData = gEmpty;
    m_nLength = 0;
    m_nCapacity = 0;
}

void CString::reserve(int capacity) {
    if (capacity <= m_nCapacity)
        return;
    // Grow geometrically so that repeated appends stay linear.
    int grown = std::max(capacity, m_nCapacity < 0x3FFFFFFF ? m_nCapacity * 2 : capacity);
    auto* data = new wchar_t[static_cast<std::size_t>(grown) + 1];
    std::wmemcpy(data, m_pszData, static_cast<std::size_t>(m_nLength) + 1);
    if (m_nCapacity > 0)
        delete[] m_pszData;
    m_pszData = data;
    m_nCapacity = grown;
}

void CString::setLength(int length) {
    m_nLength = length;
    if (m_nCapacity > 0)
        m_pszData[length] = 0;
}

void CString::assign(const wchar_t* text, std::size_t length) {
    if (length == 0) {
        setLength(0);
        return;
    }
    int n = toInt(length);
    // The source may lie inside this string's own buffer.
    if (text >= m_pszData && text <= m_pszData + m_nLength) {
        std::wmemmove(m_pszData, text, static_cast<std::size_t>(n));
        setLength(n);
        return;
    }
    if (n > m_nCapacity) {
        release();
        reserve(n);
    }
    std::wmemcpy(m_pszData, text, static_cast<std::size_t>(n));
    setLength(n);
}

void CString::Empty() {
    release();
}

wchar_t CString::GetAt(int index) const {
    if (index < 0 || index >= m_nLength)
        kz::afxInvalidArgument("CString::GetAt", index, m_nLength);
    return m_pszData[index];
}

void CString::SetAt(int index, wchar_t ch) {
    if (index < 0 || index >= m_nLength)
        kz::afxInvalidArgument("CString::SetAt", index, m_nLength);
    m_pszData[index] = ch;
}

void CString::SetString(const wchar_t* text) {
    assign(text, safeLength(text));
}

void CString::SetString(const wchar_t* text, int length) {
    assign(text,
           text && !IS_INTRESOURCE(text) && length > 0 ? static_cast<std::size_t>(length) : 0);
}

void CString::Append(const wchar_t* text) {
    Append(text, toInt(safeLength(text)));
}

void CString::Append(const wchar_t* text, int length) {
    if (!text || length <= 0)
        return;
    // Copy first: the text may be part of this string and reserve may move it.
    std::wstring copy(text, static_cast<std::size_t>(length));
    reserve(m_nLength + length);
    std::wmemcpy(m_pszData + m_nLength, copy.data(), copy.size());
    setLength(m_nLength + length);
}

void CString::AppendChar(wchar_t ch) {
    Append(&ch, 1);
}

CString& CString::operator+=(const CString& other) {
    Append(other.m_pszData, other.m_nLength);
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    Append(text);
    return *this;
}

CString& CString::operator+=(const char* utf8) {
    return *this += CString(utf8);
}

CString& CString::operator+=(wchar_t ch) {
    AppendChar(ch);
    return *this;
}

int CString::Compare(const wchar_t* text) const {
    int r = std::wcscmp(m_pszData, text ? text : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* text) const {
    return _wcsicmp(m_pszData, text ? text : L"");
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0)
        start = 0;
    if (start >= m_nLength)
        return -1;
    std::size_t pos = view().find(ch, static_cast<std::size_t>(start));
    return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > m_nLength)
        return -1;
    std::size_t pos = view().find(sub, static_cast<std::size_t>(start));
    return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
    const wchar_t* p = std::wcsrchr(m_pszData, ch);
    return p ? static_cast<int>(p - m_pszData) : -1;
}

int CString::FindOneOf(const wchar_t* chars) const {
    if (!chars)
        return -1;
    const wchar_t* p = std::wcspbrk(m_pszData, chars);
    return p ? static_cast<int>(p - m_pszData) : -1;
}

CString CString::Left(int count) const {
    count = std::clamp(count, 0, m_nLength);
    return CString(m_pszData, count);
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, m_nLength);
    return CString(m_pszData + (m_nLength - count), count);
}

CString CString::Mid(int first) const {
    return Mid(first, m_nLength);
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, m_nLength);
    count = std::max(count, 0);
    count = static_cast<int>(std::min<long long>(count, m_nLength - first));
    return CString(m_pszData + first, count);
}

CString CString::SpanIncluding(const wchar_t* chars) const {
    return Left(chars ? static_cast<int>(std::wcsspn(m_pszData, chars)) : 0);
}

CString CString::SpanExcluding(const wchar_t* chars) const {
    return Left(chars ? static_cast<int>(std::wcscspn(m_pszData, chars)) : m_nLength);
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start >= 0 && start < m_nLength) {
        if (!delimiters || !*delimiters) {
            int from = start;
            start = m_nLength; // the next call reports the end
            return Mid(from);
        }
        const wchar_t* place = m_pszData + start;
        int skip = static_cast<int>(std::wcsspn(place, delimiters));
        if (start + skip < m_nLength) {
            int from = start + skip;
            int length = static_cast<int>(std::wcscspn(m_pszData + from, delimiters));
            start = from + length + 1;
            return Mid(from, length);
        }
    }
    start = -1;
    return CString();
}

CString& CString::MakeUpper() {
    for (int i = 0; i < m_nLength; ++i)
        if (m_pszData[i] >= L'a' && m_pszData[i] <= L'z')
            m_pszData[i] -= L'a' - L'A';
    return *this;
}

CString& CString::MakeLower() {
    for (int i = 0; i < m_nLength; ++i)
        if (m_pszData[i] >= L'A' && m_pszData[i] <= L'Z')
            m_pszData[i] += L'a' - L'A';
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_pszData, m_pszData + m_nLength);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(wchar_t ch) {
    return TrimRight(ch).TrimLeft(ch);
}
CString& CString::Trim(const wchar_t* chars) {
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft() {
    int i = 0;
    while (i < m_nLength && isWideSpace(m_pszData[i]))
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimLeft(wchar_t ch) {
    int i = 0;
    while (i < m_nLength && m_pszData[i] == ch)
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* chars) {
    int i = 0;
    while (i < m_nLength && inSet(chars, m_pszData[i]))
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimRight() {
    int n = m_nLength;
    while (n > 0 && isWideSpace(m_pszData[n - 1]))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(wchar_t ch) {
    int n = m_nLength;
    while (n > 0 && m_pszData[n - 1] == ch)
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
    int n = m_nLength;
    while (n > 0 && inSet(chars, m_pszData[n - 1]))
        --n;
    Truncate(n);
    return *this;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
    int count = 0;
    if (oldCh == newCh)
        return 0;
    for (int i = 0; i < m_nLength; ++i) {
        if (m_pszData[i] == oldCh) {
            m_pszData[i] = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    std::size_t oldLength = safeLength(oldText);
    if (oldLength == 0)
        return 0;
    std::wstring_view from(oldText, oldLength);
    std::wstring_view to(newText ? newText : L"");
    std::wstring out;
    int count = 0;
    std::wstring_view rest = view();
    for (std::size_t pos; (pos = rest.find(from)) != std::wstring_view::npos;) {
        out.append(rest.substr(0, pos));
        out.append(to);
        rest.remove_prefix(pos + oldLength);
        ++count;
    }
    if (count > 0) {
        out.append(rest);
        CString replaced(out);
        *this = std::move(replaced);
    }
    return count;
}

int CString::Remove(wchar_t ch) {
    int kept = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pszData[i] != ch)
            m_pszData[kept++] = m_pszData[i];
    int removed = m_nLength - kept;
    setLength(kept);
    return removed;
}

int CString::Insert(int index, wchar_t ch) {
    wchar_t text[2] = {ch, 0};
    return Insert(index, text);
}

int CString::Insert(int index, const wchar_t* text) {
    index = std::clamp(index, 0, m_nLength);
    std::size_t n = safeLength(text);
    if (n == 0)
        return m_nLength;
    std::wstring out(view().substr(0, static_cast<std::size_t>(index)));
    out.append(text, n);
    out.append(view().substr(static_cast<std::size_t>(index)));
    assign(out.data(), out.size());
    return m_nLength;
}

int CString::Delete(int index, int count) {
    index = std::max(index, 0);
    count = std::max(count, 0);
    if (index < m_nLength && count > 0) {
        count = static_cast<int>(std::min<long long>(count, m_nLength - index));
        std::wmemmove(m_pszData + index, m_pszData + index + count,
                      static_cast<std::size_t>(m_nLength - index - count));
        setLength(m_nLength - count);
    }
    return m_nLength;
}

void CString::Truncate(int length) {
    if (length < 0 || length > m_nLength)
        kz::afxInvalidArgument("CString::Truncate", length, m_nLength + 1);
    setLength(length);
}

wchar_t* CString::GetBuffer() {
    return GetBuffer(0);
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength < 0)
        kz::afxInvalidArgument("CString::GetBuffer", minLength, 0x7FFFFFFF);
    // Always a buffer of this string's own, even for an empty string.
    reserve(std::max({minLength, m_nLength, 1}));
    return m_pszData;
}

wchar_t* CString::GetBufferSetLength(int length) {
    wchar_t* buffer = GetBuffer(length);
    setLength(length);
    return buffer;
}

void CString::ReleaseBuffer(int newLength) {
    if (m_nCapacity == 0)
        return; // no buffer was handed out
    if (newLength < 0)
        newLength = static_cast<int>(wcsnlen(m_pszData, static_cast<std::size_t>(m_nCapacity)));
    if (newLength > m_nCapacity)
        kz::afxInvalidArgument("CString::ReleaseBuffer", newLength, m_nCapacity + 1);
    setLength(newLength);
}

void CString::ReleaseBufferSetLength(int newLength) {
    ReleaseBuffer(std::max(newLength, 0));
}

void CString::Preallocate(int length) {
    if (length > 0)
        reserve(length);
}

void CString::FreeExtra() {
    if (m_nCapacity > m_nLength) {
        CString copy(m_pszData, m_nLength);
        *this = std::move(copy);
    }
}

void CString::FormatV(const wchar_t* format, va_list args) {
    std::wstring text = kz::formatWideV(format, args);
    assign(text.data(), text.size());
}

void CString::Format(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    FormatV(format, ap);
    va_end(ap);
}

void CString::AppendFormatV(const wchar_t* format, va_list args) {
    std::wstring text = kz::formatWideV(format, args);
    Append(text.data(), toInt(text.size()));
}

void CString::AppendFormat(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    AppendFormatV(format, ap);
    va_end(ap);
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const wchar_t* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
