// The configuration store and profile reads: profile (ini) files through the host's
// profile functions.
#include "ApiComn.h"
#include "DeZeza.h"
#include "win_resource.h"

int DeZeza_readConfig(CString& value, const wchar_t* file, const wchar_t* section,
                      const wchar_t* key) {
    value.Empty();
    if (!file || !section || !key)
        return -1;
    return ApiComn_GetProfileString(value, file, section, key) == 0 ? 0 : 1;
}

int DeZeza_writeConfig(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                       const wchar_t* file) {
    if (!section || !key || !value || !file)
        return -1;
    return WritePrivateProfileStringW(section, key, value, file) ? 0 : -1;
}

CString DeZeza_GetEnv(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
    CString value;
    ApiComn_GetProfileString(value, file, section, key);
    return value;
}

int DeZeza_LoadString(HINSTANCE module, UINT id, wchar_t* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = L'\0';
    int n = LoadStringW(module, id, buffer, size);
    if (n <= 0)
        buffer[0] = L'\0';
    return n > 0 ? n : 0;
}
