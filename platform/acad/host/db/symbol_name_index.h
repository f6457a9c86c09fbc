// A symbol table's index from names (letter case ignored) to record positions, so
// that looking a name up or numbering a new anonymous block does not walk the table.
// The index answers with the candidates; the table still applies its own tests to
// each (erased, record class, name), in table order, so a lookup finds what a walk of
// the whole table would find.
#pragma once

#include "dbmain.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kz {

// Called whenever the name of a record that is in a database changes; every index
// built before is rebuilt on its next use.
void noteSymbolNameChange();

class SymbolNameIndex {
public:
    // Positions in `records` of the records whose name folds to the folded `name`,
    // and of the records that had no object when the index was built, ascending.
    // The list is valid until the next call.
    const std::vector<std::size_t>& candidates(const std::vector<AcDbObjectId>& records,
                                               std::wstring_view name);
    // One more than the largest n of the names "*<kind>n" in the table (0 when none);
    // kind is an upper-case letter.
    long nextAnonymousNumber(const std::vector<AcDbObjectId>& records, wchar_t kind);
    // The record at `position` was appended to the table.
    void appended(const std::vector<AcDbObjectId>& records, std::size_t position);

private:
    void update(const std::vector<AcDbObjectId>& records);
    void add(const AcDbObjectId& id, std::size_t position);

    std::uint64_t m_generation = 0;
    std::size_t m_indexed = 0; // records[0, m_indexed) are in the index
    std::unordered_map<std::wstring, std::vector<std::size_t>> m_byName;
    std::vector<std::size_t> m_withoutObject;
    std::unordered_map<wchar_t, long> m_nextAnonymous;
    std::wstring m_key;                // the folded name looked up last
    std::vector<std::size_t> m_merged; // candidates when some records had no object
};

// The name with each character in upper case, as compareSymbolNames compares them.
std::wstring foldSymbolName(std::wstring_view name);
// The same into out, reusing its storage.
void foldSymbolNameInto(std::wstring_view name, std::wstring& out);

// The n of "*<kind>n" (kind compared in upper case), as wcstol reads it; false when
// the name is not of that form.
bool anonymousNumber(const std::wstring& name, wchar_t kind, long& n);

} // namespace kz
