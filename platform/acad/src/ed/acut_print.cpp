#include "acutads.h"
#include "adscodes.h"
#include "ed/selection_filter.h"
#include "win_format.h"
#include "win_host_io.h"

#include <cstdarg>

int acutPrintf(const ACHAR* format, ...) {
    if (format == nullptr)
        return RTERROR;
    va_list args;
    va_start(args, format);
    std::wstring text = kz::formatWideV(format, args);
    va_end(args);
    kz::hostWrite(text);
    return RTNORM;
}

int acutWcMatch(const ACHAR* string, const ACHAR* pattern) {
    if (string == nullptr || pattern == nullptr)
        return RTERROR;
    return kz::ed::wcMatch(string, pattern, false) ? RTNORM : RTERROR;
}
