// A picture of a drawing as flat, world-coordinate pieces (lines, fills, circles,
// arcs, texts, point marks) with their colours resolved. Blocks, layers and colour
// inheritance are settled when the scene is collected, so writing it as SVG, fitting
// the view or checking what a drawing shows are simple walks over a list.
#pragma once

#include "svg_writer.h"

#include <string>
#include <variant>
#include <vector>

namespace kz::render {

using svg::Point;

// Straight runs; widthPx is the pen's width in output pixels.
struct Path {
    std::vector<Point> points;
    bool closed = false;
    Rgb color;
    double widthPx = 1.0;
};
// A filled outline (solids, wide polyline segments, filled arrowheads).
struct Fill {
    std::vector<Point> points;
    Rgb color;
};
struct Circle {
    Point centre;
    double radius = 0.0;
    Rgb color;
    double widthPx = 1.0;
};
// Counter-clockwise from startAngle to endAngle (radians).
struct Arc {
    Point centre;
    double radius = 0.0;
    double startAngle = 0.0, endAngle = 0.0;
    Rgb color;
    double widthPx = 1.0;
};
// One line of text placed by its anchor; width is the estimated advance of the
// whole line in drawing units (for fitting the view).
struct Text {
    Point position;
    std::wstring text;
    svg::TextStyle style;
    double width = 0.0;
};
// A point entity: a small mark of fixed size in pixels.
struct Mark {
    Point position;
    Rgb color;
};
// The pieces of one top-level entity follow its BeginEntity, up to the next one.
struct BeginEntity {
    std::string id;    // "h" and the handle for drawing entities, "x" and an index for extras
    std::string title; // class name
};

using Item = std::variant<Path, Fill, Circle, Arc, Text, Mark, BeginEntity>;

struct Box {
    double minX = 0, minY = 0, maxX = -1, maxY = -1;
    bool empty() const { return minX > maxX; }
    void add(Point p);
    void add(const Box& other);
};

struct Scene {
    std::vector<Item> items;
    int entitiesDrawn = 0;
    // Entities the renderer does not draw (hatches, splines...), by class name.
    std::vector<std::pair<std::string, int>> notDrawn;

    void noteNotDrawn(const std::string& className);
};

// The bounds of everything in the scene; marks count as points and texts by their
// estimated box.
Box sceneExtents(const Scene& scene);

} // namespace kz::render
