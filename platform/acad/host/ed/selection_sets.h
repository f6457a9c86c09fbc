// Selection sets of the command-line interface (named by ads_name), the pick-first
// set (objects selected before a command, shown with grips) and the previous set.
//
// The pick-first set is handed to the next command registered with
// ACRX_CMD_USEPICKSET (acedSSGet mode "I" returns it) and cleared when that command
// ends unless the command set a new one; any other command clears it when it starts.
#pragma once

#include "adsdef.h"
#include "dbid.h"

#include <cstddef>
#include <map>
#include <vector>

namespace kz::ed {

using EntityList = std::vector<AcDbObjectId>;

class SelectionSets {
public:
    static SelectionSets& get();
    void reset();

    // A new set holding the members; its name goes to out.
    void create(EntityList members, ads_name out);
    // The members of a live set, or null for a name that is no live set.
    EntityList* find(const ads_name ss);
    bool free(const ads_name ss);
    // Sets created and not freed.
    std::size_t liveCount() const { return m_sets.size(); }

    // Erased objects are left out of what these return.
    EntityList pickFirst() const;
    void setPickFirst(EntityList members);
    EntityList previous() const;
    void setPrevious(EntityList members);

    void commandStarting(bool usesPickSet);
    void commandEnded(bool usesPickSet);

private:
    std::map<Adesk::LongPtr, EntityList> m_sets;
    Adesk::LongPtr m_next = 1;
    EntityList m_pickFirst;
    EntityList m_previous;
    bool m_pickFirstSetInCommand = false;
};

// Whether the entity is there (not erased) and in the current space.
bool isSelectableEntity(AcDbObjectId id);

} // namespace kz::ed
