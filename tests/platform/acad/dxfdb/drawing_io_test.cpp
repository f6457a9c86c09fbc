#include "db/database_impl.h"
#include "db/unknown.h"
#include "dbdict.h"
#include "dbgroup.h"
#include "dbsymtb.h"
#include "dxf/drawing_io.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<AcDbDatabase> load(const std::string& text, kz::DrawingReadResult* out = nullptr) {
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("test.dxf", text, *db);
    if (out)
        *out = r;
    return r.ok ? std::move(db) : nullptr;
}

std::string save(AcDbDatabase& db) {
    std::string text, error;
    EXPECT_TRUE(kz::writeDrawingToText(db, text, error)) << error;
    return text;
}

// A small R2013 file with an entity type the database does not model, extended data
// and an unknown object.
const char* const kDrawing = R"(  0
SECTION
  2
HEADER
  9
$ACADVER
  1
AC1027
  9
$HANDSEED
  5
300
  9
$CUSTOMVAR
 40
3.5
  0
ENDSEC
  0
SECTION
  2
TABLES
  0
TABLE
  2
APPID
  5
9
330
0
100
AcDbSymbolTable
 70
1
  0
APPID
  5
12
330
9
100
AcDbSymbolTableRecord
100
AcDbRegAppTableRecord
  2
KZ_LINK
 70
0
  0
ENDTAB
  0
ENDSEC
  0
SECTION
  2
ENTITIES
  0
HATCH
  5
2A
100
AcDbEntity
  8
PIPE
100
AcDbHatch
 10
0.0
 20
0.0
 30
0.0
  2
SOLID
 70
1
1001
KZ_LINK
1000
2|||01||1|
1070
7
1010
1.5
1020
2.5
1030
0.0
  0
ENDSEC
  0
SECTION
  2
OBJECTS
  0
DICTIONARY
  5
C
330
0
100
AcDbDictionary
281
1
  3
MY_DATA
350
2B
  0
XRECORD
  5
2B
330
C
100
AcDbXrecord
  1
hello
  0
ENDSEC
  0
EOF
)";

} // namespace

TEST(DrawingIo, NewDrawingSavesAndLoadsBack) {
    AcDbDatabase db;
    std::string text = save(db);
    EXPECT_NE(text.find("AC1027"), std::string::npos);
    auto back = load(text);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->layerZero().isNull());
    EXPECT_EQ(back->layerZero().handle(), db.layerZero().handle());
    EXPECT_EQ(back->groupDictionaryId().handle(), db.groupDictionaryId().handle());
    EXPECT_EQ(save(*back), text); // a second round changes nothing
}

TEST(DrawingIo, UnknownEntitiesObjectsAndExtendedDataComeBackUnchanged) {
    kz::DrawingReadResult r;
    auto db = load(kDrawing, &r);
    ASSERT_TRUE(db) << r.error;
    AcDbObjectId hatch;
    ASSERT_EQ(db->getAcDbObjectId(hatch, false, AcDbHandle(0x2A)), Acad::eOk);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, hatch, AcDb::kForRead), Acad::eOk);
    EXPECT_NE(kz::UnknownEntity::cast(ent), nullptr);
    ACHAR* layer = ent->layer();
    EXPECT_STREQ(layer, L"PIPE"); // missing layer added
    acutDelString(layer);
    resbuf* xd = ent->xData(L"KZ_LINK");
    ent->close();
    ASSERT_NE(xd, nullptr);
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"2|||01||1|");
    EXPECT_EQ(xd->rbnext->rbnext->resval.rint, 7);
    EXPECT_DOUBLE_EQ(xd->rbnext->rbnext->rbnext->resval.rpoint[1], 2.5);
    acutRelRb(xd);

    std::string text = save(*db);
    for (const char* kept :
         {"HATCH", "AcDbHatch", "SOLID", "XRECORD", "hello", "$CUSTOMVAR", "MY_DATA", "2|||01||1|"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    auto again = load(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(save(*again), text);
    // New objects get handles above the file's seed.
    EXPECT_GE(db->handseed().value(), 0x300u);
}

TEST(DrawingIo, MalformedFilesGiveErrorsWithLines) {
    kz::DrawingReadResult r;
    std::string bad = kDrawing;
    bad.replace(bad.find("1020\n2.5"), 8, "1020\nx2.5");
    EXPECT_FALSE(load(bad, &r));
    EXPECT_NE(r.error.find("test.dxf:"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("x2.5"), std::string::npos) << r.error;

    std::string noEndtab = kDrawing;
    noEndtab.replace(noEndtab.find("  0\nENDTAB\n"), 11, "");
    EXPECT_FALSE(load(noEndtab, &r));
    EXPECT_NE(r.error.find("ENDTAB"), std::string::npos) << r.error;

    EXPECT_FALSE(load("  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n", &r));
    EXPECT_NE(r.error.find("not a drawing"), std::string::npos) << r.error;
}

TEST(DrawingIo, GroupsAndMembersSurviveARoundTrip) {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(db.getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
    bt->close();
    auto* e = new kz::UnknownEntity("RAY");
    AcDbObjectId eid;
    ASSERT_EQ(ms->appendAcDbEntity(eid, e), Acad::eOk);
    e->close();
    ms->close();
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db.getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    auto* g = new AcDbGroup(L"route");
    AcDbObjectId gid;
    ASSERT_EQ(groups->setAt(L"R1", g, gid), Acad::eOk);
    g->append(eid);
    g->close();
    groups->close();

    auto back = load(save(db));
    ASSERT_TRUE(back);
    AcDbObjectId g2;
    ASSERT_EQ(back->getAcDbObjectId(g2, false, gid.handle()), Acad::eOk);
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, g2, AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray ids;
    group->allEntityIds(ids);
    group->close();
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0].handle(), eid.handle());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->getPersistentReactors().length(), 1);
    ent->close();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

TEST(DrawingIo, KeptTagsOfARepeatedSubclassMarkerStayWithTheirOccurrence) {
    // A TEXT carries two AcDbText markers; a tag no class models comes back once, after
    // the marker it followed.
    std::string text = kDrawing;
    const std::string hatch = "  0\nHATCH\n";
    text.insert(text.find(hatch), "  0\nTEXT\n  5\n2F\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n"
                                  " 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n2.5\n  1\nHI\n345\n1F\n"
                                  "100\nAcDbText\n 73\n0\n346\n1E\n");
    kz::DrawingReadResult r;
    auto db = load(text, &r);
    ASSERT_TRUE(db) << r.error;
    std::string out = save(*db);
    for (const char* tag : {"345\n1F\n", "346\n1E\n"}) {
        std::size_t first = out.find(tag);
        ASSERT_NE(first, std::string::npos) << tag;
        EXPECT_EQ(out.find(tag, first + 1), std::string::npos) << tag;
    }
    const std::size_t firstPart = out.find("100\nAcDbText\n", out.find("\n2F\n"));
    const std::size_t secondPart = out.find("100\nAcDbText\n", firstPart + 1);
    ASSERT_NE(secondPart, std::string::npos);
    EXPECT_LT(out.find("345\n1F\n"), secondPart);
    EXPECT_GT(out.find("346\n1E\n"), secondPart);
}
