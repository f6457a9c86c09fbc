#include "dbextents.h"

#include <cmath>

namespace {
const AcGePoint3d kEmptyMin(1e20, 1e20, 1e20);
const AcGePoint3d kEmptyMax(-1e20, -1e20, -1e20);

bool ordered(const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.x <= b.x && a.y <= b.y && a.z <= b.z;
}
} // namespace

AcDbExtents::AcDbExtents() : mMin(kEmptyMin), mMax(kEmptyMax) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : AcDbExtents() {
    set(min, max);
}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max) {
    if (!ordered(min, max)) // also refuses NaN
        return Acad::eInvalidExtents;
    mMin = min;
    mMax = max;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    if (!(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)))
        return;
    if (isEmpty()) {
        mMin = mMax = p;
        return;
    }
    mMin.set(std::fmin(mMin.x, p.x), std::fmin(mMin.y, p.y), std::fmin(mMin.z, p.z));
    mMax.set(std::fmax(mMax.x, p.x), std::fmax(mMax.y, p.y), std::fmax(mMax.z, p.z));
}

void AcDbExtents::addExt(const AcDbExtents& other) {
    if (other.isEmpty())
        return;
    addPoint(other.mMin);
    addPoint(other.mMax);
}

void AcDbExtents::expandBy(const AcGeVector3d& v) {
    if (isEmpty())
        return;
    for (unsigned i = 0; i < 3; ++i) {
        if (v[i] > 0.0)
            mMax[i] += v[i];
        else
            mMin[i] += v[i];
    }
}

void AcDbExtents::transformBy(const AcGeMatrix3d& m) {
    if (isEmpty())
        return;
    const AcGePoint3d lo = mMin, hi = mMax;
    *this = AcDbExtents();
    for (int corner = 0; corner < 8; ++corner) {
        const AcGePoint3d p(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                            corner & 4 ? hi.z : lo.z);
        addPoint(m * p);
    }
}

bool AcDbExtents::operator==(const AcDbExtents& other) const {
    if (isEmpty() || other.isEmpty())
        return isEmpty() == other.isEmpty();
    return mMin.isEqualTo(other.mMin) && mMax.isEqualTo(other.mMax);
}
