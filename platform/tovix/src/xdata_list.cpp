#include "ApiComn.h"
#include "xdata_list_codec.h"

#include "acutmem.h"

#include <new>

int ApiComn_extractAttributesArrayID(AcDbObjectId id, const wchar_t* app, CStringArray* list,
                                     int skip) {
    if (!app || !*app)
        return -1;
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead, true) != Acad::eOk)
        return -1;
    resbuf* chain = obj->xData(app);
    obj->close();
    if (!chain)
        return 1;
    try {
        std::vector<std::wstring> strings = kz::tovix::decodeStringList(chain);
        acutRelRb(chain);
        chain = nullptr;
        if (list) {
            for (std::size_t i = skip > 0 ? static_cast<std::size_t>(skip) : 0; i < strings.size();
                 ++i)
                list->Add(strings[i].c_str());
        }
    } catch (const std::bad_alloc&) {
        acutRelRb(chain);
        return -1;
    }
    return 0;
}

int ApiComn_appendAttributesArray(AcDbObjectId id, const wchar_t* app, CStringArray* list,
                                  bool replace) {
    if (!app || !*app)
        return Acad::eInvalidInput;
    if (id.isNull())
        return Acad::eNullObjectId;
    if (!acdbRegApp(app, id.database()))
        return Acad::eRegappIdNotFound;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, AcDb::kForWrite);
    if (es != Acad::eOk)
        return es;
    resbuf* chain = nullptr;
    try {
        std::vector<std::wstring> strings;
        if (!replace) {
            resbuf* old = obj->xData(app);
            strings = kz::tovix::decodeStringList(old);
            acutRelRb(old);
        }
        if (list) {
            for (INT_PTR i = 0; i < list->GetSize(); ++i)
                strings.emplace_back(list->GetAt(i).view());
        }
        chain = kz::tovix::encodeStringList(app, strings);
        es = obj->setXData(chain);
    } catch (const std::bad_alloc&) {
        es = Acad::eOutOfMemory;
    }
    acutRelRb(chain);
    obj->close();
    return es;
}
