// KZ_DIM_EDITXLINE: moves the extension-line origins of the selected rotated
// dimensions across their direction onto the line through one base point; the
// measured lengths and the dimension lines stay as they were.
#include "create/line_geometry.h"
#include "edit/type_tests.h"
#include "frame/commands.h"
#include "frame/module_state.h"
#include "res/resource.h"

#include <cmath>

namespace {

void AlignToBasePoint(AcDbObjectId dimId, const AcGePoint3d& q) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, dimId, AcDb::kForWrite) != Acad::eOk)
        return;
    AcDbRotatedDimension* dim = AsRotatedDimension(entity);
    if (!dim) {
        entity->close();
        return;
    }
    AcGePoint3d x1 = dim->xLine1Point();
    AcGePoint3d x2 = dim->xLine2Point();
    double r = dim->rotation();
    double p = ApiComn_ConvToAngle(r) + 90.0;
    if (p >= 180.0)
        p -= 180.0;
    p = ApiComn_ConvToRadian(p);
    AcGeVector3d across(100.0 * std::cos(p), 100.0 * std::sin(p), 0.0);
    AcGeVector3d along(100.0 * std::cos(r), 100.0 * std::sin(r), 0.0);
    AcGePoint3d hit1, hit2;
    bool first = IntersectLines(q, q + along, x1, x1 + across, hit1);
    bool second = IntersectLines(q, q + along, x2, x2 + across, hit2);
    if (first)
        dim->setXLine1Point(hit1);
    if (second)
        dim->setXLine2Point(hit2);
    entity->close();
}

} // namespace

void KzDimEditXLineCommand() {
    static wchar_t type[] = L"DIMENSION";
    resbuf filter;
    filter.rbnext = nullptr;
    filter.restype = 0;
    filter.resval.rstring = type;
    ads_name ss = {0, 0};
    if (acedSSGet(nullptr, nullptr, nullptr, &filter, ss) == RTCAN)
        return;
    int length = 0;
    if (spedSSLength(ss, &length) != RTNORM || length < 1) {
        acedSSFree(ss);
        return;
    }
    AcDbObjectIdArray dims;
    for (int i = 0; i < length; ++i) {
        ads_name name;
        AcDbObjectId id;
        if (acedSSName(ss, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk)
            continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (AsRotatedDimension(entity))
            dims.append(id);
        entity->close();
    }
    acedSSFree(ss);
    if (dims.isEmpty())
        return;
    ads_point q;
    if (acedGetPoint(nullptr, LoadKzString(IDS_PROMPT_BASE_POINT), q) != RTNORM)
        return;
    for (const AcDbObjectId& id : dims)
        AlignToBasePoint(id, asPnt3d(q));
}
