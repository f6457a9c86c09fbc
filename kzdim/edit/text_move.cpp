// KZ_DIM_EDITTEXT: moves the texts of the selected rotated dimensions by one
// displacement, at right angles to their own direction (lock) or freely (free), and
// leaves each text where it was shown.
#include "create/dim_data.h"
#include "create/line_geometry.h"
#include "edit/type_tests.h"
#include "frame/commands.h"
#include "frame/host_addin.h"
#include "frame/module_state.h"
#include "res/resource.h"

#include <cmath>

namespace {

// The one-element filter of the editing commands: dimensions only.
resbuf* DimensionFilter(resbuf& filter) {
    static wchar_t type[] = L"DIMENSION";
    filter.rbnext = nullptr;
    filter.restype = 0;
    filter.resval.rstring = type;
    return &filter;
}

// The first MText of the dimension's block; null when it has none.
AcDbObjectId FirstMTextOfDimension(AcDbObjectId dimId) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, dimId, AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbRotatedDimension* dim = AsRotatedDimension(entity);
    AcDbObjectId blockId = dim ? dim->dimBlockId() : AcDbObjectId();
    entity->close();
    if (blockId.isNull())
        return {};
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbBlockTableRecordIterator* it = nullptr;
    Acad::ErrorStatus es = block->newIterator(it);
    block->close();
    if (es != Acad::eOk)
        return {};
    AcDbObjectId text;
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* member = nullptr;
        if (it->getEntity(member, AcDb::kForRead) != Acad::eOk)
            continue;
        bool isText = AsMText(member) != nullptr;
        AcDbObjectId id = member->objectId();
        member->close();
        if (isText) {
            text = id;
            break;
        }
    }
    delete it;
    return text;
}

// "%f,%lf %I64d": the text's starting location and the dimension's number.
bool ReadEntryTag(const CString& tag, double& x, double& y) {
    int blank = tag.Find(L' ');
    if (blank < 0)
        return false;
    int comma = tag.Find(L',');
    if (comma < 0 || comma > blank)
        return false;
    x = ApiComn_atof(tag.Left(comma));
    y = ApiComn_atof(tag.Mid(comma + 1, blank - comma - 1));
    return true;
}

int TextMoveSample(dragdata* data) {
    auto* job = static_cast<CDimData*>(data->user);
    CDrag& drag = *data->drag;
    bool haveDisplacement = false;
    AcGeVector3d displacement;
    for (int i = 0; i < drag.Length(); ++i) {
        int enabled = 0;
        CString tag;
        AcDbEntity* entity = drag.At(i, &enabled, &tag);
        AcDbMText* text = AsMText(entity);
        double x = 0.0, y = 0.0;
        if (!entity || !enabled || !text || !ReadEntryTag(tag, x, y))
            continue;
        AcGePoint3d base(x, y, 0.0);
        if (!haveDisplacement) {
            AcGePoint3d c = data->point;
            if (job->textMoveMode == 0) {
                double r = text->rotation();
                double p = ApiComn_ConvToAngle(r) + 90.0;
                if (p >= 180.0)
                    p -= 180.0;
                p = ApiComn_ConvToRadian(p);
                AcGePoint3d across(base.x + 100.0 * std::cos(p), base.y + 100.0 * std::sin(p), 0.0);
                AcGePoint3d along(c.x + 100.0 * std::cos(r), c.y + 100.0 * std::sin(r), c.z);
                AcGePoint3d hit;
                if (IntersectLines(base, across, c, along, hit))
                    c = hit;
            }
            displacement = c - base;
            haveDisplacement = true;
        }
        text->setLocation(AcGePoint3d(x + displacement.x, y + displacement.y, 0.0));
    }
    return 1;
}

int TextMoveEnd(dragdata* data) {
    CDrag& drag = *data->drag;
    for (int i = 0; i < drag.Length(); ++i) {
        int enabled = 0;
        CString tag;
        AcDbEntity* entity = drag.At(i, &enabled, &tag);
        AcDbMText* text = AsMText(entity);
        if (!entity || !enabled || !text)
            continue;
        int blank = tag.Find(L' ');
        if (blank < 0)
            continue;
        AcDbObjectId dimId;
        dimId.setFromOldId(_wtoi64(tag.Mid(blank + 1)));
        if (dimId.isNull())
            continue;
        AcDbEntity* dimEntity = nullptr;
        if (acdbOpenAcDbEntity(dimEntity, dimId, AcDb::kForWrite) != Acad::eOk)
            continue;
        if (AcDbDimension* dim = AsDimension(dimEntity)) {
            dim->setDimtmove(2);
            dim->setTextPosition(text->location());
        }
        dimEntity->close();
    }
    return 0;
}

int TextMoveOption(dragdata* data) {
    auto* job = static_cast<CDimData*>(data->user);
    if (data->keyword == L"FO")
        job->textMoveMode = 1;
    else if (data->keyword == L"LO")
        job->textMoveMode = 0;
    return 1;
}

} // namespace

void KzDimEditTextCommand() {
    resbuf filter;
    ads_name ss = {0, 0};
    if (acedSSGet(nullptr, nullptr, nullptr, DimensionFilter(filter), ss) == RTCAN)
        return;
    int length = 0;
    if (spedSSLength(ss, &length) != RTNORM || length < 1) {
        acedSSFree(ss);
        return;
    }
    AcDbObjectIdArray dims, texts;
    for (int i = 0; i < length; ++i) {
        ads_name name;
        AcDbObjectId id;
        if (acedSSName(ss, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk)
            continue;
        AcDbObjectId text = FirstMTextOfDimension(id);
        if (text.isNull())
            continue;
        dims.append(id);
        texts.append(text);
    }
    acedSSFree(ss);
    if (dims.isEmpty())
        return;

    CDimData job;
    job.drag = new CDrag(0);
    job.textMoveMode = 0;
    job.AllocateTextPairs(dims.length());
    for (int i = 0; i < dims.length(); ++i) {
        job.textPairs[i] = {texts[i], dims[i]};
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, texts[i], AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbMText* text = AsMText(entity);
        if (!text) {
            entity->close();
            continue;
        }
        AcGePoint3d location = text->location();
        auto* clone = AcDbEntity::cast(text->clone());
        entity->close();
        if (!clone)
            continue;
        CString tag;
        tag.Format(L"%f,%lf %I64d", location.x, location.y,
                   static_cast<__int64>(dims[i].asOldId()));
        job.drag->Append(clone, tag, -1);
    }
    job.drag->AddOption(L"FO", LoadKzString(IDS_OPT_FREE));
    job.drag->AddOption(L"LO", LoadKzString(IDS_OPT_LOCK));
    job.drag->SetOptionFunc(TextMoveOption);
    GetDragFont(job.dragFont);
    job.drag->DistEnabled(1, 15.0, 1, 50.0, 50.0, 1, &job.dragFont, 1);
    job.drag->SetUserPrompt(1);
    DeZeza_LoadString(KzModule().resourceModule, IDS_PROMPT_TEXT_MOVE_OPTIONS, job.promptText, 260);
    job.drag->Dynamic(job.promptText, TextMoveEnd, nullptr, TextMoveSample, nullptr, &job, nullptr,
                      true, 0.0, 1.0, 1.0, 1.0);
    delete job.drag;
    job.drag = nullptr;
}
