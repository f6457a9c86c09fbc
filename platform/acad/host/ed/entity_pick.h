// Finding entities on the screen: the topmost entity under a pick point (within the
// pick box), nested entities inside block references, and window and crossing
// selection. Later entities of a space are drawn over earlier ones, a block
// reference's attributes over its block's entities.
//
// An entity is under the point when its geometry comes within the pick radius of it
// in the XY plane: curves by their nearest point, points by their position, every
// other entity by its extents grown by the radius.
#pragma once

#include "dbmain.h"
#include "gemat3d.h"

#include <functional>
#include <optional>
#include <vector>

namespace kz::ed {

struct NestedPick {
    AcDbObjectId topLevel;                // the entity of the space
    AcDbObjectId entity;                  // the innermost entity under the point
    AcGeMatrix3d xform;                   // the innermost entity's coordinates to world
    std::vector<AcDbObjectId> containers; // block references holding it, innermost first
};

// The topmost entity of the database's current space under the point, among those
// accept takes (all when accept is empty).
std::optional<NestedPick> pickAt(AcDbDatabase* db, const AcGePoint3d& point, double radius,
                                 const std::function<bool(AcDbObjectId)>& accept = {});

// Entities of the current space inside the rectangle of the two corners (window), or
// inside it or crossing its boundary (crossing), in drawing order.
std::vector<AcDbObjectId> selectInRectangle(AcDbDatabase* db, const AcGePoint3d& corner1,
                                            const AcGePoint3d& corner2, bool crossing);

// Every visible entity of the current space, in drawing order.
std::vector<AcDbObjectId> spaceEntities(AcDbDatabase* db);

} // namespace kz::ed
