#include "render/collector.h"

#include "db/stub.h"
#include "db/unknown.h"
#include "dbsymtb.h"
#include "win_codepage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kz::render {

namespace {

// Line weights are hundredths of a millimetre; the default weight (0.25 mm) and
// thinner ones are drawn one pixel wide.
constexpr int kDefaultWeight = 25;

double widthForWeight(int weight) {
    return weight <= kDefaultWeight ? 1.0 : weight / double(kDefaultWeight);
}

Point flat(const AcGePoint3d& p) {
    return {p.x, p.y};
}

// Steps that keep a tessellated arc within a small fraction of its radius.
int arcSteps(double sweep) {
    return std::max(4, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 36))));
}

} // namespace

AcDbObject* residentObject(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    return s && s->object && !s->erased ? s->object.get() : nullptr;
}

Collector::Collector(AcDbDatabase* db, const RenderOptions& options, Scene& scene)
    : m_db(db), m_options(options), m_scene(scene) {
    if (m_db)
        m_layerZero = m_db->layerZero();
}

Rgb Collector::foreground() const {
    return m_options.background == Background::White ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

const Collector::LayerState& Collector::layerState(AcDbObjectId layer) {
    const AcDbStub* key = layer.stub();
    auto it = m_layers.find(key);
    if (it != m_layers.end())
        return it->second;
    LayerState state;
    state.color.setColorIndex(aci::kForeground);
    if (auto* rec = AcDbLayerTableRecord::cast(residentObject(layer))) {
        state.off = rec->isOff();
        state.frozen = rec->isFrozen();
        state.color = rec->color();
        state.weight = rec->lineWeight();
        state.defpoints = compareSymbolNames(rec->name(), L"Defpoints") == 0;
    }
    return m_layers.emplace(key, state).first->second;
}

Rgb Collector::colorOf(const AcCmColor& color, const Frame& frame, const LayerState& layer) {
    const auto bg =
        m_options.background == Background::White ? aci::Background::Light : aci::Background::Dark;
    if (color.isByColor())
        return Rgb{color.red(), color.green(), color.blue()};
    if (color.isByBlock())
        return frame.byBlock ? *frame.byBlock : foreground();
    if (color.isByLayer()) {
        // A layer's colour is an index or a true colour, never "by" anything.
        if (layer.color.isByColor())
            return Rgb{layer.color.red(), layer.color.green(), layer.color.blue()};
        return aci::toRgb(layer.color.colorIndex(), bg);
    }
    return aci::toRgb(color.colorIndex(), bg);
}

bool Collector::lookOf(const AcDbEntity* entity, const Frame& frame, Look& look, bool isReference) {
    if (entity->visibility() == AcDb::kInvisible)
        return false;
    AcDbObjectId layer = entity->layerId();
    if ((layer.isNull() || layer == m_layerZero) && !frame.layer.isNull())
        layer = frame.layer;
    const LayerState& state = layerState(layer);
    if (state.frozen || (state.off && !isReference))
        return false;
    if (state.defpoints && !m_options.showDefpoints && !isReference)
        return false;
    look.layer = layer;
    look.color = colorOf(entity->color(), frame, state);
    int weight = entity->lineWeight();
    if (weight == AcDb::kLnWtByLayer)
        weight = state.weight;
    if (weight == AcDb::kLnWtByBlock)
        look.widthPx = frame.byBlock ? frame.byBlockWidthPx : 1.0;
    else
        look.widthPx = widthForWeight(weight < 0 ? kDefaultWeight : weight);
    return true;
}

Frame Collector::inner(const Frame& outer, const AcGeMatrix3d& xform, const Look& look) const {
    Frame f;
    f.xform = outer.xform * xform;
    f.byBlock = look.color;
    f.byBlockWidthPx = look.widthPx;
    f.layer = look.layer;
    f.depth = outer.depth + 1;
    return f;
}

bool Collector::enterBlock(const AcDbStub* block) {
    return m_openBlocks.insert(block).second;
}

void Collector::leaveBlock(const AcDbStub* block) {
    m_openBlocks.erase(block);
}

void Collector::drawTopLevel(const AcDbEntity* entity, std::string id) {
    const std::size_t start = m_scene.items.size();
    m_scene.items.emplace_back(BeginEntity{std::move(id), kz::wideToUtf8(entity->isA()->name())});
    draw(entity, Frame{});
    if (m_scene.items.size() == start + 1)
        m_scene.items.pop_back(); // hidden, or nothing to show
    else
        ++m_scene.entitiesDrawn;
}

void Collector::draw(const AcDbEntity* entity, const Frame& frame) {
    if (frame.depth > kMaxDepth)
        return;
    if (drawCurve(*this, entity, frame) || drawPolyline(*this, entity, frame) ||
        drawText(*this, entity, frame) || drawReference(*this, entity, frame) ||
        drawDimension(*this, entity, frame))
        return;
    if (AcDbSequenceEnd::cast(entity) || AcDbBlockBegin::cast(entity) || AcDbBlockEnd::cast(entity))
        return;
    m_scene.noteNotDrawn(kz::dxfTypeOf(entity));
}

void Collector::path(const Frame& f, const std::vector<AcGePoint3d>& points, bool closed,
                     const Look& look) {
    Path p;
    p.points.reserve(points.size());
    for (const AcGePoint3d& q : points)
        p.points.push_back(flat(f.xform * q));
    p.closed = closed;
    p.color = look.color;
    p.widthPx = look.widthPx;
    m_scene.items.emplace_back(std::move(p));
}

void Collector::fill(const Frame& f, const std::vector<AcGePoint3d>& points, const Look& look) {
    Fill p;
    p.points.reserve(points.size());
    for (const AcGePoint3d& q : points)
        p.points.push_back(flat(f.xform * q));
    p.color = look.color;
    m_scene.items.emplace_back(std::move(p));
}

void Collector::arc(const Frame& f, const AcGePoint3d& centre, const AcGeVector3d& xAxis,
                    const AcGeVector3d& yAxis, double radius, double start, double end, bool full,
                    const Look& look) {
    // The arc's parameter circle c + u cos t + v sin t, seen from above.
    const Point c = flat(f.xform * centre);
    AcGeVector3d u3 = xAxis * radius, v3 = yAxis * radius;
    u3.transformBy(f.xform);
    v3.transformBy(f.xform);
    const double ux = u3.x, uy = u3.y, vx = v3.x, vy = v3.y;
    const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    const double cross = ux * vy - uy * vx;
    const double tol = 1e-9 * std::max(lu, lv);
    if (!(lu > 0.0) || !(lv > 0.0))
        return;
    double sweep = full ? 2 * std::numbers::pi : std::fmod(end - start, 2 * std::numbers::pi);
    if (sweep <= 0.0)
        sweep += 2 * std::numbers::pi;
    if (std::abs(lu - lv) <= tol && std::abs(ux * vx + uy * vy) <= tol * std::max(lu, lv)) {
        if (full) {
            m_scene.items.emplace_back(Circle{c, lu, look.color, look.widthPx});
            return;
        }
        const double base = std::atan2(uy, ux);
        // Seen from below (a mirrored frame or a normal pointing down) the arc runs the
        // other way round.
        Arc a{c, lu, 0, 0, look.color, look.widthPx};
        if (cross > 0) {
            a.startAngle = base + start;
            a.endAngle = base + start + sweep;
        } else {
            a.startAngle = base - start - sweep;
            a.endAngle = base - start;
        }
        m_scene.items.emplace_back(a);
        return;
    }
    // An ellipse or its part: a path.
    Path p;
    const int steps = arcSteps(sweep);
    for (int i = 0; i <= steps; ++i) {
        const double t = start + sweep * i / steps;
        p.points.push_back(
            {c.x + ux * std::cos(t) + vx * std::sin(t), c.y + uy * std::cos(t) + vy * std::sin(t)});
    }
    p.closed = full;
    if (full)
        p.points.pop_back();
    p.color = look.color;
    p.widthPx = look.widthPx;
    m_scene.items.emplace_back(std::move(p));
}

void Collector::mark(const Frame& f, const AcGePoint3d& position, const Look& look) {
    m_scene.items.emplace_back(Mark{flat(f.xform * position), look.color});
}

} // namespace kz::render
