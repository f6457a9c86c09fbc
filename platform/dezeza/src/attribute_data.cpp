#include "AttributeData.h"

#include "dbents.h"
#include "windows.h"

#include <memory>
#include <new>

CString CAttributeData::GetValueAttID(AcDbObjectId reference, const wchar_t* tag) const {
    CString value;
    if (!tag)
        return value;
    AcDbBlockReference* ref = nullptr;
    if (acdbOpenObject(ref, reference, AcDb::kForRead, true) != Acad::eOk)
        return value;
    try {
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        for (; it && !it->done(); it->step()) {
            auto* attribute = AcDbAttribute::cast(it->entity());
            if (attribute && _wcsicmp(attribute->tagConst(), tag) == 0) {
                value = attribute->textStringConst();
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        value.Empty();
    }
    ref->close();
    return value;
}
