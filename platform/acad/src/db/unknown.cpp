#include "db/unknown.h"

namespace kz {

ACRX_NO_CONS_DEFINE_MEMBERS(UnknownObject, AcDbObject)
ACRX_NO_CONS_DEFINE_MEMBERS(UnknownEntity, AcDbEntity)

std::string dxfTypeOf(const AcDbObject* obj) {
    if (auto* u = UnknownObject::cast(obj))
        return u->dxfType();
    if (auto* u = UnknownEntity::cast(obj))
        return u->dxfType();
    for (AcRxClass* c = obj->isA(); c; c = c->myParent())
        if (*c->dxfName())
            return c->dxfName();
    return {};
}

} // namespace kz
