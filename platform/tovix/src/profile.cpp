#include "ApiComn.h"

#include <new>
#include <string>

namespace {

// Profile reads give the default for a missing key; this one no file holds.
constexpr const wchar_t* kMissing = L"\x01kz-missing\x01";

bool isSeparator(wchar_t c) {
    return c == L'/' || c == L'\\';
}

bool isAbsolute(const std::wstring& path) {
    if (!path.empty() && isSeparator(path[0]))
        return true;
    return path.size() >= 2 && path[1] == L':';
}

// A folder path from a profile: no trailing separators, relative to the file's folder.
std::wstring folderPath(std::wstring value, const wchar_t* file) {
    while (value.size() > 1 && isSeparator(value.back()))
        value.pop_back();
    if (value.empty() || isAbsolute(value))
        return value;
    std::wstring base(file);
    std::size_t cut = base.find_last_of(L"/\\");
    if (cut == std::wstring::npos)
        return value;
    return base.substr(0, cut + 1) + value;
}

} // namespace

int ApiComn_GetProfileString(CString& value, const wchar_t* file, const wchar_t* section,
                             const wchar_t* key) {
    value.Empty();
    if (!file || !*file || !section || !key)
        return 1;
    try {
        std::wstring buffer(32768, L'\0');
        DWORD n = GetPrivateProfileStringW(section, key, kMissing, buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file);
        buffer.resize(n);
        if (buffer == kMissing)
            return 1;
        value = buffer.c_str();
        return 0;
    } catch (const std::bad_alloc&) {
        value.Empty();
        return 1;
    }
}

int ApiComn_GetEnv(wchar_t* buffer, int kind, const wchar_t* file, const wchar_t* section,
                   const wchar_t* key) {
    if (!buffer)
        return 1;
    buffer[0] = L'\0';
    CString value;
    if (ApiComn_GetProfileString(value, file, section, key) != 0)
        return 1;
    try {
        std::wstring text(value.view());
        if (kind == 1)
            text = folderPath(std::move(text), file);
        wcsncpy_s(buffer, kApiComnEnvBufferSize, text.c_str(), _TRUNCATE);
    } catch (const std::bad_alloc&) {
        buffer[0] = L'\0';
        return 1;
    }
    return 0;
}
