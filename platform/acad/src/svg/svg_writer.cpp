#include "svg_writer.h"

#include "win_codepage.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace kz::svg {

namespace {

bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// An XML name made of ASCII letters, digits, '_', '-', '.'; other characters become '_'.
std::string xmlName(std::string_view id) {
    std::string name;
    for (char c : id) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        name += ok ? c : '_';
    }
    if (!name.empty() && !((name[0] >= 'a' && name[0] <= 'z') ||
                           (name[0] >= 'A' && name[0] <= 'Z') || name[0] == '_'))
        name.insert(name.begin(), '_');
    return name;
}

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

} // namespace

std::string escapeXml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    // Decoding repairs malformed UTF-8 (U+FFFD) before the characters are looked at.
    for (wchar_t wc : kz::utf8ToWide(utf8)) {
        const auto c = static_cast<char32_t>(wc);
        switch (c) {
        case U'&':
            out += "&amp;";
            break;
        case U'<':
            out += "&lt;";
            break;
        case U'>':
            out += "&gt;";
            break;
        case U'"':
            out += "&quot;";
            break;
        case U'\'':
            out += "&apos;";
            break;
        default:
            kz::appendUtf8(out, allowedInXml(c) ? c : U'\uFFFD');
        }
    }
    return out;
}

std::string colorText(Rgb color) {
    static const char digits[] = "0123456789abcdef";
    std::string s = "#";
    for (std::uint8_t v : {color.r, color.g, color.b}) {
        s += digits[v >> 4];
        s += digits[v & 15];
    }
    return s;
}

std::string numberText(double value, int decimals) {
    char buf[400];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "0";
    std::string s(buf, result.ptr);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

Writer::Writer(double minX, double minY, double maxX, double maxY, double pixelWidth) {
    if (!(std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) &&
          std::isfinite(maxY)) ||
        minX > maxX || minY > maxY) {
        minX = minY = 0.0;
        maxX = maxY = 1.0;
    }
    double w = maxX - minX, h = maxY - minY;
    if (w <= 0.0 && h <= 0.0)
        w = h = 1.0;
    else if (w <= 0.0)
        w = h;
    else if (h <= 0.0)
        h = w;
    // A flat area widened above keeps its line in the middle.
    mMinX = (minX + maxX) / 2 - w / 2;
    mMaxY = (minY + maxY) / 2 + h / 2;
    mWidth = w;
    mHeight = h;
    mPixelWidth = std::isfinite(pixelWidth) && pixelWidth >= 1.0 ? pixelWidth : 1024.0;
    const double hundredthPixel = 0.01 / pixelsPerUnit();
    mDecimals = static_cast<int>(std::ceil(-std::log10(hundredthPixel)));
    mDecimals = mDecimals < 0 ? 0 : mDecimals > 12 ? 12 : mDecimals;
}

std::string Writer::num(double value) const {
    return numberText(value, mDecimals);
}

std::string Writer::pt(Point p) const {
    return num(p.x) + "," + num(-p.y);
}

std::string Writer::strokeAttributes(const Pen& pen) const {
    const double px = std::isfinite(pen.widthPx) && pen.widthPx > 0.0 ? pen.widthPx : 1.0;
    return " stroke=\"" + colorText(pen.color) + "\" stroke-width=\"" +
           numberText(px / pixelsPerUnit(), mDecimals + 2) + "\"";
}

bool Writer::accept(bool ok) {
    if (!ok)
        ++mSkipped;
    return ok;
}

void Writer::beginGroup(std::string_view id, std::string_view title) {
    mBody += "<g";
    const std::string name = xmlName(id);
    if (!name.empty())
        mBody += " id=\"" + name + "\"";
    mBody += ">\n";
    if (!title.empty())
        mBody += "<title>" + escapeXml(title) + "</title>\n";
    ++mOpenGroups;
}

void Writer::endGroup() {
    if (mOpenGroups == 0)
        return;
    --mOpenGroups;
    mBody += "</g>\n";
}

void Writer::line(Point a, Point b, const Pen& pen) {
    if (!accept(finite(a) && finite(b)))
        return;
    mBody += "<line x1=\"" + num(a.x) + "\" y1=\"" + num(-a.y) + "\" x2=\"" + num(b.x) +
             "\" y2=\"" + num(-b.y) + "\"" + strokeAttributes(pen) + "/>\n";
}

void Writer::polyline(std::span<const Point> points, bool closed, const Pen& pen,
                      std::optional<Rgb> fill) {
    bool ok = !points.empty();
    for (const Point& p : points)
        ok = ok && finite(p);
    if (!accept(ok))
        return;
    mBody += closed ? "<polygon points=\"" : "<polyline points=\"";
    for (std::size_t i = 0; i < points.size(); ++i)
        mBody += (i ? " " : "") + pt(points[i]);
    mBody += "\" fill=\"" + (fill ? colorText(*fill) : std::string("none")) + "\"" +
             strokeAttributes(pen) + " stroke-linejoin=\"round\"/>\n";
}

void Writer::polygon(std::span<const Point> points, Rgb fill) {
    bool ok = points.size() >= 3;
    for (const Point& p : points)
        ok = ok && finite(p);
    if (!accept(ok))
        return;
    mBody += "<polygon points=\"";
    for (std::size_t i = 0; i < points.size(); ++i)
        mBody += (i ? " " : "") + pt(points[i]);
    mBody += "\" fill=\"" + colorText(fill) + "\" stroke=\"none\"/>\n";
}

void Writer::circle(Point centre, double radius, const Pen& pen, std::optional<Rgb> fill) {
    if (!accept(finite(centre) && std::isfinite(radius) && radius > 0.0))
        return;
    mBody += "<circle cx=\"" + num(centre.x) + "\" cy=\"" + num(-centre.y) + "\" r=\"" +
             num(radius) + "\" fill=\"" + (fill ? colorText(*fill) : std::string("none")) + "\"" +
             strokeAttributes(pen) + "/>\n";
}

void Writer::arc(Point centre, double radius, double startAngle, double endAngle, const Pen& pen) {
    if (!accept(finite(centre) && std::isfinite(radius) && radius > 0.0 &&
                std::isfinite(startAngle) && std::isfinite(endAngle)))
        return;
    const double full = 2.0 * std::numbers::pi;
    double span = std::fmod(endAngle - startAngle, full);
    if (span <= 0.0)
        span += full; // equal angles: the whole circle
    auto at = [&](double a) {
        return Point{centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
    };
    // Counter-clockwise with y up is counter-clockwise on screen: sweep flag 0 in SVG's
    // y-down coordinates. A whole circle is drawn as two halves (one arc command cannot
    // end where it starts).
    const std::string r = num(radius);
    std::string d = "M" + pt(at(startAngle));
    if (span >= full) {
        d += " A" + r + "," + r + " 0 0,0 " + pt(at(startAngle + full / 2));
        d += " A" + r + "," + r + " 0 0,0 " + pt(at(startAngle));
    } else {
        const char* large = span > std::numbers::pi ? "1" : "0";
        d += " A" + r + "," + r + " 0 " + large + ",0 " + pt(at(startAngle + span));
    }
    mBody += "<path d=\"" + d + "\" fill=\"none\"" + strokeAttributes(pen) + "/>\n";
}

void Writer::text(Point position, std::string_view utf8, const TextStyle& style) {
    if (!accept(finite(position) && std::isfinite(style.height) && style.height > 0.0 &&
                std::isfinite(style.rotation) && std::isfinite(style.widthFactor) &&
                style.widthFactor > 0.0))
        return;
    // The baseline's offset below the given point, in the text's own frame (y down).
    double dy = 0.0;
    switch (style.vAlign) {
    case VAlign::Baseline:
        break;
    case VAlign::Bottom:
        dy = -0.3 * style.height; // descenders reach about 0.3 of the capital height
        break;
    case VAlign::Middle:
        dy = 0.5 * style.height;
        break;
    case VAlign::Top:
        dy = style.height;
        break;
    }
    const char* anchor = style.hAlign == HAlign::Left     ? "start"
                         : style.hAlign == HAlign::Center ? "middle"
                                                          : "end";
    mBody += "<text";
    if (style.rotation == 0.0 && style.widthFactor == 1.0) {
        mBody += " x=\"" + num(position.x) + "\" y=\"" + num(-position.y + dy) + "\"";
    } else {
        mBody += " transform=\"translate(" + num(position.x) + " " + num(-position.y) + ")";
        if (style.rotation != 0.0)
            mBody += " rotate(" + numberText(-degrees(style.rotation), 6) + ")";
        if (style.widthFactor != 1.0)
            mBody += " scale(" + numberText(style.widthFactor, 6) + " 1)";
        mBody += "\"";
        if (dy != 0.0)
            mBody += " y=\"" + num(dy) + "\"";
    }
    mBody += " font-family=\"" + escapeXml(style.fontFamily) + "\" font-size=\"" +
             num(style.height / kCapHeightRatio) + "\" text-anchor=\"" + anchor + "\" fill=\"" +
             colorText(style.color) + "\" xml:space=\"preserve\">" + escapeXml(utf8) + "</text>\n";
}

void Writer::text(Point position, std::wstring_view wide, const TextStyle& style) {
    text(position, kz::wideToUtf8(wide), style);
}

std::string Writer::str() const {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + numberText(mPixelWidth, 2) +
           "\" height=\"" + numberText(pixelHeight(), 2) + "\" viewBox=\"" + num(mMinX) + " " +
           num(-mMaxY) + " " + num(mWidth) + " " + num(mHeight) + "\">\n";
    if (mBackground)
        doc += "<rect x=\"" + num(mMinX) + "\" y=\"" + num(-mMaxY) + "\" width=\"" + num(mWidth) +
               "\" height=\"" + num(mHeight) + "\" fill=\"" + colorText(*mBackground) + "\"/>\n";
    doc += mBody;
    for (int i = 0; i < mOpenGroups; ++i)
        doc += "</g>\n";
    doc += "</svg>\n";
    return doc;
}

} // namespace kz::svg
