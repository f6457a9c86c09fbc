#include "dbents.h"

#include "db/stub.h"

AcDbObjectIterator::AcDbObjectIterator(std::vector<Entry> entries, bool ownerErased)
    : m_entries(std::move(entries)), m_ownerErased(ownerErased) {
    start();
}

bool AcDbObjectIterator::usable(std::size_t index) const {
    const Entry& e = m_entries[index];
    return e.id.isNull() || m_ownerErased || !e.id.isErased();
}

void AcDbObjectIterator::start(bool atEnd) {
    m_pos = atEnd ? static_cast<long>(m_entries.size()) - 1 : 0;
    long n = static_cast<long>(m_entries.size());
    while (m_pos >= 0 && m_pos < n && !usable(static_cast<std::size_t>(m_pos)))
        m_pos += atEnd ? -1 : 1;
}

bool AcDbObjectIterator::done() const {
    return m_pos < 0 || m_pos >= static_cast<long>(m_entries.size());
}

void AcDbObjectIterator::step(bool backwards, bool skipDeleted) {
    long n = static_cast<long>(m_entries.size());
    if (done())
        return;
    do {
        m_pos += backwards ? -1 : 1;
    } while (skipDeleted && m_pos >= 0 && m_pos < n && !usable(static_cast<std::size_t>(m_pos)));
}

AcDbObjectId AcDbObjectIterator::objectId() const {
    return done() ? AcDbObjectId() : m_entries[static_cast<std::size_t>(m_pos)].id;
}

AcDbEntity* AcDbObjectIterator::entity() {
    return done() ? nullptr : m_entries[static_cast<std::size_t>(m_pos)].entity;
}

void AcDbObjectIterator::setPosition(AcDbObjectId id) {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (!id.isNull() && m_entries[i].id == id)
            m_pos = static_cast<long>(i);
}

void AcDbObjectIterator::setPosition(AcDbEntity* entity) {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (entity && m_entries[i].entity == entity)
            m_pos = static_cast<long>(i);
}
