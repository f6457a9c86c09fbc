#include "acutads.h"

#include <cmath>
#include <numbers>

ads_real acutAngle(const ads_point p1, const ads_point p2) {
    const double a = std::atan2(p2[Y] - p1[Y], p2[X] - p1[X]);
    if (a >= 0.0)
        return a + 0.0; // turns -0.0 (from a dy of -0.0) into 0.0
    const double full = a + 2.0 * std::numbers::pi;
    // An angle just below 0 can round up to exactly 2 pi; it is 0.
    return full < 2.0 * std::numbers::pi ? full : 0.0;
}

ads_real acutDistance(const ads_point p1, const ads_point p2) {
    return std::hypot(p2[X] - p1[X], p2[Y] - p1[Y], p2[Z] - p1[Z]);
}

void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result) {
    const double x = pt[X] + dist * std::cos(angle);
    const double y = pt[Y] + dist * std::sin(angle);
    result[X] = x;
    result[Y] = y;
    result[Z] = pt[Z];
}
