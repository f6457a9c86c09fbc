// AcGeVector3d: a direction and length in 3D.
#pragma once

#include "adesk.h"
#include "gegbl.h"

class AcGeMatrix3d;

class AcGeVector3d {
public:
    constexpr AcGeVector3d() = default;
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const AcGeVector3d kIdentity; // the zero vector
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
    AcGeVector3d& operator-=(const AcGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
    AcGeVector3d& operator*=(double s) { return set(x * s, y * s, z * s); }
    AcGeVector3d& operator/=(double s) { return set(x / s, y / s, z / s); }
    AcGeVector3d& negate() { return set(-x, -y, -z); }
    AcGeVector3d& setToSum(const AcGeVector3d& a, const AcGeVector3d& b) { return *this = a + b; }
    AcGeVector3d& setToProduct(const AcGeVector3d& v, double s) { return *this = v * s; }
    AcGeVector3d& setToProduct(const AcGeMatrix3d& m, const AcGeVector3d& v);

    // Applies the matrix's linear part (a vector has no position, so no translation).
    AcGeVector3d& transformBy(const AcGeMatrix3d& m);
    // Rotates counter-clockwise by angle (radians) around axis seen from its tip.
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);

    // Some vector perpendicular to this one (zero for the zero vector).
    AcGeVector3d perpVector() const;
    // The angle between the two vectors, 0 to pi.
    double angleTo(const AcGeVector3d& v) const;
    // The angle from this vector to v counter-clockwise around reference, 0 to 2 pi.
    double angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const;

    // The unit vector in this direction; the zero vector (within tol) stays zero.
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;
    // Parallel: same or opposite direction. A zero vector is parallel to nothing.
    bool isParallelTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    // Codirectional: same direction. A zero vector is codirectional to nothing.
    bool isCodirectionalTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isEqualTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }

    bool operator==(const AcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector3d& v) const { return !isEqualTo(v); }
    double operator[](unsigned int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](unsigned int i) { return i == 0 ? x : i == 1 ? y : z; }
    AcGeVector3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline AcGeVector3d operator*(double s, const AcGeVector3d& v) {
    return v * s;
}
AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v);
