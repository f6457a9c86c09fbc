#include "gescl3d.h"

#include <cmath>

constinit const AcGeScale3d AcGeScale3d::kIdentity(1.0, 1.0, 1.0);

bool AcGeScale3d::isEqualTo(const AcGeScale3d& s, const AcGeTol& tol) const {
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
           std::fabs(sz - s.sz) <= tol.equalVector();
}

AcGeMatrix3d& AcGeScale3d::getMatrix(AcGeMatrix3d& m) const {
    m.setToIdentity();
    m.entry[0][0] = sx;
    m.entry[1][1] = sy;
    m.entry[2][2] = sz;
    return m;
}

AcGeScale3d::operator AcGeMatrix3d() const {
    AcGeMatrix3d m;
    return getMatrix(m);
}
