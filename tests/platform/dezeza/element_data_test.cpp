// What the route library reads from an element: identifier, root type and route kind
// (KZ_ELEMENT of its block), attributes, and link records split into fields.
#include "route_fixture.h"

namespace {

std::wstring identifier(AcDbObjectId element, int* result = nullptr) {
    wchar_t buffer[kDeZezaIdBufferSize];
    std::wmemset(buffer, L'#', kDeZezaIdBufferSize);
    int r = DeZeza_GetIDByBlockName(element, buffer);
    if (result)
        *result = r;
    return buffer;
}

TEST_F(RouteTest, IdentifiersComeBackExactlyAsTheBlockHoldsThem) {
    // The module classifies by leading characters, case-sensitive: nothing may change
    // letter case or trim, and a long identifier is cut to the buffer.
    std::wstring longId(400, L'R');
    for (std::wstring id : {L"KK10", L"rt01", L"RBS", L"RB", L" RB4", longId.c_str()}) {
        AcDbObjectId block =
            defineElement(std::to_wstring(id.size() + id[0]).c_str(), {}, {}, {id});
        int result = -1;
        EXPECT_EQ(identifier(insert(block, {}), &result), id.substr(0, kDeZezaIdBufferSize - 1));
        EXPECT_EQ(result, 0);
        EXPECT_EQ(identifier(block), id.substr(0, kDeZezaIdBufferSize - 1));
    }
}

TEST_F(RouteTest, MissingRecordsAndValuesReadAsEmptyAndZero) {
    int result = 0, kind = -1;
    AcDbObjectId bare = insert(defineElement(L"BARE", {}, {}, {}), {});
    EXPECT_EQ(identifier(bare, &result), L"");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(DeZeza_GetRootType(bare, &kind), 0);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(RootComn_GetBlockRootKind(bare, &kind), 1);
    AcDbObjectId idOnly = insert(defineElement(L"ID", {}, {}, {L"RBL"}), {});
    EXPECT_EQ(RootComn_GetBlockRootKind(idOnly, &kind), 0);
    EXPECT_EQ(kind, 0);
    AcDbObjectId full = insert(defineElement(L"FULL", {}, {}, {L"RT01", L"7", L"2"}), {});
    EXPECT_EQ(DeZeza_GetRootType(full, &kind), 7);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(identifier(addToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0})), &result), L"");
    EXPECT_EQ(result, 1);
}

TEST_F(RouteTest, AttributesAreFoundByTagIgnoringCase) {
    AcDbObjectId ref = insert(defineElement(L"DUCT", {}, {}, {L"RT"}), {}, L"2|||01||1|",
                              {{L"S016", L""}, {L"S041", L"kaku"}, {L"S121", L"300"}});
    CAttributeData reader;
    EXPECT_EQ(reader.GetValueAttID(ref, L"s041"), CString(L"kaku"));
    EXPECT_EQ(reader.GetValueAttID(ref, L"S121"), CString(L"300"));
    EXPECT_TRUE(reader.GetValueAttID(ref, L"S402").IsEmpty());
    EXPECT_TRUE(reader.GetValueAttID(AcDbObjectId(), L"S041").IsEmpty());
}

TEST(SplitStringTest, EveryFieldIsKeptIncludingEmptyOnes) {
    auto split = [](const wchar_t* text, const wchar_t* sep, const wchar_t* trim = nullptr) {
        CStringArray fields;
        int n = DeZeza_GetSplitString(text, fields, trim, sep);
        std::vector<std::wstring> out;
        for (INT_PTR i = 0; i < fields.GetSize(); ++i)
            out.emplace_back(fields[i].view());
        EXPECT_EQ(n, static_cast<int>(out.size()));
        return out;
    };
    using V = std::vector<std::wstring>;
    EXPECT_EQ(split(L"0|||01||1|", L"|"), (V{L"0", L"", L"", L"01", L"", L"1", L""}));
    EXPECT_TRUE(split(L"", L"|").empty());
    EXPECT_EQ(split(L"a|b", nullptr), V{L"a|b"});
    EXPECT_EQ(split(L" a | b ", L"|", L" "), (V{L"a", L"b"}));
}

} // namespace
