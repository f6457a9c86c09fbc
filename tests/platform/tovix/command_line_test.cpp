// The common API with the editor: string lists found by an extended-data selection
// filter, and text queued on the command line.
#include "../acad/ed/ed_fixture.h"

#include "ApiComn.h"
#include "aced.h"
#include "acutmem.h"
#include "ed/command_loop.h"

namespace {

std::vector<AcDbObjectId> selectAllWith(const wchar_t* app) {
    resbuf* filter = acutBuildList(-3, 1001, app, 0);
    ads_name ss;
    std::vector<AcDbObjectId> out;
    Adesk::Int32 n = 0;
    if (acedSSGet(L"X", nullptr, nullptr, filter, ss) == RTNORM && spedSSLength(ss, &n) == RTNORM) {
        for (Adesk::Int32 i = 0; i < n; ++i) {
            ads_name e;
            AcDbObjectId id;
            acedSSName(ss, i, e);
            acdbGetObjectId(id, e);
            out.push_back(id);
        }
        acedSSFree(ss);
    }
    acutRelRb(filter);
    return out;
}

TEST_F(EditorTest, ObjectsWithAListAreFoundByAnApplicationFilter) {
    AcDbObjectId lines[] = {addLine(0, 0, 10, 0), addLine(0, 5, 10, 5), addLine(0, 9, 10, 9)};
    CStringArray list;
    list.Add(L"2A");
    ASSERT_EQ(ApiComn_appendAttributesArray(lines[0], L"KZ_DIMENSION", &list, true), 0);
    ASSERT_EQ(ApiComn_appendAttributesArray(lines[2], L"KZ_DIMENSION", &list, true), 0);
    EXPECT_EQ(selectAllWith(L"KZ_DIMENSION"), (std::vector<AcDbObjectId>{lines[0], lines[2]}));
    list.RemoveAll(); // an emptied list is no record
    ASSERT_EQ(ApiComn_appendAttributesArray(lines[2], L"KZ_DIMENSION", &list, true), 0);
    EXPECT_EQ(selectAllWith(L"KZ_DIMENSION"), std::vector<AcDbObjectId>{lines[0]});
}

std::vector<std::wstring> received;

void sender() {
    EXPECT_EQ(ApiComn_sendCommand(L"TRECEIVE", 0, 0, 1), 0);
    EXPECT_EQ(ApiComn_sendCommand(L"@12.5,0", 0, 1, 0), 0);
    EXPECT_EQ(ApiComn_sendCommand(L"", 0, 0, 1), -1);
}

void receiver() {
    wchar_t text[133] = L"";
    if (acedGetString(0, L"\nValue: ", text, 133) == RTNORM)
        received.push_back(text);
}

TEST_F(EditorTest, SentTextRunsAfterTheCommandAsTypedInput) {
    acedRegCmds->addCommand(L"TOVIXTEST", L"TSEND", L"TSEND", ACRX_CMD_MODAL, sender);
    acedRegCmds->addCommand(L"TOVIXTEST", L"TRECEIVE", L"TRECEIVE", ACRX_CMD_MODAL, receiver);
    received.clear();
    script(L"TSEND\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_EQ(received, std::vector<std::wstring>{L"@12.5,0"});
    EXPECT_NE(transcript().find(L"TRECEIVE"), std::wstring::npos); // echoed
    acedRegCmds->removeGroup(L"TOVIXTEST");
}

} // namespace
