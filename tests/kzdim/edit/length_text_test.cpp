#include "edit/length_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Outcome {
    bool accepted;
    double value;
    int side;
};

Outcome apply(const wchar_t* text, double start = 1000.0) {
    Outcome o{false, start, 9};
    o.accepted = ApplyLengthText(CString(text), o.value, o.side);
    return o;
}

void expectAccepted(const wchar_t* text, double value, int side, double start = 1000.0) {
    Outcome o = apply(text, start);
    EXPECT_TRUE(o.accepted) << text;
    EXPECT_DOUBLE_EQ(o.value, value) << text;
    EXPECT_EQ(o.side, side) << text;
}

void expectRefused(const wchar_t* text, double start = 1000.0) {
    Outcome o = apply(text, start);
    EXPECT_FALSE(o.accepted) << text;
    EXPECT_EQ(o.value, start) << text;
    EXPECT_EQ(o.side, 9) << text;
}

TEST(LengthText, PlainNumbersReplaceTheLengthAndTheSignPicksTheEnd) {
    expectAccepted(L"1250", 1250, 1);
    expectAccepted(L"-1250", 1250, 0);
    expectAccepted(L"0", 0, 0);
    expectAccepted(L" .5", 0.5, 1);
    expectAccepted(L"12.5mm", 12.5, 1); // what follows the number is ignored, as before
}

TEST(LengthText, MarkersAddToTheLengthFromEitherEnd) {
    expectAccepted(L"<250", 1250, 1);
    expectAccepted(L">250", 1250, 0);
    expectAccepted(L">-250", 750, 0);
    expectAccepted(L"<>5", 1000, 1); // both markers: "<" decides, and ">5" reads as 0
    expectRefused(L"25<0");
    expectRefused(L"25>0");
}

TEST(LengthText, FullWidthInputCountsAsItsAsciiForm) {
    expectAccepted(L"\xFF11\xFF12\xFF15\xFF10", 1250, 1);               // １２５０
    expectAccepted(L"\xFF0D\xFF15\xFF10\xFF10", 500, 0);                // －５００
    expectAccepted(L"\xFF1C\xFF12\xFF15\xFF10", 1250, 1);               // ＜２５０
    expectAccepted(L"\xFF1E\x3000\xFF11\xFF0E\xFF15", 1001.5, 0, 1000); // ＞　１．５
    expectRefused(L"\xFF11\xFF12\xFF1C\xFF15");                         // １２＜５
}

TEST(LengthText, AResultThatIsNotFiniteChangesNothing) {
    // Each of these made the length infinite or not a number before.
    for (const wchar_t* text : {L"1e999", L"-1e999", L"<1e999", L">-1e999", L"inf", L"nan", L"<nan",
                                L"\xFF11\xFF45\xFF19\xFF19\xFF19"}) // １ｅ９９９
        expectRefused(text);
    expectRefused(L"<1e308", 1e308); // the sum overflows
    expectAccepted(L"<-1e308", 0, 1, 1e308);
}

} // namespace
