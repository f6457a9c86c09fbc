#include "dbmain.h"

#include "db/stub.h"

#include <vector>

const AcDbObjectId AcDbObjectId::kNull;

namespace kz {
namespace {
std::vector<AcDbStub*>& stubTable() {
    static std::vector<AcDbStub*> table;
    return table;
}
} // namespace

Adesk::IntDbId registerStub(AcDbStub* stub) {
    auto& t = stubTable();
    t.push_back(stub);
    return static_cast<Adesk::IntDbId>(t.size());
}

void unregisterStub(Adesk::IntDbId oldId) {
    auto& t = stubTable();
    if (oldId >= 1 && static_cast<std::size_t>(oldId) <= t.size())
        t[static_cast<std::size_t>(oldId - 1)] = nullptr;
}

AcDbStub* stubForOldId(Adesk::IntDbId oldId) {
    auto& t = stubTable();
    if (oldId < 1 || static_cast<std::size_t>(oldId) > t.size())
        return nullptr;
    return t[static_cast<std::size_t>(oldId - 1)];
}

} // namespace kz

bool AcDbObjectId::isValid() const { return m_stub != nullptr && m_stub->db != nullptr; }

bool AcDbObjectId::isErased() const { return m_stub != nullptr && m_stub->erased; }

AcDbDatabase* AcDbObjectId::database() const { return m_stub ? m_stub->db : nullptr; }

AcDbHandle AcDbObjectId::handle() const { return m_stub ? m_stub->handle : AcDbHandle(); }

Adesk::IntDbId AcDbObjectId::asOldId() const { return m_stub ? m_stub->oldId : 0; }

AcDbObjectId& AcDbObjectId::setFromOldId(Adesk::IntDbId oldId) {
    m_stub = kz::stubForOldId(oldId);
    return *this;
}
