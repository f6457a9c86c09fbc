#include "ed/entity_pick.h"

#include "dbents.h"
#include "dbextents.h"
#include "dbsymtb.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace kz::ed {

namespace {

constexpr int kMaxNesting = 16;

struct Box {
    double x0, y0, x1, y1;
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

Box boxOf(const AcGePoint3d& a, const AcGePoint3d& b) {
    return Box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool xyDistanceWithin(const AcGePoint3d& a, const AcGePoint3d& b, double r) {
    return std::hypot(a.x - b.x, a.y - b.y) <= r;
}

// The entity's extents in world coordinates.
std::optional<AcDbExtents> worldExtents(const AcDbEntity* ent, const AcGeMatrix3d& toWorld) {
    AcDbExtents e;
    if (ent->getGeomExtents(e) != Acad::eOk || e.isEmpty())
        return std::nullopt;
    e.transformBy(toWorld);
    return e;
}

bool hitsSimple(const AcDbEntity* ent, const AcGeMatrix3d& toWorld, const AcGePoint3d& p,
                double r) {
    if (const AcDbPoint* pt = AcDbPoint::cast(ent))
        return xyDistanceWithin(toWorld * pt->position(), p, r);
    if (const AcDbCurve* curve = AcDbCurve::cast(ent)) {
        AcGeMatrix3d toLocal;
        if (!toWorld.inverse(toLocal, 1e-12))
            return false;
        AcGePoint3d nearest;
        if (curve->getClosestPointTo(toLocal * p, nearest) == Acad::eOk)
            return xyDistanceWithin(toWorld * nearest, p, r);
    }
    std::optional<AcDbExtents> e = worldExtents(ent, toWorld);
    if (!e)
        return false;
    Box b{e->minPoint().x - r, e->minPoint().y - r, e->maxPoint().x + r, e->maxPoint().y + r};
    return b.contains(p.x, p.y);
}

std::vector<AcDbObjectId> attributesOf(const AcDbBlockReference* ref) {
    std::vector<AcDbObjectId> out;
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (it->start(); !it->done(); it->step())
        out.push_back(it->objectId());
    return out;
}

std::vector<AcDbObjectId> blockEntities(AcDbObjectId blockId) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return {};
    std::vector<AcDbObjectId> out = block->kzEntities();
    block->close();
    return out;
}

bool isShown(const AcDbEntity* ent) {
    return ent->visibility() == AcDb::kVisible;
}

// The blocks a walk is inside, the space first. A reference to one of them (a damaged
// drawing's block that holds itself, directly or not) shows nothing more: a block with
// k such references would otherwise be walked k^depth times before the depth limit.
using BlockPath = std::vector<AcDbObjectId>;

bool isOpenOnPath(const BlockPath& path, AcDbObjectId block) {
    return path.size() > kMaxNesting || std::find(path.begin(), path.end(), block) != path.end();
}

std::optional<NestedPick> hitNested(AcDbObjectId id, const AcGeMatrix3d& toWorld,
                                    const AcGePoint3d& p, double r, BlockPath& path) {
    if (id.isErased())
        return std::nullopt;
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    if (!isShown(ent)) {
        ent->close();
        return std::nullopt;
    }
    const AcDbBlockReference* ref = AcDbBlockReference::cast(ent);
    if (ref == nullptr) {
        bool hit = hitsSimple(ent, toWorld, p, r);
        ent->close();
        if (!hit)
            return std::nullopt;
        return NestedPick{id, id, toWorld, {}};
    }
    std::vector<AcDbObjectId> attributes = attributesOf(ref);
    AcGeMatrix3d inner = toWorld * ref->blockTransform();
    AcDbObjectId blockId = ref->blockTableRecord();
    ent->close();

    // Attributes are in the coordinates the reference itself is in.
    for (auto a = attributes.rbegin(); a != attributes.rend(); ++a) {
        if (auto hit = hitNested(*a, toWorld, p, r, path)) {
            hit->containers.push_back(id);
            return hit;
        }
    }
    if (isOpenOnPath(path, blockId))
        return std::nullopt;
    path.push_back(blockId);
    std::optional<NestedPick> found;
    std::vector<AcDbObjectId> children = blockEntities(blockId);
    for (auto c = children.rbegin(); c != children.rend() && !found; ++c) {
        if ((found = hitNested(*c, inner, p, r, path)))
            found->containers.push_back(id);
    }
    path.pop_back();
    return found;
}

// Whether any part of the entity lies in the box or crosses its boundary.
bool touchesBox(AcDbObjectId id, const AcGeMatrix3d& toWorld, const Box& box, BlockPath& path) {
    if (id.isErased())
        return false;
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool result = false;
    std::optional<AcDbExtents> e = worldExtents(ent, toWorld);
    if (!isShown(ent) || !e || e->maxPoint().x < box.x0 || e->minPoint().x > box.x1 ||
        e->maxPoint().y < box.y0 || e->minPoint().y > box.y1) {
        result = false;
    } else if (box.contains(e->minPoint().x, e->minPoint().y) &&
               box.contains(e->maxPoint().x, e->maxPoint().y)) {
        result = true;
    } else if (const AcDbBlockReference* ref = AcDbBlockReference::cast(ent)) {
        std::vector<AcDbObjectId> attributes = attributesOf(ref);
        AcGeMatrix3d inner = toWorld * ref->blockTransform();
        AcDbObjectId blockId = ref->blockTableRecord();
        ent->close();
        ent = nullptr;
        for (AcDbObjectId a : attributes)
            result = result || touchesBox(a, toWorld, box, path);
        if (!result && !isOpenOnPath(path, blockId)) {
            path.push_back(blockId);
            for (AcDbObjectId c : blockEntities(blockId))
                result = result || touchesBox(c, inner, box, path);
            path.pop_back();
        }
    } else if (const AcDbCurve* curve = AcDbCurve::cast(ent)) {
        AcGeMatrix3d toLocal;
        if (toWorld.inverse(toLocal, 1e-12)) {
            const AcGePoint3d corners[4] = {
                {box.x0, box.y0, 0}, {box.x1, box.y0, 0}, {box.x1, box.y1, 0}, {box.x0, box.y1, 0}};
            for (int i = 0; i < 4 && !result; ++i) {
                AcDbLine edge(toLocal * corners[i], toLocal * corners[(i + 1) % 4]);
                AcGePoint3dArray points;
                if (curve->intersectWith(&edge, AcDb::kOnBothOperands, points) == Acad::eOk &&
                    points.length() > 0)
                    result = true;
            }
        }
    } else {
        result = true; // extents overlap the box
    }
    if (ent)
        ent->close();
    return result;
}

} // namespace

std::vector<AcDbObjectId> spaceEntities(AcDbDatabase* db) {
    std::vector<AcDbObjectId> out;
    if (db == nullptr)
        return out;
    for (AcDbObjectId id : blockEntities(db->currentSpaceId())) {
        AcDbEntity* ent = nullptr;
        if (id.isErased() || acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (isShown(ent))
            out.push_back(id);
        ent->close();
    }
    return out;
}

std::optional<NestedPick> pickAt(AcDbDatabase* db, const AcGePoint3d& point, double radius,
                                 const std::function<bool(AcDbObjectId)>& accept) {
    std::vector<AcDbObjectId> ids = spaceEntities(db);
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (accept && !accept(*it))
            continue;
        BlockPath path{db->currentSpaceId()};
        if (auto hit = hitNested(*it, AcGeMatrix3d::kIdentity, point, radius, path)) {
            hit->topLevel = *it;
            return hit;
        }
    }
    return std::nullopt;
}

std::vector<AcDbObjectId> selectInRectangle(AcDbDatabase* db, const AcGePoint3d& corner1,
                                            const AcGePoint3d& corner2, bool crossing) {
    Box box = boxOf(corner1, corner2);
    std::vector<AcDbObjectId> out;
    for (AcDbObjectId id : spaceEntities(db)) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
            continue;
        std::optional<AcDbExtents> e = worldExtents(ent, AcGeMatrix3d::kIdentity);
        ent->close();
        if (!e)
            continue;
        bool inside = box.contains(e->minPoint().x, e->minPoint().y) &&
                      box.contains(e->maxPoint().x, e->maxPoint().y);
        BlockPath path{db->currentSpaceId()};
        if (inside || (crossing && touchesBox(id, AcGeMatrix3d::kIdentity, box, path)))
            out.push_back(id);
    }
    return out;
}

} // namespace kz::ed
