#include "ed_fixture.h"

#include "aced.h"
#include "ed/app_runtime.h"
#include "ed/command_loop.h"

#include "win_codepage.h"

#include <string>

namespace {

int calls = 0;
void countCall() {
    ++calls;
}
void otherCall() {
    calls += 100;
}

std::wstring binPath(const wchar_t* name) {
    return kz::utf8ToWide(KZ_BIN_DIR) + L"/" + name;
}

TEST(CommandStack, RegistrationRulesAndLookup) {
    AcEdCommandStack stack;
    EXPECT_EQ(stack.addCommand(L"G1", L"CMD", L"KOMANDO", ACRX_CMD_MODAL, countCall), Acad::eOk);
    EXPECT_EQ(stack.addCommand(L"G1", L"cmd", nullptr, ACRX_CMD_MODAL, countCall),
              Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"G1", L"TWO WORDS", nullptr, 0, countCall), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"G1", L"NOFN", nullptr, 0, nullptr), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"G2", L"CMD", L"", ACRX_CMD_USEPICKSET, otherCall), Acad::eOk);

    // The newest group wins; local names are found too.
    ASSERT_NE(stack.kzFind(L"cmd"), nullptr);
    EXPECT_STREQ(stack.kzFind(L"cmd")->groupName(), L"G2");
    EXPECT_STREQ(stack.lookupLocalCmd(L"komando")->globalName(), L"CMD");
    EXPECT_STREQ(stack.lookupGlobalCmd(L"CMD", L"G1")->groupName(), L"G1");
    EXPECT_STREQ(stack.kzFind(L"CMD")->localName(), L"CMD"); // empty local name: the global

    EXPECT_EQ(stack.removeGroup(L"g2"), Acad::eOk);
    EXPECT_STREQ(stack.kzFind(L"CMD")->groupName(), L"G1");
    EXPECT_EQ(stack.removeCmd(L"G1", L"CMD"), Acad::eOk);
    EXPECT_EQ(stack.kzFind(L"CMD"), nullptr);
    EXPECT_EQ(stack.removeGroup(L"G9"), Acad::eKeyNotFound);
}

TEST(CommandStack, TheRegistryHoldsTheHostServices) {
    AcRxObject* dock = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isA()->isDerivedFrom(AcEdCommandStack::desc()));
    EXPECT_EQ(acedRegCmds, dock);
    EXPECT_NE(acrxDynamicLinker, nullptr);
    EXPECT_EQ(acrxSysRegistry()->at(L"NO_SUCH_SERVICE"), nullptr);
    EXPECT_EQ(acrxGetApiVersion(), ACRX_API_VERSION);
}

TEST_F(EditorTest, CommandNamesAtTheCommandPrompt) {
    acedRegCmds->addCommand(L"TESTG", L"TCOUNT", L"TCOUNT", ACRX_CMD_MODAL, countCall);
    calls = 0;
    script(L"tcount\n_.TCOUNT\n\n*CANCEL*\n");
    EXPECT_TRUE(kz::ed::runCommandLoop());
    EXPECT_EQ(calls, 3); // Enter repeats the last command
    script(L"NOSUCH\nTCOUNT\n");
    EXPECT_FALSE(kz::ed::runCommandLoop());
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(line().error(), L"test.scr:1: expected a command name, got \"NOSUCH\"");
    EXPECT_NE(transcript().find(L"Unknown command \"NOSUCH\".  Press F1 for help."),
              std::wstring::npos);
    acedRegCmds->removeGroup(L"TESTG");
}

TEST_F(EditorTest, HooksRunAroundEachCommand) {
    acedRegCmds->addCommand(L"TESTG", L"TCOUNT", L"TCOUNT", ACRX_CMD_MODAL, countCall);
    std::vector<std::wstring> events;
    int before = kz::ed::addBeforeCommandHook([&](const std::wstring& name) {
        events.push_back(L"before " + name + L" " + std::to_wstring(calls));
    });
    kz::ed::addAfterCommandHook([&](const std::wstring& name) {
        events.push_back(L"after " + name + L" " + std::to_wstring(calls));
        kz::ed::removeCommandHook(before); // a hook may remove hooks
    });
    calls = 0;
    script(L"TCOUNT\nTCOUNT\n");
    kz::ed::runCommandLoop();
    EXPECT_EQ(events, (std::vector<std::wstring>{L"before TCOUNT 0", L"after TCOUNT 1",
                                                 L"after TCOUNT 2"}));
    acedRegCmds->removeGroup(L"TESTG");
}

TEST_F(EditorTest, ApplicationsLoadRegisterAndUnload) {
    ASSERT_TRUE(acrxDynamicLinker->loadModule(binPath(L"KzEdTest.arx").c_str(), true));
    EXPECT_TRUE(acrxDynamicLinker->loadModule(binPath(L"KzEdTest.arx").c_str(), false)); // once
    EXPECT_EQ(kz::ed::loadedApps().size(), 1u);
    const AcEdCommand* cmd = acedRegCmds->kzFind(L"TPOINT");
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->commandApp(), kz::ed::loadedApps().front().get());
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"kzedtest.arx")); // it unlocked itself
    EXPECT_TRUE(kz::ed::loadedApps().front()->mdiAware);
    EXPECT_FALSE(acrxDynamicLinker->unlockApplication(reinterpret_cast<void*>(0x1234)));

    EXPECT_TRUE(acrxDynamicLinker->unloadModule(L"KzEdTest.arx", true));
    EXPECT_EQ(acedRegCmds->kzFind(L"TPOINT"), nullptr);
    EXPECT_TRUE(kz::ed::loadedApps().empty());
    EXPECT_NE(transcript().find(L"KzEdTest loaded (interface 20)\nKzEdTest.arx loaded.\n"),
              std::wstring::npos);
    EXPECT_NE(transcript().find(L"KzEdTest unloaded\nKzEdTest.arx unloaded.\n"),
              std::wstring::npos);
}

TEST_F(EditorTest, AnApplicationThatRefusesIsUnloadedWithItsCommands) {
    EXPECT_FALSE(acrxDynamicLinker->loadModule(binPath(L"KzEdRefuse.arx").c_str(), false));
    EXPECT_EQ(acedRegCmds->kzFind(L"TREFUSED"), nullptr);
    EXPECT_TRUE(kz::ed::loadedApps().empty());
    EXPECT_EQ(transcript(), L"Unable to load KzEdRefuse.arx: it refused to initialise\n");
}

TEST_F(EditorTest, MissingAndNonApplicationLibrariesAreReported) {
    EXPECT_FALSE(acrxDynamicLinker->loadModule(binPath(L"NoSuch.arx").c_str(), false));
    EXPECT_FALSE(acrxDynamicLinker->loadModule(binPath(L"libKzTestPlain.so").c_str(), false));
    EXPECT_NE(transcript().find(L"Unable to load NoSuch.arx: "), std::wstring::npos);
    EXPECT_NE(transcript().find(L"Unable to load libKzTestPlain.so: it has no acrxEntryPoint"),
              std::wstring::npos);
}

TEST_F(EditorTest, AtExitEveryApplicationIsToldAndTheDocumentCloses) {
    ASSERT_TRUE(acrxDynamicLinker->loadModule(binPath(L"KzEdTest.arx").c_str(), false));
    kz::ed::endHost();
    EXPECT_TRUE(kz::ed::loadedApps().empty());
    EXPECT_NE(transcript().find(L"KzEdTest: Drawing1.dwg closes\nKzEdTest unloaded\n"),
              std::wstring::npos);
    kz::ed::startHost({}); // for TearDown
}

} // namespace
