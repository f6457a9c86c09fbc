// AcGeVector2d: a direction and length in the plane.
#pragma once

#include "gegbl.h"

class AcGeVector2d {
public:
    constexpr AcGeVector2d() = default;
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity; // the zero vector
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-() const { return {-x, -y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    AcGeVector2d& operator+=(const AcGeVector2d& v) { return set(x + v.x, y + v.y); }
    AcGeVector2d& operator-=(const AcGeVector2d& v) { return set(x - v.x, y - v.y); }
    AcGeVector2d& operator*=(double s) { return set(x * s, y * s); }
    AcGeVector2d& negate() { return set(-x, -y); }

    // Counter-clockwise rotation by angle (radians).
    AcGeVector2d& rotateBy(double angle);
    // The angle from the x axis, counter-clockwise, 0 to 2 pi.
    double angle() const;
    // The angle from this vector to v, -pi to pi, counter-clockwise positive.
    double angleTo(const AcGeVector2d& v) const;
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isParallelTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isEqualTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }

    bool operator==(const AcGeVector2d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector2d& v) const { return !isEqualTo(v); }
    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGeVector2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }

    double x = 0.0;
    double y = 0.0;
};

inline AcGeVector2d operator*(double s, const AcGeVector2d& v) {
    return v * s;
}
