// The walk that turns entities into scene pieces. A Collector knows the drawing's
// layers and the picture's background; a Frame carries what an entity inherits from
// the block references (and dimensions) it is drawn through.
#pragma once

#include "render/render.h"

#include "dbmain.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

class AcDbStub;

namespace kz::render {

// What the entities of a block take from the reference that shows them.
struct Frame {
    AcGeMatrix3d xform;          // block coordinates to world coordinates
    std::optional<Rgb> byBlock;  // the reference's colour; unset at the top level
    double byBlockWidthPx = 1.0; // the reference's line width
    AcDbObjectId layer;          // the reference's layer, for entities on layer "0"
    int depth = 0;
};

// How one entity is drawn: its colour and line width with inheritance settled.
struct Look {
    Rgb color;
    double widthPx = 1.0;
    AcDbObjectId layer; // the layer that rules the entity (inherited for layer "0")
};

class Collector {
public:
    Collector(AcDbDatabase* db, const RenderOptions& options, Scene& scene);

    // A model-space entity or an extra one, in a group of its own.
    void drawTopLevel(const AcDbEntity* entity, std::string id);
    // Any entity inside the frame; hidden ones are left out.
    void draw(const AcDbEntity* entity, const Frame& frame);

    // The look of an entity in the frame; false when it is not seen (invisible, on a
    // layer that is off or frozen). References are hidden only by frozen layers: the
    // entities inside them on layers of their own still show when the reference's
    // layer is merely off.
    bool lookOf(const AcDbEntity* entity, const Frame& frame, Look& look, bool isReference = false);
    // The frame for the entities of a reference drawn with this look.
    Frame inner(const Frame& outer, const AcGeMatrix3d& xform, const Look& look) const;

    AcDbDatabase* database() const { return m_db; }
    Scene& scene() { return m_scene; }
    const RenderOptions& options() const { return m_options; }
    Rgb foreground() const;

    // Block references nest at most this deep (a block that holds itself stops here).
    static constexpr int kMaxDepth = 24;
    // Guards against a block drawn inside itself: false when it is being drawn already.
    bool enterBlock(const AcDbStub* block);
    void leaveBlock(const AcDbStub* block);

    // ---- pieces in block coordinates, placed by the frame ----
    void path(const Frame& f, const std::vector<AcGePoint3d>& points, bool closed,
              const Look& look);
    void fill(const Frame& f, const std::vector<AcGePoint3d>& points, const Look& look);
    // A circle or an arc (start to end counter-clockwise around the axes' normal) of a
    // plane whose x and y axes are given in block coordinates. Placed by a frame that
    // keeps it round it stays a circle or an arc; otherwise it becomes a path.
    void arc(const Frame& f, const AcGePoint3d& centre, const AcGeVector3d& xAxis,
             const AcGeVector3d& yAxis, double radius, double start, double end, bool full,
             const Look& look);
    void mark(const Frame& f, const AcGePoint3d& position, const Look& look);
    void text(Text text) { m_scene.items.emplace_back(std::move(text)); }

private:
    struct LayerState {
        bool off = false, frozen = false, defpoints = false;
        AcCmColor color;
        AcDb::LineWeight weight = AcDb::kLnWtByLwDefault;
    };
    const LayerState& layerState(AcDbObjectId layer);
    Rgb colorOf(const AcCmColor& color, const Frame& frame, const LayerState& layer);

    AcDbDatabase* m_db;
    const RenderOptions& m_options;
    Scene& m_scene;
    AcDbObjectId m_layerZero;
    std::unordered_map<const AcDbStub*, LayerState> m_layers;
    std::unordered_set<const AcDbStub*> m_openBlocks;
};

// Drawing one kind of entity; each returns false for an entity it does not handle.
bool drawCurve(Collector& c, const AcDbEntity* entity, const Frame& frame);
bool drawPolyline(Collector& c, const AcDbEntity* entity, const Frame& frame);
bool drawText(Collector& c, const AcDbEntity* entity, const Frame& frame);
bool drawReference(Collector& c, const AcDbEntity* entity, const Frame& frame);
bool drawDimension(Collector& c, const AcDbEntity* entity, const Frame& frame);

// The object of an id when it is loaded and not erased; null otherwise.
AcDbObject* residentObject(AcDbObjectId id);

} // namespace kz::render
