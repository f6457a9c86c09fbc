// Views of geometry objects as the plain arrays of the C-style API (ads_point) and
// back. AcGePoint3d and AcGeVector3d are exactly three doubles, so the views share
// storage with the object: no copy is made.
#pragma once

#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

static_assert(sizeof(AcGePoint3d) == 3 * sizeof(double));
static_assert(sizeof(AcGeVector3d) == 3 * sizeof(double));
static_assert(sizeof(AcGePoint2d) == 2 * sizeof(double));

inline double* asDblArray(AcGePoint3d& p) {
    return reinterpret_cast<double*>(&p);
}
inline const double* asDblArray(const AcGePoint3d& p) {
    return reinterpret_cast<const double*>(&p);
}
inline double* asDblArray(AcGeVector3d& v) {
    return reinterpret_cast<double*>(&v);
}
inline const double* asDblArray(const AcGeVector3d& v) {
    return reinterpret_cast<const double*>(&v);
}
inline double* asDblArray(AcGePoint2d& p) {
    return reinterpret_cast<double*>(&p);
}
inline const double* asDblArray(const AcGePoint2d& p) {
    return reinterpret_cast<const double*>(&p);
}
// As in the host, a point array given as const still yields a modifiable point (code
// written for the host relies on it); writing through it to a truly const array is
// the caller's error.
inline AcGePoint3d& asPnt3d(const double* d) {
    return *reinterpret_cast<AcGePoint3d*>(const_cast<double*>(d));
}
inline AcGeVector3d& asVec3d(const double* d) {
    return *reinterpret_cast<AcGeVector3d*>(const_cast<double*>(d));
}
inline AcGePoint2d& asPnt2d(const double* d) {
    return *reinterpret_cast<AcGePoint2d*>(const_cast<double*>(d));
}
