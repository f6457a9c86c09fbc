// The link lists that tie route dimensions and route elements together, kept under
// the extended-data application KZ_DIMENSION on both sides, and the placement tag that
// a candidate dimension carries until it is committed.
#pragma once

#include "frame/platform.h"

constexpr const wchar_t* kLinkApp = L"KZ_DIMENSION";

// The handle of an entity in hexadecimal text; empty when it cannot be opened.
CString GetHandleString(AcDbObjectId id);
// Removes every entry whose handle names no entity that can be opened.
void PruneLinkList(CStringArray& list);
// The object a handle text names in the working database; null when none.
AcDbObjectId HandleTextToId(const CString& text);

// Reads an owner's link list: 0 and the list filled when it has one.
int ReadLinkList(AcDbObjectId owner, CStringArray& list);
// Replaces an owner's link list.
void WriteLinkList(AcDbObjectId owner, CStringArray& list);

// Placement tag: "%lf,%lf %lf,%lf" with the two route points, then "|%I64d" or
// "|%I64d,%I64d" with the elements they belong to.
CString FormatPlacementTag(const AcGePoint3d& p1, const AcGePoint3d& p2, const CString& linkPart);
CString LinkPartOne(AcDbObjectId id);
CString LinkPartTwo(AcDbObjectId id1, AcDbObjectId id2);
// The two route points of a tag (z = 0).
void ReadTagPoints(const CString& tag, AcGePoint3d& p1, AcGePoint3d& p2);

// Writes the link lists of a just-committed dimension and of its elements from the
// candidate's tag.
void LinkCommittedDimension(AcDbObjectId dimId, const CString& tag);
