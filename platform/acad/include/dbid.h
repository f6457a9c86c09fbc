// AcDbObjectId names an object of an open drawing. Its 64-bit numeric form
// (asOldId) can be printed and read back with setFromOldId while the drawing is open;
// the handle is what names the object in the file.
#pragma once

#include "adesk.h"
#include "dbhandle.h"

#include <cstdint>
#include <functional>

class AcDbDatabase;
class AcDbStub;

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : m_stub(stub) {}

    static const AcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    void setNull() { m_stub = nullptr; }
    // Not null and its database still open.
    bool isValid() const;
    bool isErased() const;
    AcDbDatabase* database() const;
    AcDbHandle handle() const;

    Adesk::IntDbId asOldId() const;
    // Accepts only a number that asOldId gave for a live object; anything else gives
    // the null id.
    AcDbObjectId& setFromOldId(Adesk::IntDbId oldId);

    bool operator==(const AcDbObjectId& o) const { return m_stub == o.m_stub; }
    bool operator!=(const AcDbObjectId& o) const { return m_stub != o.m_stub; }
    bool operator<(const AcDbObjectId& o) const { return m_stub < o.m_stub; }
    operator AcDbStub*() const { return m_stub; }
    AcDbStub* stub() const { return m_stub; }

private:
    AcDbStub* m_stub = nullptr;
};

using AcDbHardPointerId = AcDbObjectId;
using AcDbSoftPointerId = AcDbObjectId;
using AcDbHardOwnershipId = AcDbObjectId;
using AcDbSoftOwnershipId = AcDbObjectId;

template <> struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept {
        return std::hash<const void*>()(id.stub());
    }
};
