#include "db/ents/text_extents.h"

#include "db/ents/ent_dxf.h"

namespace kz {

AcDbExtents textBox(const AcGePoint3d& anchor, const AcGeVector3d& normal, double rotation,
                    double left, double bottom, double width, double height) {
    AcGeVector3d along = ocsXAxis(normal);
    along.rotateBy(rotation, normal);
    AcGeVector3d up = normal.crossProduct(along);
    AcDbExtents box;
    for (double x : {left, left + width})
        for (double y : {bottom, bottom + height})
            box.addPoint(anchor + along * x + up * y);
    return box;
}

} // namespace kz
