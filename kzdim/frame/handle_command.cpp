// KZ_DIM_HANDLE: makes the objects named by a picked object's link list the pick-first
// selection, so that a dimension shows its elements and an element its dimensions.
#include "frame/commands.h"
#include "record/link_record.h"

#include <cstring>
#include <cwchar>

namespace {

// The selection filter: objects with extended data of the link application. Kept in
// module-wide storage and filled at each run.
resbuf g_filter[2];
wchar_t g_filterApp[32];

} // namespace

void KzDimHandleCommand() {
    std::memset(g_filter, 0, sizeof g_filter);
    std::wcscpy(g_filterApp, kLinkApp);
    g_filter[0].restype = -3;
    g_filter[0].rbnext = &g_filter[1];
    g_filter[1].restype = 1001;
    g_filter[1].resval.rstring = g_filterApp;
    g_filter[1].rbnext = nullptr;

    ads_name ss;
    if (acedSSGet(nullptr, nullptr, nullptr, g_filter, ss) != RTNORM)
        return;
    int length = 0;
    if (spedSSLength(ss, &length) != RTNORM || length < 1) {
        acedSSFree(ss);
        return;
    }
    ads_name first;
    acedSSName(ss, 0, first);
    acedSSFree(ss);
    AcDbObjectId id;
    if (acdbGetObjectId(id, first) != Acad::eOk)
        return;

    CStringArray list;
    if (ApiComn_extractAttributesArrayID(id, kLinkApp, &list, 0) != 0)
        return;
    ads_name selection;
    acedSSAdd(nullptr, nullptr, selection);
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        AcDbObjectId linked = HandleTextToId(list.GetAt(i));
        if (linked.isNull())
            continue;
        ads_name name;
        if (acdbGetAdsName(name, linked) == Acad::eOk)
            acedSSAdd(name, selection, selection);
    }
    acedSSSetFirst(selection, nullptr);
    acedSSFree(selection);
}
