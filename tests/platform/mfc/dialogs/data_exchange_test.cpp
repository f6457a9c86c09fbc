// Data exchange on the settings template: values into the controls on opening, back
// on OK, refused numbers, and what Cancel leaves alone.
#include "dialog_fixture.h"

namespace {

TEST_F(DialogTest, OpeningShowsEveryValueAndFocusesTheFirstTabStop) {
    DimValues v;
    v.textHeight = 1.0 / 3.0; // 15 significant digits
    v.arrowSize = 1250;       // whole numbers without decimals
    v.extLineFixed = 1;
    v.textDirection = 3;
    script({L"CANCEL"});
    SettingsDialog dlg(v);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    EXPECT_SAW(L"Dialog 200 \"寸法線設定\"\n");
    EXPECT_SAW(L"  200 edit 文字高さ: \"0.333333333333333\"\n");
    EXPECT_SAW(L"  201 edit 矢印サイズ: \"1250\"\n");
    EXPECT_SAW(L"  214 edit 文字縦横比: \"0.8\"\n");
    EXPECT_SAW(L"  224 list 矢印タイプ: 1 黒丸\n");
    EXPECT_SAW(L"  226 list 文字方向: 3 JIS\n");
    EXPECT_SAW(L"  231 check 補助線長さを固定: 1\n");
    EXPECT_SAW(L"  210 colour 寸法線: 256 ByLayer\n");
    EXPECT_SAW(L"  211 colour 補助線: 1 赤\n");
    EXPECT_SAW(L"  212 colour 文字: 30 色 30\n");
    EXPECT_SAW(L"  1 button OK (default)\n");
    EXPECT_SAW(L"  2 button ｷｬﾝｾﾙ\n");
    EXPECT_SAW(L"  focus: 200 文字高さ\n");
    // Hidden controls are not listed.
    EXPECT_NOT_SAW(L"232");
    EXPECT_NOT_SAW(L"207");
    EXPECT_SAW(L"Dialog 200 closed: Cancel\n");
    EXPECT_EQ(prompts_, std::vector<std::wstring>{L"Dialog 200: "});
}

TEST_F(DialogTest, ChangedValuesComeBackOnOk) {
    script({L"201=2.5", L"214= 0.75 ", L"224=3", L"226=JIS", L"231=1", L"210=3", L"211=0",
            L"212=250", L"229=12", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const DimValues& v = dlg.values;
    EXPECT_EQ(v.arrowSize, 2.5);
    EXPECT_EQ(v.widthFactor, 0.75);
    EXPECT_EQ(v.arrowType, 3);
    EXPECT_EQ(v.textDirection, 3);
    EXPECT_EQ(v.extLineFixed, 1);
    EXPECT_EQ(v.dimLineColor, 3);
    EXPECT_EQ(v.extLineColor, 0);
    EXPECT_EQ(v.textColor, 250);
    EXPECT_EQ(v.extLineLength, 12);
    EXPECT_EQ(v.textHeight, 3.5); // untouched values stay
    // Each change is echoed as the control now shows it.
    EXPECT_SAW(L"Dialog 200: 201=2.5\n  201 edit 矢印サイズ: \"2.5\"\n");
    EXPECT_SAW(L"  226 list 文字方向: 3 JIS\n");
    EXPECT_SAW(L"  210 colour 寸法線: 3 緑\n");
    EXPECT_SAW(L"  212 colour 文字: 250 色 250\n");
    EXPECT_SAW(L"Dialog 200 closed: OK\n");
}

TEST_F(DialogTest, CancelKeepsTheCallersValues) {
    script({L"200=9", L"231=1", L"210=5", L"*CANCEL*"}); // the command line's cancel
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.values.textHeight, 3.5);
    EXPECT_EQ(dlg.values.extLineFixed, 0);
    EXPECT_EQ(dlg.values.dimLineColor, 256);
    EXPECT_NOT_SAW(L"end of input");
    EXPECT_NOT_SAW(L"**");
}

TEST_F(DialogTest, ANonNumberIsRefusedWithTheMessageAndTheDialogStaysOpen) {
    // The check box has the focus when OK is pressed.
    script({L"203=abc", L"231=1", L"OK", L"203=7.5", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.values.overlapSpacing, 7.5);
    EXPECT_EQ(dlg.values.extLineFixed, 1);
    // The message box, the focus back on the refused edit box, and the dialog open.
    EXPECT_SAW(
        L"Dialog 200: OK\n[warning] 数値を入力してください。\n  focus: 203 重ね寸法はなれ量\n"
        L"  (Dialog 200 stays open)\nDialog 200: 203=7.5\n");
}

TEST_F(DialogTest, TheNumberMessageFollowsTheHostLanguage) {
    kz::setHostUiLanguage(1033);
    script({L"200=", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL); // the script ends while the dialog is open
    EXPECT_SAW(L"[warning] Enter a number.\n");
    EXPECT_SAW(L"  211 colour 補助線: 1 Red\n");
}

// Which texts an edit box bound to a double accepts: what MFC accepts (spaces and tabs
// around a C number; a zero must start with the digit 0), except values that do not
// fit. Full-width digits are refused, as on Windows.
TEST_F(DialogTest, NumbersAcceptedInANumericEditBox) {
    struct Case {
        const wchar_t* text;
        bool accepted;
        double value;
    };
    const Case cases[] = {
        {L"12.5", true, 12.5},   {L" \t12.5 ", true, 12.5}, {L"-3", true, -3},
        {L"+3", true, 3},        {L"1e3", true, 1000},      {L".5", true, 0.5},
        {L"5.", true, 5},        {L"0", true, 0},           {L"0.0", true, 0},
        {L"1e", false, 0},       {L"-0", false, 0},         {L".0", false, 0},
        {L"", false, 0},         {L"1.5x", false, 0},       {L"1,5", false, 0},
        {L"１２．５", false, 0}, {L"12.5　", false, 0},     {L"nan", false, 0},
        {L"inf", false, 0},      {L"1e999", false, 0},      {L"0x10", false, 0},
    };
    for (const Case& c : cases) {
        const std::wstring line = std::wstring(L"200=") + c.text;
        script({line.c_str(), L"OK"});
        SettingsDialog dlg(DimValues{});
        const INT_PTR result = dlg.DoModal();
        const std::string text = kz::wideToUtf8(c.text);
        if (c.accepted) {
            EXPECT_EQ(result, IDOK) << "\"" << text << "\"";
            EXPECT_EQ(dlg.values.textHeight, c.value) << "\"" << text << "\"";
        } else {
            EXPECT_EQ(result, IDCANCEL) << "\"" << text << "\" was taken";
            EXPECT_EQ(dlg.values.textHeight, 3.5) << "\"" << text << "\"";
        }
    }
}

TEST_F(DialogTest, ControlNotificationsAreHeldBackWhileDataIsExchanged) {
    script({L"201=4", L"224=5", L"224=5", L"OK"});
    SettingsDialog dlg(DimValues{});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // Filling the edit box on opening and reading it on OK told nobody; typing did.
    EXPECT_EQ(dlg.arrowSizeChanges, 1);
    // A pick is a change even when the same entry is picked again, as on Windows.
    EXPECT_EQ(dlg.arrowTypeChanges, (std::vector<int>{5, 5}));
}

} // namespace
