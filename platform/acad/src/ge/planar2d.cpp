#include "gepnt2d.h"
#include "gevec2d.h"

#include <cmath>
#include <numbers>

constinit const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
constinit const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
constinit const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);
constinit const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

AcGeVector2d& AcGeVector2d::rotateBy(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return set(c * x - s * y, s * x + c * y);
}

double AcGeVector2d::angle() const {
    double a = std::atan2(y, x);
    if (a < 0.0)
        a += 2.0 * std::numbers::pi;
    // A tiny negative angle rounds up to exactly 2 pi; keep the range half open.
    return a >= 2.0 * std::numbers::pi ? 0.0 : a;
}

double AcGeVector2d::angleTo(const AcGeVector2d& v) const {
    return std::atan2(x * v.y - y * v.x, dotProduct(v));
}

double AcGeVector2d::length() const {
    return std::sqrt(lengthSqrd());
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const {
    const double len = length();
    if (len <= tol.equalVector() || len == 0.0)
        return *this;
    return *this / len;
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol) {
    return *this = normal(tol);
}

bool AcGeVector2d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector2d::isParallelTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    const AcGeVector2d a = normal(), b = v.normal();
    return std::fabs(a.x * b.y - a.y * b.x) <= tol.equalVector();
}

bool AcGeVector2d::isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return (normal() - v.normal()).length() <= tol.equalVector();
}

bool AcGeVector2d::isEqualTo(const AcGeVector2d& v, const AcGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& wrtPoint) {
    AcGeVector2d v = *this - wrtPoint;
    return *this = wrtPoint + v.rotateBy(angle);
}

AcGePoint2d& AcGePoint2d::scaleBy(double factor, const AcGePoint2d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * factor;
}
