#include "ApiComn.h"

#include <new>

FARPROC ApiComn_GetProcAdrs(HMODULE module, const wchar_t* name) {
    if (!module || !name || !*name)
        return nullptr;
    try {
        return GetProcAddress(module, kz::wideToUtf8(name).c_str());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
