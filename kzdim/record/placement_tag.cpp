#include "record/link_record.h"

CString FormatPlacementTag(const AcGePoint3d& p1, const AcGePoint3d& p2, const CString& linkPart) {
    CString tag;
    tag.Format(L"%lf,%lf %lf,%lf", p1.x, p1.y, p2.x, p2.y);
    return tag + linkPart;
}

CString LinkPartOne(AcDbObjectId id) {
    CString part;
    part.Format(L"|%I64d", static_cast<__int64>(id.asOldId()));
    return part;
}

CString LinkPartTwo(AcDbObjectId id1, AcDbObjectId id2) {
    CString part;
    part.Format(L"|%I64d,%I64d", static_cast<__int64>(id1.asOldId()),
                static_cast<__int64>(id2.asOldId()));
    return part;
}

namespace {

// "x,y": both halves through ApiComn_atof, z = 0.
AcGePoint3d ReadXY(const CString& text) {
    int comma = text.Find(L',');
    if (comma < 0)
        return AcGePoint3d(ApiComn_atof(text), 0.0, 0.0);
    return AcGePoint3d(ApiComn_atof(text.Left(comma)), ApiComn_atof(text.Mid(comma + 1)), 0.0);
}

} // namespace

void ReadTagPoints(const CString& tag, AcGePoint3d& p1, AcGePoint3d& p2) {
    int bar = tag.Find(L'|');
    CString coords = bar < 0 ? tag : tag.Left(bar);
    int blank = coords.Find(L' ');
    if (blank < 0) {
        p1 = ReadXY(coords);
        p2 = AcGePoint3d::kOrigin;
        return;
    }
    p1 = ReadXY(coords.Left(blank));
    p2 = ReadXY(coords.Mid(blank + 1));
}
