// A script compiled at build time into this program (data/sample.rc), read back through
// the Windows functions: what the generated source holds is exactly what was written.
#include "module_record.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

extern "C" const kz::ResourceTable kzTestResources;

namespace {

HINSTANCE sampleModule() {
    static kz::ModuleRecord record = [] {
        kz::ModuleRecord r;
        r.baseName = L"sample.dll";
        r.resources = &kzTestResources;
        return r;
    }();
    return reinterpret_cast<HINSTANCE>(&record);
}

std::wstring load(UINT id) {
    wchar_t buf[64];
    const int n = LoadStringW(sampleModule(), id, buf, 64);
    return std::wstring(buf, static_cast<std::size_t>(n));
}

} // namespace

TEST(GeneratedTable, StringsSurviveEscapingIntoCpp) {
    EXPECT_EQ(load(16), L"\n1行目\n2");
    EXPECT_EQ(load(17), L"a \"quoted\" \"word\" \\ back");
    EXPECT_EQ(load(18), L"\x41BC\x3042tail");
    EXPECT_EQ(load(19), L"");
    EXPECT_EQ(load(20), std::wstring(L"a\0b", 3));
    EXPECT_EQ(load(31), L"寸法線 ｼｽﾃﾑ °");
    EXPECT_EQ(load(65535), L"last");
    EXPECT_EQ(load(21), L""); // gap inside a present block
    EXPECT_EQ(load(32), L""); // absent block
}

TEST(GeneratedTable, StringListMatchesBlocks) {
    const kz::ResourceTable& t = kzTestResources;
    ASSERT_EQ(t.stringCount, 7u);
    for (UINT i = 0; i < t.stringCount; ++i) {
        const kz::StringResource& s = t.strings[i];
        EXPECT_EQ(s.language, 1041);
        EXPECT_EQ(load(s.id), std::wstring(s.text, s.length)) << s.id;
    }
}

TEST(GeneratedTable, EntriesSortedByTypeIdLanguage) {
    const kz::ResourceTable& t = kzTestResources;
    // Blocks 2 (16-31) and 4096 (65535), one dialog, one bitmap.
    ASSERT_EQ(t.entryCount, 4u);
    for (UINT i = 1; i < t.entryCount; ++i) {
        const auto& a = t.entries[i - 1];
        const auto& b = t.entries[i];
        EXPECT_LT(std::tie(a.type, a.id, a.language), std::tie(b.type, b.id, b.language));
    }
    EXPECT_NE(FindResourceW(sampleModule(), MAKEINTRESOURCEW(4096), RT_STRING), nullptr);
}

TEST(GeneratedTable, DialogListDataAndBitmap) {
    const kz::DialogTemplate* d = kz::findDialogTemplate(sampleModule(), 300u);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(std::wstring(d->caption), L"見本");
    EXPECT_EQ(d->style, 0x80C80040u); // default popup style, caption, font
    EXPECT_TRUE(d->extended);
    const kz::DialogControl* list = kz::findDialogControl(*d, 301);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->listCount, 2u);
    EXPECT_EQ(std::wstring(list->listItems[0]), L"一");
    EXPECT_EQ(std::wstring(list->listItems[1]), L"two \"2\"");
    EXPECT_EQ(d->controls[1].imageId, 302);

    kz::BitmapBits bits = kz::findBitmap(sampleModule(), 302);
    ASSERT_NE(bits.data, nullptr);
    EXPECT_EQ(bits.width, 3);
    EXPECT_EQ(bits.height, 2);
    EXPECT_EQ(bits.bitCount, 8);
}
