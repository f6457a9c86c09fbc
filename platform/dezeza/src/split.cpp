#include "DeZeza.h"

#include <cwchar>
#include <new>

int DeZeza_GetSplitString(const wchar_t* text, CStringArray& fields, const wchar_t* trim,
                          const wchar_t* separator) {
    if (!text || !*text)
        return 0;
    try {
        auto add = [&](const wchar_t* start, std::size_t length) {
            CString field(start, static_cast<int>(length));
            if (trim && *trim)
                field.Trim(trim);
            fields.Add(field);
        };
        if (!separator || !*separator) {
            add(text, std::wcslen(text));
            return 1;
        }
        std::size_t sepLength = std::wcslen(separator);
        int count = 0;
        const wchar_t* start = text;
        for (const wchar_t* hit; (hit = std::wcsstr(start, separator)) != nullptr;
             start = hit + sepLength) {
            add(start, static_cast<std::size_t>(hit - start));
            ++count;
        }
        add(start, std::wcslen(start));
        return count + 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
