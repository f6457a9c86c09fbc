// AcGePoint3d: a position in 3D.
#pragma once

#include "gevec3d.h"

class AcGeMatrix3d;

class AcGePoint3d {
public:
    constexpr AcGePoint3d() = default;
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const AcGePoint3d kOrigin;

    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGePoint3d& operator+=(const AcGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
    AcGePoint3d& operator-=(const AcGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
    AcGePoint3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGePoint3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGePoint3d& operator*=(double s) { return set(x * s, y * s, z * s); }
    AcGePoint3d& operator/=(double s) { return set(x / s, y / s, z / s); }
    AcGePoint3d& setToSum(const AcGePoint3d& p, const AcGeVector3d& v) { return *this = p + v; }
    AcGePoint3d& setToProduct(const AcGeMatrix3d& m, const AcGePoint3d& p);

    AcGePoint3d& transformBy(const AcGeMatrix3d& m);
    // Rotates counter-clockwise by angle (radians) around the axis through wrtPoint.
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& axis,
                          const AcGePoint3d& wrtPoint = kOrigin);
    // Scales the point's offset from wrtPoint.
    AcGePoint3d& scaleBy(double factor, const AcGePoint3d& wrtPoint = kOrigin);

    double distanceTo(const AcGePoint3d& p) const { return (*this - p).length(); }
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGeVector3d asVector() const { return {x, y, z}; }

    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }
    double operator[](unsigned int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](unsigned int i) { return i == 0 ? x : i == 1 ? y : z; }
    AcGePoint3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline AcGePoint3d operator*(double s, const AcGePoint3d& p) {
    return p * s;
}
AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p);
