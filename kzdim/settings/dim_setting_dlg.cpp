#include "settings/dim_setting_dlg.h"

#include "frame/module_state.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDimSetting, CAcUiDialog)
ON_BN_CLICKED(IDC_DIMLINE_COLOR_BUTTON, &CDimSetting::OnDimLineColorButton)
ON_BN_CLICKED(IDC_EXTLINE_COLOR_BUTTON, &CDimSetting::OnExtLineColorButton)
ON_BN_CLICKED(IDC_TEXT_COLOR_BUTTON, &CDimSetting::OnTextColorButton)
END_MESSAGE_MAP()

CDimSetting::CDimSetting(const DimSettings& s, CWnd* parent)
    : CAcUiDialog(IDD_DIM_SETTING, parent), m_overlapSpacing(s.overlapSpacing),
      m_textHeight(s.textHeight), m_arrowSize(s.arrowSize), m_textGap(s.textGap),
      m_extLineOffset(s.extLineOffset), m_dimLineColor(s.dimLineColor),
      m_extLineColor(s.extLineColor), m_textColor(s.textColor),
      m_textWidthFactor(s.textWidthFactor), m_extLineLength(s.extLineLength),
      m_arrowType(s.arrowType), m_textDirection(s.textDirection), m_extLineFixed(s.extLineFixed) {}

CDimSetting::~CDimSetting() = default;

DimSettings CDimSetting::Values() const {
    DimSettings s{};
    s.overlapSpacing = m_overlapSpacing;
    s.textHeight = m_textHeight;
    s.arrowSize = m_arrowSize;
    s.textGap = m_textGap;
    s.extLineOffset = m_extLineOffset;
    s.dimLineColor = m_dimLineColor;
    s.extLineColor = m_extLineColor;
    s.textColor = m_textColor;
    s.textWidthFactor = m_textWidthFactor;
    s.extLineLength = m_extLineLength;
    s.arrowType = m_arrowType;
    s.textDirection = m_textDirection;
    s.extLineFixed = m_extLineFixed;
    return s;
}

void CDimSetting::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT_HEIGHT, m_textHeight);
    DDX_Text(pDX, IDC_ARROW_SIZE, m_arrowSize);
    DDX_Text(pDX, IDC_TEXT_GAP, m_textGap);
    DDX_Text(pDX, IDC_OVERLAP_SPACING, m_overlapSpacing);
    DDX_Text(pDX, IDC_EXTLINE_OFFSET, m_extLineOffset);
    DDX_Control(pDX, IDC_DIMLINE_COLOR, m_dimLineColorList);
    DDX_Control(pDX, IDC_EXTLINE_COLOR, m_extLineColorList);
    DDX_Control(pDX, IDC_TEXT_COLOR, m_textColorList);
    DDX_Text(pDX, IDC_WIDTH_FACTOR, m_textWidthFactor);
    DDX_Text(pDX, IDC_EXTLINE_LENGTH, m_extLineLength);
    DDX_CBIndex(pDX, IDC_ARROW_TYPE, m_arrowType);
    DDX_CBIndex(pDX, IDC_TEXT_DIRECTION, m_textDirection);
    DDX_Check(pDX, IDC_EXTLINE_FIXED, m_extLineFixed);
}

BOOL CDimSetting::PreTranslateMessage(MSG* pMsg) {
    return CAcUiDialog::PreTranslateMessage(pMsg);
}

BOOL CDimSetting::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_dimLineColorList.SendMessage(CB_SETCURSEL, m_dimLineColor + 1, 0);
    m_extLineColorList.SendMessage(CB_SETCURSEL, m_extLineColor + 1, 0);
    m_textColorList.SendMessage(CB_SETCURSEL, m_textColor + 1, 0);
    // The isometric key is read but not used: the first control gets the focus only
    // when the key exists.
    CString isometric;
    int found =
        DeZeza_readConfig(isometric, KzModule().iniPath, LoadKzString(IDS_SECTION_DIMENSION),
                          LoadKzString(IDS_KEY_ISOMETRIC));
    return found == 0 ? TRUE : FALSE;
}

void CDimSetting::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_dimLineColor = m_dimLineColorList.GetCurrentItemColorIndex();
    m_extLineColor = m_extLineColorList.GetCurrentItemColorIndex();
    m_textColor = m_textColorList.GetCurrentItemColorIndex();
    CAcUiDialog::OnOK();
}

void CDimSetting::PickColor(int& color, int buttonId) {
    int chosen = color;
    if (acedSetColorDialog(chosen, Adesk::kTrue, 256))
        color = chosen;
}

void CDimSetting::OnDimLineColorButton() {
    PickColor(m_dimLineColor, IDC_DIMLINE_COLOR_BUTTON);
}
void CDimSetting::OnExtLineColorButton() {
    PickColor(m_extLineColor, IDC_EXTLINE_COLOR_BUTTON);
}
void CDimSetting::OnTextColorButton() {
    PickColor(m_textColor, IDC_TEXT_COLOR_BUTTON);
}
