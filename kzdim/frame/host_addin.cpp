#include "frame/host_addin.h"

#include "frame/module_state.h"

#include <cstring>

HMODULE KzHostAddinModule() {
    return KzModule().hostAddIn;
}

void GetDragFont(LOGFONTW& font) {
    std::memset(&font, 0, sizeof font);
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &font);
    if (auto getFont = FindAddinService<KZAddinGetFontFn>(L"KZAddinGetFont")) {
        if (LOGFONTW* product = getFont())
            font = *product;
    }
}

int RouteElementKindOfId(const wchar_t* id) {
    if (!id)
        return -1;
    if (id[0] == L'K' && id[1] == L'K')
        return 0;
    if (id[0] != L'R')
        return -1;
    if (id[1] == L'T')
        return 1;
    if (id[1] != L'B')
        return -1;
    switch (id[2]) {
    case L'L':
        return 2;
    case L'T':
        return 3;
    case L'C':
        return 4;
    case L'S':
        if (id[3] == L'L')
            return 5;
        if (id[3] == L'T')
            return 6;
        return 7;
    case L'4':
        return 8;
    case L'9':
        return 9;
    default:
        return 10;
    }
}

int GetRouteElementKind(AcDbObjectId element) {
    wchar_t buffer[260] = {};
    DeZeza_GetIDByBlockName(element, buffer);
    return RouteElementKindOfId(buffer);
}
