#include "ed/selection_sets.h"

#include "dbmain.h"

namespace kz::ed {

namespace {

// The second half of a selection-set name; entity names carry 0 there.
constexpr Adesk::LongPtr kSetMarker = 0x53534554; // "SSET"

EntityList live(const EntityList& list) {
    EntityList out;
    for (AcDbObjectId id : list) {
        if (isSelectableEntity(id))
            out.push_back(id);
    }
    return out;
}

} // namespace

bool isSelectableEntity(AcDbObjectId id) {
    if (id.isNull() || !id.isValid() || id.isErased())
        return false;
    AcDbDatabase* db = id.database();
    AcDbEntity* ent = nullptr;
    if (db == nullptr || acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool inSpace = ent->ownerId() == db->currentSpaceId();
    ent->close();
    return inSpace;
}

SelectionSets& SelectionSets::get() {
    static SelectionSets sets;
    return sets;
}

void SelectionSets::reset() {
    *this = SelectionSets();
}

void SelectionSets::create(EntityList members, ads_name out) {
    Adesk::LongPtr number = m_next++;
    m_sets[number] = std::move(members);
    out[0] = number;
    out[1] = kSetMarker;
}

EntityList* SelectionSets::find(const ads_name ss) {
    if (ss == nullptr || ss[1] != kSetMarker)
        return nullptr;
    auto it = m_sets.find(ss[0]);
    return it == m_sets.end() ? nullptr : &it->second;
}

bool SelectionSets::free(const ads_name ss) {
    if (find(ss) == nullptr)
        return false;
    m_sets.erase(ss[0]);
    return true;
}

EntityList SelectionSets::pickFirst() const {
    return live(m_pickFirst);
}

void SelectionSets::setPickFirst(EntityList members) {
    m_pickFirst = std::move(members);
    m_pickFirstSetInCommand = true;
}

EntityList SelectionSets::previous() const {
    return live(m_previous);
}

void SelectionSets::setPrevious(EntityList members) {
    m_previous = std::move(members);
}

void SelectionSets::commandStarting(bool usesPickSet) {
    if (!usesPickSet)
        m_pickFirst.clear();
    m_pickFirstSetInCommand = false;
}

void SelectionSets::commandEnded(bool usesPickSet) {
    if (usesPickSet && !m_pickFirstSetInCommand)
        m_pickFirst.clear();
}

} // namespace kz::ed
