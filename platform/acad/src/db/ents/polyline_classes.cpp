// The run-time classes of the old-style polylines and their vertices. A 2D and a 3D
// polyline share one DXF type (so do their vertices); the file reader picks the class
// by the subclass marker or the flags. Defined here in this order so that a lookup by
// the DXF type alone gives the 2D classes, which register last.
#include "dbents.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbVertex, AcDbEntity)
ACRX_DXF_DEFINE_MEMBERS(AcDb3dPolylineVertex, AcDbVertex, "VERTEX")
ACRX_DXF_DEFINE_MEMBERS(AcDb3dPolyline, AcDbCurve, "POLYLINE")
ACRX_DXF_DEFINE_MEMBERS(AcDb2dVertex, AcDbVertex, "VERTEX")
ACRX_DXF_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, "POLYLINE")
