// A small SVG document builder for pictures of drawings. Callers give coordinates in
// drawing units with the y axis pointing up; the writer flips y (SVG's points down),
// so a drawing point (x, y) is written as (x, -y) and the viewBox covers the drawing
// area given at construction. Angles are radians counter-clockwise, as in the drawing.
//
// Line widths are given in pixels of the output image and converted to drawing units,
// so lines look equally thick whatever the drawing's size. Text is UTF-8 (or wide) and
// escaped; its height is the capitals' height as in the drawing. Elements with a
// coordinate that is not finite, or a radius or height that is not positive, are
// skipped and counted (skippedCount()), never written half.
#pragma once

#include "aci_palette.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kz::svg {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Pen {
    Rgb color;
    double widthPx = 1.0;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Baseline, Bottom, Middle, Top };

struct TextStyle {
    Rgb color;
    double height = 2.5;      // capital height in drawing units
    double rotation = 0.0;    // radians, counter-clockwise
    double widthFactor = 1.0; // horizontal stretch of the glyphs
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Baseline;
    std::string fontFamily = "sans-serif";
};

class Writer {
public:
    // Capitals are about this fraction of a font's em size.
    static constexpr double kCapHeightRatio = 0.7;

    // The drawing area (y up) shown in an image pixelWidth pixels wide; the height in
    // pixels follows the area's proportions. An empty area (min above max, or not
    // finite) becomes (0, 0)-(1, 1); a flat one gets the other side's extent.
    Writer(double minX, double minY, double maxX, double maxY, double pixelWidth = 1024.0);

    void setBackground(Rgb color) { mBackground = color; }

    // Groups nest; the id is made a valid XML name (other characters become '_'), the
    // title is shown as a tooltip. endGroup without a group is ignored; str() closes
    // groups left open.
    void beginGroup(std::string_view id, std::string_view title = {});
    void endGroup();

    void line(Point a, Point b, const Pen& pen);
    // fill: the inside's colour, none when empty. A closed polyline returns to its start.
    void polyline(std::span<const Point> points, bool closed, const Pen& pen,
                  std::optional<Rgb> fill = std::nullopt);
    // A filled area without an outline (solid fills, arrowheads).
    void polygon(std::span<const Point> points, Rgb fill);
    void circle(Point centre, double radius, const Pen& pen,
                std::optional<Rgb> fill = std::nullopt);
    // Counter-clockwise from startAngle to endAngle; equal angles give a full circle.
    void arc(Point centre, double radius, double startAngle, double endAngle, const Pen& pen);
    void text(Point position, std::string_view utf8, const TextStyle& style);
    void text(Point position, std::wstring_view wide, const TextStyle& style);

    // The complete document.
    std::string str() const;

    double pixelsPerUnit() const { return mPixelWidth / mWidth; }
    double pixelHeight() const { return mPixelWidth * mHeight / mWidth; }
    int skippedCount() const { return mSkipped; }

private:
    std::string num(double value) const;
    std::string pt(Point p) const; // "x,y" with y flipped
    std::string strokeAttributes(const Pen& pen) const;
    bool accept(bool ok);

    double mMinX, mMaxY, mWidth, mHeight, mPixelWidth;
    int mDecimals; // enough for a hundredth of a pixel
    std::optional<Rgb> mBackground;
    std::string mBody;
    int mOpenGroups = 0;
    int mSkipped = 0;
};

// Helpers, exposed for the renderer and the tests.
// Escapes & < > " ' and replaces characters XML does not allow (controls other than
// tab and line ends, malformed UTF-8) with U+FFFD.
std::string escapeXml(std::string_view utf8);
// "#rrggbb".
std::string colorText(Rgb color);
// A number without exponent, rounded to the decimals, no trailing zeros, no "-0".
std::string numberText(double value, int decimals = 4);

} // namespace kz::svg
