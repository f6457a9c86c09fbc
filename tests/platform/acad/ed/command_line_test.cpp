#include "ed_fixture.h"

#include "acedads.h"
#include "acdocman.h"
#include "ed/host_windows.h"
#include "win_host_io.h"
#include "windows.h"

namespace {

using kz::ed::InputKind;

TEST_F(EditorTest, QueuedTextComesFirstAndIsCutAtBlanks) {
    script(L"9,9\n");
    line().queue(L"1,1 2,2\n\n", true);
    line().queue(L"3,3", true); // the end of a sent text ends its last input
    ads_point p;
    std::vector<std::wstring> got;
    for (int i = 0; i < 5; ++i) {
        int status = acedGetPoint(nullptr, L"\nP: ", p);
        got.push_back(status == RTNORM ? std::to_wstring(int(p[0])) : std::to_wstring(status));
    }
    EXPECT_EQ(got, (std::vector<std::wstring>{L"1", L"2", std::to_wstring(RTNONE), L"3", L"9"}));
    EXPECT_NE(transcript().find(L"P: 1,1\n"), std::wstring::npos);
}

TEST_F(EditorTest, BlanksStayInsideTextWhenThePromptTakesThem) {
    line().queue(L"two words\nnext ", true);
    ACHAR text[133];
    EXPECT_EQ(acedGetString(1, L"T: ", text), RTNORM);
    EXPECT_STREQ(text, L"two words");
    EXPECT_EQ(acedGetString(0, L"T: ", text), RTNORM);
    EXPECT_STREQ(text, L"next");
}

TEST_F(EditorTest, UnechoedTextAndCtrlCFromTheQueue) {
    line().queue(L"5,5 \x03", false);
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"A: ", p), RTNORM);
    EXPECT_EQ(acedGetPoint(nullptr, L"B: ", p), RTCAN);
    EXPECT_EQ(transcript(), L"A: \nB: *Cancel*\n");
}

TEST_F(EditorTest, AScriptStopsAtInputThePromptRefuses) {
    script(L"1,1\nhello\n2,2\n");
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP: ", p), RTNORM);
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP: ", p), RTCAN);
    EXPECT_TRUE(line().stopped());
    EXPECT_EQ(line().error(), L"test.scr:2: expected a point, got \"hello\"");
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP: ", p), RTCAN); // nothing more is read
    EXPECT_EQ(
        transcript(),
        L"\nP: 1,1\n\nP: hello\nPoint or option keyword required.\n*Cancel*\n\nP: *Cancel*\n");
}

TEST_F(EditorTest, APersonIsAskedAgain) {
    script(L"hello\n\n3,4\n", true);
    acedInitGet(RSG_NONULL, nullptr);
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP: ", p), RTNORM);
    EXPECT_EQ(p[0], 3.0);
    EXPECT_FALSE(line().stopped());
    EXPECT_EQ(transcript(), L"\nP: hello\nPoint or option keyword required.\nP: \n"
                            L"Point or option keyword required.\nP: 3,4\n");
}

TEST_F(EditorTest, InitGetAppliesToTheNextInputOnly) {
    script(L"\n\n");
    acedInitGet(RSG_NONULL, L"Yes");
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", p), RTCAN); // Enter refused: the script stops
    line().reset();
    script(L"\n");
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", p), RTNONE);
}

TEST_F(EditorTest, NumbersKeywordsAndTheirLimits) {
    script(L"0\n-2\n4\nUp\n", true);
    acedInitGet(RSG_NOZERO | RSG_NONEG, L"Up");
    double r = 0;
    EXPECT_EQ(acedGetReal(L"R: ", &r), RTNORM);
    EXPECT_EQ(r, 4.0);
    EXPECT_NE(transcript().find(L"Value must be positive and nonzero."), std::wstring::npos);
    acedInitGet(0, L"Up Down");
    EXPECT_EQ(acedGetReal(L"R: ", &r), RTKWORD);
    ACHAR kw[133];
    EXPECT_EQ(acedGetInput(kw), RTNORM);
    EXPECT_STREQ(kw, L"Up");
}

TEST_F(EditorTest, IntegersAreSixteenBitAndKeywordPromptsTakeOnlyKeywords) {
    script(L"40000\n12\nmaybe\nn\n", true);
    int i = 0;
    EXPECT_EQ(acedGetInt(L"I: ", &i), RTNORM);
    EXPECT_EQ(i, 12);
    EXPECT_NE(transcript().find(L"Requires an integer value."), std::wstring::npos);
    acedInitGet(0, L"Yes No");
    ACHAR kw[4];
    EXPECT_EQ(acedGetKword(L"K: ", kw, 4), RTNORM);
    EXPECT_STREQ(kw, L"No");
    EXPECT_NE(transcript().find(L"Invalid option keyword."), std::wstring::npos);
}

TEST_F(EditorTest, LongTextIsCut) {
    script(L"abcdef\n");
    ACHAR text[4];
    EXPECT_EQ(acedGetString(0, L"T: ", text, 4), RTINPUTTRUNCATED);
    EXPECT_STREQ(text, L"abc");
}

TEST_F(EditorTest, TheEndOfTheScriptCancels) {
    script(L"");
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", p), RTCAN);
    EXPECT_FALSE(line().stopped()); // running out of input is no error
}

TEST_F(EditorTest, DialogLinesComeFromTheScriptNotFromSentText) {
    script(L"# dialog\n3=abc\n");
    acDocManager->sendStringToExecute(acDocManager->curDocument(), L"OK\n", true, false, true);
    EXPECT_EQ(kz::hostReadLine(L"Dialog 200: "), std::optional<std::wstring>(L"3=abc"));
    EXPECT_FALSE(kz::hostReadLine(L"Dialog 200: ").has_value());
    EXPECT_TRUE(line().hasQueuedInput());
    EXPECT_EQ(transcript(), L"Dialog 200: 3=abc\nDialog 200: \n");
}

TEST_F(EditorTest, DialogInputErrorsStopTheScript) {
    script(L"99=1\nOK\n");
    ASSERT_TRUE(kz::hostReadLine(L"D: "));
    kz::hostInputError(L"no control 99");
    EXPECT_EQ(line().error(), L"test.scr:1: no control 99");
    EXPECT_FALSE(kz::hostReadLine(L"D: ").has_value());
}

TEST_F(EditorTest, PrintedTextGoesToTheTranscript) {
    acutPrintf(L"%s=%d %.2f\n", L"n", 3, 1.5);
    kz::hostWrite(L"[box]");
    EXPECT_EQ(transcript(), L"n=3 1.50\n[box]");
}

TEST_F(EditorTest, MessageBoxesAndDrawingAreShownInTheTranscript) {
    EXPECT_EQ(MessageBoxW(adsw_acadMainWnd(), L"no match", L"KzDim", MB_OK | MB_ICONHAND), IDOK);
    HDC dc = GetDC(kz::ed::drawingWindow());
    HBRUSH brush = CreateSolidBrush(RGB(20, 20, 20));
    HGDIOBJ old = SelectObject(dc, brush);
    const POINT triangle[3] = {{10, 20}, {26, 20}, {18, 4}};
    Polygon(dc, triangle, 3);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(kz::ed::drawingWindow(), dc);
    EXPECT_EQ(transcript(), L"[stop] KzDim: no match\n"
                            L"[draw polygon 10,20 26,20 18,4 pen #000000 fill #141414]\n");
}

TEST_F(EditorTest, SentTextIsShownWhenTakenEvenWithoutEcho) {
    acDocManager->sendStringToExecute(acDocManager->curDocument(), L"@5,0\n", true, true, false);
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"Displacement: ", p), RTNORM);
    EXPECT_EQ(transcript(), L"Displacement: @5,0\n");
}

TEST_F(EditorTest, SendingNeedsTheOpenDocumentAndText) {
    AcApDocument* doc = acDocManager->curDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(acDocManager->sendStringToExecute(nullptr, L"X"), Acad::eInvalidInput);
    EXPECT_EQ(acDocManager->sendStringToExecute(doc, nullptr), Acad::eInvalidInput);
    EXPECT_FALSE(line().hasQueuedInput());
}

} // namespace
