// Texts and MTexts: contents as shown, anchors, lines, and escaping in the SVG.
#include "render_fixture.h"

#include "db/dim_graphics.h"
#include "dbmtext.h"
#include "render/text_codes.h"

#include <numbers>

using namespace kz::render;

TEST(TextCodes, ControlCodesBecomeTheCharactersTheyStandFor) {
    EXPECT_EQ(plainText(L"45%%d %%p0.5 %%c50 100%%% %%uUNDER%%u %%O%%k"),
              L"45\u00B0 \u00B10.5 \u230050 100% UNDER ");
    EXPECT_EQ(plainText(L"%%065%%0661"), L"AB1");
    // Unknown codes and a lone or trailing %% stay as written.
    EXPECT_EQ(plainText(L"%%z 5% %%"), L"%%z 5% %%");
}

TEST(TextCodes, LinesBreakAtLineEndsAndWrapAtSpaces) {
    auto chars = [](std::wstring_view s) { return double(s.size()); };
    EXPECT_EQ(wrapLines(L"one\ntwo", 0, chars), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(wrapLines(L"aaa bbb ccc", 7, chars), (std::vector<std::wstring>{L"aaa bbb", L"ccc"}));
    // A word longer than the width stays whole on a line of its own.
    EXPECT_EQ(wrapLines(L"a verylongword b", 5, chars),
              (std::vector<std::wstring>{L"a", L"verylongword", L"b"}));
    EXPECT_EQ(wrapLines(L"", 5, chars), (std::vector<std::wstring>{L""}));
}

TEST_F(RenderTest, SingleLineTextsAreAnchoredAsTheirAlignmentSays) {
    auto* left = new AcDbText(AcGePoint3d(1, 2, 0), L"L", AcDbObjectId(), 2.5, 0.0);
    add(left);
    auto* centred = new AcDbText(AcGePoint3d(0, 0, 0), L"C", AcDbObjectId(), 2.5, 0.0);
    centred->setHorizontalMode(AcDb::kTextCenter);
    centred->setVerticalMode(AcDb::kTextTop);
    centred->setAlignmentPoint(AcGePoint3d(10, 20, 0));
    add(centred);
    auto* middle = new AcDbText(AcGePoint3d(0, 0, 0), L"M", AcDbObjectId(), 2.5, 0.0);
    middle->setHorizontalMode(AcDb::kTextMid);
    middle->setAlignmentPoint(AcGePoint3d(30, 40, 0));
    add(middle);
    // Fitted between two points: centred between them, stretched to fill the span.
    auto* fit = new AcDbText(AcGePoint3d(0, 50, 0), L"FIT", AcDbObjectId(), 2.0, 0.0);
    fit->setHorizontalMode(AcDb::kTextFit);
    fit->setAlignmentPoint(AcGePoint3d(0, 70, 0));
    add(fit);

    auto texts = itemsOf<Text>(scene());
    ASSERT_EQ(texts.size(), 4u);
    expectNear(texts[0].position, 1, 2);
    EXPECT_EQ(texts[0].style.hAlign, kz::svg::HAlign::Left);
    EXPECT_EQ(texts[0].style.vAlign, kz::svg::VAlign::Baseline);
    expectNear(texts[1].position, 10, 20);
    EXPECT_EQ(texts[1].style.hAlign, kz::svg::HAlign::Center);
    EXPECT_EQ(texts[1].style.vAlign, kz::svg::VAlign::Top);
    expectNear(texts[2].position, 30, 40);
    EXPECT_EQ(texts[2].style.hAlign, kz::svg::HAlign::Center);
    EXPECT_EQ(texts[2].style.vAlign, kz::svg::VAlign::Middle);
    expectNear(texts[3].position, 0, 60);
    EXPECT_NEAR(texts[3].style.rotation, std::numbers::pi / 2, 1e-9);
    EXPECT_NEAR(texts[3].width, 20.0, 1e-9);
    EXPECT_NEAR(texts[3].style.widthFactor, 20.0 / kz::dim::estimateTextWidth(L"FIT", 2.0), 1e-9);
}

TEST_F(RenderTest, MTextLosesItsFormatCodesAndStacksItsLinesFromTheAttachment) {
    auto* m = new AcDbMText;
    m->setLocation(AcGePoint3d(0, 0, 0));
    m->setContents(L"{\\fArial|b1;Bold} line\\Psecond %%d");
    m->setTextHeight(3);
    m->setAttachment(AcDbMText::kMiddleCenter);
    add(m);
    // Running up the page from its top-left corner: the second line lies to the right.
    auto* up = new AcDbMText;
    up->setLocation(AcGePoint3d(100, 0, 0));
    up->setContents(L"a\\Pb");
    up->setTextHeight(3);
    up->setDirection(AcGeVector3d(0, 1, 0));
    up->setAttachment(AcDbMText::kTopLeft);
    add(up);

    auto texts = itemsOf<Text>(scene());
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, L"Bold line");
    EXPECT_EQ(texts[1].text, L"second \u00B0");
    // Two lines 5 apart (5/3 of the height): the pair is centred on the location.
    const double pitch = 5.0, total = 3.0 + pitch;
    expectNear(texts[0].position, 0, total / 2);
    expectNear(texts[1].position, 0, total / 2 - pitch);
    EXPECT_EQ(texts[0].style.hAlign, kz::svg::HAlign::Center);
    EXPECT_EQ(texts[0].style.vAlign, kz::svg::VAlign::Top);
    expectNear(texts[2].position, 100, 0);
    expectNear(texts[3].position, 100 + pitch, 0);
    EXPECT_NEAR(texts[3].style.rotation, std::numbers::pi / 2, 1e-9);
}

TEST_F(RenderTest, TextIsEscapedInTheSvg) {
    add(new AcDbText(AcGePoint3d(0, 0, 0), L"<a & \"b\"> 'c' \x01", AcDbObjectId(), 2.5, 0.0));
    add(new AcDbText(AcGePoint3d(0, 10, 0), L"\u7d4c\u8def", AcDbObjectId(), 2.5, 0.0));
    const std::string svg = kz::render::renderModelSpace(*db, {});
    EXPECT_NE(svg.find("&lt;a &amp; &quot;b&quot;&gt; &apos;c&apos; \xEF\xBF\xBD</text>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find(">\xE7\xB5\x8C\xE8\xB7\xAF</text>"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("<a "), std::string::npos);
}
