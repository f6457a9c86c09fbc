// The dimension variables. Each is declared once, as data: its name, its DXF group
// code (the key everywhere: in dimension style records, in a dimension's overrides),
// its kind and its default (those of a metric drawing). A dimension sees its own
// override, else its style's value, else the default.
//
// Overrides live in the dimension's extended data as the host writes them:
//   1001 "ACAD", 1000 "DSTYLE", 1002 "{", (1070 code, value)..., 1002 "}"
// with the value as 1070 (integers, switches, colour indices), 1040 (reals), 1000
// (texts) or 1005 (handles of the text style and arrowhead blocks).
#pragma once

#include "dbmain.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

class AcDbDimStyleTableRecord;

namespace kz::dim {

enum class VarKind {
    Int,    // 1070
    Bool,   // 1070, 0 or 1
    Real,   // 1040
    Text,   // 1000
    Color,  // 1070 colour index: 0 by block, 256 by layer
    Handle, // 1005: a text style or a block; a null handle is allowed
};

struct VarDef {
    const char* name; // "DIMASZ"
    short code;       // 41
    VarKind kind;
    double number;       // default of numeric kinds
    const wchar_t* text; // default of texts
};

// Group codes of the variables the dimension code uses.
enum Code : short {
    kDimpost = 3,
    kDimscale = 40,
    kDimasz = 41,
    kDimexo = 42,
    kDimdli = 43,
    kDimexe = 44,
    kDimrnd = 45,
    kDimdle = 46,
    kDimtxt = 140,
    kDimcen = 141,
    kDimtsz = 142,
    kDimlfac = 144,
    kDimgap = 147,
    kDimtih = 73,
    kDimtoh = 74,
    kDimse1 = 75,
    kDimse2 = 76,
    kDimtad = 77,
    kDimzin = 78,
    kDimsah = 173,
    kDimtix = 174,
    kDimsoxd = 175,
    kDimclrd = 176,
    kDimclre = 177,
    kDimclrt = 178,
    kDimdec = 271,
    kDimdsep = 278,
    kDimtmove = 279,
    kDimjust = 280,
    kDimatfit = 289,
    kDimtxsty = 340,
    kDimblk = 342,
    kDimblk1 = 343,
    kDimblk2 = 344,
    kDimlwd = 371,
    kDimlwe = 372,
};

std::span<const VarDef> variables();
const VarDef* findVar(short code);
const VarDef* findVar(std::string_view name); // case ignored

// One value of a variable: number for numeric kinds and colours, text for texts,
// id for handles (null when the handle names nothing in the drawing).
struct VarValue {
    double number = 0;
    std::wstring text;
    AcDbObjectId id;
};

// The variable's value for a dimension: override, style, default.
VarValue value(const AcDbObject* dim, AcDbObjectId styleId, const VarDef& def);
// The value of a style record (or the default when the record lacks it).
VarValue styleValue(AcDbObjectId styleId, const VarDef& def, AcDbDatabase* db);

// The override kept on the object, if any.
std::optional<VarValue> findOverride(const AcDbObject* obj, const VarDef& def, AcDbDatabase* db);
// Sets (value) or removes (nullopt) an override in the object's "ACAD" extended data,
// keeping the application's other items. The object must be writable.
void setOverride(AcDbObject* obj, const VarDef& def, const std::optional<VarValue>& v);
// All overrides in file order: (group code, value).
std::vector<std::pair<short, VarValue>> overrides(const AcDbObject* obj, AcDbDatabase* db);

// Sets a variable in a dimension style record (kept as its DXF tag).
void setStyleValue(AcDbDimStyleTableRecord* style, const VarDef& def, const VarValue& v);

} // namespace kz::dim
