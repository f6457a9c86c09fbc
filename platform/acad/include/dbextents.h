// AcDbExtents: an axis-aligned box in world coordinates, the bounds of entities.
// A default-constructed box is empty: it contains nothing, adding it to another box
// changes nothing, and the first point added to it becomes both corners. An empty box
// reports the corners (1e20, 1e20, 1e20) and (-1e20, -1e20, -1e20).
#pragma once

#include "acadstrc.h"
#include "gemat3d.h"
#include "gepnt3d.h"

class AcDbExtents {
public:
    AcDbExtents();
    // The box with these corners; empty when min lies above max in any coordinate.
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);

    const AcGePoint3d& minPoint() const { return mMin; }
    const AcGePoint3d& maxPoint() const { return mMax; }
    // eInvalidExtents (and the box unchanged) when min lies above max anywhere.
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);

    // Grows the box to hold the point. Points with a coordinate that is not finite
    // are ignored.
    void addPoint(const AcGePoint3d& point);
    void addExt(const AcDbExtents& other);
    // Moves the max corner by the vector's positive components and the min corner by
    // its negative ones. Nothing happens to an empty box.
    void expandBy(const AcGeVector3d& vector);
    // The box around the transformed eight corners.
    void transformBy(const AcGeMatrix3d& matrix);

    bool isEmpty() const { return mMin.x > mMax.x; }
    bool operator==(const AcDbExtents& other) const;
    bool operator!=(const AcDbExtents& other) const { return !(*this == other); }

private:
    AcGePoint3d mMin;
    AcGePoint3d mMax;
};
