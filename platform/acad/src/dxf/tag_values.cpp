#include "dxf/tag_values.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace kz::dxf {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Trims and drops a leading '+' (std::from_chars refuses it). A "+-5" stays refused.
std::string_view numericPart(std::string_view text) {
    std::string_view s = trim(text);
    if (s.size() > 1 && s[0] == '+' && s[1] != '-' && s[1] != '+')
        s.remove_prefix(1);
    return s;
}

ParseStatus parseInteger(std::string_view text, std::int64_t& out) {
    std::string_view s = numericPart(text);
    if (s.empty())
        return ParseStatus::NotANumber;
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Make sure the rest is digits so "99999999999999999999x" is not a number.
        const char* q = s.data() + (s[0] == '-' ? 1 : 0);
        while (q < s.data() + s.size() && *q >= '0' && *q <= '9')
            ++q;
        return q == s.data() + s.size() ? ParseStatus::OutOfRange : ParseStatus::NotANumber;
    }
    if (ec != std::errc() || p != s.data() + s.size())
        return ParseStatus::NotANumber;
    out = v;
    return ParseStatus::Ok;
}

template <class T>
ParseStatus parseRanged(std::string_view text, T& out, std::int64_t lo, std::int64_t hi) {
    std::int64_t v = 0;
    ParseStatus st = parseInteger(text, v);
    if (st != ParseStatus::Ok)
        return st;
    if (v < lo || v > hi)
        return ParseStatus::OutOfRange;
    out = static_cast<T>(v);
    return ParseStatus::Ok;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Rough decimal magnitude of a numeric text that std::from_chars found out of range:
// negative for underflow, positive for overflow.
long long decimalMagnitude(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    long long intDigits = 0;
    bool significant = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (s[i] != '0')
            significant = true;
        if (significant)
            ++intDigits;
    }
    long long leadingFractionZeros = 0;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
            if (!significant && s[i] == '0')
                ++leadingFractionZeros;
            else
                significant = true;
        }
    }
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool neg = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            ++i;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            if (exponent < 1000000)
                exponent = exponent * 10 + (s[i] - '0');
        if (neg)
            exponent = -exponent;
    }
    return exponent + (intDigits > 0 ? intDigits : -leadingFractionZeros);
}

} // namespace

ParseStatus parseInt16(std::string_view text, std::int16_t& out) noexcept {
    std::int64_t v = 0;
    ParseStatus st = parseInteger(text, v);
    if (st != ParseStatus::Ok)
        return st;
    if (v < -32768 || v > 65535)
        return ParseStatus::OutOfRange;
    out = static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return ParseStatus::Ok;
}

ParseStatus parseInt32(std::string_view text, std::int32_t& out) noexcept {
    return parseRanged(text, out, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max());
}

ParseStatus parseInt64(std::string_view text, std::int64_t& out) noexcept {
    return parseInteger(text, out);
}

ParseStatus parseBool(std::string_view text, bool& out) noexcept {
    std::int64_t v = 0;
    ParseStatus st = parseInteger(text, v);
    if (st != ParseStatus::Ok)
        return st;
    out = v != 0;
    return ParseStatus::Ok;
}

ParseStatus parseDouble(std::string_view text, double& out) noexcept {
    std::string_view s = numericPart(text);
    if (s.empty())
        return ParseStatus::NotANumber;
    // std::from_chars also reads "nan", "inf" and "infinity"; refuse them by demanding
    // a digit or a point first.
    std::size_t first = s[0] == '-' ? 1 : 0;
    if (first >= s.size() || !((s[first] >= '0' && s[first] <= '9') || s[first] == '.'))
        return ParseStatus::NotANumber;
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (p != s.data() + s.size())
        return ParseStatus::NotANumber;
    if (ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(s) < 0) {
            out = s[0] == '-' ? -0.0 : 0.0;
            return ParseStatus::Ok;
        }
        return ParseStatus::OutOfRange;
    }
    if (ec != std::errc())
        return ParseStatus::NotANumber;
    out = v;
    return ParseStatus::Ok;
}

ParseStatus parseHandle(std::string_view text, std::uint64_t& out) noexcept {
    std::string_view s = trim(text);
    if (s.empty() || s.size() > 16)
        return ParseStatus::NotAHandle;
    std::uint64_t v = 0;
    for (char c : s) {
        int d = hexDigit(c);
        if (d < 0)
            return ParseStatus::NotAHandle;
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    out = v;
    return ParseStatus::Ok;
}

ParseStatus parseBinary(std::string_view text, std::vector<std::uint8_t>& out) {
    std::string_view s = trim(text);
    if (s.size() % 2 != 0)
        return ParseStatus::NotBinary;
    for (char c : s)
        if (hexDigit(c) < 0)
            return ParseStatus::NotBinary;
    out.reserve(out.size() + s.size() / 2);
    for (std::size_t i = 0; i < s.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(hexDigit(s[i]) * 16 + hexDigit(s[i + 1])));
    return ParseStatus::Ok;
}

} // namespace kz::dxf
