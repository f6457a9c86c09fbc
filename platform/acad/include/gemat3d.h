// AcGeMatrix3d: a 4x4 affine transform acting on column vectors: a point p becomes
// M * p, so in A * B the transform B is applied first. entry[r][3] (r < 3) is the
// translation; the last row is (0, 0, 0, 1) for every matrix built here.
#pragma once

#include "gepnt3d.h"
#include "gevec3d.h"

class AcGeMatrix3d {
public:
    // The identity. Constant so that the static matrices are ready before any other
    // static object's constructor runs.
    constexpr AcGeMatrix3d()
        : entry{{1.0, 0.0, 0.0, 0.0},
                {0.0, 1.0, 0.0, 0.0},
                {0.0, 0.0, 1.0, 0.0},
                {0.0, 0.0, 0.0, 1.0}} {}

    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d& setToIdentity();
    bool isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol = AcGeContext::gTol) const;
    bool operator==(const AcGeMatrix3d& m) const { return isEqualTo(m); }
    bool operator!=(const AcGeMatrix3d& m) const { return !isEqualTo(m); }

    // Products: (A * B) applies B first, then A.
    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& m) { return postMultBy(m); }
    AcGeMatrix3d& setToProduct(const AcGeMatrix3d& a, const AcGeMatrix3d& b);
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);   // this = left * this
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right); // this = this * right

    // Inverse; a singular matrix has none and is returned (or left) unchanged.
    AcGeMatrix3d inverse() const;
    AcGeMatrix3d inverse(const AcGeTol& tol) const;
    AcGeMatrix3d& invert();
    // Writes the inverse to result and returns true; false (result unchanged) when the
    // matrix is singular within tol.
    bool inverse(AcGeMatrix3d& result, double tol) const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeMatrix3d& transposeIt();
    AcGeMatrix3d transpose() const;
    double det() const;

    // True when the linear part has orthogonal columns of one length (rotation with
    // uniform scaling, possibly mirrored).
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    // The largest length of the linear part's columns: the largest scaling applied.
    double scale() const;

    AcGeMatrix3d& setTranslation(const AcGeVector3d& v);
    AcGeVector3d translation() const;

    // Columns: the axes; translation: origin. Maps (1,0,0) to origin + xAxis, etc.
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                 const AcGeVector3d& yAxis, const AcGeVector3d& zAxis);
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                        AcGeVector3d& zAxis) const;

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& center);
    // Maps the "from" coordinate system onto the "to" one.
    AcGeMatrix3d& setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                     const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                     const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                     const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    // From world coordinates to those of the plane with this normal (arbitrary axis rule),
    // and back.
    AcGeMatrix3d& setToWorldToPlane(const AcGeVector3d& normal);
    AcGeMatrix3d& setToPlaneToWorld(const AcGeVector3d& normal);

    static AcGeMatrix3d translation(const AcGeVector3d& v);
    // Counter-clockwise rotation by angle (radians) around axis through center.
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d mirroring(const AcGePoint3d& center);
    static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                      const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                      const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                      const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);

    double operator()(unsigned int row, unsigned int column) const { return entry[row][column]; }
    double& operator()(unsigned int row, unsigned int column) { return entry[row][column]; }

    double entry[4][4];
};
