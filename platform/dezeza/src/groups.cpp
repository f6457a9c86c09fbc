// Route groups (GROUP objects holding the elements of one route) and erasing elements.
#include "DeZeza.h"

#include "dbdict.h"
#include "dbgroup.h"

AcDbObjectId RuleComn_getGroupID(AcDbObjectId element, int routeKind) {
    AcDbDatabase* db = element.database();
    AcDbDictionary* dict = nullptr;
    if (element.isNull() || !db || db->getGroupDictionary(dict, AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbObjectId result;
    AcDbDictionaryIterator* it = dict->newIterator();
    for (; it && !it->done() && result.isNull(); it->next()) {
        AcDbGroup* group = nullptr;
        if (acdbOpenObject(group, it->objectId(), AcDb::kForRead) != Acad::eOk)
            continue;
        if (group->has(element))
            result = it->objectId();
        group->close();
    }
    delete it;
    dict->close();
    return result;
}

int RootComn_AddGroupMember(AcDbObjectId groupId, AcDbObjectId element, const wchar_t* name) {
    if (element.isNull())
        return Acad::eNullObjectId;
    AcDbGroup* group = nullptr;
    Acad::ErrorStatus es = Acad::eOk;
    if (!groupId.isNull()) {
        es = acdbOpenObject(group, groupId, AcDb::kForWrite);
    } else {
        if (!name || !*name)
            return Acad::eInvalidInput;
        AcDbDatabase* db = element.database();
        AcDbDictionary* dict = nullptr;
        if (!db)
            return Acad::eNoDatabase;
        es = db->getGroupDictionary(dict, AcDb::kForWrite);
        if (es != Acad::eOk)
            return es;
        AcDbObject* existing = nullptr;
        if (dict->getAt(name, existing, AcDb::kForWrite) == Acad::eOk) {
            group = AcDbGroup::cast(existing);
            if (!group) {
                existing->close();
                es = Acad::eNotThatKindOfClass;
            }
        } else {
            group = new AcDbGroup(L"");
            AcDbObjectId newId;
            es = dict->setAt(name, group, newId);
            if (es != Acad::eOk) {
                delete group;
                group = nullptr;
            }
        }
        dict->close();
    }
    if (es != Acad::eOk)
        return es;
    if (!group->has(element))
        es = group->append(element);
    group->close();
    return es;
}

int RuleComn_eraseAll(AcDbObjectId element) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, element, AcDb::kForWrite) != Acad::eOk)
        return 0;
    Acad::ErrorStatus es = obj->erase();
    obj->close();
    if (es != Acad::eOk)
        return 0;
    RuleComn_notifyErased(element);
    return 1;
}

int RuleComn_eraseAll(const AcDbObjectIdArray& elements) {
    int erased = 0;
    for (const AcDbObjectId& id : elements)
        erased += RuleComn_eraseAll(id);
    return erased;
}
