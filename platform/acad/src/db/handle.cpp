#include "dbhandle.h"

#include <cwchar>

namespace {

template <class C> std::uint64_t parseHex(const C* text) {
    if (!text)
        return 0;
    std::uint64_t v = 0;
    int digits = 0;
    for (const C* p = text; *p; ++p) {
        int d;
        if (*p >= '0' && *p <= '9')
            d = *p - '0';
        else if (*p >= 'a' && *p <= 'f')
            d = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F')
            d = *p - 'A' + 10;
        else
            return 0;
        if (++digits > 16)
            return 0;
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    return v;
}

template <class C> bool format(std::uint64_t v, C* buf, std::size_t len) {
    C tmp[17];
    int n = 0;
    do {
        int d = static_cast<int>(v & 0xF);
        tmp[n++] = static_cast<C>(d < 10 ? '0' + d : 'A' + d - 10);
        v >>= 4;
    } while (v != 0);
    if (!buf || len < static_cast<std::size_t>(n) + 1)
        return false;
    for (int i = 0; i < n; ++i)
        buf[i] = tmp[n - 1 - i];
    buf[n] = 0;
    return true;
}

} // namespace

AcDbHandle::AcDbHandle(const ACHAR* hexText) : m_value(parseHex(hexText)) {}
AcDbHandle::AcDbHandle(const char* hexText) : m_value(parseHex(hexText)) {}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buf, std::size_t bufLen) const {
    return format(m_value, buf, bufLen);
}

bool AcDbHandle::getIntoAsciiBuffer(char* buf, std::size_t bufLen) const {
    return format(m_value, buf, bufLen);
}
