// Groups: named, ordered sets of entities. A group lives in the drawing's group
// dictionary under its name; each member points back to it with a persistent reactor.
#pragma once

#include "dbmain.h"

#include <string>
#include <vector>

class AcDbGroup : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbGroup);
    AcDbGroup() = default;
    explicit AcDbGroup(const ACHAR* description, bool selectable = true);

    const ACHAR* description() const { return m_description.c_str(); }
    Acad::ErrorStatus setDescription(const ACHAR* description);
    bool isSelectable() const { return m_selectable; }
    Acad::ErrorStatus setSelectable(bool selectable);
    bool isAnonymous() const { return m_anonymous; }
    // The name under which the group dictionary holds it, newly allocated (free with
    // acutDelString); an empty text for a group in no dictionary.
    Acad::ErrorStatus getName(ACHAR*& name) const;

    Acad::ErrorStatus append(AcDbObjectId id);
    Acad::ErrorStatus append(const AcDbObjectIdArray& ids);
    Acad::ErrorStatus prepend(AcDbObjectId id);
    Acad::ErrorStatus insertAt(Adesk::UInt32 index, AcDbObjectId id);
    Acad::ErrorStatus remove(AcDbObjectId id);
    Acad::ErrorStatus removeAt(Adesk::UInt32 index);
    Acad::ErrorStatus replace(AcDbObjectId oldId, AcDbObjectId newId);
    Acad::ErrorStatus clear();
    // Members that are not erased.
    Adesk::UInt32 numEntities() const;
    bool has(const AcDbEntity* entity) const;
    bool has(AcDbObjectId id) const;
    Adesk::UInt32 allEntityIds(AcDbObjectIdArray& ids) const;
    Acad::ErrorStatus getIndex(AcDbObjectId id, Adesk::UInt32& index) const;

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    const std::vector<AcDbObjectId>& kzMembers() const { return m_members; }

private:
    // Adds or drops this group's reactor on a resident member.
    void linkMember(AcDbObjectId id, bool add) const;

    std::wstring m_description;
    std::vector<AcDbObjectId> m_members;
    bool m_selectable = true;
    bool m_anonymous = false;
};
