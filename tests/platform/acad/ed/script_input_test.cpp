#include "ed/keywords.h"
#include "ed/line_source.h"
#include "ed/script_input.h"

#include <gtest/gtest.h>

using namespace kz::ed;

namespace {

TEST(ScriptInput, RealsAreDecimalNumbersOnly) {
    EXPECT_EQ(parseReal(L"12"), 12.0);
    EXPECT_EQ(parseReal(L"-0.5"), -0.5);
    EXPECT_EQ(parseReal(L".5"), 0.5);
    EXPECT_EQ(parseReal(L"5."), 5.0);
    EXPECT_EQ(parseReal(L"+1e3"), 1000.0);
    for (const wchar_t* bad : {L"", L"-", L".", L"1e", L"1,5", L" 1", L"1 ", L"0x10", L"inf",
                               L"nan", L"1e999", L"1.2.3"})
        EXPECT_FALSE(parseReal(bad).has_value()) << bad;
}

TEST(ScriptInput, IntegersStayWithinInt) {
    EXPECT_EQ(parseInteger(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseInteger(L"+7"), 7);
    EXPECT_FALSE(parseInteger(L"2147483648").has_value());
    EXPECT_FALSE(parseInteger(L"1.0").has_value());
    EXPECT_FALSE(parseInteger(L"-").has_value());
}

TEST(ScriptInput, PointsAbsoluteRelativeAndPolar) {
    const AcGePoint3d last(10, 20, 5);
    auto p = [&](const wchar_t* text) { return parsePoint(text, last); };
    EXPECT_EQ(p(L"1,2"), AcGePoint3d(1, 2, 0));
    EXPECT_EQ(p(L"1,2,3"), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(p(L"@1,-2"), AcGePoint3d(11, 18, 5));
    EXPECT_EQ(p(L"@1,2,3"), AcGePoint3d(11, 22, 8));
    EXPECT_EQ(p(L"@"), last);
    EXPECT_TRUE(p(L"2<90")->isEqualTo(AcGePoint3d(0, 2, 0)));
    EXPECT_TRUE(p(L"@2<180")->isEqualTo(AcGePoint3d(8, 20, 5)));
    for (const wchar_t* bad :
         {L"1", L"1,", L",1", L"1,2,3,4", L"@@1,2", L"a,b", L"1<", L"<3", L"~1,2", L"1;2"})
        EXPECT_FALSE(p(bad).has_value()) << bad;
}

TEST(ScriptInput, APointThatWouldBeInfiniteIsNoPoint) {
    // Every number is finite; their sums with a far last point are not.
    const AcGePoint3d far(1.7e308, -1.7e308, 0);
    for (const wchar_t* bad : {L"@1e308,0", L"@0,-1e308", L"@1.7e308<0", L"@1e308,0,0"})
        EXPECT_FALSE(parsePoint(bad, far).has_value()) << bad;
    EXPECT_TRUE(parsePoint(L"@-1e308,1e308", far).has_value());
}

TEST(ScriptInput, HandlesCommentsAndCancel) {
    EXPECT_EQ(parseHandleRef(L"#1A3")->value(), 0x1A3u);
    EXPECT_EQ(parseHandleRef(L"#ff")->value(), 0xFFu);
    EXPECT_FALSE(parseHandleRef(L"#").has_value());
    EXPECT_FALSE(parseHandleRef(L"#1G").has_value());
    EXPECT_FALSE(parseHandleRef(L"# 1A").has_value());
    EXPECT_FALSE(parseHandleRef(L"#11112222333344445").has_value());
    EXPECT_TRUE(isCommentLine(L"# a comment"));
    EXPECT_TRUE(isCommentLine(L"  #"));
    EXPECT_FALSE(isCommentLine(L"#1A3"));
    EXPECT_TRUE(isCancelText(L"*cancel*"));
    EXPECT_FALSE(isCancelText(L"*CANCEL"));
}

TEST(ScriptInput, ScriptSourceSkipsCommentsAndCountsLines) {
    ScriptSource s(L"a.scr", L"# heading\r\n  LINE  \r\n\r\n#2B\n# end");
    auto first = s.next(L"");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, L"LINE");
    EXPECT_EQ(first->where, L"a.scr:2");
    EXPECT_EQ(s.next(L"")->text, L""); // an empty line is Enter
    EXPECT_EQ(s.next(L"")->where, L"a.scr:4");
    EXPECT_FALSE(s.next(L"").has_value());
}

TEST(Keywords, ShortcutsPrefixesAndGlobalForms) {
    KeywordList list(L"Op eXit LO 2R _ Point Exit Length Twice");
    EXPECT_EQ(list.match(L"O"), L"Point");
    EXPECT_EQ(list.match(L"op"), L"Point");
    EXPECT_EQ(list.match(L"x"), L"Exit");
    EXPECT_EQ(list.match(L"EX"), L"Exit");
    EXPECT_EQ(list.match(L"exit"), L"Exit");
    EXPECT_FALSE(list.match(L"E").has_value()); // the shortcut is X
    EXPECT_EQ(list.match(L"lo"), L"Length");
    EXPECT_FALSE(list.match(L"L").has_value()); // all capitals: the whole word
    EXPECT_EQ(list.match(L"2r"), L"Twice");
    EXPECT_FALSE(list.match(L"R").has_value());
    EXPECT_EQ(list.match(L"_Point"), L"Point");
    EXPECT_EQ(list.match(L"_Length"), L"Length");
    EXPECT_FALSE(list.match(L"_Op").has_value()); // local words are not global ones
    EXPECT_FALSE(list.match(L"Opx").has_value());
    EXPECT_EQ(list.describe(), L"Op/eXit/LO/2R");
}

TEST(Keywords, WithoutGlobalFormsTheLocalWordsAreGlobal) {
    KeywordList list(L"Yes No");
    EXPECT_EQ(list.match(L"y"), L"Yes");
    EXPECT_EQ(list.match(L"_No"), L"No");
    EXPECT_TRUE(KeywordList(L"").empty());
}

} // namespace
