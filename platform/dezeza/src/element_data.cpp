// The identifier, root type and route kind of route elements (KZ_ELEMENT of their
// block).
#include "DeZeza.h"
#include "route_data.h"

#include <new>

int DeZeza_GetIDByBlockName(AcDbObjectId& element, wchar_t* identifier) {
    if (!identifier)
        return 1;
    identifier[0] = L'\0';
    try {
        bool found = false;
        std::vector<std::wstring> record = kz::dezeza::elementRecord(element, &found);
        if (!record.empty())
            wcsncpy_s(identifier, kDeZezaIdBufferSize, record[0].c_str(), _TRUNCATE);
        return found ? 0 : 1;
    } catch (const std::bad_alloc&) {
        identifier[0] = L'\0';
        return 1;
    }
}

int DeZeza_GetRootType(AcDbObjectId element, int* routeKind) {
    try {
        std::vector<std::wstring> record = kz::dezeza::elementRecord(element);
        if (routeKind)
            *routeKind = record.size() > 2 ? _wtoi(record[2].c_str()) : 0;
        return record.size() > 1 ? _wtoi(record[1].c_str()) : 0;
    } catch (const std::bad_alloc&) {
        if (routeKind)
            *routeKind = 0;
        return 0;
    }
}

int RootComn_GetBlockRootKind(AcDbObjectId element, int* routeKind) {
    try {
        bool found = false;
        std::vector<std::wstring> record = kz::dezeza::elementRecord(element, &found);
        if (routeKind)
            *routeKind = record.size() > 2 ? _wtoi(record[2].c_str()) : 0;
        return found ? 0 : 1;
    } catch (const std::bad_alloc&) {
        if (routeKind)
            *routeKind = 0;
        return 1;
    }
}
