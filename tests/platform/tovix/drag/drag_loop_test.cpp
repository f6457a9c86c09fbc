#include "drag_fixture.h"

#include "ed/drag_input.h"

#include <cmath>

TEST_F(DragTest, MovesSampleInOrderAndAPickSamplesThenEnds) {
    AcDbLine* shown = lineAt(0);
    drag.Append(shown, L"a", -1);
    drag.Append(lineAt(5), L"b", -1);
    drag.SetEntEnable(1, 0);
    drag.AddOption(L"LO", L"Length(LO)");
    drag.AddOption(L"PO", nullptr);
    drag.SetUserPrompt(1);
    Events frames;
    kz::ed::setDragFrameSink(
        [&](const std::vector<const AcDbEntity*>& preview, const AcGePoint3d& cursor) {
            bool onlyShown = preview.size() == 1 && preview[0] == shown;
            frames.push_back(pointText(cursor) + (onlyShown ? L" shown" : L" wrong"));
        });

    EXPECT_EQ(run(L"~1,2\n~3,4\n5,6\n"), RTNORM);
    EXPECT_EQ(log.events, (Events{L"begin", L"sample 1,2", L"sample 3,4", L"sample 5,6", L"end 5,6",
                                  L"finish"}));
    EXPECT_TRUE(log.recordsOk);
    EXPECT_EQ(frames, (Events{L"1,2 shown", L"3,4 shown", L"5,6 shown"}));
    EXPECT_NE(transcript().find(L"Place [Length(LO)/PO]: ~3,4\n"), std::wstring::npos);
    drag.SetUserPrompt(0);
    run(L"*CANCEL*\n");
    EXPECT_NE(transcript().find(L"Specify point [Length(LO)/PO]: *Cancel*"), std::wstring::npos);
}

TEST_F(DragTest, CancelEnterAndTheEndOfInputEndWithoutTheEndCallback) {
    EXPECT_EQ(run(L"~1,1\n*CANCEL*\n~2,2\n"), RTCAN);
    EXPECT_EQ(run(L"\n"), RTNONE);
    EXPECT_EQ(run(L"~7,7\n"), RTCAN);
    EXPECT_EQ(log.events, (Events{L"begin", L"sample 1,1", L"stop", L"finish", L"begin", L"stop",
                                  L"finish", L"begin", L"sample 7,7", L"stop", L"finish"}));
}

TEST_F(DragTest, AnyTextGoesToTheOptionCallbackAsTypedAndTheDragGoesOn) {
    drag.AddOption(L"LO", L"Length(LO)");
    drag.SetOptionFunc(onOption);
    EXPECT_EQ(run(L"LO\nlo\n~1,1\nTO\n2R\n3,3\n"), RTNORM);
    EXPECT_EQ(log.events, (Events{L"begin", L"option LO", L"option lo", L"sample 1,1", L"option TO",
                                  L"option 2R", L"sample 3,3", L"end 3,3", L"finish"}));
    // Without an option callback text is refused, and a script stops there.
    drag.SetOptionFunc(nullptr);
    log.events.clear();
    EXPECT_EQ(run(L"XX\n~1,1\n"), RTCAN);
    EXPECT_EQ(log.events, (Events{L"begin", L"stop", L"finish"}));
    EXPECT_NE(transcript().find(L"Point or option keyword required."), std::wstring::npos);
}

TEST_F(DragTest, DistanceReadoutFollowsTheCursorAtTheViewScale) {
    EXPECT_EQ(CDrag::scale(), 1.0);
    EXPECT_FALSE(kz::setDragViewScale(0.0));
    EXPECT_FALSE(kz::setDragViewScale(std::nan("")));
    ASSERT_TRUE(kz::setDragViewScale(2.0));
    EXPECT_EQ(CDrag::scale(), 2.0);
    LOGFONTW font{};
    drag.DistEnabled(1, 15.0, 1, 50.0, 50.0, 1, &font, 1);
    Events texts;
    kz::ed::setDragFrameSink([&](const std::vector<const AcDbEntity*>& preview,
                                 const AcGePoint3d&) {
        if (auto* text = AcDbText::cast(preview.empty() ? nullptr : preview.back()))
            texts.push_back(std::wstring(text->textStringConst()) + L" at " +
                            pointText(text->position()) + kz::formatWide(L" h%g", text->height()));
    });
    run(L"~3,4\n*CANCEL*\n");
    kz::setDragViewScale(1.0);
    EXPECT_EQ(texts, (Events{L"5.0000 at 103,104 h30"}));
}
