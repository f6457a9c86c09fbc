// Result-buffer lists and host-allocated texts.
#pragma once

#include "AdAChar.h"
#include "adscodes.h"
#include "adsdef.h"

// A new result buffer of the given type (a group code or an RT code); strings start
// null, numbers 0.
resbuf* acutNewRb(int type);
// Frees a whole chain, strings and binary chunks included.
int acutRelRb(resbuf* rb);
// A chain built from (type, value) pairs ending with 0 (or RTNONE): strings are
// const ACHAR*, reals double, points const double*, shorts int, longs int32,
// entity names ads_name. RTLB/RTLE/RTDOTE take no value.
resbuf* acutBuildList(int rtype, ...);
// A copy of a text allocated the way the host allocates texts it returns.
ACHAR* acutNewString(const ACHAR* str);
void acutDelString(ACHAR*& str);

namespace kz {

// What a result buffer of this type holds.
enum class RbKind { None, Real, Point, Short, Long, Int64, String, Name, Binary, Handle };
RbKind rbKind(int restype);

} // namespace kz
