// What the route library reads from an element: its identifier, root type and route
// kind (KZ_ELEMENT of its block), its attributes, and link records split into fields.
#include "route_fixture.h"

#include <string>

namespace {

class ElementDataTest : public RouteTest {
protected:
    std::wstring identifier(AcDbObjectId element, int* result = nullptr) {
        wchar_t buffer[kDeZezaIdBufferSize];
        std::wmemset(buffer, L'#', kDeZezaIdBufferSize);
        int r = DeZeza_GetIDByBlockName(element, buffer);
        if (result)
            *result = r;
        return buffer;
    }
};

TEST_F(ElementDataTest, IdentifiersComeBackExactlyAsTheBlockRecordHoldsThem) {
    // The module classifies by the leading characters, case-sensitive: the reader must
    // neither change letter case nor trim.
    for (const wchar_t* id : {L"KK10", L"RT", L"rt01", L"RBS", L"RB", L"RBSL2", L" RB4"}) {
        AcDbObjectId block = defineElement(id[0] == L' ' ? L"SPACE" : id, {}, {}, {id});
        AcDbObjectId ref = insert(block, {});
        int result = -1;
        EXPECT_EQ(identifier(ref, &result), id);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(identifier(block), id); // the block record itself answers too
    }
}

TEST_F(ElementDataTest, MissingRecordsAndValuesReadAsEmptyAndZero) {
    AcDbObjectId bare = insert(defineElement(L"BARE", {}, {}, {}), {});
    int result = 0;
    EXPECT_EQ(identifier(bare, &result), L"");
    EXPECT_EQ(result, 1);
    int kind = -1;
    EXPECT_EQ(DeZeza_GetRootType(bare, &kind), 0);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(RootComn_GetBlockRootKind(bare, &kind), 1);

    // Only the identifier given: root type and route kind are 0, the record is there.
    AcDbObjectId shortRecord = insert(defineElement(L"SHORT", {}, {}, {L"RBL"}), {});
    EXPECT_EQ(DeZeza_GetRootType(shortRecord, &kind), 0);
    EXPECT_EQ(RootComn_GetBlockRootKind(shortRecord, &kind), 0);
    EXPECT_EQ(kind, 0);

    AcDbObjectId full = insert(defineElement(L"FULL", {}, {}, {L"RT01", L"7", L"2", L"x"}), {});
    EXPECT_EQ(DeZeza_GetRootType(full, nullptr), 7);
    EXPECT_EQ(DeZeza_GetRootType(full, &kind), 7);
    EXPECT_EQ(kind, 2);

    AcDbObjectId line = addToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    EXPECT_EQ(identifier(line, &result), L"");
    EXPECT_EQ(result, 1);
}

TEST_F(ElementDataTest, ALongIdentifierIsCutToTheBuffer) {
    std::wstring longId(400, L'R');
    AcDbObjectId ref = insert(defineElement(L"LONG", {}, {}, {longId}), {});
    EXPECT_EQ(identifier(ref), longId.substr(0, kDeZezaIdBufferSize - 1));
}

TEST_F(ElementDataTest, AttributesAreFoundByTagIgnoringCase) {
    AcDbObjectId block = defineElement(L"DUCT", {}, {}, {L"RT"});
    AcDbObjectId ref =
        insert(block, {}, L"2|||01||1|", {{L"S016", L""}, {L"S041", L"kaku"}, {L"S121", L"300"}});
    CAttributeData reader;
    EXPECT_EQ(reader.GetValueAttID(ref, L"S041"), CString(L"kaku"));
    EXPECT_EQ(reader.GetValueAttID(ref, L"s121"), CString(L"300"));
    EXPECT_TRUE(reader.GetValueAttID(ref, L"S016").IsEmpty());
    EXPECT_TRUE(reader.GetValueAttID(ref, L"S402").IsEmpty());
    AcDbObjectId line = addToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    EXPECT_TRUE(reader.GetValueAttID(line, L"S041").IsEmpty());
}

std::vector<std::wstring> split(const wchar_t* text, const wchar_t* separator,
                                const wchar_t* trim = nullptr) {
    CStringArray fields;
    fields.Add(L"before");
    int n = DeZeza_GetSplitString(text, fields, trim, separator);
    std::vector<std::wstring> out;
    for (INT_PTR i = 1; i < fields.GetSize(); ++i)
        out.emplace_back(fields[i].view());
    EXPECT_EQ(n, static_cast<int>(out.size()));
    return out;
}

TEST(SplitStringTest, EveryFieldIsKeptIncludingEmptyOnes) {
    using V = std::vector<std::wstring>;
    // The link record the module writes: the flag is the field second from the end.
    EXPECT_EQ(split(L"0|||01||1|", L"|"), (V{L"0", L"", L"", L"01", L"", L"1", L""}));
    EXPECT_EQ(split(L"2", L"|"), V{L"2"});
    EXPECT_EQ(split(L"|", L"|"), (V{L"", L""}));
    EXPECT_TRUE(split(L"", L"|").empty());
    EXPECT_TRUE(split(nullptr, L"|").empty());
    EXPECT_EQ(split(L"a|b", nullptr), V{L"a|b"});
    EXPECT_EQ(split(L"a::b:c", L"::"), (V{L"a", L"b:c"}));
    EXPECT_EQ(split(L" a | b ", L"|", L" "), (V{L"a", L"b"}));
}

} // namespace
