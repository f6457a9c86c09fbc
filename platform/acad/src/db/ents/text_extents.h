// Approximate bounds of texts: without the fonts' outlines, a text is a box as tall as
// its height and as wide as its characters' estimated widths.
#pragma once

#include "dbextents.h"

#include <string>

namespace kz {

// The box whose lower-left corner lies left along the text and bottom up from the
// anchor, in the plane with this normal, the text running at the rotation.
AcDbExtents textBox(const AcGePoint3d& anchor, const AcGeVector3d& normal, double rotation,
                    double left, double bottom, double width, double height);

} // namespace kz
