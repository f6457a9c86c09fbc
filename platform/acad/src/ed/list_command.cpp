// The host's LIST command: for each selected object its type, layer and handle, so
// that a user (or a script) sees what a selection holds. It takes the pick-first set
// when there is one, as on the host.
#include "ed/host_session.h"

#include "accmd.h"
#include "acedads.h"
#include "acutmem.h"
#include "dbmain.h"
#include "win_codepage.h"

namespace kz::ed {

namespace {

void listOne(const ads_name name) {
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, name) != Acad::eOk ||
        acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return;
    ACHAR handle[20] = {};
    entity->handle().getIntoAsciiBuffer(handle);
    ACHAR* layer = entity->layer();
    // The DXF type of the class or of the nearest ancestor that has one (a rotated
    // dimension is a DIMENSION).
    const AcRxClass* c = entity->isA();
    while (c != nullptr && *c->dxfName() == 0)
        c = c->myParent();
    const std::wstring type = kz::utf8ToWide(c != nullptr ? c->dxfName() : "");
    acutPrintf(L"\n%18ls  Layer: \"%ls\"\n%18ls  Handle = %ls\n", type.c_str(),
               layer != nullptr ? layer : L"", L"", handle);
    acutDelString(layer);
    entity->close();
}

void listCommand() {
    ads_name set;
    if (acedSSGet(L"_I", nullptr, nullptr, nullptr, set) != RTNORM &&
        acedSSGet(nullptr, nullptr, nullptr, nullptr, set) != RTNORM)
        return;
    Adesk::Int32 count = 0;
    acedSSLength(set, &count);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name name;
        if (acedSSName(set, i, name) == RTNORM)
            listOne(name);
    }
    acedSSFree(set);
}

} // namespace

void registerHostCommands() {
    acedRegCmds->addCommand(L"ACAD_MAIN", L"LIST", L"LIST", ACRX_CMD_MODAL | ACRX_CMD_USEPICKSET,
                            listCommand);
}

} // namespace kz::ed
