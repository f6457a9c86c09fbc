#include "record/link_record.h"

namespace {

// Adds the dimension to an element's list, dropping dead entries first.
void AddDimensionToElement(AcDbObjectId element, AcDbObjectId dimId) {
    CStringArray list;
    if (ReadLinkList(element, list) != 0)
        list.RemoveAll();
    PruneLinkList(list);
    list.Add(GetHandleString(dimId));
    WriteLinkList(element, list);
}

AcDbObjectId IdFromNumber(const CString& text) {
    AcDbObjectId id;
    id.setFromOldId(_wtoi64(text));
    return id;
}

} // namespace

void LinkCommittedDimension(AcDbObjectId dimId, const CString& tag) {
    int bar = tag.Find(L'|');
    if (bar < 0)
        return;
    CString link = tag.Mid(bar + 1);
    if (link.IsEmpty())
        return;
    CStringArray dimList;
    int comma = link.Find(L',');
    if (comma >= 0) {
        __int64 n1 = _wtoi64(link.Left(comma));
        __int64 n2 = _wtoi64(link.Mid(comma + 1));
        if (n1 != 0) {
            AcDbObjectId id1 = IdFromNumber(link.Left(comma));
            dimList.Add(GetHandleString(id1));
            AddDimensionToElement(id1, dimId);
        }
        if (n2 != 0) {
            AcDbObjectId id2 = IdFromNumber(link.Mid(comma + 1));
            dimList.Add(GetHandleString(id2));
            AddDimensionToElement(id2, dimId);
        }
        if (dimList.GetSize() > 0)
            WriteLinkList(dimId, dimList);
        return;
    }
    if (_wtoi64(link) == 0)
        return;
    AcDbObjectId id = IdFromNumber(link);
    dimList.Add(GetHandleString(id));
    WriteLinkList(dimId, dimList);
    AddDimensionToElement(id, dimId);
}
