#include "acutmem.h"

#include <cstdarg>
#include <cstring>
#include <cwchar>

namespace kz {

RbKind rbKind(int t) {
    if (t >= 5000) {
        switch (t) {
        case RTREAL:
        case RTANG:
        case RTORINT:
            return RbKind::Real;
        case RTPOINT:
        case RT3DPOINT:
            return RbKind::Point;
        case RTSHORT:
            return RbKind::Short;
        case RTLONG:
            return RbKind::Long;
        case RTINT64:
            return RbKind::Int64;
        case RTSTR:
        case RTDXF0:
            return RbKind::String;
        case RTENAME:
        case RTPICKS:
            return RbKind::Name;
        default:
            return RbKind::None;
        }
    }
    if (t == -1 || t == -2)
        return RbKind::Name;
    if (t == -3)
        return RbKind::None;
    if (t == -4 || (t >= 0 && t <= 9) || (t >= 100 && t <= 102) || t == 105 ||
        (t >= 300 && t <= 309) || (t >= 390 && t <= 399) || (t >= 410 && t <= 419) ||
        (t >= 430 && t <= 439) || (t >= 470 && t <= 481) || t == 999 ||
        (t >= 1000 && t <= 1003) || t == 1005)
        return RbKind::String;
    if (t >= 310 && t <= 319)
        return RbKind::Binary;
    if (t == 1004)
        return RbKind::Binary;
    if (t >= 320 && t <= 369)
        return RbKind::Name;
    if ((t >= 10 && t <= 17) || t == 210 || (t >= 1010 && t <= 1013))
        return RbKind::Point;
    if ((t >= 18 && t <= 59) || (t >= 110 && t <= 149) || (t >= 460 && t <= 469) ||
        (t >= 1014 && t <= 1059))
        return RbKind::Real;
    if ((t >= 60 && t <= 79) || (t >= 170 && t <= 179) || (t >= 270 && t <= 299) ||
        (t >= 370 && t <= 389) || (t >= 400 && t <= 409) || (t >= 1060 && t <= 1070))
        return RbKind::Short;
    if ((t >= 90 && t <= 99) || (t >= 420 && t <= 429) || (t >= 440 && t <= 459) || t == 1071)
        return RbKind::Long;
    if (t >= 160 && t <= 169)
        return RbKind::Int64;
    return RbKind::None;
}

} // namespace kz

resbuf* acutNewRb(int type) {
    auto* rb = new resbuf;
    std::memset(rb, 0, sizeof(resbuf));
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        switch (kz::rbKind(rb->restype)) {
        case kz::RbKind::String:
            delete[] rb->resval.rstring;
            break;
        case kz::RbKind::Binary:
            delete[] rb->resval.rbinary.buf;
            break;
        default:
            break;
        }
        delete rb;
        rb = next;
    }
    return RTNORM;
}

ACHAR* acutNewString(const ACHAR* str) {
    if (!str)
        str = L"";
    std::size_t n = std::wcslen(str);
    auto* copy = new ACHAR[n + 1];
    std::wmemcpy(copy, str, n + 1);
    return copy;
}

void acutDelString(ACHAR*& str) {
    delete[] str;
    str = nullptr;
}

resbuf* acutBuildList(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(ap, int)) {
        resbuf* rb = acutNewRb(type);
        switch (type == RTLB || type == RTLE || type == RTDOTE || type == -3 ? kz::RbKind::None
                                                                           : kz::rbKind(type)) {
        case kz::RbKind::Real:
            rb->resval.rreal = va_arg(ap, double);
            break;
        case kz::RbKind::Point: {
            const double* p = va_arg(ap, const double*);
            for (int i = 0; i < 3; ++i)
                rb->resval.rpoint[i] = p ? p[i] : 0.0;
            break;
        }
        case kz::RbKind::Short:
            rb->resval.rint = static_cast<short>(va_arg(ap, int));
            break;
        case kz::RbKind::Long:
            rb->resval.rlong = va_arg(ap, Adesk::Int32);
            break;
        case kz::RbKind::Int64:
            rb->resval.mnInt64 = va_arg(ap, Adesk::Int64);
            break;
        case kz::RbKind::String:
            rb->resval.rstring = acutNewString(va_arg(ap, const ACHAR*));
            break;
        case kz::RbKind::Name: {
            const Adesk::LongPtr* n = va_arg(ap, const Adesk::LongPtr*);
            rb->resval.rlname[0] = n ? n[0] : 0;
            rb->resval.rlname[1] = n ? n[1] : 0;
            break;
        }
        case kz::RbKind::Binary:
        case kz::RbKind::Handle:
        case kz::RbKind::None:
            break;
        }
        if (tail)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
    }
    va_end(ap);
    return head;
}
