// KZ_DIM_MOVE: changes the length of one straight route segment to a value typed for
// the route dimension that measures it. The re-layout itself is the host add-in's: the
// command chooses the element it is to move and queues its command and the
// displacement.
#include "edit/base_search.h"
#include "edit/mod_route_dlg.h"
#include "edit/type_tests.h"
#include "frame/commands.h"
#include "frame/host_addin.h"
#include "frame/module_state.h"
#include "record/link_record.h"
#include "res/resource.h"

#include <cmath>

namespace {

// The temporary end element of the last run; null until one is made.
AcDbObjectId g_temporaryEnd;

const wchar_t* const kNotEditable = L"この経路の編集は対象外です。";

bool IsRectangularDuct(AcDbObjectId element) {
    CStringArray link;
    if (ApiComn_extractAttributesArrayID(element, L"KZ_LINK", &link, 0) != 0 || link.GetSize() == 0)
        return false;
    CStringArray fields;
    DeZeza_GetSplitString(link.GetAt(0), fields, nullptr, L"|");
    if (fields.GetSize() == 0 || _wtoi(fields.GetAt(0)) != 2)
        return false;
    if (GetRouteElementKind(element) != 1)
        return false;
    if (fields.GetSize() < 2 || _wtoi(fields.GetAt(fields.GetSize() - 2)) == 0)
        return false;
    CAttributeData attributes;
    CString shape = attributes.GetValueAttID(element, L"S016");
    if (shape.IsEmpty())
        shape = attributes.GetValueAttID(element, L"S041");
    return shape.CompareNoCase(L"KAKU") == 0;
}

int PickRouteDimension(AcDbObjectId& element, AcDbObjectId& dimension) {
    CString prompt = LoadKzString(IDS_PROMPT_SELECT_ROUTE_DIM);
    const wchar_t* prompts[2] = {prompt, L""};
    static wchar_t dimensionType[] = L"DIMENSION";
    static wchar_t linkApp[] = L"KZ_DIMENSION";
    resbuf filter[3];
    filter[0].restype = 0;
    filter[0].resval.rstring = dimensionType;
    filter[0].rbnext = &filter[1];
    filter[1].restype = -3;
    filter[1].rbnext = &filter[2];
    filter[2].restype = 1001;
    filter[2].resval.rstring = linkApp;
    filter[2].rbnext = nullptr;

    const wchar_t* mode = L"I";
    for (;;) {
        ads_name ss;
        int rc = acedSSGet(mode, prompts, nullptr, filter, ss);
        bool firstAttempt = mode[0] == L'I';
        mode = L"_:$:S";
        if (rc == RTCAN)
            return RTCAN;
        if (rc != RTNORM && !firstAttempt)
            continue;
        int length = 0;
        if (rc != RTNORM || spedSSLength(ss, &length) != RTNORM || length < 1) {
            if (rc == RTNORM)
                acedSSFree(ss);
            continue;
        }
        ads_name name;
        acedSSName(ss, 0, name);
        acedSSFree(ss);
        AcDbObjectId dimId;
        if (acdbGetObjectId(dimId, name) != Acad::eOk)
            continue;
        CStringArray list;
        if (ApiComn_extractAttributesArrayID(dimId, L"KZ_DIMENSION", &list, 0) != 0 ||
            list.GetSize() == 0)
            continue;
        AcDbObjectId e = HandleTextToId(list.GetAt(0));
        if (e.isNull())
            continue;
        if (list.GetSize() >= 2 && !IsRectangularDuct(e)) {
            acutPrintf(L"%s", static_cast<const wchar_t*>(LoadKzString(IDS_ERR_SEVERAL_OBJECTS)));
            continue;
        }
        if (GetRouteElementKind(e) == 1) {
            element = e;
            dimension = dimId;
            return RTNORM;
        }
    }
}

double ReducedDegrees(double radians) {
    double d = radians * 180.0 / M_PI;
    return d >= 360.0 ? d - 360.0 : d;
}

// The arrowhead at the middle of the segment, pointing along it, drawn straight onto
// the view; the next repaint removes it.
void DrawArrowhead(const AcGePoint3d& c0, const AcGePoint3d& c1, double a) {
    POINT cursor;
    GetCursorPos(&cursor);
    int viewport = acedGetWinNum(cursor.x, cursor.y);
    CView* view = acedGetAcadDwgView();
    if (!view)
        return;
    // With the cursor outside every viewport there is no place to draw the mark in.
    AcGePoint3d mid((c0.x + c1.x) / 2, (c0.y + c1.y) / 2, (c0.z + c1.z) / 2);
    POINT m = {0, 0};
    if (!acedCoordFromWorldToPixel(viewport, asDblArray(mid), m))
        return;
    HWND window = view->GetSafeHwnd();
    HDC dc = GetDC(window);
    double alpha = a * M_PI / 180.0;
    POINT tip = {static_cast<LONG>(m.x + 16 * std::cos(alpha)),
                 static_cast<LONG>(m.y - 16 * std::sin(alpha))};
    auto corner = [&](double degrees) {
        if (degrees >= 360.0)
            degrees -= 360.0;
        double b = degrees * M_PI / 180.0;
        return POINT{static_cast<LONG>(tip.x + 32 * std::cos(b)),
                     static_cast<LONG>(tip.y + 32 * std::sin(b))};
    };
    POINT triangle[3] = {corner(360.0 - (a + 180.0 + 15.0)), tip,
                         corner(360.0 - (a + 180.0 - 15.0))};
    HBRUSH brush = CreateSolidBrush(RGB(20, 20, 20));
    HGDIOBJ previous = SelectObject(dc, brush);
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, triangle, 3);
    SelectObject(dc, previous);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

bool CheckAndMark(AcDbObjectId element, double rotation) {
    AcGePoint3dArray connect;
    DeZeza_GetConnectPoint(element, connect, KZCONECT_LAYER, nullptr);
    CAttributeData attributes;
    bool ok = ApiComn_atof(attributes.GetValueAttID(element, L"S402")) == 0.0;
    double a = 0.0;
    if (ok && connect.length() >= 2) {
        a = ReducedDegrees(acutAngle(asDblArray(connect[0]), asDblArray(connect[1])));
        double d = ReducedDegrees(rotation);
        bool oblique = std::fmod(a + 0.01 + 90.0, 90.0) > 0.5;
        if (oblique && std::fabs(d - a) > 0.1)
            ok = false;
    } else if (connect.length() < 2) {
        ok = false;
    }
    if (!ok) {
        AfxMessageBox(kNotEditable, MB_ICONHAND);
        return false;
    }
    DrawArrowhead(connect[0], connect[1], a);
    return true;
}

void CleanUpTemporaryEnd(dragdata*) {
    if (!g_temporaryEnd.isNull()) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, g_temporaryEnd, AcDb::kForWrite) == Acad::eOk) {
            object->disableUndoRecording(true);
            object->close();
        }
        RuleComn_eraseAll(g_temporaryEnd);
    }
    CDrag::notifyFunc(nullptr, nullptr, nullptr, nullptr);
}

void CreateTemporaryEnd(const AcGePoint3d& at, AcDbObjectId group) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk)
        return;
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"*U");
    block->setOrigin(AcGePoint3d::kOrigin);
    auto* point = new AcDbPoint(AcGePoint3d::kOrigin);
    point->setLayer(KZCONECT_LAYER, true, false);
    AcDbObjectId blockId;
    if (table->add(blockId, block) != Acad::eOk) {
        delete point;
        delete block;
        table->close();
        return;
    }
    block->appendAcDbEntity(point);
    point->close();
    block->close();
    table->close();

    CStringArray element;
    element.Add(L"KK");
    ApiComn_appendAttributesArray(blockId, L"KZ_ELEMENT", &element, true);
    auto* reference = new AcDbBlockReference();
    reference->setBlockTableRecord(blockId);
    reference->setPosition(at);
    ApiComn_AddEntity(reference, &g_temporaryEnd);
    CStringArray link;
    link.Add(L"0|||01||1|");
    ApiComn_appendAttributesArray(g_temporaryEnd, L"KZ_LINK", &link, true);
    RootComn_AddGroupMember(group, g_temporaryEnd, L"");
    CDrag::notifyFunc(nullptr, CleanUpTemporaryEnd, nullptr, nullptr);
}

} // namespace

void KzDimMoveCommand() {
    AcDbObjectId e, dimId;
    if (PickRouteDimension(e, dimId) == RTCAN)
        return;
    AcGePoint3dArray lengthPoints, connectPoints;
    DeZeza_GetConnectPoint(e, lengthPoints, KZLENGTH_LAYER, nullptr);
    DeZeza_GetConnectPoint(e, connectPoints, KZCONECT_LAYER, nullptr);
    CAttributeData attributes;
    if (attributes.GetValueAttID(e, L"S016") == L"KAKU")
        lengthPoints = connectPoints;
    if (lengthPoints.length() < 2 || connectPoints.length() < 2)
        return;
    AcGePoint3d l0 = lengthPoints[0], l1 = lengthPoints[1];
    AcGePoint3d c0 = connectPoints[0], c1 = connectPoints[1];
    double lambda = l0.distanceTo(l1);

    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, dimId, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbRotatedDimension* dim = AsRotatedDimension(entity);
    if (!dim) {
        entity->close();
        return;
    }
    double m = 0.0;
    dim->measurement(m);
    double rotation = dim->rotation();
    entity->close();
    double start = static_cast<double>(static_cast<long long>(m + 0.5));
    if (std::fabs(m - lambda) > 0.2) {
        AfxMessageBox(L"寸法値と経路の長さ一致しません。", MB_ICONHAND);
        return;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    if (!CheckAndMark(e, rotation))
        return;

    acDocManager->pushResourceHandle(KzModule().resourceModule);
    {
        CModRoute popup(cursor, start, acedGetAcadDwgView());
        if (popup.DoModal() != IDOK) {
            if (CView* view = acedGetAcadDwgView()) {
                InvalidateRect(view->GetSafeHwnd(), nullptr, FALSE);
                UpdateWindow(view->GetSafeHwnd());
            }
        } else {
            double v = popup.value;
            double a = acutAngle(asDblArray(l0), asDblArray(l1));
            if (popup.sideFlag == 0) {
                std::swap(l0, l1);
                std::swap(c0, c1);
                a = acutAngle(asDblArray(l0), asDblArray(l1));
            }
            double delta = v - lambda;
            int routeKind = 0;
            RootComn_GetBlockRootKind(e, &routeKind);
            AcDbObjectId group = RuleComn_getGroupID(e, routeKind);
            g_temporaryEnd = AcDbObjectId();
            AcDbObjectIdArray neighbours;
            RuleComn_getGroupRootIDs(c1, e, neighbours, 0, routeKind);
            AcDbObjectId base;
            bool absolute = false;
            bool refused = false;
            if (neighbours.isEmpty()) {
                CreateTemporaryEnd(c1, group);
                base = g_temporaryEnd;
            } else if (GetRouteElementKind(neighbours[0]) == 0) {
                AcDbObjectIdArray joined;
                RuleComn_getGroupRootIDs(neighbours[0], joined, 0, 0);
                joined.remove(e);
                if (!joined.isEmpty()) {
                    AfxMessageBox(kNotEditable, MB_ICONHAND);
                    refused = true;
                } else {
                    base = neighbours[0];
                }
            } else {
                AcDbObjectId candidate = neighbours[0];
                AcDbObjectId straight;
                if (FindBaseCandidate(candidate, e, group, routeKind, straight)) {
                    AcGePoint3dArray q;
                    DeZeza_GetConnectPoint(straight, q, KZLENGTH_LAYER, nullptr);
                    if (q.length() >= 2 && !RuleComn_isDirection(l0, l1, q[0], q[1], true))
                        candidate = straight;
                }
                absolute = GetRouteElementKind(candidate) != 1;
                base = candidate;
            }
            auto autoComm = FindAddinService<KZAddinAutoCommParamFn>(L"KZAddinAutoCommParam");
            if (!refused && !base.isNull() && autoComm) {
                AcGePoint3d p = RuleComn_getInsertPos(base);
                AcGePoint3d copy = p;
                autoComm(1, base, &copy);
                ApiComn_sendCommand(L"KZ_REJOB1", 0, 0, 1);
                double dx = delta * std::cos(a);
                double dy = delta * std::sin(a);
                CString text;
                if (absolute)
                    text.Format(L"%lf,%lf", p.x + dx, p.y + dy);
                else
                    text.Format(L"@%lf,%lf", dx, dy);
                ApiComn_sendCommand(text, 0, 1, 0);
            }
        }
    }
    acDocManager->popResourceHandle();
}
