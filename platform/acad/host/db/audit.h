// The drawing audit: finds what a damaged or hand-edited drawing holds that points
// nowhere, and with fix repairs what can be repaired. Each finding has a fixed code so
// that reports can be compared and scripts can look for one kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;

namespace kz {

enum class AuditCode {
    DuplicateHandle = 101,       // two objects of the file had one handle
    MissingReference = 102,      // a field names a handle no object has
    LinkToMissing = 103,         // a KZ_DIMENSION entry names no entity
    LinkToErased = 104,          // a KZ_DIMENSION entry names an erased entity
    DimensionWithoutBlock = 105, // a dimension whose block is not in the drawing
    GroupMemberMissing = 106,    // a group member that is missing or erased
    DictionaryEntryMissing = 107 // a dictionary entry naming a missing or erased object
};

struct AuditFinding {
    AuditCode code;
    std::string object; // "DIMENSION 2F": the object holding the problem
    std::string what;
    bool fixed = false;
};

// Audits db. duplicateHandles are the handles the reader found twice (it gave the
// second object a new handle). With fix, repairs what it can: link entries, group
// members, dictionary entries, persistent reactors and extension dictionaries that
// point nowhere are removed, a dimension's block is built again; a missing reference in
// any other field (an owner, a class's pointer, a kept tag) is reported only.
std::vector<AuditFinding>
auditDrawing(AcDbDatabase& db, const std::vector<std::uint64_t>& duplicateHandles, bool fix);

// "A103 error: DIMENSION 2F: ... (fixed)"
std::string describeFinding(const AuditFinding& finding);

} // namespace kz
