#include "db/dim_vars.h"

#include "db/database_impl.h"
#include "db/object_extra.h"
#include "db/symbol_lookup.h"
#include "dbsymtb.h"
#include "win_codepage.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

namespace kz::dim {
namespace {

using K = VarKind;

// The variables: group code, kind and the default of a metric drawing.
constexpr std::array kVariables = {
    VarDef{"DIMPOST", kDimpost, K::Text, 0, L""},
    VarDef{"DIMSCALE", kDimscale, K::Real, 1.0, nullptr},
    VarDef{"DIMASZ", kDimasz, K::Real, 2.5, nullptr},
    VarDef{"DIMEXO", kDimexo, K::Real, 0.625, nullptr},
    VarDef{"DIMDLI", kDimdli, K::Real, 3.75, nullptr},
    VarDef{"DIMEXE", kDimexe, K::Real, 1.25, nullptr},
    VarDef{"DIMRND", kDimrnd, K::Real, 0.0, nullptr},
    VarDef{"DIMDLE", kDimdle, K::Real, 0.0, nullptr},
    VarDef{"DIMTXT", kDimtxt, K::Real, 2.5, nullptr},
    VarDef{"DIMCEN", kDimcen, K::Real, 2.5, nullptr},
    VarDef{"DIMTSZ", kDimtsz, K::Real, 0.0, nullptr},
    VarDef{"DIMLFAC", kDimlfac, K::Real, 1.0, nullptr},
    VarDef{"DIMGAP", kDimgap, K::Real, 0.625, nullptr},
    VarDef{"DIMTIH", kDimtih, K::Bool, 0, nullptr},
    VarDef{"DIMTOH", kDimtoh, K::Bool, 0, nullptr},
    VarDef{"DIMSE1", kDimse1, K::Bool, 0, nullptr},
    VarDef{"DIMSE2", kDimse2, K::Bool, 0, nullptr},
    VarDef{"DIMTAD", kDimtad, K::Int, 0, nullptr},
    VarDef{"DIMZIN", kDimzin, K::Int, 8, nullptr},
    VarDef{"DIMSAH", kDimsah, K::Bool, 0, nullptr},
    VarDef{"DIMTIX", kDimtix, K::Bool, 0, nullptr},
    VarDef{"DIMSOXD", kDimsoxd, K::Bool, 0, nullptr},
    VarDef{"DIMCLRD", kDimclrd, K::Color, 0, nullptr},
    VarDef{"DIMCLRE", kDimclre, K::Color, 0, nullptr},
    VarDef{"DIMCLRT", kDimclrt, K::Color, 0, nullptr},
    VarDef{"DIMDEC", kDimdec, K::Int, 2, nullptr},
    VarDef{"DIMDSEP", kDimdsep, K::Int, '.', nullptr},
    VarDef{"DIMTMOVE", kDimtmove, K::Int, 0, nullptr},
    VarDef{"DIMJUST", kDimjust, K::Int, 0, nullptr},
    VarDef{"DIMATFIT", kDimatfit, K::Int, 3, nullptr},
    VarDef{"DIMTXSTY", kDimtxsty, K::Handle, 0, nullptr},
    VarDef{"DIMBLK", kDimblk, K::Handle, 0, nullptr},
    VarDef{"DIMBLK1", kDimblk1, K::Handle, 0, nullptr},
    VarDef{"DIMBLK2", kDimblk2, K::Handle, 0, nullptr},
    VarDef{"DIMLWD", kDimlwd, K::Int, -2, nullptr},
    VarDef{"DIMLWE", kDimlwe, K::Int, -2, nullptr},
};

constexpr const char* kStyleSubclass = "AcDbDimStyleTableRecord";

AcDbObjectId idForHandleText(AcDbDatabase* db, std::string_view hex) {
    AcDbHandle h(std::string(hex).c_str());
    AcDbObjectId id;
    if (db && !h.isNull())
        db->getAcDbObjectId(id, false, h);
    // A handle of nothing alive counts as none.
    if (!id.isNull() && (!id.stub() || !id.stub()->object))
        id = AcDbObjectId();
    return id;
}

std::string handleText(AcDbObjectId id) {
    if (id.isNull())
        return "0";
    char buf[20];
    id.handle().getIntoAsciiBuffer(buf, sizeof buf);
    return buf;
}

VarValue defaultValue(const VarDef& def, AcDbDatabase* db) {
    VarValue v;
    v.number = def.number;
    if (def.text)
        v.text = def.text;
    if (def.code == kDimtxsty && db)
        v.id = db->textstyle();
    return v;
}

// A value from the text of a DXF tag or an extended-data item.
VarValue parseTagValue(const VarDef& def, std::string_view text, AcDbDatabase* db) {
    VarValue v;
    switch (def.kind) {
    case K::Text:
        v.text = utf8ToWide(std::string(text));
        break;
    case K::Handle:
        v.id = idForHandleText(db, text);
        break;
    default:
        v.number = std::strtod(std::string(text).c_str(), nullptr);
        break;
    }
    return v;
}

XDataApp* acadApp(ObjectExtra* ex) {
    if (!ex)
        return nullptr;
    for (auto& app : ex->xdata)
        if (compareSymbolNames(app.app, L"ACAD") == 0)
            return &app;
    return nullptr;
}

// The items [begin, end) of the DSTYLE list: begin at 1000 "DSTYLE", end after its
// closing brace. False when the application has no well-formed list.
bool findDstyle(const std::vector<XDataItem>& items, std::size_t& begin, std::size_t& end) {
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (items[i].code != 1000 || compareSymbolNames(items[i].text, L"DSTYLE") != 0)
            continue;
        if (items[i + 1].code != 1002 || items[i + 1].text != L"{")
            continue;
        for (std::size_t j = i + 2; j < items.size(); ++j) {
            if (items[j].code == 1002 && items[j].text == L"}") {
                begin = i;
                end = j + 1;
                return true;
            }
        }
        return false;
    }
    return false;
}

// Calls fn(code, value item) for each pair of a DSTYLE list in order; a stray item that
// is not a 1070 code is passed over. Walked in place: the lookups of a dimension's
// variables run for every variable at every rebuild.
template <class Fn>
void forEachDstylePair(const std::vector<XDataItem>& items, std::size_t begin, std::size_t end,
                       Fn&& fn) {
    const std::size_t close = end - 1;
    for (std::size_t i = begin + 2; i < close;) {
        if (items[i].code == 1070 && i + 1 < close) {
            fn(static_cast<short>(items[i].i), items[i + 1]);
            i += 2;
        } else {
            ++i;
        }
    }
}

VarValue valueOfItem(const VarDef& def, const XDataItem& item, AcDbDatabase* db) {
    VarValue v;
    switch (item.code) {
    case 1070:
    case 1071:
        v.number = static_cast<double>(item.i);
        break;
    case 1040:
    case 1041:
    case 1042:
        v.number = item.v[0];
        break;
    case 1005:
        v.id = idForHandleText(db, wideToUtf8(item.text));
        break;
    default:
        if (def.kind == K::Handle)
            v.id =
                findSymbol(db, def.code == kDimtxsty ? SymbolTable::TextStyle : SymbolTable::Block,
                           item.text.c_str());
        else if (def.kind == K::Text)
            v.text = item.text;
        else
            v.number = std::wcstod(item.text.c_str(), nullptr);
        break;
    }
    return v;
}

XDataItem itemOfValue(const VarDef& def, const VarValue& v) {
    XDataItem item;
    switch (def.kind) {
    case K::Real:
        item.code = 1040;
        item.v[0] = v.number;
        break;
    case K::Text:
        item.code = 1000;
        item.text = v.text;
        break;
    case K::Handle:
        item.code = 1005;
        item.text = utf8ToWide(handleText(v.id));
        break;
    default:
        item.code = 1070;
        item.i = static_cast<std::int64_t>(v.number);
        break;
    }
    return item;
}

std::string tagTextOfValue(const VarDef& def, const VarValue& v) {
    switch (def.kind) {
    case K::Real: {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.16g", v.number);
        return buf;
    }
    case K::Text:
        return wideToUtf8(v.text);
    case K::Handle:
        return handleText(v.id);
    default:
        return std::to_string(static_cast<long long>(v.number));
    }
}

} // namespace

std::span<const VarDef> variables() {
    return kVariables;
}

const VarDef* findVar(short code) {
    for (const auto& v : kVariables)
        if (v.code == code)
            return &v;
    return nullptr;
}

const VarDef* findVar(std::string_view name) {
    for (const auto& v : kVariables) {
        std::string_view n = v.name;
        if (n.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < n.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(n[i])) ==
                   std::toupper(static_cast<unsigned char>(name[i]));
        if (same)
            return &v;
    }
    return nullptr;
}

VarValue styleValue(AcDbObjectId styleId, const VarDef& def, AcDbDatabase* db) {
    AcDbStub* s = styleId.stub();
    if (s && s->object) {
        const ObjectExtra* ex = s->object->extra();
        const KeptSubclass* kept = ex ? ex->findKept(kStyleSubclass) : nullptr;
        if (kept) {
            for (const auto& tag : kept->tags)
                if (tag.code == def.code)
                    return parseTagValue(def, tag.value, db);
        }
    }
    return defaultValue(def, db);
}

std::optional<VarValue> findOverride(const AcDbObject* obj, const VarDef& def, AcDbDatabase* db) {
    const XDataApp* app = acadApp(obj ? obj->extra() : nullptr);
    std::size_t begin = 0, end = 0;
    if (!app || !findDstyle(app->items, begin, end))
        return std::nullopt;
    const XDataItem* last = nullptr; // the last one wins
    forEachDstylePair(app->items, begin, end, [&](short code, const XDataItem& item) {
        if (code == def.code)
            last = &item;
    });
    if (!last)
        return std::nullopt;
    return valueOfItem(def, *last, db);
}

std::vector<std::pair<short, VarValue>> overrides(const AcDbObject* obj, AcDbDatabase* db) {
    std::vector<std::pair<short, VarValue>> out;
    const XDataApp* app = acadApp(obj ? obj->extra() : nullptr);
    std::size_t begin = 0, end = 0;
    if (!app || !findDstyle(app->items, begin, end))
        return out;
    forEachDstylePair(app->items, begin, end, [&](short code, const XDataItem& item) {
        if (const VarDef* def = findVar(code))
            out.emplace_back(code, valueOfItem(*def, item, db));
    });
    return out;
}

VarValue value(const AcDbObject* dim, AcDbObjectId styleId, const VarDef& def) {
    AcDbDatabase* db = databaseFor(dim);
    if (auto o = findOverride(dim, def, db))
        return *o;
    return styleValue(styleId, def, db);
}

void setOverride(AcDbObject* obj, const VarDef& def, const std::optional<VarValue>& v) {
    obj->assertWriteEnabled();
    ObjectExtra& ex = obj->extraForWrite();
    XDataApp* app = acadApp(&ex);
    if (!app) {
        if (!v)
            return;
        ex.xdata.push_back({L"ACAD", {}});
        app = &ex.xdata.back();
        if (AcDbDatabase* db = obj->database())
            findOrAddSymbol(db, SymbolTable::RegApp, L"ACAD");
    }
    auto& items = app->items;
    std::size_t begin = 0, end = 0;
    if (!findDstyle(items, begin, end)) {
        if (!v)
            return;
        begin = items.size();
        XDataItem name, open, close;
        name.code = 1000;
        name.text = L"DSTYLE";
        open.code = 1002;
        open.text = L"{";
        close.code = 1002;
        close.text = L"}";
        items.push_back(name);
        items.push_back(open);
        items.push_back(close);
        end = items.size();
    }
    // Drop every pair of this code, then add the new one before the closing brace.
    for (std::size_t i = begin + 2; i < end - 1;) {
        if (items[i].code == 1070 && i + 1 < end - 1) {
            if (items[i].i == def.code) {
                items.erase(items.begin() + static_cast<std::ptrdiff_t>(i),
                            items.begin() + static_cast<std::ptrdiff_t>(i + 2));
                end -= 2;
            } else {
                i += 2;
            }
        } else {
            ++i;
        }
    }
    if (v) {
        XDataItem code;
        code.code = 1070;
        code.i = def.code;
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(end - 1),
                     {code, itemOfValue(def, *v)});
    } else if (end - begin == 3) {
        // The list is empty now: remove it, and the application if nothing is left.
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(begin),
                    items.begin() + static_cast<std::ptrdiff_t>(end));
        if (items.empty()) {
            for (auto it = ex.xdata.begin(); it != ex.xdata.end(); ++it) {
                if (&*it == app) {
                    ex.xdata.erase(it);
                    break;
                }
            }
        }
    }
}

void setStyleValue(AcDbDimStyleTableRecord* style, const VarDef& def, const VarValue& v) {
    style->assertWriteEnabled();
    auto& tags = style->extraForWrite().keptFor(kStyleSubclass).tags;
    std::string text = tagTextOfValue(def, v);
    for (auto& tag : tags) {
        if (tag.code == def.code) {
            tag.value = text;
            return;
        }
    }
    tags.push_back({def.code, text});
}

} // namespace kz::dim
