#include "../db_fixture.h"

#include "db/symbol_lookup.h"
#include "dbdim.h"
#include "dbents.h"
#include "dbmtext.h"
#include "dxf/drawing_io.h"

#include <cstdlib>
#include <fstream>

namespace {

// The live entities of a block, by class name.
int countIn(AcDbObjectId blockId, AcRxClass* cls) {
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, blockId, AcDb::kForRead) != Acad::eOk)
        return -1;
    AcDbBlockTableRecordIterator* it = nullptr;
    btr->newIterator(it);
    int n = 0;
    for (; !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForRead) == Acad::eOk) {
            n += e->isKindOf(cls);
            e->close();
        }
    }
    delete it;
    btr->close();
    return n;
}

} // namespace

// A drawing with one route-style dimension: text above, first end shared (no extension
// line, no arrowhead), colours set. When KZ_DIM_DXF_OUT names a file the drawing is
// also written there, for the test that reads it with another DXF library.
TEST_F(DbTest, DimensionWrittenToDxfReadsBackWithItsBlockAndOverrides) {
    auto* dim = new AcDbRotatedDimension(0, AcGePoint3d(0, 0, 0), AcGePoint3d(1200, 0, 0),
                                         AcGePoint3d(600, 300, 0));
    AcCmColor red;
    red.setColorIndex(1);
    dim->setDimtad(1);
    dim->setDimasz(100);
    dim->setDimtxt(150);
    dim->setDimsah(true);
    dim->setDimse1(true);
    dim->setDimblk1(L"_NONE");
    dim->setDimblk2(L"_DOT");
    dim->setDimclrd(red);
    AcDbObjectId id = addToModelSpace(dim);

    std::string text, error;
    ASSERT_TRUE(kz::writeDrawingToText(*db, text, error)) << error;
    if (const char* out = std::getenv("KZ_DIM_DXF_OUT")) {
        std::ofstream f(out, std::ios::binary);
        f << text;
    }

    AcDbDatabase back(false);
    acdbHostApplicationServices()->setWorkingDatabase(&back);
    kz::DrawingReadResult r = kz::readDrawingFromText("dim.dxf", text, back);
    ASSERT_TRUE(r.ok) << r.error;
    AcDbObjectId backId;
    ASSERT_EQ(back.getAcDbObjectId(backId, false, id.handle()), Acad::eOk);
    AcDbRotatedDimension* read = nullptr;
    ASSERT_EQ(acdbOpenObject(read, backId, AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(read->measurement(), 1200, 1e-9);
    EXPECT_EQ(read->dimtad(), 1);
    EXPECT_DOUBLE_EQ(read->dimasz(), 100);
    EXPECT_TRUE(read->dimse1());
    EXPECT_EQ(read->dimclrd().colorIndex(), 1);
    EXPECT_EQ(kz::symbolName(read->dimblk1()), L"_NONE");
    EXPECT_EQ(kz::symbolName(read->dimblk2()), L"_DOT");
    AcDbObjectId block = read->dimBlockId();
    read->close();
    ASSERT_FALSE(block.isNull());
    EXPECT_EQ(kz::symbolName(block).substr(0, 2), L"*D");
    EXPECT_EQ(countIn(block, AcDbMText::desc()), 1);
    EXPECT_EQ(countIn(block, AcDbLine::desc()), 2); // one extension line, the dimension line
    EXPECT_EQ(countIn(block, AcDbBlockReference::desc()), 1); // the dot
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
}
