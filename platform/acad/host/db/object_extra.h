// What an object carries besides its class's fields: extended data, persistent
// reactors, its extension dictionary and the DXF tags its classes do not model.
#pragma once

#include "dbid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kz {

// One extended-data item: group code 1000-1071 and its value.
struct XDataItem {
    short code = 0;
    std::wstring text;       // 1000, 1002, 1003, 1005 (handle as hex text)
    std::string bytes;       // 1004
    double v[3] = {0, 0, 0}; // 1010-1013 points, 1040-1042 reals (v[0])
    std::int64_t i = 0;      // 1070, 1071
};

struct XDataApp {
    std::wstring app;
    std::vector<XDataItem> items;
};

// A DXF tag kept as read: its code and its value text (UTF-8).
struct KeptTag {
    int code = 0;
    std::string value;
};

// Tags of one subclass (named by its group 100 marker; empty name: tags before the
// first marker) that no class took. An object may carry the same marker more than once
// (TEXT has two AcDbText parts; a damaged file can run two objects together): each
// occurrence keeps its own tags, numbered from 0 in file order.
struct KeptSubclass {
    std::string name;
    std::vector<KeptTag> tags;
    int occurrence = 0;
};

struct ObjectExtra {
    std::vector<XDataApp> xdata;
    std::vector<AcDbObjectId> reactors;
    AcDbObjectId xdictionary;
    // Application groups (102 {NAME ... 102 }) other than the reactors and the
    // extension dictionary, with their braces, as read.
    std::vector<KeptTag> appData;
    std::vector<KeptSubclass> kept;
    // True when the object was read from a file without subclass markers.
    bool noMarkers = false;

    KeptSubclass& keptFor(const std::string& subclass, int occurrence = 0) {
        for (auto& k : kept)
            if (k.name == subclass && k.occurrence == occurrence)
                return k;
        kept.push_back({subclass, {}, occurrence});
        return kept.back();
    }
    const KeptSubclass* findKept(const std::string& subclass, int occurrence = 0) const {
        for (auto& k : kept)
            if (k.name == subclass && k.occurrence == occurrence)
                return &k;
        return nullptr;
    }
};

} // namespace kz
