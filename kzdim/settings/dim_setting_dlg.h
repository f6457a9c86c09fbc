// The settings dialog: the thirteen values of DimSettings on template 200. It works on
// its own copy; its caller takes the values back after IDOK and stores them.
#pragma once

#include "frame/platform.h"
#include "settings/dim_settings.h"

#include "acui.h"

class CDimSetting : public CAcUiDialog {
public:
    CDimSetting(const DimSettings& settings, CWnd* parent = nullptr);
    ~CDimSetting() override;

    // The edited values (read after DoModal returned IDOK).
    DimSettings Values() const;

    double m_overlapSpacing;
    double m_textHeight;
    double m_arrowSize;
    double m_textGap;
    double m_extLineOffset;
    int m_dimLineColor;
    int m_extLineColor;
    int m_textColor;
    double m_textWidthFactor;
    double m_extLineLength;
    int m_arrowType;
    int m_textDirection;
    int m_extLineFixed;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnDimLineColorButton();
    afx_msg void OnExtLineColorButton();
    afx_msg void OnTextColorButton();
    DECLARE_MESSAGE_MAP()

private:
    void PickColor(int& color, int buttonId);

    CAcUiColorComboBox m_dimLineColorList;
    CAcUiColorComboBox m_extLineColorList;
    CAcUiColorComboBox m_textColorList;
};
