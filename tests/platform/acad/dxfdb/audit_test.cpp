#include "db/audit.h"
#include "db/database_impl.h"
#include "dbdim.h"
#include "dbents.h"
#include "dbgroup.h"
#include "dxf/drawing_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// Tags one a line pair; "|" separates code from value.
std::string dxf(std::initializer_list<const char*> pairs) {
    std::string out;
    for (const char* p : pairs) {
        std::string s = p;
        std::size_t bar = s.find('|');
        out += s.substr(0, bar) + "\n" + s.substr(bar + 1) + "\n";
    }
    return out;
}

const std::string kEntities =
    dxf({"0|SECTION", "2|ENTITIES",
         // 2A is linked to by 2B; 2B's list also names FFF, which is nowhere.
         "0|LINE", "5|2A", "100|AcDbEntity", "8|0", "100|AcDbLine", "10|0", "20|0", "30|0", "11|10",
         "21|0", "31|0", "0|LINE", "5|2B", "100|AcDbEntity", "8|0", "100|AcDbLine", "10|0", "20|5",
         "30|0", "11|10", "21|5", "31|0", "1001|KZ_DIMENSION", "1000|2A", "1000|FFF",
         // A dimension whose block *D9 is not in the file.
         "0|DIMENSION", "5|2C", "100|AcDbEntity", "8|0", "100|AcDbDimension", "2|*D9", "10|0",
         "20|10", "30|0", "70|32", "100|AcDbAlignedDimension", "13|0", "23|0", "33|0", "14|10",
         "24|0", "34|0", "100|AcDbRotatedDimension", "50|0",
         // A second object with the handle 2A.
         "0|LINE", "5|2A", "100|AcDbEntity", "8|0", "100|AcDbLine", "10|0", "20|9", "30|0", "11|10",
         "21|9", "31|0", "0|ENDSEC"});

const std::string kObjects =
    dxf({"0|SECTION", "2|OBJECTS", "0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "281|1",
         "3|ACAD_GROUP", "350|D", "3|GONE", "350|EEE", "3|MY_THING", "350|F", "0|DICTIONARY", "5|D",
         "330|C", "100|AcDbDictionary", "281|1", "3|G1", "350|E", "0|GROUP", "5|E", "330|D",
         "100|AcDbGroup", "300|pipes", "70|0", "71|1", "340|2A", "340|ABC",
         // An object type the database does not model keeps its pointer as read.
         "0|KZ_THING", "5|F", "330|C", "100|KzThing", "340|DDD", "0|ENDSEC", "0|EOF"});

struct Loaded {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult read;
};

Loaded load(const std::string& text) {
    Loaded l;
    l.read = kz::readDrawingFromText("audit.dxf", text, *l.db);
    EXPECT_TRUE(l.read.ok) << l.read.error;
    return l;
}

std::vector<std::string> lines(const std::vector<kz::AuditFinding>& findings) {
    std::vector<std::string> out;
    for (const auto& f : findings)
        out.push_back(kz::describeFinding(f));
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Audit, FindsEveryKindOfDamageWithItsCode) {
    Loaded l = load(kEntities + kObjects);
    ASSERT_EQ(l.read.duplicateHandles, std::vector<std::uint64_t>{0x2A});
    auto findings = kz::auditDrawing(*l.db, l.read.duplicateHandles, false);
    EXPECT_EQ(lines(findings),
              (std::vector<std::string>{
                  "A101 error: handle 2A: two objects of the file have this handle; the second "
                  "got a new one (fixed)",
                  "A102 error: KZ_THING F: group code 340 names handle DDD, which no object has",
                  "A103 error: LINE 2B: KZ_DIMENSION entry \"FFF\" names no entity",
                  "A105 error: DIMENSION 2C: the block that shows the dimension is not in the "
                  "drawing",
                  "A106 error: GROUP E: member ABC is not in the drawing",
                  "A107 error: DICTIONARY C: entry \"GONE\" names no object",
              }));
}

TEST(Audit, ASoundDrawingHasNoFindingsAndFixingItChangesNothing) {
    auto db = std::make_unique<AcDbDatabase>();
    std::string before, after, error;
    ASSERT_TRUE(kz::writeDrawingToText(*db, before, error));
    EXPECT_TRUE(kz::auditDrawing(*db, {}, true).empty());
    ASSERT_TRUE(kz::writeDrawingToText(*db, after, error));
    EXPECT_EQ(before, after);
}

TEST(Audit, FixRepairsWhatItCanAndASecondAuditFindsOnlyTheRest) {
    Loaded l = load(kEntities + kObjects);
    auto findings = kz::auditDrawing(*l.db, l.read.duplicateHandles, true);
    for (const auto& f : findings)
        EXPECT_EQ(f.fixed, f.code != kz::AuditCode::MissingReference) << kz::describeFinding(f);

    // Saved and read again, only the pointer of the unknown object is left.
    std::string text, error;
    ASSERT_TRUE(kz::writeDrawingToText(*l.db, text, error)) << error;
    Loaded again = load(text);
    EXPECT_TRUE(again.read.duplicateHandles.empty());
    auto rest = kz::auditDrawing(*again.db, {}, false);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].code, kz::AuditCode::MissingReference);

    // The link list kept its live entry; the dimension has a block of its own.
    AcDbObjectId line;
    ASSERT_EQ(again.db->getAcDbObjectId(line, false, AcDbHandle(0x2B)), Acad::eOk);
    const kz::ObjectExtra* ex = line.stub()->object->extra();
    ASSERT_TRUE(ex && ex->xdata.size() == 1);
    ASSERT_EQ(ex->xdata[0].items.size(), 1u);
    EXPECT_EQ(ex->xdata[0].items[0].text, L"2A");
    AcDbObjectId dimId;
    ASSERT_EQ(again.db->getAcDbObjectId(dimId, false, AcDbHandle(0x2C)), Acad::eOk);
    auto* dim = AcDbDimension::cast(dimId.stub()->object.get());
    ASSERT_NE(dim, nullptr);
    EXPECT_FALSE(dim->dimBlockId().isNull());
}

TEST(Audit, LinkToAnErasedEntityIsReportedAndTheWholeListGoesWhenNothingIsLeft) {
    Loaded l = load(kEntities + dxf({"0|EOF"}));
    AcDbObjectId target, holder;
    ASSERT_EQ(l.db->getAcDbObjectId(target, false, AcDbHandle(0x2A)), Acad::eOk);
    ASSERT_EQ(l.db->getAcDbObjectId(holder, false, AcDbHandle(0x2B)), Acad::eOk);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, target, AcDb::kForWrite), Acad::eOk);
    e->erase();
    e->close();
    auto findings = kz::auditDrawing(*l.db, {}, true);
    int erased = 0, missing = 0;
    for (const auto& f : findings) {
        erased += f.code == kz::AuditCode::LinkToErased;
        missing += f.code == kz::AuditCode::LinkToMissing;
    }
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(missing, 1);
    const kz::ObjectExtra* ex = holder.stub()->object->extra();
    ASSERT_NE(ex, nullptr);
    EXPECT_TRUE(ex->xdata.empty()) << "an empty link list is removed";
}

TEST(Audit, OwnersReactorsAndExtensionDictionariesThatPointNowhere) {
    Loaded l = load(dxf({"0|SECTION",
                         "2|ENTITIES",
                         "0|ENDSEC",
                         "0|SECTION",
                         "2|OBJECTS",
                         "0|DICTIONARY",
                         "5|C",
                         "330|0",
                         "100|AcDbDictionary",
                         "281|1",
                         "0|XRECORD",
                         "5|20",
                         "102|{ACAD_REACTORS",
                         "330|77",
                         "102|}",
                         "102|{ACAD_XDICTIONARY",
                         "360|78",
                         "102|}",
                         "330|79",
                         "100|AcDbXrecord",
                         "1|hello",
                         "0|ENDSEC",
                         "0|EOF"}));
    std::vector<std::string> got = lines(kz::auditDrawing(*l.db, {}, false));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "A102 error: XRECORD 20: group code 330 names handle 77, which no "
                       "object has",
                       "A102 error: XRECORD 20: group code 330 names handle 79, which no "
                       "object has",
                       "A102 error: XRECORD 20: group code 360 names handle 78, which no "
                       "object has",
                   }));

    // A fix removes the reactor and the extension dictionary; the owner stays as read.
    got = lines(kz::auditDrawing(*l.db, {}, true));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "A102 error: XRECORD 20: group code 330 names handle 77, which no "
                       "object has (fixed)",
                       "A102 error: XRECORD 20: group code 330 names handle 79, which no "
                       "object has",
                       "A102 error: XRECORD 20: group code 360 names handle 78, which no "
                       "object has (fixed)",
                   }));
    got = lines(kz::auditDrawing(*l.db, {}, false));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "A102 error: XRECORD 20: group code 330 names handle 79, which no "
                       "object has",
                   }));
}

} // namespace
