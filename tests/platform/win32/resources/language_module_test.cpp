// The English language module: where the module looks for it, and that it replaces the
// Japanese resources id for id without touching what the files and commands depend on.
#include "loaded_module.h"

#include <cstring>
#include <filesystem>
#include <regex>

namespace {

class LanguageModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        english_ = new LoadedModule(KZ_BIN_DIR "/1033/KzDim.dll");
        japanese_ = new LoadedModule(KZ_BIN_DIR "/KzDimRes.dll");
    }
    static void TearDownTestSuite() {
        delete english_;
        delete japanese_;
    }
    void SetUp() override {
        ASSERT_TRUE(english_->loaded());
        ASSERT_TRUE(japanese_->loaded());
    }

    static LoadedModule* english_;
    static LoadedModule* japanese_;
};

LoadedModule* LanguageModule::english_ = nullptr;
LoadedModule* LanguageModule::japanese_ = nullptr;

bool isAscii(const std::wstring& s) {
    for (wchar_t c : s) {
        if (c > 0x7F && c != L'°') {
            return false;
        }
    }
    return true;
}

// The option keyword in parentheses, "(LO)" in "長さ(LO)".
std::wstring keywordOf(const std::wstring& s) {
    const auto open = s.rfind(L'(');
    return open == std::wstring::npos ? L"" : s.substr(open);
}

} // namespace

TEST_F(LanguageModule, LivesInLanguageFolderBesideTheModule) {
    // Module bin/KzDim.arx with language 1033 looks for bin/1033/KzDim.dll.
    EXPECT_TRUE(std::filesystem::is_regular_file(KZ_BIN_DIR "/1033/KzDim.dll"));
    for (UINT i = 0; i < english_->table().entryCount; ++i) {
        EXPECT_EQ(english_->table().entries[i].language, 1033);
    }
}

TEST_F(LanguageModule, SameIdsTranslatedTextsSameKeywords) {
    const kz::ResourceTable& t = english_->table();
    ASSERT_EQ(t.stringCount, std::size(kModuleStringIds));
    for (UINT id : kModuleStringIds) {
        const std::wstring en = english_->string(id);
        const std::wstring ja = japanese_->string(id);
        ASSERT_FALSE(en.empty()) << id;
        const bool fileFormat =
            std::find(std::begin(kFileFormatStringIds), std::end(kFileFormatStringIds), id) !=
            std::end(kFileFormatStringIds);
        if (fileFormat) {
            EXPECT_EQ(en, ja) << id;
        } else {
            EXPECT_TRUE(isAscii(en)) << id;
            EXPECT_EQ(keywordOf(en), keywordOf(ja)) << id;
            // Prompts keep their leading and trailing line breaks.
            EXPECT_EQ(en.front() == L'\n', ja.front() == L'\n') << id;
            EXPECT_EQ(en.back() == L'\n', ja.back() == L'\n') << id;
        }
    }
    EXPECT_EQ(english_->string(115), L"\nSelect objects or [specify Points(OP)]:");
    EXPECT_EQ(english_->string(116), L"Length(LO)");
}

TEST_F(LanguageModule, DialogsHaveTheSameLayoutTranslated) {
    for (UINT id : {200u, 211u, 212u}) {
        const kz::DialogTemplate& en = english_->dialog(id);
        const kz::DialogTemplate& ja = japanese_->dialog(id);
        EXPECT_EQ(en.language, 1033);
        EXPECT_EQ(en.style, ja.style) << id;
        EXPECT_EQ(en.cx, ja.cx) << id;
        EXPECT_EQ(en.cy, ja.cy) << id;
        ASSERT_EQ(en.controlCount, ja.controlCount) << id;
        for (UINT i = 0; i < en.controlCount; ++i) {
            const kz::DialogControl& a = en.controls[i];
            const kz::DialogControl& b = ja.controls[i];
            EXPECT_EQ(a.id, b.id);
            EXPECT_EQ(std::wstring(a.className), std::wstring(b.className));
            EXPECT_EQ(rectOf(a), rectOf(b)) << a.id;
            EXPECT_EQ(a.style, b.style) << a.id;
            EXPECT_EQ(a.imageId, b.imageId);
            EXPECT_EQ(a.listCount, b.listCount) << a.id;
            EXPECT_TRUE(isAscii(a.text)) << a.id;
            for (UINT k = 0; k < a.listCount; ++k) {
                EXPECT_TRUE(isAscii(a.listItems[k])) << a.id << " " << k;
            }
        }
    }
    EXPECT_EQ(tabOrder(english_->dialog(200)),
              std::vector<int>(std::begin(kSettingsTabOrder), std::end(kSettingsTabOrder)));
    EXPECT_EQ(std::wstring(kz::findDialogControl(english_->dialog(200), 226)->listItems[3]),
              L"JIS");
}

TEST_F(LanguageModule, HasItsOwnPicture) {
    kz::BitmapBits en = kz::findBitmap(english_->handle(), 210);
    kz::BitmapBits ja = kz::findBitmap(japanese_->handle(), 210);
    ASSERT_TRUE(en.data && ja.data);
    EXPECT_EQ(en.width, 316);
    EXPECT_EQ(en.height, 391);
    EXPECT_EQ(en.bitCount, 8);
    EXPECT_EQ(en.size, ja.size);
    EXPECT_NE(std::memcmp(en.data, ja.data, en.size), 0) << "labels are translated";
}
