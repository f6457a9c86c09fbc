// Where dialogs and controls land in pixels, and the picture of a dialog.
#include "dialog_fixture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class Probe : public SettingsDialog {
public:
    using SettingsDialog::SettingsDialog;
    RECT window{}, edit{}, picture{}, mapped{1, 2, 4, 8};
    std::string svg;
    BOOL OnInitDialog() override {
        SettingsDialog::OnInitDialog();
        GetWindowRect(&window);
        GetDlgItem(IDC_TEXT_HEIGHT)->GetWindowRect(&edit);
        ScreenToClient(&edit);
        GetDlgItem(IDC_STATIC)->GetWindowRect(&picture); // the first static: the bitmap
        MapDialogRect(m_hWnd, &mapped);
        svg = kz::renderDialogSvg(m_hWnd);
        return TRUE;
    }
};

std::string decodeBase64(const std::string& text) {
    std::string out;
    int bits = 0, value = 0;
    for (char c : text) {
        const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        const char* at = std::strchr(digits, c);
        if (c == '=' || at == nullptr) {
            break;
        }
        value = value << 6 | static_cast<int>(at - digits);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<char>((value >> bits) & 0xFF));
        }
    }
    return out;
}

std::uint32_t be32(const std::string& s, std::size_t at) {
    return std::uint32_t(static_cast<unsigned char>(s[at])) << 24 |
           std::uint32_t(static_cast<unsigned char>(s[at + 1])) << 16 |
           std::uint32_t(static_cast<unsigned char>(s[at + 2])) << 8 |
           std::uint32_t(static_cast<unsigned char>(s[at + 3]));
}

TEST_F(DialogTest, TheSettingsDialogIsCentredOnItsParentAndLaidOutInPixels) {
    HWND main = kz::createHostWindow(L"host", RECT{0, 0, 1600, 900});
    script({L"CANCEL"});
    Probe dlg(DimValues{}, CWnd::FromHandle(main));
    dlg.DoModal();
    // 287 x 273 dialog units at 7 x 12 pixel base units, a 3-pixel frame and a caption.
    EXPECT_EQ(dlg.window.right - dlg.window.left, 502 + 6);
    EXPECT_EQ(dlg.window.bottom - dlg.window.top, 410 + 29);
    EXPECT_EQ(dlg.window.left, (1600 - 508) / 2);
    EXPECT_EQ(dlg.window.top, (900 - 439) / 2);
    EXPECT_EQ(dlg.edit.left, 431); // (246, 36, 36, 12) in dialog units
    EXPECT_EQ(dlg.edit.top, 54);
    EXPECT_EQ(dlg.edit.right, 494);
    EXPECT_EQ(dlg.edit.bottom, 72);
    EXPECT_EQ(dlg.picture.right - dlg.picture.left, 316); // the bitmap's own size
    EXPECT_EQ(dlg.picture.bottom - dlg.picture.top, 391);
    EXPECT_EQ(dlg.mapped.left, 2);
    EXPECT_EQ(dlg.mapped.top, 3);
    EXPECT_EQ(dlg.mapped.right, 7);
    EXPECT_EQ(dlg.mapped.bottom, 12);
    EXPECT_EQ(dlg.m_hWnd, nullptr); // detached once closed
    EXPECT_TRUE(DestroyWindow(main));
}

TEST_F(DialogTest, APictureFolderGetsOnePictureOfEachDialogShown) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("kz-dialogs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    kz::setDialogPictureFolder(kz::utf8ToWide(folder.string()));
    script({L"CANCEL"});
    SettingsDialog first(DimValues{});
    first.DoModal();
    script({L"CANCEL"});
    SettingsDialog second(DimValues{});
    second.DoModal();
    kz::setDialogPictureFolder(L"");

    const auto file = folder / "dialog-200-1.svg";
    ASSERT_TRUE(std::filesystem::exists(file)) << transcriptUtf8();
    EXPECT_TRUE(std::filesystem::exists(folder / "dialog-200-2.svg"));
    EXPECT_SAW(L"  (picture: " + kz::utf8ToWide(file.string()) + L")\n");
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_NE(content.str().find("<svg"), std::string::npos);
    std::filesystem::remove_all(folder);
}

TEST_F(DialogTest, ThePictureShowsTheControlsAndEmbedsTheBitmap) {
    DimValues v;
    v.extLineFixed = 1;
    script({L"CANCEL"});
    Probe dlg(v);
    dlg.DoModal();
    const std::string& svg = dlg.svg;
    if (const char* out = std::getenv("KZ_DIALOG_PICTURE_OUT")) {
        std::ofstream(out, std::ios::binary) << svg; // to refresh the picture in docs/
    }
    EXPECT_NE(svg.find("<title>Dialog 200 寸法線設定</title>"), std::string::npos);
    for (const char* text : {">文字高さ<", ">3.5<", ">黒丸<", ">色設定<", ">ｷｬﾝｾﾙ<",
                             ">補助線長さを固定<", ">ByLayer<", ">赤<", ">色 30<"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("垂直方向へ記入"), std::string::npos); // hidden
    // The check mark of the checked box.
    EXPECT_NE(svg.find("l3 3l5 -6"), std::string::npos);
    // Bitmap 210 as a PNG of its own size.
    const std::string mark = "href='data:image/png;base64,";
    const std::size_t at = svg.find(mark);
    ASSERT_NE(at, std::string::npos);
    const std::string png = decodeBase64(svg.substr(at + mark.size(), 64));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(be32(png, 16), 316u);
    EXPECT_EQ(be32(png, 20), 391u);
}

} // namespace
