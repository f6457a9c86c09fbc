#include "assoc/dim_replace.h"

#include "record/link_record.h"

#include <cmath>

void CDimReplace::terminated(AcDbObjectId oldElement, AcDbObjectIdArray newElements) {
    CStringArray oldList;
    if (ApiComn_extractAttributesArrayID(oldElement, kLinkApp, &oldList, 0) != 0)
        return;
    if (newElements.length() != 1)
        return;
    AcDbObjectId newElement = newElements[0];
    if (GetHandleString(oldElement) == GetHandleString(newElement))
        return;
    if (oldList.GetSize() == 0)
        return;
    AcDbObjectId dimId = HandleTextToId(oldList.GetAt(0));
    if (dimId.isNull())
        return;

    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, dimId, AcDb::kForRead) != Acad::eOk)
        return;
    auto* dim = AcDbRotatedDimension::cast(entity);
    if (!dim) {
        entity->close();
        return;
    }
    double measurement = 0.0;
    dim->measurement(measurement);
    entity->close();

    AcGePoint3dArray points;
    DeZeza_GetConnectPoint(newElement, points, KZLENGTH_LAYER, nullptr);
    CAttributeData attributes;
    if (attributes.GetValueAttID(oldElement, L"S016") == L"KAKU") {
        points.setLogicalLength(0);
        DeZeza_GetConnectPoint(newElement, points, KZCONECT_LAYER, nullptr);
    }
    if (points.length() < 2)
        return;
    double d = points[0].distanceTo(points[1]);
    if (std::fabs(std::fabs(d) - measurement) < 0.2) {
        CStringArray dimList;
        dimList.Add(GetHandleString(newElement));
        ApiComn_appendAttributesArray(dimId, kLinkApp, &dimList, true);
    }
}
