// A database handle: the 64-bit number that names an object for good, kept in the
// drawing file and written as upper-case hexadecimal text.
#pragma once

#include "AdAChar.h"

#include <cstddef>
#include <cstdint>

class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(std::uint64_t value) : m_value(value) {}
    // Hexadecimal text; anything that is not a whole hex number of at most 16 digits
    // gives the null handle.
    explicit AcDbHandle(const ACHAR* hexText);
    explicit AcDbHandle(const char* hexText);

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }
    std::uint64_t value() const { return m_value; }

    // Writes the hex text (at most 16 digits and the terminator) into buf of bufLen
    // characters; false when it does not fit.
    bool getIntoAsciiBuffer(ACHAR* buf, std::size_t bufLen = 17) const;
    bool getIntoAsciiBuffer(char* buf, std::size_t bufLen = 17) const;

    AcDbHandle& operator++() {
        ++m_value;
        return *this;
    }
    AcDbHandle operator+(const AcDbHandle& other) const { return m_value + other.m_value; }
    bool operator==(const AcDbHandle& o) const { return m_value == o.m_value; }
    bool operator!=(const AcDbHandle& o) const { return m_value != o.m_value; }
    bool operator<(const AcDbHandle& o) const { return m_value < o.m_value; }
    bool operator>(const AcDbHandle& o) const { return m_value > o.m_value; }

private:
    std::uint64_t m_value = 0;
};
