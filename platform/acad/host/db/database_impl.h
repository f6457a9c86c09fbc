// The database's private state: every id's stub, the handle map, the well-known ids
// and the file data kept for saving (header variables, classes, other sections).
#pragma once

#include "dbmain.h"
#include "db/object_extra.h"
#include "db/stub.h"

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace kz {

// A header variable ($NAME) and the tags that follow it, as read.
struct HeaderVar {
    std::string name;
    std::vector<KeptTag> tags;
};

// A file section the database keeps without modelling (THUMBNAILIMAGE, ACDSDATA...).
struct KeptSection {
    std::string name;
    std::vector<KeptTag> tags;
    // A table of the TABLES section that the database does not hold, written back
    // inside that section; otherwise a whole section of its own (which may be named
    // "TABLE" too).
    bool isTable = false;
};

struct WellKnownIds {
    AcDbObjectId blockTable, layerTable, linetypeTable, textStyleTable, regAppTable,
        dimStyleTable, viewportTable, viewTable, ucsTable;
    AcDbObjectId namedObjects, groupDictionary;
    AcDbObjectId modelSpace, paperSpace;
    AcDbObjectId layerZero, byLayer, byBlock, continuous;
    AcDbObjectId standardTextStyle, standardDimStyle;
    AcDbObjectId clayer;
};

class DatabaseImpl {
public:
    explicit DatabaseImpl(AcDbDatabase* self) : m_self(self) {}
    ~DatabaseImpl();
    DatabaseImpl(const DatabaseImpl&) = delete;
    DatabaseImpl& operator=(const DatabaseImpl&) = delete;

    AcDbDatabase* self() const { return m_self; }

    // The stub of a handle; with create, a placeholder stub for a handle not in use.
    AcDbStub* stubForHandle(AcDbHandle handle, bool create);
    // Makes obj database-resident under owner, with the given handle or a new one.
    // The object is left open for write. Fails with eHandleExists when the handle
    // names another object, eAlreadyInDb when obj is resident already.
    Acad::ErrorStatus addObject(AcDbObject* obj, AcDbObjectId owner, AcDbObjectId& outId,
                                AcDbHandle handle = AcDbHandle());
    AcDbHandle nextHandle() const { return AcDbHandle(m_nextHandle); }
    void raiseHandseed(std::uint64_t value) {
        if (value > m_nextHandle)
            m_nextHandle = value;
    }

    // Visits every stub in creation order.
    template <class F> void forEachStub(F&& f) const {
        for (const AcDbStub& s : m_stubs)
            f(s);
    }

    // Objects open right now; 0 between commands when every open was closed.
    int openObjectCount() const;
    // Field changes made to resident objects that were not open for write.
    int accessViolations() const { return m_accessViolations; }
    void countAccessViolation() { ++m_accessViolations; }

    WellKnownIds ids;
    std::vector<HeaderVar> header;
    std::vector<KeptTag> classes;
    std::vector<KeptSection> otherSections;
    std::string lastError;
    std::vector<std::string> warnings;

private:
    AcDbDatabase* m_self;
    std::deque<AcDbStub> m_stubs;
    std::unordered_map<std::uint64_t, AcDbStub*> m_byHandle;
    std::uint64_t m_nextHandle = 1;
    int m_accessViolations = 0;
};

inline DatabaseImpl* implOf(AcDbDatabase* db) { return db ? &db->impl() : nullptr; }

// The database an object belongs to, or the working database for one in none.
AcDbDatabase* databaseFor(const AcDbObject* obj);

} // namespace kz
