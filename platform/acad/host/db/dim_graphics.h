// What a dimension looks like: the standard arrowheads as unit-size shapes, the layout
// of a linear dimension as plain geometry (extension lines, dimension line, arrowheads,
// text, definition points), the entities made from it, and the dimension's block.
//
// The block builder and the preview share the layout, so a candidate shown while
// dragging looks like the dimension it becomes.
#pragma once

#include "dbdim.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kz::dim {

// A linear dimension's definition: the two extension-line origins, a point on the
// dimension line, the unit direction of that line, the extension lines' angle from
// it (0 square) and the measured value.
struct LinearDefinition {
    AcGePoint3d xLine1, xLine2, dimLine;
    AcGeVector3d direction{1, 0, 0};
    double oblique = 0;
    double measurement = 0;
};

// ---- arrowheads ----

enum class Arrow {
    ClosedFilled,
    Dot,
    DotSmall,
    DotBlank,
    Origin,
    Origin2,
    Open,
    Open90,
    Open30,
    Closed,
    Small,
    None,
    Oblique,
    BoxFilled,
    BoxBlank,
    ClosedBlank,
    DatumFilled,
    DatumBlank,
    Integral,
    ArchTick,
    User, // a block of the drawing that is not a standard arrowhead
};

struct ArrowInfo {
    Arrow kind;
    const wchar_t* blockName; // "" for closed filled, which has no block
    // How far (in arrow sizes) the dimension line stops short of the tip: 1 for
    // arrowheads with a body, 0 for ticks and small marks centred on the end.
    double tail;
};

std::span<const ArrowInfo> standardArrows();
// The standard arrowhead of a block name; "" and "_CLOSEDFILLED" are closed filled,
// the leading "_" may be left out and case is ignored. Null for other names.
const ArrowInfo* findArrow(std::wstring_view blockName);

// One piece of a unit-size shape (arrowhead block contents): tip at the origin,
// pointing along +X, length 1.
struct Shape {
    enum Kind { Line, Solid, Circle, Arc, Polyline } kind = Line;
    // Line: start, end. Solid: 3 or 4 corners in the SOLID entity's order.
    // Circle and Arc: centre. Polyline: vertices.
    std::vector<AcGePoint3d> points;
    std::vector<double> bulges; // polyline, one per vertex
    double radius = 0;
    double startAngle = 0, endAngle = 0; // arc, radians
    double width = 0;                    // polyline constant width
    bool closed = false;
};
std::vector<Shape> arrowShapes(Arrow kind);

// The block of a standard arrowhead, made in the drawing with its unit-size shapes on
// first use (create); null for closed filled and when the name is neither a standard
// arrowhead nor a block of the drawing (status eKeyNotFound).
AcDbObjectId arrowBlock(AcDbDatabase* db, std::wstring_view name, bool create,
                        Acad::ErrorStatus* status = nullptr);

// ---- layout ----

struct DimLayout {
    enum class Role { ExtLine1, ExtLine2, DimLine, Leader };
    struct Line {
        AcGePoint3d start, end;
        Role role = Role::DimLine;
        AcCmColor color;
        AcDb::LineWeight weight = AcDb::kLnWtByBlock;
    };
    struct ArrowHead {
        int end = 1; // 1 or 2
        Arrow kind = Arrow::ClosedFilled;
        AcDbObjectId block; // null for closed filled
        AcGePoint3d tip;
        double rotation = 0; // direction the tip points to, radians
        double size = 1;     // dimasz x dimscale
        AcCmColor color;
    };
    struct Text {
        std::wstring contents;
        AcGePoint3d centre;
        double height = 0;
        double width = 0; // estimated from the characters
        double rotation = 0;
        AcDbObjectId style;
        AcCmColor color;
    };
    std::vector<Line> lines;
    std::vector<ArrowHead> arrows;
    std::optional<Text> text;
    std::vector<AcGePoint3d> defpoints; // dimension line point, origin 1, origin 2
};

// Lays out a linear dimension; false for other kinds of dimension.
bool layoutDimension(const AcDbDimension& dim, DimLayout& out);

// Width of a one-line text of this height, estimated (narrow characters 0.7 of the
// height, wide ones 1.0) since the host has no font metrics.
double estimateTextWidth(std::wstring_view text, double height);

// ---- entities ----

// The dimension's graphics as new entities in no database, for a dimension that need
// not be in one (the drag preview). Arrowheads come as their shapes, placed, not as
// block references; definition points are left out. Entities get the database's
// layer "0".
std::vector<std::unique_ptr<AcDbEntity>> graphicsEntities(const AcDbDimension& dim,
                                                          AcDbDatabase* db = nullptr);

// Empties the dimension's block (making it when missing) and fills it from the layout:
// lines, arrowheads (a SOLID for closed filled, else a reference to the arrowhead's
// block), the text as an MText and the definition points on layer "Defpoints". The
// dimension must be in a database; it need not be open.
Acad::ErrorStatus rebuildBlock(AcDbDimension* dim);

} // namespace kz::dim
