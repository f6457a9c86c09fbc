// Ordered string lists in extended data: read back unchanged, replaced or extended,
// long strings kept whole, the application registered; and entities put on layers.
#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "acutmem.h"
#include "dbents.h"

namespace {

using Strings = std::vector<std::wstring>;

class LinkListTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        line = addToModelSpace(new AcDbLine({0, 0, 0}, {10, 0, 0}));
    }
    int write(const Strings& strings, bool replace = true, const wchar_t* app = L"KZ_DIMENSION") {
        CStringArray list;
        for (const auto& s : strings)
            list.Add(s.c_str());
        return ApiComn_appendAttributesArray(line, app, &list, replace);
    }
    Strings read(int* result = nullptr, int skip = 0, const wchar_t* app = L"KZ_DIMENSION") {
        CStringArray list;
        int r = ApiComn_extractAttributesArrayID(line, app, &list, skip);
        if (result)
            *result = r;
        Strings out;
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            out.emplace_back(list[i].view());
        return out;
    }
    AcDbObjectId line;
};

TEST_F(LinkListTest, ListsComeBackUnchangedAndWritesReplaceOrAppend) {
    int result = 0;
    EXPECT_TRUE(read(&result).empty());
    EXPECT_EQ(result, 1); // no record yet
    Strings handles{L"1A3", L"", L"1A3", L" spaced ", L"寸法"};
    ASSERT_EQ(write(handles), 0);
    EXPECT_EQ(read(&result), handles);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(read(nullptr, 3), (Strings{L" spaced ", L"寸法"}));
    ASSERT_EQ(write({L"D"}), 0);
    ASSERT_EQ(write({L"E"}, false), 0);
    EXPECT_EQ(read(), (Strings{L"D", L"E"}));
    // Another application's data stay; an empty list removes the record.
    ASSERT_EQ(write({L"0|||01||1|"}, true, L"KZ_LINK"), 0);
    ASSERT_EQ(write({}), 0);
    EXPECT_EQ(ApiComn_extractAttributesArrayID(line, L"KZ_DIMENSION", nullptr, 0), 1);
    EXPECT_EQ(read(nullptr, 0, L"KZ_LINK"), Strings{L"0|||01||1|"});
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has(L"KZ_LINK"));
    apps->close();
}

TEST_F(LinkListTest, LongStringsAreSplitIntoGroupsTheHostAcceptsAndJoinedOnRead) {
    std::wstring japanese(200, L'寸'); // 600 bytes in UTF-8: three groups
    std::wstring ascii(300, L'x');     // two groups
    ASSERT_EQ(write({L"first", japanese, ascii}), 0);
    EXPECT_EQ(read(), (Strings{L"first", japanese, ascii}));
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, line, AcDb::kForRead), Acad::eOk);
    resbuf* chain = obj->xData(L"KZ_DIMENSION");
    obj->close();
    int groups = 0;
    for (resbuf* rb = chain; rb; rb = rb->rbnext) {
        if (rb->restype == 1000) {
            ++groups;
            EXPECT_LE(kz::wideToUtf8(rb->resval.rstring).size(), 255u);
        }
    }
    acutRelRb(chain);
    EXPECT_EQ(groups, 6);
    // An erased object is still read (a reactor reads the replaced element), not written.
    AcDbObject* erased = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(erased, line, AcDb::kForWrite), Acad::eOk);
    erased->erase();
    erased->close();
    EXPECT_EQ(read().size(), 3u);
    EXPECT_NE(write({L"30"}), 0);
}

TEST_F(DbTest, SetLayerCreatesAMissingLayerAndAddEntityClosesTheEntity) {
    auto* line = new AcDbLine({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(ApiComn_SetLayer(line, L"KZ_DIM"), 0);
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(acdbOpenObject(rec, line->layerId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(rec->name(), L"KZ_DIM");
    rec->close();
    EXPECT_NE(ApiComn_SetLayer(line, L"bad<name"), 0);
    AcDbObjectId id;
    ASSERT_EQ(ApiComn_AddEntity(line, &id), 0);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk); // it was closed
    EXPECT_EQ(ent->blockId(), db->currentSpaceId());
    ent->close();
}

} // namespace
