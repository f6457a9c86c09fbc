// Selection filters (the resbuf chain given to acedSSGet) and the wild-card patterns
// they and acutWcMatch use.
//
// Tested group codes: 0 (or RTDXF0) entity type ("LINE", "INSERT", "DIMENSION" for every kind of
// dimension), 2 block name of a block reference, 6 linetype name, 8 layer name (these
// four are case-insensitive patterns), 62 colour index, and -3 followed by 1001
// application names (patterns too): the entity must carry extended data of each
// named application. Every test must pass. Any other group code makes the filter
// unusable (acedSSGet answers RTERROR).
#pragma once

#include "adsdef.h"
#include "dbmain.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::ed {

// Wild-card match: '*' any run, '?' one character, '#' a digit, '@' a letter, '.' a
// character that is neither, '[...]' one of the set ('[~...]' none of it, 'a-z'
// ranges), '`' takes the next character literally, ',' separates alternatives and '~'
// at the start of an alternative negates it.
bool wcMatch(std::wstring_view string, std::wstring_view pattern, bool ignoreCase);

// The entity's type as DXF files and filters name it ("LINE").
std::wstring entityTypeName(const AcDbEntity* entity);

class SelectionFilter {
public:
    // Null chain: a filter that takes everything. nullopt when the chain holds a group
    // code that cannot be tested (why says which).
    static std::optional<SelectionFilter> fromResbuf(const resbuf* chain,
                                                     std::wstring* why = nullptr);
    bool empty() const { return m_tests.empty(); }
    bool accepts(const AcDbEntity* entity) const;
    bool accepts(AcDbObjectId id) const;

private:
    struct Test {
        int code = 0;
        std::wstring pattern;           // 0, 2, 6, 8
        int number = 0;                 // 62
        std::vector<std::wstring> apps; // -3
    };
    std::vector<Test> m_tests;
};

} // namespace kz::ed
