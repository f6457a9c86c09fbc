#include "dxf_test_support.h"

#include "dxf/tag_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kz::dxf;

TEST(DxfValues, RealsInTheFormsFilesContain) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"1", 1.0},
                 {"1.", 1.0},
                 {".5", 0.5},
                 {"-.5", -0.5},
                 {"1e+20", 1e20},
                 {"1.0E-05", 1e-5},
                 {"  12.5  ", 12.5},
                 {"+3.25", 3.25},
                 {"12.5\r", 12.5},
                 {"4.9e-324", 4.9e-324},
                 {"123456789.123456789", 123456789.123456789}};
    for (const auto& c : cases) {
        double v = -99;
        EXPECT_EQ(parseDouble(c.text, v), ParseStatus::Ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
    double z = 1;
    ASSERT_EQ(parseDouble("-0", z), ParseStatus::Ok);
    EXPECT_TRUE(z == 0 && std::signbit(z));
    // Underflow is a signed zero, overflow an error.
    ASSERT_EQ(parseDouble("-1e-400", z), ParseStatus::Ok);
    EXPECT_TRUE(z == 0 && std::signbit(z));
    ASSERT_EQ(parseDouble("0.000001e-400", z), ParseStatus::Ok);
    EXPECT_EQ(z, 0.0);
    EXPECT_EQ(parseDouble("1e400", z), ParseStatus::OutOfRange);
    EXPECT_EQ(parseDouble("-1e400", z), ParseStatus::OutOfRange);
}

TEST(DxfValues, RealsThatAreRefused) {
    for (const char* text : {"", "  ", "x1.5", "1.5x", "1e", "nan", "NaN", "inf", "-inf",
                             "infinity", "0x10", "1,5", "+-1", "+", "-", ".", "1 2"}) {
        double v = 7;
        EXPECT_EQ(parseDouble(text, v), ParseStatus::NotANumber) << '"' << text << '"';
        EXPECT_EQ(v, 7) << "unchanged on failure";
    }
}

TEST(DxfValues, IntegersAndTheirRanges) {
    std::int16_t i16 = 0;
    EXPECT_EQ(parseInt16("     6", i16), ParseStatus::Ok);
    EXPECT_EQ(i16, 6);
    EXPECT_EQ(parseInt16("-32768", i16), ParseStatus::Ok);
    EXPECT_EQ(i16, -32768);
    // Flags written unsigned wrap to the same 16 bits.
    EXPECT_EQ(parseInt16("65535", i16), ParseStatus::Ok);
    EXPECT_EQ(i16, -1);
    EXPECT_EQ(parseInt16("65536", i16), ParseStatus::OutOfRange);
    EXPECT_EQ(parseInt16("-32769", i16), ParseStatus::OutOfRange);
    EXPECT_EQ(parseInt16("1.0", i16), ParseStatus::NotANumber);

    std::int32_t i32 = 0;
    EXPECT_EQ(parseInt32("2147483647", i32), ParseStatus::Ok);
    EXPECT_EQ(parseInt32("2147483648", i32), ParseStatus::OutOfRange);
    std::int64_t i64 = 0;
    EXPECT_EQ(parseInt64("-9223372036854775808", i64), ParseStatus::Ok);
    EXPECT_EQ(i64, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(parseInt64("99999999999999999999", i64), ParseStatus::OutOfRange);
    EXPECT_EQ(parseInt64("99999999999999999999x", i64), ParseStatus::NotANumber);

    bool b = false;
    EXPECT_EQ(parseBool("     1", b), ParseStatus::Ok);
    EXPECT_TRUE(b);
    EXPECT_EQ(parseBool("0", b), ParseStatus::Ok);
    EXPECT_FALSE(b);
    EXPECT_EQ(parseBool("yes", b), ParseStatus::NotANumber);
}

TEST(DxfValues, HandlesAndBinaryChunks) {
    std::uint64_t h = 0;
    EXPECT_EQ(parseHandle("2F", h), ParseStatus::Ok);
    EXPECT_EQ(h, 0x2Fu);
    EXPECT_EQ(parseHandle("ffffffffffffffff", h), ParseStatus::Ok);
    EXPECT_EQ(h, ~0ull);
    EXPECT_EQ(parseHandle("0", h), ParseStatus::Ok);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(parseHandle("", h), ParseStatus::NotAHandle);
    EXPECT_EQ(parseHandle("1G", h), ParseStatus::NotAHandle);
    EXPECT_EQ(parseHandle("10000000000000000", h), ParseStatus::NotAHandle); // 17 digits

    std::vector<std::uint8_t> bytes = {9};
    EXPECT_EQ(parseBinary("00FFa5", bytes), ParseStatus::Ok);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{9, 0x00, 0xFF, 0xA5}));
    EXPECT_EQ(parseBinary("ABC", bytes), ParseStatus::NotBinary);
    EXPECT_EQ(parseBinary("ZZ", bytes), ParseStatus::NotBinary);
    EXPECT_EQ(bytes.size(), 4u);
}

TEST(DxfValues, TypedAccessorsReportFileLineAndGroupCode) {
    auto f = dxftest::parseOk("  0\nLINE\n 10\nx1.5\n 70\n70000\n  5\nXYZ\n310\nABC\n 20\n2.5\n");
    const auto& t = f.tags();
    double d = 0;
    DxfError e;
    EXPECT_FALSE(f.toDouble(t[1], d, &e));
    EXPECT_EQ(e.problem, DxfProblem::NotANumber);
    EXPECT_EQ(e.message, "t.dxf:3: value \"x1.5\" is not a number for group code 10");
    std::int16_t i = 0;
    EXPECT_FALSE(f.toInt16(t[2], i, &e));
    EXPECT_EQ(e.message,
              "t.dxf:5: value \"70000\" is out of range for group code 70 (16-bit integer)");
    std::uint64_t h = 0;
    EXPECT_FALSE(f.toHandle(t[3], h, &e));
    EXPECT_EQ(e.problem, DxfProblem::NotAHandle);
    std::vector<std::uint8_t> bin;
    EXPECT_FALSE(f.toBinary(t[4], bin, &e));
    EXPECT_EQ(e.line, 9u);
    EXPECT_TRUE(f.toDouble(t[5], d));
    EXPECT_EQ(d, 2.5);
    EXPECT_FALSE(f.toDouble(t[1], d)); // no error object needed
}
