// The database's record of one object id: the object (once loaded or added), its
// handle, its number for AcDbObjectId::asOldId and whether it is erased.
#pragma once

#include "adesk.h"
#include "dbhandle.h"

#include <memory>

class AcDbDatabase;
class AcDbObject;

class AcDbStub {
public:
    AcDbDatabase* db = nullptr;
    std::unique_ptr<AcDbObject> object;
    AcDbHandle handle;
    Adesk::IntDbId oldId = 0;
    bool erased = false;
};

namespace kz {

// Numbers for AcDbObjectId::asOldId are handed out once per process and never reused,
// so a number printed for an object of a closed drawing resolves to nothing.
Adesk::IntDbId registerStub(AcDbStub* stub);
void unregisterStub(Adesk::IntDbId oldId);
AcDbStub* stubForOldId(Adesk::IntDbId oldId);

} // namespace kz
