// Damaged drawings found by fuzzing the DXF reader (load, save, load again): each reads
// as before or fails with a message, and what was read saves in a form that reads back
// the same.
#include "db/symbol_lookup.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dxf/drawing_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

std::string tags(std::initializer_list<const char*> pairs) {
    std::string out;
    for (const char* p : pairs) {
        std::string s = p;
        std::size_t bar = s.find('|');
        out += s.substr(0, bar) + "\n" + s.substr(bar + 1) + "\n";
    }
    return out;
}

// The LAYER table holds a layer, an object of a type no table has and a linetype
// record, each named "PIPE".
const std::string kTables = tags(
    {"0|SECTION", "2|TABLES", "0|TABLE", "2|LAYER", "5|2", "330|0", "100|AcDbSymbolTable", "70|3",
     // Where a handle was damaged into a type: "0|12" instead of "5|12".
     "0|12", "330|2", "100|AcDbSymbolTableRecord", "2|PIPE", "70|0", "0|LTYPE", "5|13", "330|2",
     "100|AcDbSymbolTableRecord", "100|AcDbLinetypeTableRecord", "2|PIPE", "70|0", "3|", "72|65",
     "73|0", "40|0", "0|LAYER", "5|14", "330|2", "100|AcDbSymbolTableRecord",
     "100|AcDbLayerTableRecord", "2|PIPE", "70|0", "62|3", "6|CONTINUOUS", "0|ENDTAB", "0|ENDSEC",
     "0|SECTION", "2|ENTITIES", "0|ENDSEC", "0|EOF"});

TEST(DamagedTables, OtherObjectsAmongTheRecordsAreNeverTakenForThem) {
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", kTables, *db);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_GE(r.warnings.size(), 2u); // both odd objects are named

    AcDbObjectId pipe = kz::findSymbol(db.get(), kz::SymbolTable::Layer, L"PIPE");
    EXPECT_EQ(pipe.handle().value(), 0x14u);

    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(layers->getAt(L"PIPE", id), Acad::eOk);
    EXPECT_EQ(id, pipe);
    AcDbLayerTableRecord* rec = nullptr;
    EXPECT_EQ(layers->getAt(L"PIPE", rec, AcDb::kForRead), Acad::eOk);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->color().colorIndex(), 3);
    rec->close();
    layers->close();

    // Saved, the odd objects are there again, once each (they were also written as
    // objects of their own, and came back as copies with new handles at every load).
    std::string text, error;
    ASSERT_TRUE(kz::writeDrawingToText(*db, text, error)) << error;
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("  0\n12\n"), 1u);
    EXPECT_EQ(count("  0\nLTYPE\n  5\n13\n"), 1u);
    auto again = std::make_unique<AcDbDatabase>(false);
    ASSERT_TRUE(kz::readDrawingFromText("t.dxf", text, *again).ok);
    std::string second;
    ASSERT_TRUE(kz::writeDrawingToText(*again, second, error)) << error;
    EXPECT_EQ(second, text);
}

} // namespace

namespace {

// A block record whose subclass marker was damaged lost its name: its block could not
// have been saved in a form that reads again.
TEST(DamagedTables, ARecordWithoutANameIsAnErrorNamingItsLine) {
    const std::string text =
        tags({"0|SECTION", "2|TABLES", "0|TABLE", "2|BLOCK_RECORD", "5|9", "330|0",
              "100|AcDbSymbolTable", "70|1", "0|BLOCK_RECORD", "5|13", "330|9",
              "100|AcDbSymbolTableRecord", "100|AcDbBloc   kTableRecord", "2|*Paper_Space",
              "0|ENDTAB", "0|ENDSEC", "0|EOF"});
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", text, *db);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "t.dxf:17: a BLOCK_RECORD record without a name (group code 2)");
}

} // namespace

namespace {

std::string saved(const std::string& text) {
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", text, *db);
    EXPECT_TRUE(r.ok) << r.error;
    std::string out, error;
    EXPECT_TRUE(kz::writeDrawingToText(*db, out, error)) << error;
    return out;
}

// A number of an object type the database does not model is kept as read; damaged, it
// held control characters, which a save writes as "^A" and the next read must decode.
TEST(DamagedDrawing, ControlCharactersInAKeptNumberSurviveEverySave) {
    const std::string text = tags({"0|SECTION", "2|ENTITIES", "0|ENDSEC", "0|SECTION", "2|OBJECTS",
                                   "0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "3|X",
                                   "350|20", "0|KZ_THING", "5|20", "330|C", "100|KzThing"}) +
                             " 21\n2\x01\x7F^97.0\n" + tags({"0|ENDSEC", "0|EOF"});
    std::string first = saved(text);
    EXPECT_NE(first.find(" 21\n2^A\x7F^ 97.0\n"), std::string::npos) << first;
    EXPECT_EQ(saved(first), first);
}

} // namespace

namespace {

// NUL characters ("^@") in a block's name: the host's look-ups take names as C strings,
// so the record and its block were two names, and each save added another record.
TEST(DamagedDrawing, NulCharactersAreDroppedFromNames) {
    const std::string text = tags({"0|SECTION",
                                   "2|TABLES",
                                   "0|TABLE",
                                   "2|BLOCK_RECORD",
                                   "5|9",
                                   "330|0",
                                   "100|AcDbSymbolTable",
                                   "70|1",
                                   "0|BLOCK_RECORD",
                                   "5|30",
                                   "330|9",
                                   "100|AcDbSymbolTableRecord",
                                   "100|AcDbBlockTableRecord",
                                   "2|^@^@INNER",
                                   "0|ENDTAB",
                                   "0|ENDSEC",
                                   "0|SECTION",
                                   "2|BLOCKS",
                                   "0|BLOCK",
                                   "5|31",
                                   "330|30",
                                   "100|AcDbEntity",
                                   "8|0",
                                   "100|AcDbBlockBegin",
                                   "2|^@INNER",
                                   "70|0",
                                   "10|0",
                                   "20|0",
                                   "30|0",
                                   "3|INNER",
                                   "0|ENDBLK",
                                   "5|32",
                                   "330|30",
                                   "100|AcDbEntity",
                                   "8|0",
                                   "100|AcDbBlockEnd",
                                   "0|ENDSEC",
                                   "0|EOF"});
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", text, *db);
    ASSERT_TRUE(r.ok) << r.error;
    AcDbObjectId inner = kz::findSymbol(db.get(), kz::SymbolTable::Block, L"INNER");
    EXPECT_EQ(inner.handle().value(), 0x30u);
    for (const std::string& w : r.warnings)
        EXPECT_EQ(w.find("missing block record"), std::string::npos) << w;
    std::string first = saved(text);
    EXPECT_EQ(first.find("^@"), std::string::npos);
    EXPECT_EQ(saved(first), first);
}

} // namespace

namespace {

// A layer record in the viewport table, read before any linetype: its linetype name is
// looked up once all tables are read, so that a save writes it once.
TEST(DamagedDrawing, ALayerInAnotherTableGetsItsLinetypeOnce) {
    const std::string text = tags({"0|SECTION",
                                   "2|TABLES",
                                   "0|TABLE",
                                   "2|VPORT",
                                   "5|1",
                                   "330|0",
                                   "100|AcDbSymbolTable",
                                   "70|1",
                                   "0|LAYER",
                                   "5|11",
                                   "330|1",
                                   "100|AcDbSymbolTableRecord",
                                   "100|AcDbLayerTableRecord",
                                   "2|STRAY",
                                   "70|0",
                                   "62|7",
                                   "6|Continuous",
                                   "0|ENDTAB",
                                   "0|ENDSEC",
                                   "0|SECTION",
                                   "2|ENTITIES",
                                   "0|ENDSEC",
                                   "0|EOF"});
    std::string first = saved(text);
    std::size_t at = first.find("STRAY");
    ASSERT_NE(at, std::string::npos);
    std::size_t end = first.find("  0\n", at);
    std::string record = first.substr(at, end - at);
    EXPECT_EQ(record.find("  6\n"), record.rfind("  6\n")) << record;
    EXPECT_EQ(saved(first), first);
}

} // namespace

namespace {

// A block's content repeated among the entities, its ENDBLK too: taken as an entity of
// the block its 330 named, it was saved inside that block and ended it early.
TEST(DamagedDrawing, BlockMarkersAmongTheEntitiesAreAnError) {
    for (const char* marker : {"ENDBLK", "BLOCK"}) {
        const std::string text = tags({"0|SECTION", "2|ENTITIES", "0|LINE", "5|21", "8|0", "10|0",
                                       "20|0", "11|1", "21|1"}) +
                                 "  0\n" + marker + "\n" +
                                 tags({"5|20", "330|1E", "8|0", "0|ENDSEC", "0|EOF"});
        auto db = std::make_unique<AcDbDatabase>(false);
        kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", text, *db);
        EXPECT_FALSE(r.ok) << marker;
        EXPECT_EQ(r.error, "t.dxf:19: expected an entity, found 0 " + std::string(marker) +
                               " (blocks belong in the BLOCKS section)");
    }
}

} // namespace

namespace {

// A section of its own named "TABLE" (a damaged "TABLES") is kept and written back as a
// section, not moved into TABLES among the tables the database does not hold, which
// are kept with the same name.
TEST(DamagedDrawing, ASectionNamedTableStaysASection) {
    const std::string text =
        tags({"0|SECTION", "2|TABLES", "0|TABLE", "2|KZ_UNKNOWN", "70|0", "0|ENDTAB", "0|ENDSEC",
              "0|SECTION", "2|ENTITIES", "0|ENDSEC", "0|SECTION", "2|TABLE", "0|TABLE", "2|LAYER",
              "70|1", "0|ENDTAB", "0|ENDSEC", "0|EOF"});
    const std::string first = saved(text);
    const std::size_t tables = first.find("\nTABLES\n");
    const std::size_t tablesEnd = first.find("\nENDSEC\n", tables);
    const std::size_t unknown = first.find("\nKZ_UNKNOWN\n");
    const std::size_t section = first.find("SECTION\n  2\nTABLE\n");
    ASSERT_NE(unknown, std::string::npos) << first;
    ASSERT_NE(section, std::string::npos) << first;
    EXPECT_TRUE(tables < unknown && unknown < tablesEnd) << first;
    EXPECT_GT(section, tablesEnd) << first;
    EXPECT_EQ(saved(first), first);
}

} // namespace

namespace {

// NUL characters in a section's name are dropped as in every other name (the name is
// written back as a C string, which ended at the first NUL and saved a nameless
// section); a name of nothing but NULs is no name.
TEST(DamagedDrawing, NulCharactersInASectionNameAreDropped) {
    const std::string entities = tags({"0|SECTION", "2|ENTITIES", "0|ENDSEC"});
    const std::string kept = std::string("  0\nSECTION\n  2\n\0\0KZ\0DATA\n", 26) +
                             tags({"0|KZ_THING", "0|ENDSEC", "0|EOF"});
    const std::string first = saved(entities + kept);
    EXPECT_NE(first.find("SECTION\n  2\nKZDATA\n  0\nKZ_THING\n"), std::string::npos) << first;
    EXPECT_EQ(saved(first), first);

    AcDbDatabase db(false);
    const std::string nameless =
        std::string("  0\nSECTION\n  2\n\0\0\n", 19) + tags({"0|KZ_THING", "0|ENDSEC", "0|EOF"});
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", entities + nameless, db);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("t.dxf:9: SECTION without a name"), std::string::npos) << r.error;
}

} // namespace

namespace {

// An INSERT whose "0" was damaged into "1" becomes the tail of the LINE before it: a
// second AcDbEntity part with its own layer. The line takes its first layer and keeps
// the second as read, so every save writes the same text.
TEST(DamagedDrawing, AFieldGivenTwiceInAnEntityIsKeptAsRead) {
    const std::string text = tags({"0|SECTION",      "2|ENTITIES",     "0|LINE",
                                   "5|25",           "100|AcDbEntity", "8|PIPE",
                                   "100|AcDbLine",   "10|0.0",         "20|0.0",
                                   "30|0.0",         "11|0.0",         "21|10.0",
                                   "31|0.0",         "1|INSERT",       "5|26",
                                   "100|AcDbEntity", "8|DUCT",         "100|AcDbBlockReference",
                                   "2|INNER",        "0|ENDSEC",       "0|EOF"});
    const std::string first = saved(text);
    EXPECT_EQ(saved(first), first);
    EXPECT_NE(first.find("\nPIPE\n"), std::string::npos) << first;
    EXPECT_NE(first.find("\nDUCT\n"), std::string::npos) << first;
}

} // namespace

namespace {

// A damaged number of a kept object that holds "\U+00E9": numbers are not decoded, so
// the writer must not escape its backslash either, or every save adds an escape.
TEST(DamagedDrawing, ABackslashInAKeptNumberIsWrittenAsItStands) {
    const std::string text =
        tags({"0|SECTION", "2|ENTITIES", "0|ENDSEC", "0|SECTION", "2|OBJECTS", "0|DICTIONARY",
              "5|C", "330|0", "100|AcDbDictionary", "3|X", "350|20", "0|KZ_THING", "5|20", "330|C",
              "100|KzThing", "40|2.caf\\U+00E9 \\M+1907E", "0|ENDSEC", "0|EOF"});
    const std::string first = saved(text);
    EXPECT_NE(first.find(" 40\n2.caf\\U+00E9 \\M+1907E\n"), std::string::npos) << first;
    EXPECT_EQ(saved(first), first);
}

} // namespace

namespace {

// A drawing of these sections, each its name and its tags ("code|value").
using Section = std::pair<const char*, std::initializer_list<const char*>>;
std::string drawing(std::initializer_list<Section> sections) {
    std::string out;
    for (const auto& [name, body] : sections)
        out += "0\nSECTION\n2\n" + std::string(name) + "\n" + tags(body) + "0\nENDSEC\n";
    return out + "0\nEOF\n";
}

// The first save of the text, checked to save again unchanged.
std::string savedTwiceAlike(const std::string& text) {
    const std::string first = saved(text);
    EXPECT_EQ(saved(first), first);
    return first;
}

// A DICTIONARY whose "0" was damaged into "5" runs into the next one, whose entries come
// as a second AcDbDictionary part. The first part gives the entries; the second is kept
// as read, marker and all, and must not become entries of the first on the next read.
TEST(DamagedDrawing, ASecondPartOfTheSameSubclassKeepsItsOwnMarker) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {}}, {"OBJECTS", {
        "0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "3|A", "350|D",
        "0|DICTIONARY", "5|D", "330|C", "100|AcDbDictionary", "281|1",
        "5|DICTIONARY", "5|E", "330|C", "100|AcDbDictionary", "281|1", "3|INNER", "350|C"}}}));
    // clang-format on
    EXPECT_NE(first.find("AcDbDictionary\n281\n1\n  3\nINNER\n"), std::string::npos) << first;
}

// Extended data read before the file's APPID table exists (here a layer's, and the file
// has no APPID table at all) registers its application when the reading ends, not only
// on the next read of the saved drawing.
TEST(DamagedDrawing, ExtendedDataBeforeAnyApplicationTableIsRegistered) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|LAYER", "5|2", "330|0", "100|AcDbSymbolTable", "70|1",
        "0|LAYER", "5|14", "330|2", "100|AcDbSymbolTableRecord", "100|AcDbLayerTableRecord",
        "2|PIPE", "70|0", "62|3", "6|CONTINUOUS", "1001|KZ_EARLY", "1000|x", "0|ENDTAB"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_NE(first.find("AcDbRegAppTableRecord\n  2\nKZ_EARLY\n"), std::string::npos) << first;
}

// A LAYER that swallowed the next object has a second linetype (6). The first one
// counts, also when the drawing lacks it and it is added at the end of the reading;
// the second is kept as read, so every save writes the same text.
TEST(DamagedDrawing, ALayersSecondLinetypeIsKeptAsRead) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|LAYER", "5|2", "330|0", "100|AcDbSymbolTable", "70|1",
        "0|LAYER", "5|14", "330|2", "100|AcDbSymbolTableRecord", "100|AcDbLayerTableRecord",
        "2|WALL", "70|0", "62|8", "6|DASHY", "8|Defpoints", "6|ByBlock", "0|ENDTAB"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_NE(first.find("  2\nWALL\n 70\n     0\n 62\n     8\n  6\nDASHY\n"), std::string::npos)
        << first;
}

// Alignment numbers outside the text's modes (a damaged file) are no modes: the text
// keeps its default alignment and the numbers are kept as read. Reading them into the
// modes was undefined behaviour (the sanitizer build reports it).
TEST(DamagedDrawing, AlignmentNumbersOutsideTheModesAreKeptAsRead) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|TEXT", "5|25", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|HI", "72|9", "100|AcDbText", "73|5"}}}));
    // clang-format on
    EXPECT_NE(first.find(" 72\n9\n"), std::string::npos) << first;
    EXPECT_NE(first.find(" 73\n5\n"), std::string::npos) << first;
}

// Two block records of one name (a damaged file): each BLOCK goes to the record its
// owner handle names, so neither block is lost or merged into the other, and the
// record left without a block does not get a new empty one at every save.
TEST(DamagedDrawing, BlocksOfTwoRecordsWithOneNameStayApart) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|BLOCK_RECORD", "5|9", "330|0", "100|AcDbSymbolTable", "70|2",
        "0|BLOCK_RECORD", "5|1A", "330|9", "100|AcDbSymbolTableRecord",
        "100|AcDbBlockTableRecord", "2|X",
        "0|BLOCK_RECORD", "5|1B", "330|9", "100|AcDbSymbolTableRecord",
        "100|AcDbBlockTableRecord", "2|X", "0|ENDTAB"}},
        {"BLOCKS", {
        "0|BLOCK", "5|20", "330|1B", "100|AcDbEntity", "8|0", "100|AcDbBlockBegin", "2|X",
        "70|0", "10|0.0", "20|0.0", "30|0.0", "3|X",
        "0|CIRCLE", "5|21", "330|1B", "100|AcDbEntity", "8|0", "100|AcDbCircle", "10|0.0",
        "20|0.0", "30|0.0", "40|5.0",
        "0|ENDBLK", "5|22", "330|1B", "100|AcDbEntity", "8|0", "100|AcDbBlockEnd"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_NE(first.find("CIRCLE\n  5\n21\n330\n1B\n"), std::string::npos) << first;
}

// A block record in another table (kept there as read) is not where its BLOCK goes:
// blocks are written for the records of the block table only, so the content would be
// lost at the first save.
TEST(DamagedDrawing, ABlockIsNeverGivenToARecordOutsideTheBlockTable) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|LAYER", "5|2", "330|0", "100|AcDbSymbolTable", "70|1",
        "0|BLOCK_RECORD", "5|1A", "330|2", "100|AcDbSymbolTableRecord",
        "100|AcDbBlockTableRecord", "2|X", "0|ENDTAB"}},
        {"BLOCKS", {
        "0|BLOCK", "5|20", "330|1A", "100|AcDbEntity", "8|0", "100|AcDbBlockBegin", "2|X",
        "70|0", "10|0.0", "20|0.0", "30|0.0", "3|X",
        "0|CIRCLE", "5|21", "330|1A", "100|AcDbEntity", "8|0", "100|AcDbCircle", "10|0.0",
        "20|0.0", "30|0.0", "40|5.0",
        "0|ENDBLK", "5|22", "330|1A", "100|AcDbEntity", "8|0", "100|AcDbBlockEnd"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_NE(first.find("CIRCLE\n  5\n21\n"), std::string::npos) << first;
}

// A block record whose name has blanks before it (a damaged file) gets a block written
// under that name; the next read finds the record by it instead of adding another one
// under the trimmed name.
TEST(DamagedDrawing, ABlockNamedWithBlanksFindsItsRecord) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|BLOCK_RECORD", "5|9", "330|0", "100|AcDbSymbolTable", "70|1",
        "0|BLOCK_RECORD", "5|1A", "330|9", "100|AcDbSymbolTableRecord",
        "100|AcDbBlockTableRecord", "2|     1", "0|ENDTAB"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_EQ(first.find("AcDbBlockTableRecord\n  2\n1\n"), std::string::npos) << first;
}

// An INSERT whose 66 says attributes follow, followed by its SEQEND alone: the SEQEND is
// kept, and saved after a 66, so the next read takes it back rather than leaving it loose.
TEST(DamagedDrawing, AnInsertWithASeqendAndNoAttributeKeepsIt) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|INSERT", "5|25", "100|AcDbEntity", "8|0", "100|AcDbBlockReference", "66|1",
        "2|*Model_Space", "10|0.0", "20|0.0", "30|0.0",
        "0|SEQEND", "5|26", "330|25", "100|AcDbEntity", "8|0"}}}));
    // clang-format on
    EXPECT_NE(first.find(" 66\n     1\n"), std::string::npos) << first;
    EXPECT_NE(first.find("SEQEND\n  5\n26\n330\n25\n"), std::string::npos) << first;
}

// A dictionary entry naming an object the file lacks: the objects the reader adds (here
// the layer of the line) take handles above every handle the file names, so none of
// them becomes what the entry names.
TEST(DamagedDrawing, AddedObjectsNeverTakeAHandleTheFileNames) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({
        {"ENTITIES", {"0|LINE", "5|20", "100|AcDbEntity", "8|NEWLAYER", "100|AcDbLine",
                      "10|0.0", "20|0.0", "30|0.0", "11|1.0", "21|0.0", "31|0.0"}},
        {"OBJECTS", {"0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "3|X",
                     "350|21"}}}));
    // clang-format on
    EXPECT_EQ(first.find("  5\n21\n"), std::string::npos) << first;
}

// A 6 among a layer's tags before its first marker (a damaged file) is kept there; it is
// not the layer's linetype, which a later read would otherwise take from elsewhere.
TEST(DamagedDrawing, ALinetypeBeforeALayersMarkersIsNoFieldOfIt) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"TABLES", {
        "0|TABLE", "2|LAYER", "5|2", "330|0", "100|AcDbSymbolTable", "70|1",
        "0|LAYER", "5|14", "330|2", "6|DASHY", "100|AcDbSymbolTableRecord",
        "100|AcDbLayerTableRecord", "2|WALL", "70|0", "62|8", "0|ENDTAB"}},
        {"ENTITIES", {}}}));
    // clang-format on
    EXPECT_EQ(first.find("AcDbLinetypeTableRecord\n  2\nDASHY\n"), std::string::npos) << first;
}

// An attribute has one AcDbText part; a second one (a damaged file) is kept as read,
// marker and all, not taken as a text's second part and dropped by the next save.
TEST(DamagedDrawing, AnAttributesSecondTextPartIsKeptAsRead) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|ATTRIB", "5|26", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|V", "100|AcDbAttribute", "2|TAG", "70|0",
        "100|AcDbText"}}}));
    // clang-format on
    const std::size_t firstPart = first.find("100\nAcDbText\n");
    ASSERT_NE(firstPart, std::string::npos) << first;
    EXPECT_NE(first.find("100\nAcDbText\n", firstPart + 1), std::string::npos) << first;
}

// A direction that is unit length as read is kept to the bit. Normalizing this one
// again changes its last digit, so each save wrote another number.
TEST(DamagedDrawing, AUnitDirectionIsKeptAsRead) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|MTEXT", "5|25", "100|AcDbEntity", "8|0", "100|AcDbMText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|HI", "11|0.7808688094430303", "21|0.6246950475544243",
        "31|0.0"}}}));
    // clang-format on
    EXPECT_NE(first.find(" 11\n0.7808688094430303\n 21\n0.6246950475544243\n"), std::string::npos)
        << first;
}

// An entity type followed by NUL characters: its C string names ATTRIB, but it is no
// attribute of the INSERT before it. It is kept as read, not made a loose attribute that
// the next read would give the INSERT.
TEST(DamagedDrawing, ATypeWithNulCharactersIsKeptAsRead) {
    // clang-format off
    std::string entities = tags({
        "0|INSERT", "5|25", "100|AcDbEntity", "8|0", "100|AcDbBlockReference", "66|1",
        "2|*Model_Space", "10|0.0", "20|0.0", "30|0.0"});
    entities += "0\n" + std::string("ATTRIB\0\0", 8) + "\n" + tags({
        "5|26", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0", "30|0.0",
        "40|2.5", "1|V", "100|AcDbAttribute", "2|TAG", "70|0",
        "0|SEQEND", "5|27", "100|AcDbEntity", "8|0"});
    // clang-format on
    const std::string first =
        savedTwiceAlike("0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n");
    EXPECT_NE(first.find("ATTRIB^@^@\n"), std::string::npos) << first;
}

// An ATTRIB after an INSERT, or after an entity of a type the database does not model,
// that does not say attributes follow (66) is an entity of its own; it is saved so, and
// the next read must not give it to the entity before it.
TEST(DamagedDrawing, AnAttribAfterAnInsertWithoutItsFlagStaysLoose) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|INSERT", "5|25", "100|AcDbEntity", "8|0", "100|AcDbBlockReference",
        "2|*Model_Space", "10|0.0", "20|0.0", "30|0.0",
        "0|ATTRIB", "5|26", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|V", "100|AcDbAttribute", "2|TAG", "70|0"}}}));
    // clang-format on
    EXPECT_EQ(first.find(" 66\n"), std::string::npos) << first;
    EXPECT_EQ(first.find("SEQEND"), std::string::npos) << first;
    EXPECT_NE(first.find("ATTRIB\n  5\n26\n"), std::string::npos) << first;

    // clang-format off
    const std::string unknown = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|KZ_THING", "5|25", "100|AcDbEntity", "8|0", "100|KzThing", "40|1.0",
        "0|ATTRIB", "5|26", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|V", "100|AcDbAttribute", "2|TAG", "70|0"}}}));
    // clang-format on
    EXPECT_EQ(unknown.find("SEQEND"), std::string::npos) << unknown;
}

// A table record among the objects (a damaged file) belongs to no table: it is kept as
// read and written where it stood, so that an entry naming it still finds it after a
// save. A second OBJECTS section's first dictionary does not become the named object
// dictionary in place of the first section's.
TEST(DamagedDrawing, ARecordAmongTheObjectsIsKeptWhereItStood) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {}},
        {"OBJECTS", {
            "0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "3|DASH", "350|D",
            "0|LTYPE", "5|D", "330|2", "100|AcDbSymbolTableRecord",
            "100|AcDbLinetypeTableRecord", "2|DASH", "70|0", "3|", "72|65", "73|0", "40|0.0"}},
        {"OBJECTS", {
            "0|DICTIONARY", "5|E", "330|0", "100|AcDbDictionary", "3|OTHER", "350|D"}}}));
    // clang-format on
    EXPECT_NE(first.find("LTYPE\n  5\nD\n"), std::string::npos) << first;
    EXPECT_EQ(first.find("AcDbLinetypeTableRecord\n  2\nDASH\n", first.find("OBJECTS")),
              first.find("AcDbLinetypeTableRecord\n  2\nDASH\n"))
        << "written once, among the objects\n"
        << first;
    const std::size_t objects = first.find("OBJECTS\n");
    ASSERT_NE(objects, std::string::npos);
    EXPECT_EQ(first.find("  0\nDICTIONARY\n  5\nC\n", objects), first.find("  0\n", objects))
        << "the first section's dictionary stays the root\n"
        << first;
}

// Layer, linetype and text style names that no record can have (a damaged file's "*")
// are kept as read: the entity stays on layer 0, ByLayer and the default style, and
// every save writes the names again.
TEST(DamagedDrawing, SymbolNamesNoRecordCanHaveAreKeptAsRead) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|LINE", "5|25", "100|AcDbEntity", "8|LAY*ER", "6|DASH*Y", "100|AcDbLine",
        "10|0.0", "20|0.0", "30|0.0", "11|1.0", "21|0.0", "31|0.0",
        "0|TEXT", "5|26", "100|AcDbEntity", "8|0", "100|AcDbText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|T", "7|ST*YLE",
        "0|MTEXT", "5|27", "100|AcDbEntity", "8|0", "100|AcDbMText", "10|0.0", "20|0.0",
        "30|0.0", "40|2.5", "1|M", "7|MST*YLE"}}}));
    // clang-format on
    for (const char* kept : {"  8\nLAY*ER\n", "  6\nDASH*Y\n", "  7\nST*YLE\n", "  7\nMST*YLE\n"})
        EXPECT_NE(first.find(kept), std::string::npos) << kept << first;
}

// A POLYLINE whose flags make it a type kept as read (16: a mesh) gets no SEQEND of
// the writer's: the next read would not give it to the polyline, and every save would
// add another.
TEST(DamagedDrawing, APolylineKeptAsReadGetsNoSequenceEnd) {
    // clang-format off
    const std::string first = savedTwiceAlike(drawing({{"ENTITIES", {
        "0|POLYLINE", "5|25", "100|AcDbEntity", "8|0", "100|AcDbPolyFaceMesh", "70|16",
        "10|0.0", "20|0.0", "30|0.0"}}}));
    // clang-format on
    EXPECT_EQ(first.find("SEQEND"), std::string::npos) << first;
}

// A block defined twice (two BLOCKS sections) keeps its first BLOCK, whose handle the
// root dictionary names here, and the entities of both definitions. The root
// dictionary's group entry named that BLOCK: it now names a dictionary of its own.
TEST(DamagedDrawing, ABlockDefinedTwiceKeepsItsFirstBlockAndBothEntities) {
    // clang-format off
    const std::string text = drawing({
        {"BLOCKS", {
            "0|BLOCK", "5|20", "100|AcDbEntity", "8|0", "100|AcDbBlockBegin", "2|B", "70|0",
            "10|0.0", "20|0.0", "30|0.0",
            "0|LINE", "5|21", "100|AcDbEntity", "8|0", "100|AcDbLine", "10|0.0", "20|0.0",
            "30|0.0", "11|1.0", "21|0.0", "31|0.0",
            "0|ENDBLK", "5|22", "100|AcDbEntity", "8|0", "100|AcDbBlockEnd"}},
        {"BLOCKS", {
            "0|BLOCK", "5|30", "100|AcDbEntity", "8|0", "100|AcDbBlockBegin", "2|B", "70|0",
            "10|5.0", "20|0.0", "30|0.0",
            "0|LINE", "5|31", "100|AcDbEntity", "8|0", "100|AcDbLine", "10|0.0", "20|2.0",
            "30|0.0", "11|1.0", "21|2.0", "31|0.0",
            "0|ENDBLK", "5|32", "100|AcDbEntity", "8|0", "100|AcDbBlockEnd"}},
        {"ENTITIES", {}},
        {"OBJECTS", {
            "0|DICTIONARY", "5|C", "330|0", "100|AcDbDictionary", "3|ACAD_GROUP", "350|20"}}});
    // clang-format on
    auto db = std::make_unique<AcDbDatabase>(false);
    kz::DrawingReadResult r = kz::readDrawingFromText("t.dxf", text, *db);
    ASSERT_TRUE(r.ok) << r.error;
    auto warned = [&](const std::string& what) {
        return std::any_of(r.warnings.begin(), r.warnings.end(),
                           [&](const std::string& w) { return w.find(what) != std::string::npos; });
    };
    EXPECT_TRUE(warned("t.dxf:63: block \"B\" is defined a second time"));
    EXPECT_TRUE(warned("\"ACAD_GROUP\" named a BLOCK, not a dictionary"));
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    groups->close();

    const std::string first = savedTwiceAlike(text);
    const std::size_t begin = first.find("BLOCK\n  5\n20\n");
    ASSERT_NE(begin, std::string::npos) << first;
    EXPECT_EQ(first.find("  5\n30\n"), std::string::npos) << first;
    EXPECT_EQ(first.find("  0\nBLOCK\n", begin + 1),
              first.find("  0\nBLOCK\n", first.find("ENDBLK", begin)))
        << "one definition of B\n"
        << first;
    const std::size_t end = first.find("ENDBLK", begin);
    for (const char* line : {"LINE\n  5\n21\n", "LINE\n  5\n31\n"}) {
        const std::size_t at = first.find(line);
        EXPECT_TRUE(at > begin && at < end) << line << first;
    }
    EXPECT_EQ(first.find(" 10\n5.0\n"), std::string::npos) << "the first origin stays\n" << first;
}

} // namespace
