#include "render/render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kz::render {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Radius of a point mark in pixels.
constexpr double kMarkRadiusPx = 1.5;

bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Whether angle a lies on the counter-clockwise sweep from start to end.
bool onSweep(double a, double start, double end) {
    double span = std::fmod(end - start, kTwoPi);
    if (span <= 0.0)
        span += kTwoPi;
    double d = std::fmod(a - start, kTwoPi);
    if (d < 0.0)
        d += kTwoPi;
    return d <= span;
}

void addArc(Box& box, const Arc& arc) {
    auto at = [&](double a) {
        return Point{arc.centre.x + arc.radius * std::cos(a),
                     arc.centre.y + arc.radius * std::sin(a)};
    };
    box.add(at(arc.startAngle));
    box.add(at(arc.endAngle));
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double a = quadrant * std::numbers::pi / 2;
        if (onSweep(a, arc.startAngle, arc.endAngle))
            box.add(at(a));
    }
}

// The corners of a text's estimated box: the advance along the baseline and from the
// descenders to the capitals' top across it.
void addText(Box& box, const Text& t) {
    const double h = t.style.height;
    double left = 0.0;
    if (t.style.hAlign == svg::HAlign::Center)
        left = -t.width / 2;
    else if (t.style.hAlign == svg::HAlign::Right)
        left = -t.width;
    double baseline = 0.0; // the baseline's height above the anchor
    switch (t.style.vAlign) {
    case svg::VAlign::Baseline:
        break;
    case svg::VAlign::Bottom:
        baseline = 0.3 * h;
        break;
    case svg::VAlign::Middle:
        baseline = -0.5 * h;
        break;
    case svg::VAlign::Top:
        baseline = -h;
        break;
    }
    const double c = std::cos(t.style.rotation), s = std::sin(t.style.rotation);
    for (double x : {left, left + t.width}) {
        for (double y : {baseline - 0.3 * h, baseline + h})
            box.add(Point{t.position.x + c * x - s * y, t.position.y + s * x + c * y});
    }
}

svg::Pen pen(Rgb color, double widthPx) {
    return svg::Pen{color, widthPx};
}

} // namespace

void Box::add(Point p) {
    if (!finite(p))
        return;
    if (empty()) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

void Box::add(const Box& other) {
    if (other.empty())
        return;
    add(Point{other.minX, other.minY});
    add(Point{other.maxX, other.maxY});
}

void Scene::noteNotDrawn(const std::string& className) {
    for (auto& [name, count] : notDrawn) {
        if (name == className) {
            ++count;
            return;
        }
    }
    notDrawn.emplace_back(className, 1);
}

Box sceneExtents(const Scene& scene) {
    Box box;
    for (const Item& item : scene.items) {
        if (const auto* p = std::get_if<Path>(&item)) {
            for (Point q : p->points)
                box.add(q);
        } else if (const auto* f = std::get_if<Fill>(&item)) {
            for (Point q : f->points)
                box.add(q);
        } else if (const auto* c = std::get_if<Circle>(&item)) {
            if (std::isfinite(c->radius)) {
                box.add(Point{c->centre.x - c->radius, c->centre.y - c->radius});
                box.add(Point{c->centre.x + c->radius, c->centre.y + c->radius});
            }
        } else if (const auto* a = std::get_if<Arc>(&item)) {
            if (std::isfinite(a->radius) && std::isfinite(a->startAngle) &&
                std::isfinite(a->endAngle))
                addArc(box, *a);
        } else if (const auto* t = std::get_if<Text>(&item)) {
            if (std::isfinite(t->style.height) && std::isfinite(t->style.rotation) &&
                std::isfinite(t->width))
                addText(box, *t);
        } else if (const auto* m = std::get_if<Mark>(&item)) {
            box.add(m->position);
        }
    }
    return box;
}

Box pictureArea(const Scene& scene, const RenderOptions& options) {
    if (options.view && !options.view->empty())
        return *options.view;
    Box box = sceneExtents(scene);
    if (box.empty())
        return box;
    double size = std::max(box.maxX - box.minX, box.maxY - box.minY);
    if (!(size > 0.0))
        size = 1.0; // a single point or text-less dot
    const double m = std::clamp(options.margin, 0.0, 1.0) * size;
    box.minX -= m;
    box.minY -= m;
    box.maxX += m;
    box.maxY += m;
    return box;
}

std::string writeSvg(const Scene& scene, const RenderOptions& options) {
    const Box area = pictureArea(scene, options);
    svg::Writer w(area.minX, area.minY, area.maxX, area.maxY, options.pixelWidth);
    w.setBackground(options.background == Background::White ? Rgb{255, 255, 255} : Rgb{33, 40, 48});
    const double unitsPerPixel = 1.0 / w.pixelsPerUnit();
    bool inGroup = false;
    for (const Item& item : scene.items) {
        if (const auto* b = std::get_if<BeginEntity>(&item)) {
            if (inGroup)
                w.endGroup();
            w.beginGroup(b->id, b->title);
            inGroup = true;
        } else if (const auto* p = std::get_if<Path>(&item)) {
            if (p->points.size() == 1)
                w.circle(p->points[0], p->widthPx * unitsPerPixel / 2, pen(p->color, 0.0),
                         p->color);
            else
                w.polyline(p->points, p->closed, pen(p->color, p->widthPx));
        } else if (const auto* f = std::get_if<Fill>(&item)) {
            w.polygon(f->points, f->color);
        } else if (const auto* c = std::get_if<Circle>(&item)) {
            w.circle(c->centre, c->radius, pen(c->color, c->widthPx));
        } else if (const auto* a = std::get_if<Arc>(&item)) {
            w.arc(a->centre, a->radius, a->startAngle, a->endAngle, pen(a->color, a->widthPx));
        } else if (const auto* t = std::get_if<Text>(&item)) {
            w.text(t->position, std::wstring_view(t->text), t->style);
        } else if (const auto* m = std::get_if<Mark>(&item)) {
            w.circle(m->position, kMarkRadiusPx * unitsPerPixel, pen(m->color, 0.5), m->color);
        }
    }
    if (inGroup)
        w.endGroup();
    return w.str();
}

} // namespace kz::render
