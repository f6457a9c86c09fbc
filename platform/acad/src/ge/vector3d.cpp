#include "gemat3d.h"
#include "gevec3d.h"

#include <cmath>
#include <numbers>

AcGeTol AcGeContext::gTol;

constinit const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
constinit const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    const auto& e = m.entry;
    return {e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z,
            e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
            e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z};
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    return *this = m * v;
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    return *this = m * *this;
}

AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis) {
    return transformBy(AcGeMatrix3d::rotation(angle, axis));
}

AcGeVector3d AcGeVector3d::perpVector() const {
    // Crossing with the axis least aligned with the vector keeps the result well sized.
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax <= ay && ax <= az)
        return kXAxis.crossProduct(*this);
    if (ay <= az)
        return kYAxis.crossProduct(*this);
    return kZAxis.crossProduct(*this);
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    // atan2 of the sine and cosine stays accurate for nearly parallel vectors.
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const {
    const double a = angleTo(v);
    if (crossProduct(v).dotProduct(reference) < 0.0)
        return 2.0 * std::numbers::pi - a;
    return a;
}

double AcGeVector3d::length() const {
    return std::sqrt(lengthSqrd());
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    const double len = length();
    if (len <= tol.equalVector() || len == 0.0)
        return *this;
    return *this / len;
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol) {
    return *this = normal(tol);
}

bool AcGeVector3d::isUnitLength(const AcGeTol& tol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool AcGeVector3d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return normal().crossProduct(v.normal()).length() <= tol.equalVector();
}

bool AcGeVector3d::isCodirectionalTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return (normal() - v.normal()).length() <= tol.equalVector();
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return std::fabs(normal().dotProduct(v.normal())) <= tol.equalVector();
}

bool AcGeVector3d::isEqualTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}
