// Runs dialogs of the module's resource library with a script of input lines and keeps
// the transcript, as the host's script runner would.
#pragma once

#include "acui.h"
#include "mfc_host.h"
#include "resource.h"
#include "win_codepage.h"
#include "win_host_io.h"
#include "win_host_options.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = kz::utf8ToWide(KZ_BIN_DIR) + L"/KzDimRes.dll";
        module_ = LoadLibraryW(path.c_str());
        ASSERT_NE(module_, nullptr) << kz::lastModuleLoadError();
        previousResources_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module_);
        oldReader_ = kz::setHostLineReader([this](const std::wstring& prompt) {
            prompts_.push_back(prompt);
            if (lines_.empty()) {
                return std::optional<std::wstring>();
            }
            std::wstring line = lines_.front();
            lines_.pop_front();
            transcript_ += prompt + line + L"\n"; // the reader echoes what it takes
            return std::optional<std::wstring>(line);
        });
        oldWriter_ =
            kz::setHostTextWriter([this](const std::wstring& text) { transcript_ += text; });
        // Message boxes go to the transcript with their icon and are answered with Enter,
        // as the host shows them.
        oldSink_ = kz::setMessageBoxSink([this](const kz::MessageBoxRecord& box) {
            const std::string icon = kz::messageBoxIconName(box.type);
            transcript_ +=
                (icon.empty() ? L"" : L"[" + kz::utf8ToWide(icon) + L"] ") + box.text + L"\n";
            return kz::defaultMessageBoxAnswer(box.type);
        });
    }

    void TearDown() override {
        kz::setHostLineReader(oldReader_);
        kz::setHostTextWriter(oldWriter_);
        kz::setMessageBoxSink(oldSink_);
        kz::setHostUiLanguage(1041);
        AfxSetResourceHandle(previousResources_);
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    void script(std::initializer_list<const wchar_t*> lines) {
        lines_.assign(lines.begin(), lines.end());
    }
    const std::wstring& transcript() const { return transcript_; }
    std::string transcriptUtf8() const { return kz::wideToUtf8(transcript_); }
    bool saw(const std::wstring& text) const {
        return transcript_.find(text) != std::wstring::npos;
    }
    std::size_t linesLeft() const { return lines_.size(); }

    HMODULE module_ = nullptr;
    std::vector<std::wstring> prompts_;

private:
    HINSTANCE previousResources_ = nullptr;
    std::deque<std::wstring> lines_;
    std::wstring transcript_;
    kz::HostLineReader oldReader_;
    kz::HostTextWriter oldWriter_;
    kz::MessageBoxSink oldSink_;
};

// The transcript in failure messages, readable.
#define EXPECT_SAW(text) EXPECT_TRUE(saw(text)) << transcriptUtf8()
#define EXPECT_NOT_SAW(text) EXPECT_FALSE(saw(text)) << transcriptUtf8()

// The values of the settings dialog, with the controls they go to.
struct DimValues {
    double textHeight = 3.5;   // 200
    double arrowSize = 1.25;   // 201
    double textGap = 1.0;      // 202
    double overlapSpacing = 7; // 203
    double extLineOffset = 2;  // 204
    double widthFactor = 0.8;  // 214
    double extLineLength = 5;  // 229
    int arrowType = 1;         // 224
    int textDirection = 0;     // 226
    int extLineFixed = 0;      // 231
    int dimLineColor = 256;    // 210
    int extLineColor = 1;      // 211
    int textColor = 30;        // 212
};

// A dialog on the settings template exchanging DimValues, with its colour lists
// selected at position colour index + 1 and read back on OK, and handlers that count
// what the message map delivers.
class SettingsDialog : public CAcUiDialog {
public:
    explicit SettingsDialog(const DimValues& v, CWnd* parent = nullptr)
        : CAcUiDialog(IDD_DIM_SETTING, parent), values(v) {}

    DimValues values;
    CAcUiColorComboBox dimColor, extColor, textColor;
    int fixedClicks = 0;
    int colourButtonClicks = 0;
    int arrowSizeChanges = 0;
    std::vector<int> arrowTypeChanges;
    bool showColourButton = false;
    BOOL initResult = TRUE;

    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        dimColor.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(values.dimLineColor + 1));
        extColor.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(values.extLineColor + 1));
        textColor.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(values.textColor + 1));
        if (showColourButton) {
            GetDlgItem(IDC_DIMLINE_COLOR_BUTTON)->ShowWindow(SW_SHOW);
        }
        return initResult;
    }

    void OnOK() override {
        if (!UpdateData(TRUE)) {
            return;
        }
        values.dimLineColor = dimColor.GetCurrentItemColorIndex();
        values.extLineColor = extColor.GetCurrentItemColorIndex();
        values.textColor = textColor.GetCurrentItemColorIndex();
        CAcUiDialog::OnOK();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CAcUiDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_TEXT_HEIGHT, values.textHeight);
        DDX_Text(pDX, IDC_ARROW_SIZE, values.arrowSize);
        DDX_Text(pDX, IDC_TEXT_GAP, values.textGap);
        DDX_Text(pDX, IDC_OVERLAP_SPACING, values.overlapSpacing);
        DDX_Text(pDX, IDC_EXTLINE_OFFSET, values.extLineOffset);
        DDX_Control(pDX, IDC_DIMLINE_COLOR, dimColor);
        DDX_Control(pDX, IDC_EXTLINE_COLOR, extColor);
        DDX_Control(pDX, IDC_TEXT_COLOR, textColor);
        DDX_Text(pDX, IDC_WIDTH_FACTOR, values.widthFactor);
        DDX_Text(pDX, IDC_EXTLINE_LENGTH, values.extLineLength);
        DDX_CBIndex(pDX, IDC_ARROW_TYPE, values.arrowType);
        DDX_CBIndex(pDX, IDC_TEXT_DIRECTION, values.textDirection);
        DDX_Check(pDX, IDC_EXTLINE_FIXED, values.extLineFixed);
    }

    afx_msg void OnFixedClicked() { ++fixedClicks; }
    afx_msg void OnColourButton() { ++colourButtonClicks; }
    afx_msg void OnArrowSizeChanged() { ++arrowSizeChanges; }
    afx_msg void OnArrowTypeChanged() {
        arrowTypeChanges.push_back(
            static_cast<int>(SendDlgItemMessage(IDC_ARROW_TYPE, CB_GETCURSEL)));
    }

    DECLARE_MESSAGE_MAP()
};

// A dialog on any template that runs `init` when it has opened and `exchange` as its
// data exchange.
class ProbeDialog : public CAcUiDialog {
public:
    ProbeDialog(UINT idd, std::function<void(ProbeDialog&)> init,
                std::function<void(CDataExchange*)> exchange = {})
        : CAcUiDialog(idd), init_(std::move(init)), exchange_(std::move(exchange)) {}

    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        if (init_) {
            init_(*this);
        }
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (exchange_) {
            exchange_(pDX);
        }
    }

private:
    std::function<void(ProbeDialog&)> init_;
    std::function<void(CDataExchange*)> exchange_;
};
