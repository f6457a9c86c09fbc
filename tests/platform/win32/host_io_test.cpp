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

} // namespace
