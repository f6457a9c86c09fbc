// The module's own (Japanese) resources as the module will load them.
#include "loaded_module.h"

#include <set>

namespace {

constexpr DWORD kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000,
                kWsCaption = 0x00C00000, kWsSysMenu = 0x00080000, kDsModalFrame = 0x80,
                kDsSetFont = 0x40, kSsTypeMask = 0x1F, kSsBitmap = 0xE, kBsTypeMask = 0xF,
                kBsDefPushButton = 0x1, kBsAutoCheckBox = 0x3, kBsGroupBox = 0x7,
                kCbsDropDownList = 0x3;

class ModuleResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = new LoadedModule(KZ_BIN_DIR "/KzDimRes.dll"); }
    static void TearDownTestSuite() {
        delete module_;
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(module_->loaded()) << dlerror(); }

    static LoadedModule* module_;
};

LoadedModule* ModuleResources::module_ = nullptr;

// The static text on the row of a control, left of it.
std::wstring labelOf(const kz::DialogTemplate& d, int id) {
    const kz::DialogControl* c = kz::findDialogControl(d, id);
    for (UINT i = 0; c && i < d.controlCount; ++i) {
        const kz::DialogControl& s = d.controls[i];
        if (std::wstring(s.className) == L"Static" && (s.style & kSsTypeMask) == 0 && s.y >= c->y &&
            s.y < c->y + 12 && s.x + s.cx <= c->x) {
            return s.text;
        }
    }
    return L"(none)";
}

} // namespace

TEST_F(ModuleResources, EveryStringIsJapaneseAndNothingElseIsThere) {
    const kz::ResourceTable& t = module_->table();
    std::set<UINT> ids;
    for (UINT i = 0; i < t.stringCount; ++i) {
        EXPECT_EQ(t.strings[i].language, 1041);
        EXPECT_GT(t.strings[i].length, 0u) << t.strings[i].id;
        ids.insert(t.strings[i].id);
    }
    EXPECT_EQ(ids, std::set<UINT>(std::begin(kModuleStringIds), std::end(kModuleStringIds)));
    for (UINT id : kModuleStringIds) {
        EXPECT_FALSE(module_->string(id).empty()) << id;
    }
}

TEST_F(ModuleResources, PromptsAndMessagesHaveTheirExactText) {
    EXPECT_EQ(module_->string(115), L"\nｵﾌﾞｼﾞｪｸﾄ選択 または [点を指示(OP)]:");
    EXPECT_EQ(module_->string(121), L"寸法線 ｵﾌﾟｼｮﾝ [基点(P)/線分(E)/補正値(V)]");
    EXPECT_EQ(module_->string(128), L"\n複数のｵﾌﾞｼﾞｪｸﾄに接続されている寸法線は対象外です。\n");
    EXPECT_EQ(module_->string(112), L"\n線分を選択 または [有効(E)/無効(D)]: ");
    EXPECT_EQ(module_->string(124), L"ﾌﾘｰ(FO)");
}

TEST_F(ModuleResources, ConfigurationNamesAndTextStyleHaveTheirExactText) {
    EXPECT_EQ(module_->string(103), L"寸法線");
    EXPECT_EQ(module_->string(104), L"重ね寸法はなれ量");
    EXPECT_EQ(module_->string(106), L"黒丸サイズ");
    EXPECT_EQ(module_->string(110), L"寸法補助線色");
    EXPECT_EQ(module_->string(133), L"補助線固定");
    EXPECT_EQ(module_->string(135), L"DimStyle");
    EXPECT_EQ(module_->string(136), L"simplex.shx");
    EXPECT_EQ(module_->string(137), L"extfont.shx");
    EXPECT_EQ(module_->string(138), L"アイソメ寸法");
}

TEST_F(ModuleResources, SettingsDialogFrame) {
    const kz::DialogTemplate& d = module_->dialog(200);
    EXPECT_EQ(d.language, 1041);
    EXPECT_EQ(std::wstring(d.caption), L"寸法線設定");
    EXPECT_EQ(std::wstring(d.fontFace), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(d.fontPointSize, 9);
    EXPECT_EQ(d.cx, 287);
    EXPECT_EQ(d.cy, 273);
    EXPECT_EQ(d.style, kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu | kDsSetFont);
}

TEST_F(ModuleResources, SettingsDialogFieldsSitWhereTheyBelongWithTheirLabels) {
    const kz::DialogTemplate& d = module_->dialog(200);
    struct Field {
        int id;
        const wchar_t* cls;
        short x, y, cx, cy;
        const wchar_t* label;
    };
    const Field fields[] = {
        {224, L"ComboBox", 223, 3, 60, 192, L"矢印タイプ"},
        {201, L"Edit", 246, 21, 36, 12, L"矢印サイズ"},
        {200, L"Edit", 246, 36, 36, 12, L"文字高さ"},
        {214, L"Edit", 246, 51, 36, 12, L"文字縦横比"},
        {202, L"Edit", 246, 66, 36, 12, L"文字はなれ量"},
        {203, L"Edit", 246, 81, 36, 12, L"重ね寸法はなれ量"},
        {229, L"Edit", 246, 96, 36, 12, L"補助線長さ"},
        {204, L"Edit", 246, 110, 36, 12, L"補助線はなれ量"},
        {226, L"ComboBox", 222, 141, 60, 192, L"文字方向"},
        {210, L"ComboBox", 219, 173, 58, 84, L"寸法線"},
        {211, L"ComboBox", 219, 192, 58, 94, L"補助線"},
        {212, L"ComboBox", 219, 210, 58, 107, L"文字"},
    };
    for (const Field& f : fields) {
        const kz::DialogControl* c = kz::findDialogControl(d, f.id);
        ASSERT_NE(c, nullptr) << f.id;
        EXPECT_EQ(std::wstring(c->className), f.cls) << f.id;
        EXPECT_EQ(rectOf(*c), (Rect{f.x, f.y, f.cx, f.cy})) << f.id;
        EXPECT_EQ(labelOf(d, f.id), f.label) << f.id;
        EXPECT_TRUE(c->visible) << f.id;
    }
    EXPECT_EQ(kz::findDialogControl(d, 224)->style & 0xF, kCbsDropDownList);
    EXPECT_EQ(kz::findDialogControl(d, 226)->style & 0xF, kCbsDropDownList);

    const kz::DialogControl* check = kz::findDialogControl(d, 231);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(std::wstring(check->text), L"補助線長さを固定");
    EXPECT_EQ(check->style & kBsTypeMask, kBsAutoCheckBox);
    EXPECT_EQ(rectOf(*check), (Rect{189, 127, 93, 9}));

    const kz::DialogControl* ok = kz::findDialogControl(d, 1);
    const kz::DialogControl* cancel = kz::findDialogControl(d, 2);
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(std::wstring(ok->text), L"OK");
    EXPECT_EQ(std::wstring(cancel->text), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(rectOf(*ok), (Rect{190, 234, 92, 14}));
    EXPECT_EQ(rectOf(*cancel), (Rect{190, 252, 92, 14}));
    EXPECT_EQ(ok->style & kBsTypeMask, kBsDefPushButton);
}

TEST_F(ModuleResources, SettingsDialogPictureGroupAndHiddenControls) {
    const kz::DialogTemplate& d = module_->dialog(200);
    const kz::DialogControl* picture = nullptr;
    const kz::DialogControl* group = nullptr;
    for (UINT i = 0; i < d.controlCount; ++i) {
        const kz::DialogControl& c = d.controls[i];
        if ((c.style & kSsTypeMask) == kSsBitmap && std::wstring(c.className) == L"Static") {
            picture = &c;
        }
        if ((c.style & kBsTypeMask) == kBsGroupBox && std::wstring(c.className) == L"Button") {
            group = &c;
        }
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->imageId, 210);
    EXPECT_EQ(rectOf(*picture), (Rect{3, 4, 183, 263}));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(std::wstring(group->text), L"色設定");
    EXPECT_EQ(rectOf(*group), (Rect{189, 159, 94, 70}));

    const kz::DialogControl* vertical = kz::findDialogControl(d, 232);
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(std::wstring(vertical->text), L"垂直方向へ記入");
    EXPECT_FALSE(vertical->visible);
    for (int id : {207, 208, 209}) {
        const kz::DialogControl* button = kz::findDialogControl(d, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_FALSE(button->visible) << id;
        EXPECT_EQ(std::wstring(button->className), L"Button");
        // Inside the colour group.
        EXPECT_GE(button->x, group->x);
        EXPECT_LE(button->x + button->cx, group->x + group->cx);
        EXPECT_GE(button->y, group->y);
        EXPECT_LE(button->y + button->cy, group->y + group->cy);
    }
    for (UINT i = 0; i < d.controlCount; ++i) {
        const kz::DialogControl& c = d.controls[i];
        const bool hidden = c.id == 232 || (c.id >= 207 && c.id <= 209);
        EXPECT_EQ(c.visible, !hidden) << c.id;
        EXPECT_EQ(c.visible, (c.style & kWsVisible) != 0);
        EXPECT_TRUE(c.style & kWsChild);
    }
}

TEST_F(ModuleResources, SettingsDialogTabOrder) {
    EXPECT_EQ(tabOrder(module_->dialog(200)),
              std::vector<int>(std::begin(kSettingsTabOrder), std::end(kSettingsTabOrder)));
}

TEST_F(ModuleResources, ArrowheadAndTextDirectionLists) {
    const kz::DialogTemplate& d = module_->dialog(200);
    const kz::DialogControl* arrows = kz::findDialogControl(d, 224);
    const kz::DialogControl* directions = kz::findDialogControl(d, 226);
    ASSERT_TRUE(arrows && directions);
    ASSERT_EQ(arrows->listCount, 20u);
    EXPECT_EQ(std::wstring(arrows->listItems[0]), L"塗潰し矢印");
    EXPECT_EQ(std::wstring(arrows->listItems[1]), L"黒丸");
    EXPECT_EQ(std::wstring(arrows->listItems[4]), L"白丸１");
    EXPECT_EQ(std::wstring(arrows->listItems[8]), L"30°開矢印");
    EXPECT_EQ(std::wstring(arrows->listItems[11]), L"なし");
    EXPECT_EQ(std::wstring(arrows->listItems[19]), L"ティック（太）");
    ASSERT_EQ(directions->listCount, 5u);
    const wchar_t* expected[] = {L"中心", L"上側", L"外側", L"JIS", L"下側"};
    for (UINT i = 0; i < 5; ++i) {
        EXPECT_EQ(std::wstring(directions->listItems[i]), expected[i]);
    }
    for (int id : {210, 211, 212}) {
        EXPECT_EQ(kz::findDialogControl(d, id)->listCount, 0u) << id;
    }
}

TEST_F(ModuleResources, LengthPopup) {
    const kz::DialogTemplate& d = module_->dialog(211);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.style, 0x80000040u);
    EXPECT_EQ(d.exStyle, 0u);
    EXPECT_EQ(std::wstring(d.caption), L"");
    EXPECT_EQ(d.cx * 1000 + d.cy, 60 * 1000 + 12);
    EXPECT_EQ(std::wstring(d.fontFace), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(d.fontPointSize, 9);
    ASSERT_EQ(d.controlCount, 1u);
    const kz::DialogControl& edit = d.controls[0];
    EXPECT_EQ(edit.id, 200);
    EXPECT_EQ(std::wstring(edit.className), L"Edit");
    EXPECT_EQ(std::wstring(edit.text), L"");
    EXPECT_EQ(rectOf(edit), (Rect{1, 1, 60, 12}));
    EXPECT_EQ(edit.style, 0x50010080u);
}

TEST_F(ModuleResources, CommandPalette) {
    const kz::DialogTemplate& d = module_->dialog(212);
    EXPECT_EQ(std::wstring(d.caption), L"寸法線");
    EXPECT_EQ(d.cx * 1000 + d.cy, 71 * 1000 + 97);
    EXPECT_EQ(d.style, kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu | kDsSetFont);
    struct Button {
        int id;
        short y;
        const wchar_t* text;
    };
    const Button buttons[] = {{207, 4, L"作図"},
                              {208, 27, L"補助線位置合せ"},
                              {209, 49, L"文字移動"},
                              {210, 72, L"環境設定"}};
    ASSERT_EQ(d.controlCount, 4u);
    for (UINT i = 0; i < 4; ++i) {
        const kz::DialogControl& c = d.controls[i];
        EXPECT_EQ(c.id, buttons[i].id);
        EXPECT_EQ(std::wstring(c.text), buttons[i].text);
        EXPECT_EQ(rectOf(c), (Rect{3, buttons[i].y, 64, 19}));
        EXPECT_EQ(c.style & kBsTypeMask, 0u) << "no default button";
        EXPECT_TRUE(c.visible && c.tabStop);
    }
}

TEST_F(ModuleResources, SettingsBitmapIsWhiteOnBlack256Colours) {
    kz::BitmapBits bits = kz::findBitmap(module_->handle(), 210);
    ASSERT_NE(bits.data, nullptr);
    EXPECT_EQ(bits.width, 316);
    EXPECT_EQ(bits.height, 391);
    ASSERT_EQ(bits.bitCount, 8);
    const BYTE* p = bits.data;
    const DWORD headerSize = p[0] | p[1] << 8;
    const DWORD compression = p[16];
    const DWORD coloursUsed = p[32] | p[33] << 8;
    EXPECT_EQ(compression, 0u);
    EXPECT_TRUE(coloursUsed == 0 || coloursUsed == 256);
    const DWORD stride = 316; // 8-bit rows, already a multiple of 4
    ASSERT_EQ(bits.size, headerSize + 256 * 4 + stride * 391);
    const BYTE* palette = p + headerSize;
    const BYTE* pixels = palette + 256 * 4;
    std::size_t white = 0, black = 0;
    for (DWORD i = 0; i < stride * 391; ++i) {
        const BYTE* rgb = palette + pixels[i] * 4;
        if (rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255) {
            ++white;
        } else if (rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0) {
            ++black;
        }
    }
    EXPECT_EQ(white + black, std::size_t(stride) * 391) << "only black and white";
    EXPECT_GT(white, 3000u);      // lines, dots, labels
    EXPECT_GT(black, white * 10); // on a black ground
    // The route: a thick white line across the lower part (rows stored bottom-up).
    int routeRows = 0;
    for (int row = 0; row < 391 / 3; ++row) {
        int run = 0;
        for (DWORD x = 0; x < stride; ++x) {
            const BYTE* rgb = palette + pixels[row * stride + x] * 4;
            run += rgb[0] == 255;
        }
        routeRows += run > 250;
    }
    EXPECT_GE(routeRows, 4);
}
