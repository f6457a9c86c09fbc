// Data exchange of the other value kinds, and exchanges that cannot work.
#include "dialog_fixture.h"

namespace {

struct Values {
    int count = 7;
    UINT positive = 8;
    BYTE small = 9;
    CString name = L"abc";
    CString direction = L"外";
};

void exchange(CDataExchange* pDX, Values& v) {
    DDX_Text(pDX, IDC_TEXT_HEIGHT, v.count);
    DDX_Text(pDX, IDC_ARROW_SIZE, v.positive);
    DDX_Text(pDX, IDC_TEXT_GAP, v.small);
    DDX_Text(pDX, IDC_OVERLAP_SPACING, v.name);
    DDX_CBString(pDX, IDC_TEXT_DIRECTION, v.direction);
}

TEST_F(DialogTest, WholeNumbersTextsAndListTexts) {
    Values v;
    script({L"200=-12", L"201=4000000000", L"202=255", L"203=  spaced  ", L"226=JIS", L"OK"});
    ProbeDialog dlg(IDD_DIM_SETTING, {}, [&](CDataExchange* pDX) { exchange(pDX, v); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(v.count, -12);
    EXPECT_EQ(v.positive, 4000000000u);
    EXPECT_EQ(v.small, 255);
    EXPECT_EQ(v.name, L"  spaced  "); // texts are taken as typed
    EXPECT_EQ(v.direction, L"JIS");
    // On opening: numbers as C prints them, the list entry starting with the text.
    EXPECT_SAW(L"  200 edit 文字高さ: \"7\"\n");
    EXPECT_SAW(L"  203 edit 重ね寸法はなれ量: \"abc\"\n");
    EXPECT_SAW(L"  226 list 文字方向: 2 外側\n");
}

TEST_F(DialogTest, EachNumberKindHasItsMessage) {
    struct Case {
        const wchar_t* line;
        const wchar_t* message;
    };
    const Case cases[] = {
        {L"200=1.5", L"[warning] 整数を入力してください。\n"},
        {L"200=3000000000", L"[warning] 整数を入力してください。\n"},
        {L"201=-1", L"[warning] 正の整数を入力してください。\n"},
        {L"202=256", L"[warning] 0 から 255 までの整数を入力してください。\n"},
    };
    for (const Case& c : cases) {
        Values v;
        script({c.line, L"OK"});
        ProbeDialog dlg(IDD_DIM_SETTING, {}, [&](CDataExchange* pDX) { exchange(pDX, v); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << kz::wideToUtf8(c.line);
        EXPECT_SAW(c.message);
        EXPECT_EQ(v.count, 7);
    }
}

TEST_F(DialogTest, AnExchangeWithAMissingControlKeepsTheDialogOpen) {
    int value = 1;
    script({L"OK", L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, {}, [&](CDataExchange* pDX) { DDX_Text(pDX, 999, value); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_SAW(L"** Dialog data exchange: the dialog has no control 999\n");
    EXPECT_SAW(L"Dialog 200: OK\n** Dialog data exchange: the dialog has no control 999\n"
               L"  (Dialog 200 stays open)\n");
}

TEST_F(DialogTest, AControlObjectBindsToOneControlOnly) {
    CAcUiColorComboBox list;
    script({L"OK", L"CANCEL"});
    ProbeDialog dlg(IDD_DIM_SETTING, {}, [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_DIMLINE_COLOR, list);
        DDX_Control(pDX, IDC_DIMLINE_COLOR, list); // already bound: nothing happens
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(list.m_hWnd, nullptr); // unbound when the dialog closed

    CAcUiColorComboBox first, second;
    script({L"OK", L"CANCEL"});
    ProbeDialog twice(IDD_DIM_SETTING, {}, [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_DIMLINE_COLOR, first);
        DDX_Control(pDX, IDC_DIMLINE_COLOR, second);
    });
    EXPECT_EQ(twice.DoModal(), IDCANCEL);
    EXPECT_SAW(L"** Dialog data exchange: control 210 already has an object of its own\n");
}

} // namespace
