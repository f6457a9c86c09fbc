// The twenty standard arrowheads as unit-size shapes: tip at the origin, pointing
// along +X, one unit long. A dimension inserts them scaled by its arrow size and
// turned so that the tip points along the dimension line, away from its middle.
#include "db/dim_graphics.h"

#include <array>
#include <cmath>
#include <cwctype>

namespace kz::dim {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr std::array kArrows = {
    ArrowInfo{Arrow::ClosedFilled, L"", 1.0},
    ArrowInfo{Arrow::Dot, L"_DOT", 1.0},
    ArrowInfo{Arrow::DotSmall, L"_DOTSMALL", 0.0},
    ArrowInfo{Arrow::DotBlank, L"_DOTBLANK", 1.0},
    ArrowInfo{Arrow::Origin, L"_ORIGIN", 1.0},
    ArrowInfo{Arrow::Origin2, L"_ORIGIN2", 1.0},
    ArrowInfo{Arrow::Open, L"_OPEN", 1.0},
    ArrowInfo{Arrow::Open90, L"_OPEN90", 1.0},
    ArrowInfo{Arrow::Open30, L"_OPEN30", 1.0},
    ArrowInfo{Arrow::Closed, L"_CLOSED", 1.0},
    ArrowInfo{Arrow::Small, L"_SMALL", 0.0},
    ArrowInfo{Arrow::None, L"_NONE", 0.0},
    ArrowInfo{Arrow::Oblique, L"_OBLIQUE", 0.0},
    ArrowInfo{Arrow::BoxFilled, L"_BOXFILLED", 1.0},
    ArrowInfo{Arrow::BoxBlank, L"_BOXBLANK", 1.0},
    ArrowInfo{Arrow::ClosedBlank, L"_CLOSEDBLANK", 1.0},
    ArrowInfo{Arrow::DatumFilled, L"_DATUMFILLED", 1.0},
    ArrowInfo{Arrow::DatumBlank, L"_DATUMBLANK", 1.0},
    ArrowInfo{Arrow::Integral, L"_INTEGRAL", 0.0},
    ArrowInfo{Arrow::ArchTick, L"_ARCHTICK", 0.0},
};

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i])))
            return false;
    return true;
}

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}

Shape line(AcGePoint3d a, AcGePoint3d b) {
    Shape s;
    s.kind = Shape::Line;
    s.points = {a, b};
    return s;
}

// A SOLID's corners go 0, 1, 3, 2 around the outline: a quadrilateral given around
// its outline is stored with the last two swapped.
Shape solid(std::vector<AcGePoint3d> outline) {
    Shape s;
    s.kind = Shape::Solid;
    if (outline.size() == 4)
        std::swap(outline[2], outline[3]);
    s.points = std::move(outline);
    return s;
}

Shape circle(AcGePoint3d c, double r) {
    Shape s;
    s.kind = Shape::Circle;
    s.points = {c};
    s.radius = r;
    return s;
}

Shape arc(AcGePoint3d c, double r, double startDeg, double endDeg) {
    Shape s;
    s.kind = Shape::Arc;
    s.points = {c};
    s.radius = r;
    s.startAngle = startDeg * kPi / 180.0;
    s.endAngle = endDeg * kPi / 180.0;
    return s;
}

Shape polyline(std::vector<AcGePoint3d> points, bool closed, double width = 0) {
    Shape s;
    s.kind = Shape::Polyline;
    s.bulges.assign(points.size(), 0.0);
    s.points = std::move(points);
    s.closed = closed;
    s.width = width;
    return s;
}

// A filled disc of this diameter centred on the origin: a closed two-arc polyline
// whose width fills it.
Shape disc(double diameter) {
    double r = diameter / 4;
    Shape s = polyline({P(-r, 0), P(r, 0)}, true, diameter / 2);
    s.bulges = {1.0, 1.0};
    return s;
}

// Half the width of the arrowheads with a body: a third of their length across.
constexpr double kHalfWidth = 1.0 / 6.0;

} // namespace

std::span<const ArrowInfo> standardArrows() {
    return kArrows;
}

const ArrowInfo* findArrow(std::wstring_view name) {
    if (name.empty() || sameName(name, L"_CLOSEDFILLED") || sameName(name, L"CLOSEDFILLED"))
        return &kArrows[0];
    for (const auto& a : kArrows) {
        std::wstring_view full = a.blockName;
        if (full.empty())
            continue;
        if (sameName(name, full) || sameName(name, full.substr(1)))
            return &a;
    }
    return nullptr;
}

std::vector<Shape> arrowShapes(Arrow kind) {
    const double h = kHalfWidth;
    switch (kind) {
    case Arrow::ClosedFilled:
        return {solid({P(0, 0), P(-1, -h), P(-1, h)})};
    case Arrow::Dot:
        return {disc(1.0), line(P(-0.5, 0), P(-1, 0))};
    case Arrow::DotSmall:
        return {disc(0.25)};
    case Arrow::DotBlank:
        return {circle(P(0, 0), 0.5), line(P(-0.5, 0), P(-1, 0))};
    case Arrow::Origin:
        return {circle(P(0, 0), 0.5), line(P(0, 0), P(-1, 0))};
    case Arrow::Origin2:
        return {circle(P(0, 0), 0.5), circle(P(0, 0), 0.25), line(P(-0.5, 0), P(-1, 0))};
    case Arrow::Open:
        return {polyline({P(-1, h), P(0, 0), P(-1, -h)}, false), line(P(0, 0), P(-1, 0))};
    case Arrow::Open90:
        return {polyline({P(-0.5, 0.5), P(0, 0), P(-0.5, -0.5)}, false), line(P(0, 0), P(-1, 0))};
    case Arrow::Open30: {
        double w = std::tan(15.0 * kPi / 180.0);
        return {polyline({P(-1, w), P(0, 0), P(-1, -w)}, false), line(P(0, 0), P(-1, 0))};
    }
    case Arrow::Closed:
        return {polyline({P(0, 0), P(-1, h), P(-1, -h)}, true), line(P(0, 0), P(-1, 0))};
    case Arrow::Small:
        return {circle(P(0, 0), 0.25)};
    case Arrow::None:
        return {};
    case Arrow::Oblique:
        return {line(P(-0.5, -0.5), P(0.5, 0.5))};
    case Arrow::BoxFilled:
        return {solid({P(-0.5, -0.5), P(0.5, -0.5), P(0.5, 0.5), P(-0.5, 0.5)}),
                line(P(-0.5, 0), P(-1, 0))};
    case Arrow::BoxBlank:
        return {polyline({P(-0.5, -0.5), P(0.5, -0.5), P(0.5, 0.5), P(-0.5, 0.5)}, true),
                line(P(-0.5, 0), P(-1, 0))};
    case Arrow::ClosedBlank:
        return {polyline({P(0, 0), P(-1, h), P(-1, -h)}, true)};
    case Arrow::DatumFilled: {
        double d = std::tan(30.0 * kPi / 180.0);
        return {solid({P(0, d), P(0, -d), P(-1, 0)})};
    }
    case Arrow::DatumBlank: {
        double d = std::tan(30.0 * kPi / 180.0);
        return {polyline({P(0, d), P(0, -d), P(-1, 0)}, true)};
    }
    case Arrow::Integral: {
        double r = std::sqrt(0.125); // two quarter circles spanning one unit diagonally
        return {arc(P(-r, 0), r, -90, 0), arc(P(r, 0), r, 90, 180)};
    }
    case Arrow::ArchTick:
        return {polyline({P(-0.5, -0.5), P(0.5, 0.5)}, false, 0.15)};
    case Arrow::User:
        return {};
    }
    return {};
}

} // namespace kz::dim
