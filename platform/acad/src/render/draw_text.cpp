// Texts, attributes and MTexts: each line becomes one scene text, anchored as the
// entity's alignment says, turned and stretched as the frame places it.
#include "render/collector.h"
#include "render/text_codes.h"

#include "db/dim_graphics.h"
#include "dbents.h"
#include "dbmtext.h"
#include "dbsymtb.h"

#include <cmath>
#include <numbers>

namespace kz::render {

namespace {

// A text's own axes: along the baseline and up the characters, in block coordinates.
struct TextAxes {
    AcGePoint3d anchor;
    AcGeVector3d along, up;
};

// Places a line of text: the frame may turn, scale or stretch it.
Text placed(const Frame& f, const TextAxes& axes, std::wstring s, double height, double widthFactor,
            svg::HAlign h, svg::VAlign v, const Look& look) {
    AcGeVector3d x = axes.along, y = axes.up;
    x.transformBy(f.xform);
    y.transformBy(f.xform);
    const double lx = std::hypot(x.x, x.y);
    // The height is measured square to the baseline as the picture shows it.
    const double ly = lx > 0 ? std::abs(x.x * y.y - x.y * y.x) / lx : std::hypot(y.x, y.y);
    const AcGePoint3d p = f.xform * axes.anchor;
    Text t;
    t.position = {p.x, p.y};
    t.style.color = look.color;
    t.style.height = height * ly;
    t.style.rotation = lx > 0 ? std::atan2(x.y, x.x) : 0.0;
    t.style.widthFactor = ly > 0 ? widthFactor * lx / ly : widthFactor;
    t.style.hAlign = h;
    t.style.vAlign = v;
    t.width = kz::dim::estimateTextWidth(s, t.style.height) * t.style.widthFactor;
    t.text = std::move(s);
    return t;
}

const AcDbTextStyleTableRecord* styleOf(AcDbObjectId id) {
    return AcDbTextStyleTableRecord::cast(residentObject(id));
}

AcGeVector3d inPlane(const AcGeVector3d& normal, double angle) {
    AcGeVector3d v(std::cos(angle), std::sin(angle), 0);
    if (!normal.isCodirectionalTo(AcGeVector3d::kZAxis))
        v.transformBy(AcGeMatrix3d::planeToWorld(normal));
    return v;
}

void drawSingleLine(Collector& c, const AcDbText* text, std::wstring_view contents,
                    const Frame& frame, const Look& look) {
    std::wstring s = plainText(contents);
    if (s.empty())
        return;
    double height = text->height();
    if (!(height > 0)) {
        const auto* style = styleOf(text->textStyle());
        height = style && style->textSize() > 0 ? style->textSize() : 2.5;
    }
    double widthFactor = text->widthFactor() > 0 ? text->widthFactor() : 1.0;
    TextAxes axes;
    double rotation = text->rotation();
    svg::HAlign h = svg::HAlign::Left;
    svg::VAlign v = svg::VAlign::Baseline;
    const AcDb::TextHorzMode hm = text->horizontalMode();
    const AcDb::TextVertMode vm = text->verticalMode();
    if (text->isDefaultAlignment()) {
        axes.anchor = text->position();
    } else if (hm == AcDb::kTextAlign || hm == AcDb::kTextFit) {
        // Laid between the two points: centred on the baseline between them, stretched
        // (fit) or scaled (aligned) to fill the distance.
        const AcGePoint3d a = text->position(), b = text->alignmentPoint();
        const double span = a.distanceTo(b);
        axes.anchor = a + (b - a) / 2;
        h = svg::HAlign::Center;
        if (span > 0) {
            rotation = std::atan2(b.y - a.y, b.x - a.x);
            const double natural = kz::dim::estimateTextWidth(s, height) * widthFactor;
            if (natural > 0) {
                if (hm == AcDb::kTextFit)
                    widthFactor *= span / natural;
                else
                    height *= span / natural;
            }
        }
    } else {
        axes.anchor = text->alignmentPoint();
        if (hm == AcDb::kTextMid) {
            h = svg::HAlign::Center;
            v = svg::VAlign::Middle;
        } else {
            h = hm == AcDb::kTextCenter  ? svg::HAlign::Center
                : hm == AcDb::kTextRight ? svg::HAlign::Right
                                         : svg::HAlign::Left;
            v = vm == AcDb::kTextBottom    ? svg::VAlign::Bottom
                : vm == AcDb::kTextVertMid ? svg::VAlign::Middle
                : vm == AcDb::kTextTop     ? svg::VAlign::Top
                                           : svg::VAlign::Baseline;
        }
    }
    axes.along = inPlane(text->normal(), rotation);
    axes.up = inPlane(text->normal(), rotation + std::numbers::pi / 2);
    c.text(placed(frame, axes, std::move(s), height, widthFactor, h, v, look));
}

void drawParagraphs(Collector& c, const AcDbMText* mtext, const Frame& frame, const Look& look) {
    const double height = mtext->textHeight() > 0 ? mtext->textHeight() : 2.5;
    const auto* style = styleOf(mtext->textStyle());
    const double widthFactor = style && style->xScale() > 0 ? style->xScale() : 1.0;
    ACHAR* raw = mtext->text();
    const std::wstring plain = plainText(raw ? raw : L"");
    acutDelString(raw);
    const std::vector<std::wstring> lines =
        wrapLines(plain, mtext->width(), [&](std::wstring_view s) {
            return kz::dim::estimateTextWidth(s, height) * widthFactor;
        });
    if (lines.empty())
        return;
    AcGeVector3d along = mtext->direction().normal();
    if (along.isZeroLength())
        along = AcGeVector3d::kXAxis;
    const AcGeVector3d up = mtext->normal().normal().crossProduct(along).normal();
    const int attachment = mtext->attachment();
    const int column = (attachment - 1) % 3; // 0 left, 1 centre, 2 right
    const int row = (attachment - 1) / 3;    // 0 top, 1 middle, 2 bottom
    const svg::HAlign h = column == 0   ? svg::HAlign::Left
                          : column == 1 ? svg::HAlign::Center
                                        : svg::HAlign::Right;
    // Lines are 5/3 of the height apart; the block of lines hangs from its top.
    const double pitch = height * 5.0 / 3.0 * mtext->lineSpacingFactor();
    const double total = height + pitch * double(lines.size() - 1);
    const double top = row == 0 ? 0.0 : row == 1 ? total / 2 : total;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        TextAxes axes{mtext->location() + up * (top - pitch * double(i)), along, up};
        c.text(placed(frame, axes, lines[i], height, widthFactor, h, svg::VAlign::Top, look));
    }
}

} // namespace

bool drawText(Collector& c, const AcDbEntity* entity, const Frame& frame) {
    Look look;
    if (const auto* def = AcDbAttributeDefinition::cast(entity)) {
        // Outside a block a definition shows its tag; inside a reference only a constant
        // one shows, with its value (others are the references' attributes).
        if (!c.lookOf(entity, frame, look))
            return true;
        if (frame.depth == 0)
            drawSingleLine(c, def, def->tagConst(), frame, look);
        else if (def->isConstant())
            drawSingleLine(c, def, def->textStringConst(), frame, look);
        return true;
    }
    if (const auto* attribute = AcDbAttribute::cast(entity)) {
        if (!attribute->isInvisible() && c.lookOf(entity, frame, look))
            drawSingleLine(c, attribute, attribute->textStringConst(), frame, look);
        return true;
    }
    if (const auto* text = AcDbText::cast(entity)) {
        if (c.lookOf(entity, frame, look))
            drawSingleLine(c, text, text->textStringConst(), frame, look);
        return true;
    }
    if (const auto* mtext = AcDbMText::cast(entity)) {
        if (c.lookOf(entity, frame, look))
            drawParagraphs(c, mtext, frame, look);
        return true;
    }
    return false;
}

} // namespace kz::render
