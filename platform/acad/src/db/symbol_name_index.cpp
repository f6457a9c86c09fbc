#include "db/symbol_name_index.h"

#include "db/database_impl.h"
#include "dbsymtb.h"

#include <algorithm>
#include <atomic>
#include <cwchar>

namespace kz {

namespace {
std::atomic<std::uint64_t> g_nameGeneration{1};

AcDbSymbolTableRecord* recordOf(const AcDbObjectId& id) {
    AcDbStub* s = id.stub();
    return s && s->object ? AcDbSymbolTableRecord::cast(s->object.get()) : nullptr;
}
} // namespace

void noteSymbolNameChange() {
    g_nameGeneration.fetch_add(1, std::memory_order_relaxed);
}

void foldSymbolNameInto(std::wstring_view name, std::wstring& out) {
    out.assign(name);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(foldSymbolChar(c));
}

std::wstring foldSymbolName(std::wstring_view name) {
    std::wstring folded;
    foldSymbolNameInto(name, folded);
    return folded;
}

bool anonymousNumber(const std::wstring& name, wchar_t kind, long& n) {
    if (name.size() <= 2 || name[0] != L'*' || foldSymbolChar(name[1]) != static_cast<wint_t>(kind))
        return false;
    wchar_t* end = nullptr;
    n = std::wcstol(name.c_str() + 2, &end, 10);
    return end && *end == 0;
}

void SymbolNameIndex::add(const AcDbObjectId& id, std::size_t position) {
    AcDbSymbolTableRecord* rec = recordOf(id);
    if (!rec) {
        // Not a record yet (or a foreign object kept from a damaged file): every
        // lookup looks at it again.
        m_withoutObject.push_back(position);
        return;
    }
    m_byName[foldSymbolName(rec->name())].push_back(position);
    const std::wstring& name = rec->name();
    if (name.size() > 2 && name[0] == L'*') {
        const auto kind = static_cast<wchar_t>(foldSymbolChar(name[1]));
        long n = 0;
        if (anonymousNumber(name, kind, n)) {
            long& next = m_nextAnonymous[kind];
            if (n >= next)
                next = n + 1;
        }
    }
}

void SymbolNameIndex::update(const std::vector<AcDbObjectId>& records) {
    const std::uint64_t now = g_nameGeneration.load(std::memory_order_relaxed);
    if (now != m_generation || m_indexed > records.size()) {
        m_byName.clear();
        m_withoutObject.clear();
        m_nextAnonymous.clear();
        m_indexed = 0;
        m_generation = now;
    }
    for (; m_indexed < records.size(); ++m_indexed)
        add(records[m_indexed], m_indexed);
}

void SymbolNameIndex::appended(const std::vector<AcDbObjectId>& records, std::size_t position) {
    if (position == m_indexed && m_generation == g_nameGeneration.load(std::memory_order_relaxed)) {
        add(records[position], position);
        ++m_indexed;
    }
}

const std::vector<std::size_t>&
SymbolNameIndex::candidates(const std::vector<AcDbObjectId>& records, std::wstring_view name) {
    static const std::vector<std::size_t> none;
    update(records);
    foldSymbolNameInto(name, m_key);
    auto it = m_byName.find(m_key);
    const std::vector<std::size_t>& named = it == m_byName.end() ? none : it->second;
    if (m_withoutObject.empty())
        return named;
    m_merged = named;
    m_merged.insert(m_merged.end(), m_withoutObject.begin(), m_withoutObject.end());
    std::sort(m_merged.begin(), m_merged.end());
    return m_merged;
}

long SymbolNameIndex::nextAnonymousNumber(const std::vector<AcDbObjectId>& records, wchar_t kind) {
    update(records);
    auto it = m_nextAnonymous.find(kind);
    long next = it == m_nextAnonymous.end() ? 0 : it->second;
    // Positions that had no record when indexed may hold one now.
    for (std::size_t pos : m_withoutObject) {
        long n = 0;
        if (AcDbSymbolTableRecord* rec = recordOf(records[pos]);
            rec && anonymousNumber(rec->name(), kind, n) && n >= next)
            next = n + 1;
    }
    return next;
}

} // namespace kz
