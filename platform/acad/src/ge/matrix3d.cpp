#include "gemat3d.h"

#include <cmath>
#include <utility>

constinit const AcGeMatrix3d AcGeMatrix3d::kIdentity;

namespace {

using Entries = double[4][4];

bool isAffine(const Entries& e) {
    return e[3][0] == 0.0 && e[3][1] == 0.0 && e[3][2] == 0.0 && e[3][3] == 1.0;
}

double columnLength(const Entries& e, int c, int rows) {
    double s = 0.0;
    for (int r = 0; r < rows; ++r)
        s += e[r][c] * e[r][c];
    return std::sqrt(s);
}

double det3(const Entries& e) {
    return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) -
           e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
           e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

// The determinant divided by the product of the column lengths: 0 for dependent
// columns, 1 for orthogonal ones, whatever the scale. An affine matrix is judged by its
// linear part, so a far translation does not make it look singular.
double normalisedDet(const AcGeMatrix3d& m) {
    const Entries& e = m.entry;
    const int n = isAffine(e) ? 3 : 4;
    double product = 1.0;
    for (int c = 0; c < n; ++c)
        product *= columnLength(e, c, n);
    if (product == 0.0 || !std::isfinite(product))
        return 0.0;
    return (n == 3 ? det3(e) : m.det()) / product;
}

} // namespace

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(std::fabs(entry[r][c] - m.entry[r][c]) <= tol.equalVector()))
                return false;
    return true;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k)
                s += entry[r][k] * m.entry[k][c];
            p.entry[r][c] = s;
        }
    return p;
}

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& a, const AcGeMatrix3d& b) {
    return *this = a * b;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) {
    return *this = left * *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) {
    return *this = *this * right;
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& result, double tol) const {
    if (!(std::fabs(normalisedDet(*this)) > tol))
        return false;
    // Gauss-Jordan elimination with partial pivoting on [this | identity].
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = entry[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0.0)
            return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double d = a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] /= d;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0)
                continue;
            const double f = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            result.entry[r][c] = a[r][c + 4];
    return true;
}

AcGeMatrix3d AcGeMatrix3d::inverse(const AcGeTol& tol) const {
    AcGeMatrix3d result = *this;
    inverse(result, tol.equalVector());
    return result;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    return inverse(AcGeContext::gTol);
}

AcGeMatrix3d& AcGeMatrix3d::invert() {
    return *this = inverse();
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const {
    return !(std::fabs(normalisedDet(*this)) > tol.equalVector());
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt() {
    for (int r = 0; r < 4; ++r)
        for (int c = r + 1; c < 4; ++c)
            std::swap(entry[r][c], entry[c][r]);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const {
    AcGeMatrix3d t = *this;
    return t.transposeIt();
}

double AcGeMatrix3d::det() const {
    // Laplace expansion along the last row through 3x3 minors.
    double total = 0.0;
    for (int skip = 0; skip < 4; ++skip) {
        Entries minor{};
        for (int r = 0; r < 3; ++r)
            for (int c = 0, mc = 0; c < 4; ++c)
                if (c != skip)
                    minor[r][mc++] = entry[r][c];
        const double sign = ((3 + skip) % 2 == 0) ? 1.0 : -1.0;
        total += sign * entry[3][skip] * det3(minor);
    }
    return total;
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    AcGeVector3d c[3];
    for (int i = 0; i < 3; ++i)
        c[i].set(entry[0][i], entry[1][i], entry[2][i]);
    const double len = c[0].length();
    if (len <= tol.equalVector())
        return false;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(c[i].length() - len) > tol.equalVector() * len)
            return false;
        for (int j = i + 1; j < 3; ++j)
            if (std::fabs(c[i].dotProduct(c[j])) > tol.equalVector() * len * len)
                return false;
    }
    return true;
}

double AcGeMatrix3d::scale() const {
    double s = 0.0;
    for (int c = 0; c < 3; ++c)
        s = std::fmax(s, columnLength(entry, c, 3));
    return s;
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& v) {
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeVector3d AcGeMatrix3d::translation() const {
    return {entry[0][3], entry[1][3], entry[2][3]};
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
    setToIdentity();
    const AcGeVector3d* axes[3] = {&xAxis, &yAxis, &zAxis};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            entry[r][c] = (*axes[c])[r];
    return setTranslation(origin.asVector());
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const {
    origin.set(entry[0][3], entry[1][3], entry[2][3]);
    xAxis.set(entry[0][0], entry[1][0], entry[2][0]);
    yAxis.set(entry[0][1], entry[1][1], entry[2][1]);
    zAxis.set(entry[0][2], entry[1][2], entry[2][2]);
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
    setToIdentity();
    return setTranslation(v);
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis,
                                          const AcGePoint3d& center) {
    setToIdentity();
    const AcGeVector3d u = axis.normal();
    if (u.isZeroLength())
        return *this;
    // Rodrigues: R = cI + s[u]x + (1 - c) u u^T.
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    entry[0][0] = c + t * u.x * u.x;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.y * u.x + s * u.z;
    entry[1][1] = c + t * u.y * u.y;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.z * u.x - s * u.y;
    entry[2][1] = t * u.z * u.y + s * u.x;
    entry[2][2] = c + t * u.z * u.z;
    // Keep center fixed: p -> R (p - center) + center.
    return setTranslation(center.asVector() - (*this * center.asVector()));
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double factor, const AcGePoint3d& center) {
    setToIdentity();
    for (int i = 0; i < 3; ++i)
        entry[i][i] = factor;
    return setTranslation(center.asVector() * (1.0 - factor));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& center) {
    return setToScaling(-1.0, center);
}

AcGeMatrix3d&
AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                 const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                 const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                 const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return *this = to * from.inverse();
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal) {
    // The arbitrary-axis rule of object coordinate systems: the plane's x axis comes from
    // crossing the world y axis (normals near the z axis) or z axis with the normal.
    const AcGeVector3d n = normal.normal();
    const double limit = 1.0 / 64.0;
    AcGeVector3d xAxis = (std::fabs(n.x) < limit && std::fabs(n.y) < limit)
                             ? AcGeVector3d::kYAxis.crossProduct(n)
                             : AcGeVector3d::kZAxis.crossProduct(n);
    xAxis.normalize();
    const AcGeVector3d yAxis = n.crossProduct(xAxis).normal();
    return setCoordSystem(AcGePoint3d::kOrigin, xAxis, yAxis, n);
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal) {
    setToPlaneToWorld(normal);
    return transposeIt(); // orthonormal, no translation
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v) {
    return AcGeMatrix3d().setToTranslation(v);
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis,
                                    const AcGePoint3d& center) {
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double factor, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToScaling(factor, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& center) {
    return AcGeMatrix3d().setToMirroring(center);
}

AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin,
                                         const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis,
                                         const AcGeVector3d& fromZAxis, const AcGePoint3d& toOrigin,
                                         const AcGeVector3d& toXAxis, const AcGeVector3d& toYAxis,
                                         const AcGeVector3d& toZAxis) {
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin,
                                             toXAxis, toYAxis, toZAxis);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToWorldToPlane(normal);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToPlaneToWorld(normal);
}
