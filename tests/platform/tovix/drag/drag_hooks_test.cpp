#include "drag_fixture.h"

#include "accmd.h"
#include "ed/command_loop.h"

namespace {
Events hookEvents;
void hook(dragdata* d, const wchar_t* what) {
    hookEvents.push_back(what + std::wstring(d->drag ? L" with drag" : L""));
}
} // namespace

// The end hook runs after the command that follows its installation, not after the one
// installing it, and can remove itself.
TEST_F(DragTest, CommandHooksRunAroundTheNextCommand) {
    hookEvents.clear();
    acedRegCmds->addCommand(L"TDRAG", L"TINSTALL", L"TINSTALL", ACRX_CMD_MODAL, [] {
        hookEvents.push_back(L"install");
        CDrag::notifyFunc([](dragdata* d) { hook(d, L"start"); },
                          [](dragdata* d) {
                              hook(d, L"end");
                              CDrag::notifyFunc(nullptr, nullptr, nullptr, nullptr);
                          },
                          nullptr, nullptr);
    });
    acedRegCmds->addCommand(L"TDRAG", L"TOTHER", L"TOTHER", ACRX_CMD_MODAL,
                            [] { hookEvents.push_back(L"other"); });
    script(L"TINSTALL\nTOTHER\nTOTHER\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_EQ(hookEvents, (Events{L"install", L"start", L"other", L"end", L"other"}));
    acedRegCmds->removeGroup(L"TDRAG");

    hookEvents.clear();
    CDrag::notifyFunc(
        nullptr, nullptr, [](dragdata* d) { hook(d, L"drag start"); },
        [](dragdata* d) { hook(d, L"drag end"); });
    EXPECT_EQ(run(L"~1,1\n*CANCEL*\n"), RTCAN);
    CDrag::notifyFunc(nullptr, nullptr, nullptr, nullptr);
    run(L"*CANCEL*\n");
    EXPECT_EQ(hookEvents, (Events{L"drag start with drag", L"drag end with drag"}));
}
