#include "route_data.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "dbents.h"
#include "dbgroup.h"
#include "dbsymtb.h"

namespace kz::dezeza {

AcDbObjectId elementBlock(AcDbObjectId element) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, element, AcDb::kForRead, true) != Acad::eOk)
        return {};
    AcDbObjectId block;
    if (auto* ref = AcDbBlockReference::cast(obj))
        block = ref->blockTableRecord();
    else if (AcDbBlockTableRecord::cast(obj))
        block = element;
    obj->close();
    return block;
}

std::vector<std::wstring> elementRecord(AcDbObjectId element, bool* found) {
    std::vector<std::wstring> out;
    CStringArray strings;
    bool has = ApiComn_extractAttributesArrayID(elementBlock(element), KZ_ELEMENT_APPNAME, &strings,
                                                0) == 0;
    if (found)
        *found = has;
    for (INT_PTR i = 0; i < strings.GetSize(); ++i)
        out.emplace_back(strings[i].view());
    return out;
}

int elementNumber(AcDbObjectId element, std::size_t index) {
    std::vector<std::wstring> record = elementRecord(element);
    return index < record.size() ? _wtoi(record[index].c_str()) : 0;
}

bool passesKind(AcDbObjectId element, int routeKind) {
    if (routeKind == 0)
        return true;
    int kind = routeKindOf(element);
    return kind == 0 || kind == routeKind;
}

std::vector<AcGePoint3d> layerPoints(AcDbObjectId element, const wchar_t* layer) {
    AcGePoint3dArray points;
    DeZeza_GetConnectPoint(element, points, layer, nullptr);
    return std::vector<AcGePoint3d>(points.begin(), points.end());
}

std::vector<AcGePoint3d> connectionPoints(AcDbObjectId element) {
    return layerPoints(element, KZCONECT_LAYER);
}

bool touches(const std::vector<AcGePoint3d>& a, const std::vector<AcGePoint3d>& b) {
    for (const auto& p : a)
        for (const auto& q : b)
            if (p.distanceTo(q) <= kDeZezaConnectTolerance)
                return true;
    return false;
}

bool isRouteElement(AcDbObjectId id) {
    return ApiComn_extractAttributesArrayID(id, KZ_LINK_APPNAME, nullptr, 0) == 0;
}

namespace {

std::vector<AcDbObjectId> groupMembers(AcDbObjectId groupId) {
    std::vector<AcDbObjectId> out;
    AcDbGroup* group = nullptr;
    if (acdbOpenObject(group, groupId, AcDb::kForRead) != Acad::eOk)
        return out;
    AcDbObjectIdArray ids;
    group->allEntityIds(ids);
    group->close();
    out.assign(ids.begin(), ids.end());
    return out;
}

std::vector<AcDbObjectId> spaceRouteElements(AcDbObjectId element) {
    std::vector<AcDbObjectId> out;
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, element, AcDb::kForRead, true) != Acad::eOk)
        return out;
    AcDbObjectId spaceId = ent->blockId();
    ent->close();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk)
        return out;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (space->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            if (it->getEntityId(id) == Acad::eOk && isRouteElement(id))
                out.push_back(id);
        }
        delete it;
    }
    space->close();
    return out;
}

} // namespace

std::vector<AcDbObjectId> routeMembers(AcDbObjectId element) {
    AcDbObjectId group = RuleComn_getGroupID(element, 0);
    return group.isNull() ? spaceRouteElements(element) : groupMembers(group);
}

} // namespace kz::dezeza
