#include "record/link_record.h"

CString GetHandleString(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return CString();
    AcDbHandle handle;
    entity->getAcDbHandle(handle);
    wchar_t buffer[20] = {};
    handle.getIntoAsciiBuffer(buffer, 20);
    entity->close();
    return CString(buffer);
}

AcDbObjectId HandleTextToId(const CString& text) {
    AcDbObjectId id;
    AcDbHandle handle(static_cast<const wchar_t*>(text));
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db)
        db->getAcDbObjectId(id, false, handle, 0);
    return id;
}

void PruneLinkList(CStringArray& list) {
    for (INT_PTR i = list.GetSize() - 1; i >= 0; --i) {
        AcDbObjectId id = HandleTextToId(list.GetAt(i));
        bool alive = false;
        if (!id.isNull()) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
                entity->close();
                alive = true;
            }
        }
        if (!alive)
            list.RemoveAt(i);
    }
}

int ReadLinkList(AcDbObjectId owner, CStringArray& list) {
    return ApiComn_extractAttributesArrayID(owner, kLinkApp, &list, 0);
}

void WriteLinkList(AcDbObjectId owner, CStringArray& list) {
    ApiComn_appendAttributesArray(owner, kLinkApp, &list, true);
}
