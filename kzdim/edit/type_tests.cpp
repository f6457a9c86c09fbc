#include "edit/type_tests.h"

AcDbMText* AsMText(AcDbObject* object) {
    return object && object->isA()->isDerivedFrom(AcDbMText::desc())
               ? static_cast<AcDbMText*>(object)
               : nullptr;
}

AcDbRotatedDimension* AsRotatedDimension(AcDbObject* object) {
    return object && object->isA()->isDerivedFrom(AcDbRotatedDimension::desc())
               ? static_cast<AcDbRotatedDimension*>(object)
               : nullptr;
}

AcDbDimension* AsDimension(AcDbObject* object) {
    return object && object->isA()->isDerivedFrom(AcDbDimension::desc())
               ? static_cast<AcDbDimension*>(object)
               : nullptr;
}
