#include "win_host_io.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HostIo, DefaultsReadNothingAndShowNothing) {
    EXPECT_FALSE(kz::hostReadLine(L"Dialog 200: ").has_value());
    kz::hostWrite(L"nobody sees this\n"); // must not crash without a writer
}

TEST(HostIo, InstalledReaderAndWriterAreUsedAndCanBePutBack) {
    std::vector<std::wstring> prompts;
    std::wstring shown;
    auto oldReader = kz::setHostLineReader([&](const std::wstring& prompt) {
        prompts.push_back(prompt);
        return std::optional<std::wstring>(L"OK");
    });
    auto oldWriter = kz::setHostTextWriter([&](const std::wstring& text) { shown += text; });

    EXPECT_EQ(kz::hostReadLine(L"Dialog 211: "), std::optional<std::wstring>(L"OK"));
    kz::hostWrite(L"a");
    kz::hostWrite(L"b\n");
    EXPECT_EQ(prompts, std::vector<std::wstring>{L"Dialog 211: "});
    EXPECT_EQ(shown, L"ab\n");

    kz::setHostLineReader(oldReader);
    kz::setHostTextWriter(oldWriter);
    EXPECT_FALSE(kz::hostReadLine(L"x").has_value());
    kz::hostWrite(L"dropped");
    EXPECT_EQ(shown, L"ab\n");
}

TEST(HostIo, InputErrorsGoToTheHandlerOrTheTranscript) {
    std::wstring shown;
    auto oldWriter = kz::setHostTextWriter([&](const std::wstring& text) { shown += text; });
    kz::hostInputError(L"no control 99");
    EXPECT_EQ(shown, L"no control 99\n");

    std::wstring handled;
    auto oldHandler =
        kz::setHostInputErrorHandler([&](const std::wstring& message) { handled = message; });
    kz::hostInputError(L"bad value");
    EXPECT_EQ(handled, L"bad value");
    EXPECT_EQ(shown, L"no control 99\n");
    kz::setHostInputErrorHandler(oldHandler);
    kz::setHostTextWriter(oldWriter);
}

TEST(HostIo, SettingsAreSetReplacedAndRemoved) {
    EXPECT_FALSE(kz::hostSetting(kz::kHostIniFileSetting).has_value());
    kz::setHostSetting(kz::kHostIniFileSetting, L"/tmp/a.ini");
    kz::setHostSetting(kz::kHostIniFileSetting, L"/tmp/b.ini");
    EXPECT_EQ(kz::hostSetting(kz::kHostIniFileSetting), std::optional<std::wstring>(L"/tmp/b.ini"));
    kz::setHostSetting(kz::kHostIniFileSetting, L"");
    EXPECT_FALSE(kz::hostSetting(kz::kHostIniFileSetting).has_value());
}

} // namespace
