// The sub-entities an entity owns and that DXF files write after it: a polyline's
// vertices, a block reference's attributes, closed by a SEQEND. An owner in a database
// keeps their ids (the objects live in the database, owned by it); a new owner keeps
// the entities themselves until it is added to a database, when they are added too.
#pragma once

#include "dbents.h"

#include <memory>
#include <vector>

namespace kz {

class SubentityList {
public:
    SubentityList() = default;
    // A copy holds copies of the other list's entities, not yet in any database.
    SubentityList(const SubentityList& other);
    SubentityList& operator=(const SubentityList&) = delete;

    // Takes the entity. An owner in a database adds it there (owned by the owner, open
    // for write; id set); a new owner keeps it (id null).
    Acad::ErrorStatus append(AcDbEntity* owner, AcDbEntity* sub, AcDbObjectId& id);
    // Adds the kept entities to the owner's database, now that it is in one.
    void moveIntoDatabase(AcDbEntity* owner);
    // The live sub-entities in order, each with its id (null while kept).
    std::vector<AcDbObjectIterator::Entry> entries(bool includeErased = false) const;
    // The iterator of an erased owner walks the sub-entities that were erased with it.
    AcDbObjectIterator* newIterator(bool ownerErased = false) const {
        return new AcDbObjectIterator(entries(ownerErased), ownerErased);
    }
    bool contains(AcDbObjectId id) const;
    // Erases or unerases the resident sub-entities and the SEQEND with their owner.
    void setErased(bool erased);
    // Transforms every sub-entity; a resident one is opened for write for it (one that
    // is open elsewhere stays where it is).
    void transformBy(const AcGeMatrix3d& xform);

    std::vector<AcDbObjectId> ids;
    AcDbObjectId sequenceEnd;

private:
    void addResident(AcDbEntity* owner, AcDbEntity* sub, AcDbObjectId& id);
    void ensureSequenceEnd(AcDbEntity* owner);
    std::vector<std::unique_ptr<AcDbEntity>> m_kept;
};

} // namespace kz
