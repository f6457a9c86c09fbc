// The resource functions over a hand-made table, independent of the resource compiler.
#include "module_record.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Block 7 holds strings 96-111; only 100, 101 and 103 are set, 101 is empty.
const wchar_t kBlock7[] = {0, 0,     0,     0,     5, L'H', L'e', L'l', L'l', L'o', 0, 0,
                           3, L'寸', L'法', L'線', 0, 0,    0,    0,    0,    0,    0, 0};
// A block in another language for string 100.
const wchar_t kBlock7En[] = {0, 0, 0, 0, 2, L'E', L'n', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// A block whose first count runs past its end: a damaged table must not be over-read.
const wchar_t kBlock8[] = {40, L'x'};

const kz::DialogControl kControls[] = {
    {.id = 5,
     .className = L"Edit",
     .text = L"",
     .x = 1,
     .y = 2,
     .cx = 3,
     .cy = 4,
     .style = 0x50010080,
     .visible = true,
     .tabStop = true},
};
const kz::DialogTemplate kDialogs[] = {
    {.id = 200,
     .language = 1041,
     .caption = L"c",
     .fontFace = L"f",
     .controls = kControls,
     .controlCount = 1},
};
// BITMAPINFOHEADER of a 3 x 2, 8-bit bitmap (rest of the header zero).
const BYTE kBitmap[40] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0};

const kz::ResourceEntry kEntries[] = {
    {2, 210, 1041, kBitmap, sizeof kBitmap},
    {5, 200, 1041, &kDialogs[0], sizeof(kz::DialogTemplate)},
    {6, 7, 1033, kBlock7En, sizeof kBlock7En},
    {6, 7, 1041, kBlock7, sizeof kBlock7},
    {6, 8, 1041, kBlock8, sizeof kBlock8},
    {16, 1, 1033, kBitmap, 4},
    {16, 1, 1041, kBitmap, 8},
};

const kz::ResourceTable kTable = {
    kz::kResourceTableVersion, kEntries, std::size(kEntries), nullptr, 0, kDialogs, 1};

struct FakeModule {
    kz::ModuleRecord record;
    explicit FakeModule(const kz::ResourceTable* table) { record.resources = table; }
    HINSTANCE handle() { return reinterpret_cast<HINSTANCE>(&record); }
};

BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

BOOL CALLBACK stopAtFirst(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return FALSE;
}

} // namespace

TEST(ResourceStrings, CopiesWholeStringAndTerminates) {
    FakeModule m(&kTable);
    wchar_t buf[16];
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 16), 5);
    EXPECT_EQ(std::wstring(buf), L"Hello");
    EXPECT_EQ(LoadStringW(m.handle(), 103, buf, 16), 3);
    EXPECT_EQ(std::wstring(buf), L"寸法線");
}

TEST(ResourceStrings, TruncatesToBufferMinusOneAndStillTerminates) {
    FakeModule m(&kTable);
    wchar_t buf[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 4), 3);
    EXPECT_EQ(std::wstring(buf), L"Hel");
    EXPECT_EQ(buf[4], L'#'); // nothing written past the buffer size given
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 1), 0);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 6), 5); // exactly fits
    EXPECT_EQ(std::wstring(buf), L"Hello");
}

TEST(ResourceStrings, ZeroBufferSizeGivesReadOnlyPointerAndFullLength) {
    FakeModule m(&kTable);
    const wchar_t* text = nullptr;
    EXPECT_EQ(LoadStringW(m.handle(), 103, reinterpret_cast<LPWSTR>(&text), 0), 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, 3), L"寸法線");
    EXPECT_EQ(text, kBlock7 + 13); // points into the resource itself
}

TEST(ResourceStrings, MissingEmptyOrDamagedStringsGiveZeroAndEmptyBuffer) {
    FakeModule m(&kTable);
    wchar_t buf[8] = {L'x'};
    EXPECT_EQ(LoadStringW(m.handle(), 101, buf, 8), 0); // empty entry
    EXPECT_EQ(buf[0], 0);
    buf[0] = L'x';
    EXPECT_EQ(LoadStringW(m.handle(), 102, buf, 8), 0); // unset entry in a present block
    EXPECT_EQ(buf[0], 0);
    buf[0] = L'x';
    EXPECT_EQ(LoadStringW(m.handle(), 500, buf, 8), 0); // block absent
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(LoadStringW(m.handle(), 128, buf, 8), 0); // count beyond the block
    EXPECT_EQ(LoadStringW(m.handle(), 100, nullptr, 8), 0);
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, -1), 0);
    EXPECT_EQ(LoadStringW(nullptr, 100, buf, 8), 0);
    FakeModule bare(nullptr);
    EXPECT_EQ(LoadStringW(bare.handle(), 100, buf, 8), 0);
}

TEST(ResourceStrings, PrefersHostLanguageAndUsesLowWordOfId) {
    FakeModule m(&kTable);
    wchar_t buf[8];
    ASSERT_EQ(kz::hostUiLanguage(), 1041);
    EXPECT_EQ(LoadStringW(m.handle(), 0x10000 + 100, buf, 8), 5);
    kz::setHostUiLanguage(1033);
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 8), 2);
    EXPECT_EQ(std::wstring(buf), L"En");
    // A language the module lacks: the first one in the table.
    kz::setHostUiLanguage(1036);
    EXPECT_EQ(LoadStringW(m.handle(), 100, buf, 8), 2);
    kz::setHostUiLanguage(1041);
}

TEST(ResourceFinding, FindsByOrdinalOrHashTextAndReportsSize) {
    FakeModule m(&kTable);
    HRSRC r = FindResourceW(m.handle(), MAKEINTRESOURCEW(200), RT_DIALOG);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(SizeofResource(m.handle(), r), sizeof(kz::DialogTemplate));
    EXPECT_EQ(LockResource(LoadResource(m.handle(), r)), &kDialogs[0]);
    EXPECT_EQ(FindResourceW(m.handle(), L"#200", RT_DIALOG), r);
    EXPECT_EQ(FindResourceW(m.handle(), L"#200", L"#5"), r);
    EXPECT_EQ(FindResourceW(m.handle(), L"DIALOG200", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(m.handle(), L"#2x0", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(m.handle(), L"#99999", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(m.handle(), MAKEINTRESOURCEW(201), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(m.handle(), MAKEINTRESOURCEW(200), RT_BITMAP), nullptr);
    EXPECT_EQ(LoadResource(m.handle(), nullptr), nullptr);
    EXPECT_EQ(SizeofResource(m.handle(), nullptr), 0u);
}

TEST(ResourceFinding, ExactLanguageOrNothing) {
    FakeModule m(&kTable);
    HRSRC en = FindResourceExW(m.handle(), RT_STRING, MAKEINTRESOURCEW(7), 1033);
    HRSRC ja = FindResourceExW(m.handle(), RT_STRING, MAKEINTRESOURCEW(7), 1041);
    ASSERT_NE(en, nullptr);
    ASSERT_NE(ja, nullptr);
    EXPECT_NE(en, ja);
    EXPECT_EQ(LockResource(LoadResource(m.handle(), en)), kBlock7En);
    EXPECT_EQ(FindResourceExW(m.handle(), RT_STRING, MAKEINTRESOURCEW(7), 1036), nullptr);
    EXPECT_EQ(FindResourceExW(m.handle(), RT_STRING, MAKEINTRESOURCEW(7), 0), ja);
}

TEST(ResourceFinding, TableOfAnotherLayoutVersionIsIgnored) {
    kz::ResourceTable other = kTable;
    other.version = kz::kResourceTableVersion + 1;
    FakeModule m(&other);
    EXPECT_EQ(kz::moduleResources(m.handle()), nullptr);
    EXPECT_EQ(FindResourceW(m.handle(), MAKEINTRESOURCEW(200), RT_DIALOG), nullptr);
}

TEST(ResourceLanguages, CallsBackPerLanguageInOrder) {
    FakeModule m(&kTable);
    std::vector<WORD> seen;
    EXPECT_TRUE(EnumResourceLanguagesW(m.handle(), RT_VERSION, MAKEINTRESOURCEW(1), collectLanguage,
                                       reinterpret_cast<LONG_PTR>(&seen)));
    EXPECT_EQ(seen, (std::vector<WORD>{1033, 1041}));
    seen.clear();
    EXPECT_FALSE(EnumResourceLanguagesW(m.handle(), RT_VERSION, MAKEINTRESOURCEW(1), stopAtFirst,
                                        reinterpret_cast<LONG_PTR>(&seen)));
    EXPECT_EQ(seen, (std::vector<WORD>{1033}));
    seen.clear();
    EXPECT_FALSE(EnumResourceLanguagesW(m.handle(), RT_VERSION, MAKEINTRESOURCEW(2),
                                        collectLanguage, reinterpret_cast<LONG_PTR>(&seen)));
    EXPECT_FALSE(EnumResourceLanguagesW(nullptr, RT_VERSION, MAKEINTRESOURCEW(1), collectLanguage,
                                        reinterpret_cast<LONG_PTR>(&seen)));
    EXPECT_TRUE(seen.empty());
}

TEST(DialogLookup, FindsTemplateAndControlsAndBitmapHeader) {
    FakeModule m(&kTable);
    const kz::DialogTemplate* d = kz::findDialogTemplate(m.handle(), 200u);
    ASSERT_EQ(d, &kDialogs[0]);
    EXPECT_EQ(kz::findDialogTemplate(m.handle(), L"#200"), d);
    EXPECT_EQ(kz::findDialogTemplate(m.handle(), 211u), nullptr);
    EXPECT_EQ(kz::findDialogTemplate(m.handle(), 0x10000u + 200), nullptr);
    EXPECT_EQ(kz::findDialogControl(*d, 5), &kControls[0]);
    EXPECT_EQ(kz::findDialogControl(*d, 6), nullptr);

    kz::BitmapBits bits = kz::findBitmap(m.handle(), 210);
    EXPECT_EQ(bits.data, kBitmap);
    EXPECT_EQ(bits.width, 3);
    EXPECT_EQ(bits.height, 2);
    EXPECT_EQ(bits.bitCount, 8);
    EXPECT_EQ(kz::findBitmap(m.handle(), 211).data, nullptr);
}
