#include "create/placement_options.h"

#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "frame/module_state.h"
#include "res/resource.h"
#include "settings/dim_setting_dlg.h"

#include <cwchar>

int PickLineSegment(dragdata* data, AcGePoint3d* p1, AcGePoint3d* p2, const wchar_t* prompt) {
    CString defaultPrompt;
    if (!prompt) {
        defaultPrompt = LoadKzString(IDS_PICK_SEGMENT);
        prompt = defaultPrompt;
    }
    for (;;) {
        ads_name entity;
        ads_point pick;
        ads_matrix xform;
        resbuf* containers = nullptr;
        int rc = acedNEntSelP(prompt, entity, pick, false, xform, &containers);
        if (containers)
            acutRelRb(containers);
        if (rc == RTCAN || rc == RTKWORD)
            return rc;
        if (rc != RTNORM)
            continue;
        AcDbObjectId id;
        if (acdbGetObjectId(id, entity) != Acad::eOk)
            continue;
        AcDbEntity* picked = nullptr;
        if (acdbOpenAcDbEntity(picked, id, AcDb::kForRead) != Acad::eOk)
            continue;
        bool isLine = AcDbLine::cast(picked) != nullptr;
        bool isPolyline = AcDbPolyline::cast(picked) || AcDb2dVertex::cast(picked) ||
                          AcDb3dPolylineVertex::cast(picked);
        AcGePoint3d start, end;
        if (isLine) {
            start = AcDbLine::cast(picked)->startPoint();
            end = AcDbLine::cast(picked)->endPoint();
        }
        picked->close();
        if (isLine) {
            AcGeMatrix3d m;
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    m.entry[r][c] = xform[r][c];
            *p1 = start.transformBy(m);
            *p2 = end.transformBy(m);
            return RTNORM;
        }
        if (isPolyline && data->drag->GetPLinePoint(id, pick, *p1, *p2) == 0)
            return RTNORM;
    }
}

namespace {

// E or D typed at an option's prompt: E turns on an option that was given a point or
// line before (bit 0x80), D turns it off and keeps what was given.
void SwitchOption(Adesk::UInt8& flags) {
    wchar_t keyword[133] = {};
    if (acedGetInput(keyword) != RTNORM)
        return;
    if (_wcsicmp(keyword, L"E") == 0 && (flags & 0x80))
        flags |= 0x01;
    else if (_wcsicmp(keyword, L"D") == 0)
        flags &= 0x80;
}

// The line option of JO and KO: a picked segment, or E/D to switch the option.
int LineOption(dragdata* data, Adesk::UInt8& flags, AcGePoint3d& p1, AcGePoint3d& p2) {
    acedInitGet(7, L"E D");
    p1 = AcGePoint3d::kOrigin;
    p2 = AcGePoint3d::kOrigin;
    CString prompt = LoadKzString(IDS_PROMPT_LINE_OPTION);
    int rc = PickLineSegment(data, &p1, &p2, prompt);
    if (rc == RTKWORD)
        SwitchOption(flags);
    return rc;
}

// The point option of XO.
int PointOption(Adesk::UInt8& flags, AcGePoint3d& point) {
    ads_point pt = {0.0, 0.0, 0.0};
    acedInitGet(7, L"E D");
    CString prompt = LoadKzString(IDS_PROMPT_POINT_OPTION);
    int rc = acedGetPoint(nullptr, prompt, pt);
    if (rc == RTNORM) {
        point = asPnt3d(pt);
    } else if (rc == RTKWORD) {
        SwitchOption(flags);
    }
    return rc;
}

void SettingsOption(CDimData& job) {
    CKzResourceScope scope;
    CDimSetting dialog(job.settings, acedGetAcadDwgView());
    if (dialog.DoModal() == IDOK) {
        job.settings = dialog.Values();
        WriteStoredSettings(job.settings);
    }
}

} // namespace

int PlacementOptionCallback(dragdata* data) {
    auto* job = static_cast<CDimData*>(data->user);
    CDrag& drag = *data->drag;
    const CString& keyword = data->keyword;
    if (keyword == L"LO") {
        if (job->fixedAngle != 0.0) {
            job->fixedAngle = 0.0;
            BuildRouteDimensions(*job, drag);
        }
    } else if (keyword == L"PO") {
        AcGePoint3d p1, p2;
        if (PickLineSegment(data, &p1, &p2, nullptr) == RTNORM) {
            job->fixedAngle = static_cast<double>(RuleComn_getIntAngle(p1, p2));
            BuildRouteDimensions(*job, drag);
        }
    } else if (keyword == L"TO") {
        SettingsOption(*job);
    } else if (keyword == L"JO") {
        AcGePoint3d p1, p2;
        if (LineOption(data, job->joFlags, p1, p2) == RTNORM) {
            job->joFlags = 0x81;
            job->joPoint = p1;
        }
    } else if (keyword == L"XO") {
        AcGePoint3d point;
        if (PointOption(job->xoFlags, point) == RTNORM) {
            job->xoFlags = 0x81;
            job->xoPoint = point;
        }
    } else if (keyword == L"KO") {
        AcGePoint3d p1, p2;
        if (LineOption(data, job->koFlags, p1, p2) == RTNORM) {
            job->koFlags = 0x81;
            job->koPoint1 = p1;
            job->koPoint2 = p2;
        }
    } else if (keyword == L"2R") {
        job->directionSign = -job->directionSign;
        BuildRouteDimensions(*job, drag);
    }
    return 1;
}
