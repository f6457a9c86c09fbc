// GetPrivateProfileStringW, WritePrivateProfileStringW and GetPrivateProfileIntW over
// IniDocument: every call reads the file afresh, every change rewrites it.
#include "file_io.h"
#include "ini_document.h"
#include "module_path.h"
#include "win_codepage.h"
#include "win_error.h"
#include "win_profile.h"

#include <cstring>
#include <cwchar>
#include <new>

namespace {

using kz::IniDocument;

struct Loaded {
    IniDocument doc;
    bool exists = false;
    DWORD error = 0;
};

std::string filePath(LPCWSTR fileName) {
    return kz::wideToUtf8(kz::toPosixPath(fileName));
}

Loaded load(const std::string& path) {
    Loaded l;
    if (auto bytes = kz::readWholeFile(path, &l.error)) {
        l.doc = IniDocument::parse(*bytes);
        l.exists = true;
    }
    return l;
}

// A value enclosed in a pair of the same quote characters loses them.
std::wstring_view withoutQuotes(std::wstring_view v) {
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// Copies one string, cut to size-1 characters; size is at least 1.
DWORD copyString(std::wstring_view text, LPWSTR buffer, DWORD size) {
    std::size_t n = text.size() < size ? text.size() : size - 1;
    std::wmemcpy(buffer, text.data(), n);
    buffer[n] = 0;
    if (n < text.size())
        SetLastError(ERROR_MORE_DATA);
    return static_cast<DWORD>(n);
}

// Copies names as a list: each terminated, the list ended by a second terminator. When
// it does not fit, the last name is cut and followed by two terminators.
DWORD copyList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD size) {
    if (size < 2) {
        buffer[0] = 0;
        return 0;
    }
    std::wstring all;
    for (const std::wstring& name : names) {
        if (name.empty())
            continue; // an empty name would end the list early
        all += name;
        all.push_back(0);
    }
    if (all.size() + 1 <= size) {
        std::wmemcpy(buffer, all.data(), all.size());
        buffer[all.size()] = 0;
        if (all.empty())
            buffer[1] = 0;
        return static_cast<DWORD>(all.size());
    }
    std::wmemcpy(buffer, all.data(), size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    SetLastError(ERROR_MORE_DATA);
    return size - 2;
}

bool hasLineBreak(std::wstring_view s) {
    return s.find_first_of(L"\r\n") != std::wstring_view::npos;
}

bool validForWriting(LPCWSTR section, LPCWSTR key, LPCWSTR value) {
    std::wstring_view s(section);
    if (kz::trimIni(s).empty() || hasLineBreak(s) || s.find(L']') != std::wstring_view::npos)
        return false;
    if (key) {
        std::wstring_view k(key);
        if (kz::trimIni(k).empty() || hasLineBreak(k) || k.find(L'=') != std::wstring_view::npos)
            return false;
    }
    return !value || !hasLineBreak(value);
}

BOOL writeProfile(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
    const std::string path = filePath(fileName);
    Loaded l = load(path);
    if (!l.exists && l.error != ERROR_FILE_NOT_FOUND) {
        SetLastError(l.error); // never replace a file that could not be read
        return FALSE;
    }
    bool changed = !key     ? l.doc.removeSection(section)
                   : !value ? l.doc.removeKey(section, key)
                            : l.doc.setValue(section, key, value);
    if (!changed)
        return TRUE;
    auto bytes = l.doc.serialize();
    if (!bytes) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return FALSE;
    }
    if (DWORD e = kz::writeFileAtomically(path, *bytes)) {
        SetLastError(e);
        return FALSE;
    }
    return TRUE;
}

// Reads an integer as Windows does: sign, decimal or "0x" hexadecimal digits, 32 bits
// wrapping.
UINT parseProfileInt(std::wstring_view v) {
    std::size_t i = 0;
    while (i < v.size() && kz::isIniSpace(v[i]))
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == L'+' || v[i] == L'-'))
        negative = v[i++] == L'-';
    unsigned base = 10;
    if (i + 1 < v.size() && v[i] == L'0' && (v[i + 1] == L'x' || v[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    std::uint32_t n = 0;
    for (; i < v.size(); ++i) {
        wchar_t c = v[i];
        unsigned d;
        if (c >= L'0' && c <= L'9')
            d = static_cast<unsigned>(c - L'0');
        else if (base == 16 && c >= L'a' && c <= L'f')
            d = static_cast<unsigned>(c - L'a' + 10);
        else if (base == 16 && c >= L'A' && c <= L'F')
            d = static_cast<unsigned>(c - L'A' + 10);
        else
            break;
        if (d >= base)
            break;
        n = n * base + d;
    }
    return negative ? 0u - n : n;
}

} // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer,
                               DWORD size, LPCWSTR fileName) {
    if (!buffer || size == 0)
        return 0;
    try {
        std::wstring_view def = defaultValue ? defaultValue : L"";
        while (!def.empty() && (def.back() == L' ' || def.back() == L'\t'))
            def.remove_suffix(1);
        Loaded l;
        if (fileName)
            l = load(filePath(fileName));
        if (!l.exists)
            SetLastError(ERROR_FILE_NOT_FOUND);
        if (!section)
            return copyList(l.doc.sectionNames(), buffer, size);
        if (!key) {
            auto keys = l.doc.keyNames(section);
            if (!keys || keys->empty())
                return copyString(def, buffer, size);
            return copyList(*keys, buffer, size);
        }
        auto value = l.doc.value(section, key);
        return copyString(value ? withoutQuotes(*value) : def, buffer, size);
    } catch (const std::bad_alloc&) {
        buffer[0] = 0;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
    // All null asks Windows to flush its cache of the file; there is none here.
    if (!section || !fileName || !validForWriting(section, key, value)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try {
        return writeProfile(section, key, value, fileName);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName) {
    if (!section || !key || !fileName)
        return static_cast<UINT>(defaultValue);
    try {
        Loaded l = load(filePath(fileName));
        if (!l.exists)
            SetLastError(ERROR_FILE_NOT_FOUND);
        auto value = l.doc.value(section, key);
        if (!value || withoutQuotes(*value).empty())
            return static_cast<UINT>(defaultValue);
        return parseProfileInt(withoutQuotes(*value));
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return static_cast<UINT>(defaultValue);
    }
}
