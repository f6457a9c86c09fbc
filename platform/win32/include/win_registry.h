// Registry reads over an in-memory registry that the host fills (win_host_options.h).
// Key and value names compare ignoring ASCII case; key paths use '\'. REG_SZ data are
// wide strings with their terminator, so sizes are counted in this platform's WCHAR.
#pragma once

#include "win_types.h"

using ULONG_PTR = std::uintptr_t;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003)))
#define HKEY_CURRENT_CONFIG (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000005)))

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND (no such key), ERROR_INVALID_HANDLE (the key is
// neither predefined nor open) or ERROR_INVALID_PARAMETER.
LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// valueName null or "" is the key's default value. data null asks for type and size
// only; a buffer that is too small gives ERROR_MORE_DATA with the size needed in
// *dataSize. ERROR_FILE_NOT_FOUND when the value does not exist.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize);
LSTATUS RegCloseKey(HKEY key);

#define RegOpenKeyEx RegOpenKeyExW
#define RegQueryValueEx RegQueryValueExW
