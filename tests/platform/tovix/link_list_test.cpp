// Ordered string lists in extended data: written, read back unchanged, replaced or
// extended, long strings kept whole, and the application registered.
#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "acutmem.h"
#include "dbents.h"

#include <string>
#include <vector>

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

TEST_F(LinkListTest, ListsComeBackInOrderAndUnchanged) {
    int result = 0;
    EXPECT_TRUE(read(&result).empty());
    EXPECT_EQ(result, 1); // no record yet
    Strings handles{L"1A3", L"", L"1A3", L" spaced ", L"寸法"};
    ASSERT_EQ(write(handles), 0);
    EXPECT_EQ(read(&result), handles);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(read(nullptr, 2), (Strings{L"1A3", L" spaced ", L"寸法"}));
    EXPECT_EQ(ApiComn_extractAttributesArrayID(line, L"KZ_DIMENSION", nullptr, 0), 0);
    EXPECT_EQ(ApiComn_extractAttributesArrayID(line, L"KZ_LINK", nullptr, 0), 1);
}

TEST_F(LinkListTest, WritingReplacesTheWholeListOrAppendsToIt) {
    ASSERT_EQ(write({L"A", L"B", L"C"}), 0);
    ASSERT_EQ(write({L"D"}), 0);
    EXPECT_EQ(read(), Strings{L"D"});
    ASSERT_EQ(write({L"E", L"F"}, false), 0);
    EXPECT_EQ(read(), (Strings{L"D", L"E", L"F"}));
    // Other applications' data stay as they are.
    ASSERT_EQ(write({L"0|||01||1|"}, true, L"KZ_LINK"), 0);
    ASSERT_EQ(write({}), 0); // an empty list removes the record
    int result = 0;
    EXPECT_TRUE(read(&result).empty());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(read(nullptr, 0, L"KZ_LINK"), Strings{L"0|||01||1|"});
}

TEST_F(LinkListTest, LongStringsAreSplitIntoGroupsTheHostAcceptsAndJoinedOnRead) {
    std::wstring longJapanese(200, L'寸'); // 600 bytes in UTF-8
    std::wstring longAscii(300, L'x');
    ASSERT_EQ(write({L"first", longJapanese, longAscii, L"last"}), 0);
    EXPECT_EQ(read(), (Strings{L"first", longJapanese, longAscii, L"last"}));

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
    EXPECT_EQ(groups, 2 + 3 + 2); // 600 bytes in three groups, 300 in two
}

TEST_F(LinkListTest, TheApplicationIsRegisteredAndErasedObjectsAreStillRead) {
    ASSERT_EQ(write({L"2F"}, true, L"KZ_NEWAPP"), 0);
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has(L"KZ_NEWAPP"));
    apps->close();

    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, line, AcDb::kForWrite), Acad::eOk);
    obj->erase();
    obj->close();
    EXPECT_EQ(read(nullptr, 0, L"KZ_NEWAPP"), Strings{L"2F"});
    // Writing needs a live object.
    EXPECT_NE(write({L"30"}, true, L"KZ_NEWAPP"), 0);
    EXPECT_EQ(read(nullptr, 0, L"KZ_NEWAPP"), Strings{L"2F"});
}

TEST_F(LinkListTest, BadArgumentsFailWithoutTouchingAnything) {
    CStringArray list;
    list.Add(L"kept");
    EXPECT_EQ(ApiComn_extractAttributesArrayID(AcDbObjectId(), L"KZ_LINK", &list, 0), -1);
    EXPECT_EQ(ApiComn_extractAttributesArrayID(line, nullptr, &list, 0), -1);
    EXPECT_NE(ApiComn_appendAttributesArray(AcDbObjectId(), L"KZ_LINK", &list, true), 0);
    EXPECT_NE(ApiComn_appendAttributesArray(line, L"", &list, true), 0);
    EXPECT_EQ(list.GetSize(), 1);
}

} // namespace
