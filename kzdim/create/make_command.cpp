// KZ_DIM_MAKE: route elements, plain lines or free points are picked, turned into the
// segments of one dimension job, and the chain of dimensions is placed with the drag.
#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "create/placement.h"
#include "create/placement_options.h"
#include "frame/commands.h"
#include "frame/host_addin.h"
#include "frame/module_state.h"
#include "res/resource.h"

#include <cwchar>

namespace {

// Points given in point mode during the selection; emptied on every way out.
AcGePoint3dArray g_pickedPoints(0, 8);

// The selection keyword callback: "Point" (the global form of OP) asks for points
// until Enter, cancel or O.
resbuf* PointModeCallback(const wchar_t* keyword) {
    if (!keyword || std::wcscmp(keyword, L"Point") != 0)
        return nullptr;
    CString prompt = LoadKzString(IDS_PROMPT_POINT_OR_OBJECTS);
    for (;;) {
        ads_point pt = {0.0, 0.0, 0.0};
        acedInitGet(0, L"O");
        int rc = acedGetPoint(nullptr, prompt, pt);
        if (rc == RTCAN)
            return nullptr;
        if (rc == RTKWORD) {
            wchar_t input[133] = {};
            acedGetInput(input);
            if (_wcsicmp(input, L"O") == 0)
                return nullptr;
            continue;
        }
        if (rc == RTNORM) {
            g_pickedPoints.append(asPnt3d(pt));
            continue;
        }
        if (rc == RTNONE) {
            acDocManager->sendStringToExecute(acDocManager->curDocument(), L" ", true, false,
                                              false);
            return nullptr;
        }
        return nullptr;
    }
}

// Whether a straight element of link code 2 is a rectangular duct.
bool IsRectangularDuct(AcDbObjectId id, const CStringArray& fields) {
    if (fields.GetSize() < 2 || _wtoi(fields.GetAt(fields.GetSize() - 2)) == 0)
        return false;
    CAttributeData attributes;
    CString shape = attributes.GetValueAttID(id, L"S016");
    if (shape.IsEmpty())
        shape = attributes.GetValueAttID(id, L"S041");
    return shape.CompareNoCase(L"KAKU") == 0;
}

struct Picks {
    AcArray<int> codes = AcArray<int>(0, 8);
    AcArray<int> kinds = AcArray<int>(0, 8);
    AcDbObjectIdArray ids{0, 8};

    void Add(int code, int kind, AcDbObjectId id) {
        codes.append(code);
        kinds.append(kind);
        ids.append(id);
    }
    void RemoveAt(int i) {
        codes.removeAt(i);
        kinds.removeAt(i);
        ids.removeAt(i);
    }
    int Length() const { return codes.length(); }
};

// One selected entity: a route element with its link record, a plain line, or
// nothing usable.
void AddSelected(Picks& picks, AcDbObjectId id) {
    CStringArray link;
    if (ApiComn_extractAttributesArrayID(id, L"KZ_LINK", &link, 0) != 0) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            return;
        if (AcDbLine::cast(entity))
            picks.Add(-1, -1, id);
        entity->close();
        return;
    }
    if (link.GetSize() == 0)
        return;
    CStringArray fields;
    DeZeza_GetSplitString(link.GetAt(0), fields, nullptr, L"|");
    if (fields.GetSize() == 0)
        return;
    int code = _wtoi(fields.GetAt(0));
    int kind = GetRouteElementKind(id);
    if (code == 2 && kind == 1 && IsRectangularDuct(id, fields))
        kind = 100;
    picks.Add(code, kind, id);
}

void AddExtents(CDimData& job, AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbExtents extents;
    if (auto* ref = AcDbBlockReference::cast(entity)) {
        if (DeZeza_getBlockRefGeomExtents(ref, extents, AcGeMatrix3d::kIdentity, 0) == 0)
            job.extents.addExt(extents);
    } else if (entity->getGeomExtents(extents) == Acad::eOk) {
        job.extents.addExt(extents);
    }
    entity->close();
}

bool HasLinkRecordOrIsLine(AcDbObjectId id) {
    if (ApiComn_extractAttributesArrayID(id, L"KZ_LINK", nullptr, 0) == 0)
        return true;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool line = AcDbLine::cast(entity) != nullptr;
    entity->close();
    return line;
}

void FillSegment(DimSegment& seg, int code, int kind, AcDbObjectId id, int pointIndex) {
    seg.code = code;
    seg.kind = kind;
    seg.elementId = id;
    if (code == -2) {
        seg.points.append(g_pickedPoints[pointIndex]);
    } else if (code == -1) {
        AcDbLine* line = nullptr;
        if (acdbOpenObject(line, id, AcDb::kForRead) == Acad::eOk) {
            seg.points.append(line->startPoint());
            seg.points.append(line->endPoint());
            line->close();
        }
    } else if (kind == 1) {
        DeZeza_GetConnectPoint(id, seg.points, KZLENGTH_LAYER, nullptr);
    } else if (kind == 100) {
        DeZeza_GetConnectPoint(id, seg.points, KZCONECT_LAYER, nullptr);
        CAttributeData attributes;
        seg.width = ApiComn_atof(attributes.GetValueAttID(id, L"S121"));
    } else {
        seg.points.append(RuleComn_getInsertPos(id));
    }
}

void RunPlacement(CDimData& job) {
    job.drag = new CDrag(0);
    BuildRouteDimensions(job, *job.drag);
    const struct {
        const wchar_t* keyword;
        UINT label;
    } options[] = {{L"LO", IDS_OPT_LENGTH},
                   {L"PO", IDS_OPT_PARALLEL},
                   {L"JO", IDS_OPT_ALIGN},
                   {L"XO", IDS_OPT_XLINE_POSITION},
                   {L"KO", IDS_OPT_STACKED}};
    for (const auto& option : options)
        job.drag->AddOption(option.keyword, LoadKzString(option.label));
    job.drag->SetOptionFunc(PlacementOptionCallback);
    GetDragFont(job.dragFont);
    job.drag->DistEnabled(1, 15.0, 1, 50.0, 50.0, 1, &job.dragFont, 1);
    job.drag->SetUserPrompt(1);
    DeZeza_LoadString(KzModule().resourceModule, IDS_PROMPT_DIM_OPTIONS, job.promptText, 260);
    job.drag->Dynamic(job.promptText, PlacementEndCallback, nullptr, PlacementSampleCallback,
                      nullptr, &job, nullptr, true, 0.0, 1.0, 1.0, 1.0);
    delete job.drag;
    job.drag = nullptr;
}

} // namespace

void KzDimMakeCommand() {
    SetUpDimTextStyle();
    CString prompt = LoadKzString(IDS_PROMPT_OBJECTS_OR_POINTS);
    const wchar_t* prompts[2] = {prompt, L""};
    AcEdSSGetKwordCallback saved = nullptr;
    acedSSGetKwordCallbackPtr(&saved);
    acedSSSetKwordCallbackPtr(PointModeCallback);
    ads_name ss = {0, 0};
    int rc = acedSSGet(L"_:$:K", prompts, L"Op _ Point", nullptr, ss);
    acedSSSetKwordCallbackPtr(saved);

    int pointCount = g_pickedPoints.length();
    if (rc == RTCAN) {
        g_pickedPoints.setLogicalLength(0);
        return;
    }
    Picks picks;
    for (int i = 0; i < pointCount; ++i)
        picks.Add(-2, -1, AcDbObjectId());
    int selected = 0;
    if (rc == RTNORM && spedSSLength(ss, &selected) != RTNORM)
        selected = 0;
    if (selected == 0 && pointCount == 0) {
        if (rc == RTNORM)
            acedSSFree(ss);
        return;
    }

    CDimData job;
    job.directionSign = 1;
    job.sideMode = 2;
    LoadSettingsForMake(job.settings);
    for (int i = 0; i < selected; ++i) {
        ads_name name;
        AcDbObjectId id;
        if (acedSSName(ss, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk)
            continue;
        AddSelected(picks, id);
    }
    if (rc == RTNORM)
        acedSSFree(ss);

    // Elements connected to other picked ones are dropped, walking backwards so that
    // the indexes still to visit stay valid.
    for (int i = picks.Length() - 1; i >= 0; --i) {
        int kind = picks.kinds[i];
        if (kind == -1 || kind == 1 || kind == 100)
            continue;
        AcDbObjectIdArray candidates = picks.ids;
        AcDbObjectIdArray connected;
        AcDbObjectId self = picks.ids[i];
        RootComn_GetConnectBlock4(candidates, self, connected, 1, 0);
        if (connected.length() > 0)
            picks.RemoveAt(i);
    }
    int count = picks.Length();
    if (count == 0) {
        g_pickedPoints.setLogicalLength(0);
        return;
    }

    if (pointCount > 0) {
        auto* outline = new AcDbPolyline();
        for (int i = 0; i < pointCount; ++i)
            outline->addVertexAt(static_cast<unsigned>(i),
                                 AcGePoint2d(g_pickedPoints[i].x, g_pickedPoints[i].y), 0.0, -1.0,
                                 -1.0);
        outline->setElevation(0.0);
        AcDbExtents pointExtents;
        if (outline->getGeomExtents(pointExtents) == Acad::eOk)
            job.extents = pointExtents;
        delete outline;
    }
    for (int i = 0; i < count; ++i)
        if (!picks.ids[i].isNull() && HasLinkRecordOrIsLine(picks.ids[i]))
            AddExtents(job, picks.ids[i]);
    job.sideMode = 2;

    job.AllocateSegments(count);
    for (int i = 0; i < count; ++i)
        FillSegment(job.segments[i], picks.codes[i], picks.kinds[i], picks.ids[i], i);

    RunPlacement(job);
    if (pointCount > 0)
        g_pickedPoints.setLogicalLength(0);
}
