// The text style DimStyle that route dimension text uses. Its width factor follows the
// shared settings file at every KZ_DIM_MAKE; its height stays 0 so that each
// dimension's own text height applies.
#include "settings/dim_settings.h"

#include "frame/module_state.h"
#include "res/resource.h"

#include <cwchar>

namespace {

// The width factor text of the shared settings file, "0.8" when it has none.
CString SharedWidthFactor() {
    wchar_t folder[512] = {};
    ApiComn_GetEnv(folder, 1, KzModule().iniPath, L"環境設定", L"ｼｽﾃﾑ");
    CString path;
    path.Format(L"%s\\KzConfig.ini", folder);
    CString value = DeZeza_GetEnv(path, L"寸法線", L"文字縦横比");
    return value.IsEmpty() ? CString(L"0.8") : value;
}

} // namespace

int SetUpDimTextStyle() {
    CString styleName = LoadKzString(IDS_TEXT_STYLE_NAME);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (!db || db->getTextStyleTable(table, AcDb::kForWrite) != Acad::eOk)
        return 0;

    // The walk compares names exactly: a style named like DimStyle in other letter case
    // is not taken for it.
    bool found = false;
    AcDbTextStyleTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (it->start(); !it->done(); it->step()) {
            AcDbTextStyleTableRecord* rec = nullptr;
            if (it->getRecord(rec, AcDb::kForRead) != Acad::eOk)
                continue;
            const ACHAR* name = nullptr;
            rec->getName(name);
            if (name && std::wcscmp(name, styleName) == 0)
                found = true;
            rec->close();
        }
    }
    CString widthText = SharedWidthFactor();

    if (found) {
        AcDbTextStyleTableRecord* rec = nullptr;
        if (table->getAt(styleName, rec, AcDb::kForWrite) == Acad::eOk) {
            rec->setXScale(ApiComn_atof(widthText));
            rec->close();
        }
    } else {
        auto* rec = new AcDbTextStyleTableRecord();
        rec->setName(styleName);
        rec->setXScale(ApiComn_atof(widthText));
        rec->setFileName(LoadKzString(IDS_TEXT_STYLE_FONT));
        rec->setBigFontFileName(LoadKzString(IDS_TEXT_STYLE_BIGFONT));
        if (table->add(rec) == Acad::eOk)
            rec->close();
        else
            delete rec;
    }
    delete it;
    table->close();
    return 0;
}

int FindDimTextStyle(AcDbObjectId& styleId) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (!db || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk)
        return 0;
    table->getAt(LoadKzString(IDS_TEXT_STYLE_NAME), styleId);
    table->close();
    return 0;
}
