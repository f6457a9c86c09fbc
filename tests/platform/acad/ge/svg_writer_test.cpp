#include "svg_writer.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

using kz::Rgb;
using namespace kz::svg;

namespace {
const Pen kRed{{255, 0, 0}, 2.0};

bool has(const std::string& doc, const std::string& part) {
    return doc.find(part) != std::string::npos;
}
} // namespace

TEST(SvgWriter, ViewBoxAndCoordinatesFlipY) {
    Writer w(0, 0, 200, 100, 1000);
    w.line({10, 20}, {30, 90}, kRed);
    const std::string doc = w.str();
    // The drawing's top (y = 100) is the viewBox's top edge at -100.
    EXPECT_TRUE(has(doc, "width=\"1000\" height=\"500\" viewBox=\"0 -100 200 100\""));
    EXPECT_TRUE(has(doc, "<line x1=\"10\" y1=\"-20\" x2=\"30\" y2=\"-90\" stroke=\"#ff0000\""));
    // 2 pixels at 5 pixels per unit.
    EXPECT_TRUE(has(doc, "stroke-width=\"0.4\""));
    EXPECT_EQ(doc.rfind("</svg>\n"), doc.size() - 7);
}

TEST(SvgWriter, FlatOrEmptyAreasStillGiveAPicture) {
    // A single horizontal line: the height becomes the width, centred on the line.
    const std::string flat = Writer(0, 5, 10, 5, 100).str();
    EXPECT_TRUE(has(flat, "width=\"100\" height=\"100\" viewBox=\"0 -10 10 10\""));
    const std::string empty = Writer(1, 1, -1, -1).str();
    EXPECT_TRUE(has(empty, "viewBox=\"0 -1 1 1\""));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(has(Writer(nan, 0, 1, 1).str(), "viewBox=\"0 -1 1 1\""));
}

TEST(SvgWriter, ArcsRunCounterClockwiseAfterTheFlip) {
    Writer w(-10, -10, 10, 10, 100);
    const double pi = std::numbers::pi;
    w.arc({0, 0}, 5, 0, pi / 2, kRed); // from (5, 0) up to (0, 5)
    w.arc({0, 0}, 5, 0, 1.5 * pi, kRed);
    w.arc({0, 0}, 5, pi / 2, 0, kRed); // crosses zero: three quarters
    w.arc({0, 0}, 5, 1, 1, kRed);      // equal angles: whole circle
    const std::string doc = w.str();
    EXPECT_TRUE(has(doc, "d=\"M5,0 A5,5 0 0,0 0,-5\""));
    EXPECT_TRUE(has(doc, "d=\"M5,0 A5,5 0 1,0 0,5\""));
    EXPECT_TRUE(has(doc, "d=\"M0,-5 A5,5 0 1,0 5,0\""));
    // 5 pixels per unit: three decimals reach a hundredth of a pixel.
    EXPECT_TRUE(has(doc, "d=\"M2.702,-4.207 A5,5 0 0,0 -2.702,4.207 A5,5 0 0,0 2.702,-4.207\""));
}

TEST(SvgWriter, PolylinesPolygonsAndCircles) {
    Writer w(0, 0, 10, 10, 100);
    const std::vector<Point> pts = {{0, 0}, {10, 0}, {10, 10}};
    w.polyline(pts, false, kRed);
    w.polyline(pts, true, kRed, Rgb{0, 0, 255});
    w.polygon(pts, Rgb{0, 255, 0});
    w.circle({5, 5}, 2, kRed, Rgb{1, 2, 3});
    const std::string doc = w.str();
    EXPECT_TRUE(has(doc, "<polyline points=\"0,0 10,0 10,-10\" fill=\"none\""));
    EXPECT_TRUE(
        has(doc, "<polygon points=\"0,0 10,0 10,-10\" fill=\"#0000ff\" stroke=\"#ff0000\""));
    EXPECT_TRUE(has(doc, "<polygon points=\"0,0 10,0 10,-10\" fill=\"#00ff00\" stroke=\"none\""));
    EXPECT_TRUE(has(doc, "<circle cx=\"5\" cy=\"-5\" r=\"2\" fill=\"#010203\""));
}

TEST(SvgWriter, BadElementsAreSkippedWhole) {
    Writer w(0, 0, 10, 10);
    const double inf = std::numeric_limits<double>::infinity();
    w.line({0, 0}, {inf, 1}, kRed);
    w.circle({1, 1}, 0, kRed);
    w.polygon(std::vector<Point>{{0, 0}, {1, 1}}, Rgb{}); // two points enclose nothing
    w.text({0, 0}, "x", TextStyle{.color = {}, .height = -1});
    w.arc({0, 0}, 1, std::numeric_limits<double>::quiet_NaN(), 1, kRed);
    EXPECT_EQ(w.skippedCount(), 5);
    const std::string doc = w.str();
    EXPECT_FALSE(has(doc, "<line"));
    EXPECT_FALSE(has(doc, "<text"));
    EXPECT_FALSE(has(doc, "inf"));
}

TEST(SvgWriter, TextIsEscapedPlacedAndRotated) {
    Writer w(0, 0, 100, 100, 100);
    TextStyle s{.color = {0, 0, 0}, .height = 7};
    w.text({10, 20}, "a<b & \"c\" 'd'>", s);
    w.text({10, 20}, L"寸法 \U0001F600", s);
    s.rotation = std::numbers::pi / 2;
    s.hAlign = HAlign::Center;
    s.vAlign = VAlign::Middle;
    s.widthFactor = 0.8;
    w.text({30, 40}, "up", s);
    const std::string doc = w.str();
    // Capital height 7 needs a 10 em font; baseline at the point, y flipped.
    EXPECT_TRUE(has(doc, "<text x=\"10\" y=\"-20\" font-family=\"sans-serif\" "
                         "font-size=\"10\" text-anchor=\"start\" fill=\"#000000\""));
    EXPECT_TRUE(has(doc, ">a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;</text>"));
    EXPECT_TRUE(has(doc, ">寸法 \U0001F600</text>"));
    // Counter-clockwise in the drawing is a negative SVG rotation; the middle of the
    // capitals sits on the point, so the baseline is half a height below it.
    EXPECT_TRUE(has(doc, "transform=\"translate(30 -40) rotate(-90) scale(0.8 1)\" y=\"3.5\""));
    EXPECT_TRUE(has(doc, "text-anchor=\"middle\""));
}

TEST(SvgWriter, EscapingRepairsWhatXmlCannotHold) {
    EXPECT_EQ(escapeXml("ok\tline\n"), "ok\tline\n");
    EXPECT_EQ(escapeXml(std::string("a\x01z", 3)), "a\xEF\xBF\xBDz"); // control -> U+FFFD
    EXPECT_EQ(escapeXml("bad\xC3"), "bad\xEF\xBF\xBD");               // truncated UTF-8
    EXPECT_EQ(escapeXml(std::string("\0", 1)), "\xEF\xBF\xBD");
    EXPECT_EQ(numberText(-0.00001), "0");
    EXPECT_EQ(numberText(1234.5), "1234.5");
    EXPECT_EQ(numberText(1e20, 2), "100000000000000000000");
    EXPECT_EQ(colorText({171, 205, 239}), "#abcdef");
}

TEST(SvgWriter, GroupsNestCloseAndGetValidIds) {
    Writer w(0, 0, 1, 1);
    w.beginGroup("dim 1/<a>", "Route & line");
    w.beginGroup("9th");
    w.line({0, 0}, {1, 1}, kRed);
    w.endGroup();
    w.endGroup();
    w.endGroup(); // one too many: ignored
    w.beginGroup("");
    const std::string doc = w.str(); // the last group is closed here
    EXPECT_TRUE(has(doc, "<g id=\"dim_1__a_\">\n<title>Route &amp; line</title>\n<g id=\"_9th\">"));
    EXPECT_TRUE(has(doc, "</g>\n</g>\n<g>\n</g>\n</svg>\n"));
}

TEST(SvgWriter, PrecisionFollowsTheScale) {
    // A drawing 0.01 units wide in 1000 pixels needs finer numbers than one 1000 wide.
    Writer small(0, 0, 0.01, 0.01, 1000);
    small.line({0.001234567, 0}, {0, 0}, kRed);
    EXPECT_TRUE(has(small.str(), "x1=\"0.0012346\""));
    Writer large(0, 0, 1000, 1000, 1000);
    large.line({1.23456, 0}, {0, 0}, kRed);
    EXPECT_TRUE(has(large.str(), "x1=\"1.23\""));
}
