// The product's services other than the ini file: its read-out font, the elements
// linked to an element, and the parameters of KZ_REJOB1.
#include "ApiComn.h"
#include "DeZeza.h"
#include "Kelto.h"
#include "KeltoHost.h"

#include "dbsymtb.h"

#include <cwchar>
#include <new>

namespace kz::kelto {

namespace {

std::optional<RejobParams>& pendingParams() {
    static std::optional<RejobParams> params;
    return params;
}

} // namespace

std::optional<RejobParams> takeRejobParams() {
    std::optional<RejobParams> taken = pendingParams();
    pendingParams().reset();
    return taken;
}

} // namespace kz::kelto

LOGFONTW* KZAddinGetFont() {
    static LOGFONTW font = [] {
        LOGFONTW f{};
        f.lfHeight = -12;
        f.lfWeight = 400;
        f.lfCharSet = 128; // SHIFTJIS_CHARSET
        wcsncpy_s(f.lfFaceName, LF_FACESIZE, L"ＭＳ ゴシック", _TRUNCATE);
        return f;
    }();
    return &font;
}

int KZAddinGetLinkRootEX(AcDbObjectId element, AcDbObjectIdArray* linked) {
    if (!linked)
        return -1;
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, element, AcDb::kForRead, true) != Acad::eOk)
        return 0;
    AcDbObjectId spaceId = ent->blockId();
    ent->close();
    AcDbObjectIdArray candidates;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk)
        return 0;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (space->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            if (it->getEntityId(id) == Acad::eOk &&
                ApiComn_extractAttributesArrayID(id, KZ_LINK_APPNAME, nullptr, 0) == 0)
                candidates.append(id);
        }
        delete it;
    }
    space->close();
    return RootComn_GetConnectBlock4(candidates, element, *linked, 0, 0);
}

int KZAddinAutoCommParam(int mode, AcDbObjectId element, AcGePoint3d* insertionPoint) {
    if (element.isNull())
        return -1;
    kz::kelto::RejobParams params;
    params.mode = mode;
    params.base = element;
    params.insertionPoint = insertionPoint ? *insertionPoint : RuleComn_getInsertPos(element);
    kz::kelto::pendingParams() = params;
    return 0;
}
