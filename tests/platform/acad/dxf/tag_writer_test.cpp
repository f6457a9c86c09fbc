#include "dxf_test_support.h"

#include "dxf/group_codes.h"
#include "dxf/tag_reader.h"
#include "dxf/tag_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace kz::dxf;

namespace {

std::string fmt(double v) {
    char buf[kDoubleTextMax];
    return std::string(buf, formatDouble(v, buf));
}

} // namespace

TEST(DxfWriter, GroupCodesAreRightAlignedInThreeColumns) {
    std::string out;
    TagWriter w(out);
    w.writeString(0, "SECTION");
    w.writeDouble(10, 1.5);
    w.writeString(100, "AcDbEntity");
    w.writeString(1001, "APP");
    w.writeInt(70, 6);
    w.writeInt(90, 123456);
    w.writeBool(290, true);
    w.writeHandle(5, 0x2F);
    w.writeHandle(330, 0);
    EXPECT_TRUE(w.ok()) << w.firstError();
    EXPECT_EQ(out, "  0\nSECTION\n 10\n1.5\n100\nAcDbEntity\n1001\nAPP\n 70\n     6\n"
                   " 90\n123456\n290\n     1\n  5\n2F\n330\n0\n");

    std::string crlf;
    TagWriter c(crlf, LineEnding::CrLf);
    c.writeString(0, "EOF");
    c.writeInt(1071, -5);
    EXPECT_EQ(crlf, "  0\r\nEOF\r\n1071\r\n-5\r\n");
}

TEST(DxfWriter, RealsAreShortestAndAlwaysLookLikeReals) {
    EXPECT_EQ(fmt(10.0), "10.0");
    EXPECT_EQ(fmt(0.0), "0.0");
    EXPECT_EQ(fmt(-0.0), "-0.0");
    EXPECT_EQ(fmt(0.1), "0.1");
    EXPECT_EQ(fmt(1e-300), "1.0E-300");
    EXPECT_EQ(fmt(1e20), "1.0E+20");
    EXPECT_EQ(fmt(2.5e-7), "2.5E-07");
    EXPECT_EQ(fmt(123456789.123456789), "123456789.12345679");
    EXPECT_EQ(fmt(123456789012.0), "123456789012.0");
    EXPECT_EQ(fmt(-std::numeric_limits<double>::max()), "-1.7976931348623157E+308");
    EXPECT_EQ(fmt(std::numeric_limits<double>::denorm_min()), "5.0E-324");
}

TEST(DxfWriter, StringsCannotBreakLines) {
    std::string out;
    TagWriter w(out);
    w.writeString(1, "two\nlines^\r");
    EXPECT_EQ(out, "  1\ntwo^Jlines^ ^M\n");
    auto f = dxftest::parseOk(out);
    EXPECT_EQ(f.tags()[0].value, "two\nlines^\r");
}

TEST(DxfWriter, TagsThatDoNotFitTheirCodeAreRefusedAndReported) {
    std::string out;
    TagWriter w(out);
    w.writeInt(70, 70000);
    EXPECT_EQ(w.firstError(), "group code 70: 70000 does not fit a 16-bit integer");
    w.writeDouble(70, 1.0); // later failures do not overwrite the first
    EXPECT_EQ(w.firstError(), "group code 70: 70000 does not fit a 16-bit integer");
    EXPECT_TRUE(out.empty());

    auto firstErrorOf = [](auto&& write) {
        std::string o;
        TagWriter t(o);
        write(t);
        EXPECT_TRUE(o.empty());
        return t.firstError();
    };
    EXPECT_EQ(firstErrorOf([](TagWriter& t) { t.writeDouble(10, NAN); }),
              "group code 10: nan cannot be written (not a finite number)");
    EXPECT_EQ(firstErrorOf([](TagWriter& t) { t.writeDouble(70, 1.0); }),
              "group code 70: holds a 16-bit integer, not a real number");
    EXPECT_EQ(firstErrorOf([](TagWriter& t) { t.writeString(5000, "x"); }),
              "group code 5000: not a DXF group code (0-1071)");
    EXPECT_EQ(firstErrorOf([](TagWriter& t) { t.writeInt(290, 2); }),
              "group code 290: 2 does not fit a boolean (0 or 1)");
    EXPECT_EQ(firstErrorOf([](TagWriter& t) { t.writePoint(40, 1, 2); }),
              "group code 40: not the X code of a point");
    EXPECT_FALSE(firstErrorOf([](TagWriter& t) { t.writeHandle(10, 1); }).empty());
    EXPECT_FALSE(firstErrorOf([](TagWriter& t) { t.writeInt(1071, 1ll << 40); }).empty());
}

TEST(DxfWriter, BinaryDataIsSplitIntoChunksOf127Bytes) {
    std::vector<std::uint8_t> data(300);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    std::string out;
    TagWriter w(out);
    w.writeBinary(310, data.data(), data.size());
    auto f = dxftest::parseOk(out);
    ASSERT_EQ(f.tags().size(), 3u);
    EXPECT_EQ(f.tags()[0].value.size(), 254u);
    EXPECT_EQ(f.tags()[2].value.size(), 2u * (300 - 254));
    std::vector<std::uint8_t> back, chunk;
    for (const Tag& t : f.tags()) {
        ASSERT_TRUE(f.toBinary(t, chunk));
        back.insert(back.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(back, data);
}

// Writes many random tags of every value type and reads them back: every value must come
// back exactly, reals bit for bit. Each tag is checked by re-rendering what was read
// with the same type, so one comparison covers all types.
TEST(DxfWriter, RandomTagsRoundTripThroughTheReader) {
    std::mt19937_64 rng(20240611);
    const double specials[] = {0.1,
                               1e-300,
                               -0.0,
                               123456789.123456789,
                               1e308,
                               5e-324,
                               -2.2250738585072014e-308,
                               1.0 / 3.0,
                               100.0,
                               1e15,
                               1e16};
    // Text with blanks at the ends, control characters, carets, backslashes that are not
    // escapes, and non-ASCII characters.
    const char* pieces[] = {" ",   "a", "^",    "\n",         "\t", "\\",
                            "\\P", "é", "寸法", "\U0001F600", "^J"};
    auto bitsOf = [](double d) {
        std::uint64_t b;
        std::memcpy(&b, &d, sizeof b);
        return std::to_string(b);
    };
    std::vector<std::pair<int, std::string>> expected; // code, value rendered as text
    std::string out;
    TagWriter w(out, LineEnding::CrLf);
    for (int n = 0; n < 20000; ++n) {
        int code = static_cast<int>(rng() % (kMaxGroupCode + 1));
        std::string value;
        switch (valueType(code)) {
        case ValueType::Double: {
            double d = specials[rng() % std::size(specials)];
            if (rng() % 4 != 0) {
                std::uint64_t bits = rng();
                std::memcpy(&d, &bits, sizeof d);
                if (!std::isfinite(d))
                    d = 1.5;
            }
            w.writeDouble(code, d);
            value = bitsOf(d);
            break;
        }
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64:
        case ValueType::Bool: {
            ValueType t = valueType(code);
            std::int64_t i = t == ValueType::Int16   ? static_cast<std::int16_t>(rng())
                             : t == ValueType::Int32 ? static_cast<std::int32_t>(rng())
                             : t == ValueType::Bool  ? static_cast<std::int64_t>(rng() % 2)
                                                     : static_cast<std::int64_t>(rng());
            w.writeInt(code, i);
            value = std::to_string(i);
            break;
        }
        case ValueType::Handle: {
            std::uint64_t h = rng() >> (rng() % 64);
            w.writeHandle(code, h);
            value = std::to_string(h);
            break;
        }
        case ValueType::Binary: {
            std::vector<std::uint8_t> b(rng() % 100);
            for (auto& c : b)
                c = static_cast<std::uint8_t>(rng());
            w.writeBinary(code, b.data(), b.size());
            value.assign(b.begin(), b.end());
            break;
        }
        case ValueType::String:
            for (std::size_t k = rng() % 12; k > 0; --k)
                value += pieces[rng() % std::size(pieces)];
            w.writeString(code, value);
            break;
        }
        expected.emplace_back(code, value);
    }
    ASSERT_TRUE(w.ok()) << w.firstError();

    auto f = dxftest::parseOk(out);
    ASSERT_EQ(f.tags().size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Tag& t = f.tags()[k];
        std::string got = "unreadable";
        double d;
        std::int64_t i;
        std::uint64_t h;
        std::vector<std::uint8_t> b;
        switch (valueType(t.code)) {
        case ValueType::Double:
            if (f.toDouble(t, d))
                got = bitsOf(d);
            break;
        case ValueType::Handle:
            if (f.toHandle(t, h))
                got = std::to_string(h);
            break;
        case ValueType::Binary:
            if (f.toBinary(t, b))
                got.assign(b.begin(), b.end());
            break;
        case ValueType::String:
            got = t.value;
            break;
        default:
            if (f.toInt64(t, i))
                got = std::to_string(i);
        }
        ASSERT_EQ(t.code, expected[k].first) << "tag " << k;
        ASSERT_EQ(got, expected[k].second) << "tag " << k << ", written as " << t.value;
    }
}
