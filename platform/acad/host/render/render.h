// Pictures of model space as SVG documents. The drawing is walked as the host shows
// it: blocks inserted with their transforms and attributes, dimensions through their
// blocks, colours resolved by entity, layer and block, layers that are off or frozen
// left out. Extra entities that are in no database (the candidates of a drag) are
// drawn over the drawing in the same picture.
#pragma once

#include "render/scene.h"

#include <optional>
#include <span>
#include <string>

class AcDbDatabase;
class AcDbEntity;

namespace kz::render {

enum class Background { White, Dark };

struct RenderOptions {
    Background background = Background::White;
    double pixelWidth = 1200.0;
    // Space around the drawing, as a fraction of its larger side.
    double margin = 0.05;
    // The area to show (drawing units, y up); unset fits the picture to what it shows.
    // A drag keeps one view while the cursor moves.
    std::optional<Box> view;
    // Lines of the "Defpoints" layer are kept off pictures, as plots leave them out.
    bool showDefpoints = false;
};

// What is seen of model space plus the extra entities, as a scene.
Scene collectModelSpace(AcDbDatabase& db, std::span<const AcDbEntity* const> extraEntities,
                        const RenderOptions& options);

// The area a picture of the scene shows: its extents with the margin, or the view.
Box pictureArea(const Scene& scene, const RenderOptions& options);

// The scene as an SVG document.
std::string writeSvg(const Scene& scene, const RenderOptions& options);

// Model space plus the extra entities as an SVG document.
std::string renderModelSpace(AcDbDatabase& db, std::span<const AcDbEntity* const> extraEntities,
                             const RenderOptions& options = {});

} // namespace kz::render
