// TSETUP: lines A and B (B tagged with extended data KZ_TEST), circle C, point P, and a
// block reference R of block OUTER (a line and a reference of block INNER, which holds
// one line), placed at (200,0), turned 90 degrees and scaled 2.
#include "dbents.h"
#include "dbsymtb.h"
#include "edtest.h"
#include "geassign.h"

namespace edtest {

namespace {

AcDbObjectId append(AcDbBlockTableRecord* block, AcDbEntity* ent) {
    AcDbObjectId id;
    block->appendAcDbEntity(id, ent);
    ent->close();
    return id;
}

AcDbObjectId makeBlock(AcDbBlockTable* table, const ACHAR* name,
                       const std::vector<AcDbEntity*>& entities) {
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    AcDbObjectId id;
    table->add(id, block);
    for (AcDbEntity* e : entities)
        append(block, e);
    block->close();
    return id;
}

} // namespace

void cmdSetup() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    acdbRegApp(L"KZ_TEST", db);
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForWrite);
    AcDbObjectId inner = makeBlock(table, L"INNER", {new AcDbLine({0, 0, 0}, {10, 0, 0})});
    AcDbObjectId outer =
        makeBlock(table, L"OUTER",
                  {new AcDbLine({0, 0, 0}, {0, 10, 0}), new AcDbBlockReference({0, 10, 0}, inner)});
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();

    AcDbObjectId a = append(space, new AcDbLine({0, 0, 0}, {100, 0, 0}));
    auto* tagged = new AcDbLine({0, 20, 0}, {100, 20, 0});
    AcDbObjectId b;
    space->appendAcDbEntity(b, tagged);
    resbuf* xd = acutBuildList(1001, L"KZ_TEST", 1000, L"b", 0);
    tagged->setXData(xd);
    acutRelRb(xd);
    tagged->close();
    AcDbObjectId c = append(space, new AcDbCircle({50, 60, 0}, AcGeVector3d::kZAxis, 10));
    AcDbObjectId p = append(space, new AcDbPoint({150, 0, 0}));
    auto* ref = new AcDbBlockReference({200, 0, 0}, outer);
    ref->setRotation(1.5707963267948966);
    ref->setScaleFactors(AcGeScale3d(2.0));
    AcDbObjectId r = append(space, ref);
    space->close();
    acutPrintf(L"A=%s B=%s C=%s P=%s R=%s\n", handleOf(a).c_str(), handleOf(b).c_str(),
               handleOf(c).c_str(), handleOf(p).c_str(), handleOf(r).c_str());
}

void cmdLine() {
    ads_point from, to;
    if (acedGetPoint(nullptr, L"\nFrom point: ", from) != RTNORM ||
        acedGetPoint(from, L"\nTo point: ", to) != RTNORM)
        return;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk)
        return;
    AcDbObjectId id = append(space, new AcDbLine(asPnt3d(from), asPnt3d(to)));
    space->close();
    acutPrintf(L"line %s\n", handleOf(id).c_str());
}

std::wstring handleOf(AcDbObjectId id) {
    if (id.isNull())
        return L"?";
    ACHAR buf[17];
    id.handle().getIntoAsciiBuffer(buf, 17);
    return buf;
}

std::wstring handleOf(const ads_name name) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, name) != Acad::eOk)
        return L"?";
    return handleOf(id);
}

const wchar_t* statusName(int status) {
    switch (status) {
    case RTNORM:
        return L"RTNORM";
    case RTNONE:
        return L"RTNONE";
    case RTCAN:
        return L"RTCAN";
    case RTKWORD:
        return L"RTKWORD";
    case RTERROR:
        return L"RTERROR";
    case RTINPUTTRUNCATED:
        return L"RTINPUTTRUNCATED";
    default:
        return L"other";
    }
}

} // namespace edtest
