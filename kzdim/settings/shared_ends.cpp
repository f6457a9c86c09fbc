#include "create/dim_data.h"
#include "settings/dim_lists.h"
#include "settings/dim_rules.h"

#include <cmath>

namespace {

// A direction in whole degrees, folded into 0-179.
int FoldedAngle(const AcGePoint3d& from, const AcGePoint3d& to) {
    int a = RuleComn_getIntAngle(from, to);
    return a >= 180 ? a - 180 : a;
}

} // namespace

void SuppressSharedEnds(const CDimData& job, AcDbEntity* entity, CDrag& drag) {
    auto* dim = AcDbRotatedDimension::cast(entity);
    if (!dim)
        return;
    double a = job.fixedAngle + ((job.sideMode == 1 || job.sideMode == 3) ? 0.0 : 90.0);
    double radians = ApiComn_ConvToRadian(a);
    AcGeVector3d u(std::cos(radians), std::sin(radians), 0.0);
    AcGePoint3d p1 = dim->xLine1Point();
    AcGePoint3d p2 = dim->xLine2Point();

    for (int i = 0; i < drag.Length(); ++i) {
        CString tag;
        auto* other = AcDbRotatedDimension::cast(drag.At(i, nullptr, &tag));
        if (!other)
            continue;
        AcGePoint3d q1 = other->xLine1Point();
        AcGePoint3d q2 = other->xLine2Point();
        AcGePoint3d qd = other->dimLinePoint();
        double e = q2.distanceTo(qd);
        AcGePoint3d f1(q1.x + e * u.x, q1.y + e * u.y, q1.z);
        AcGePoint3d f2(q2.x + e * u.x, q2.y + e * u.y, q2.z);

        // Dimensions running across the new one are not compared.
        if (job.fixedAngle == 0.0) {
            int g = FoldedAngle(q1, q2);
            if ((job.sideMode == 1 || job.sideMode == 3) && g == 0)
                continue;
            if ((job.sideMode == 2 || job.sideMode == 4) && g == 90)
                continue;
        } else {
            double t = ApiComn_ConvToAngle(acutAngle(asDblArray(q1), asDblArray(q2)));
            if (t >= 360.0)
                t -= 360.0;
            if (std::fmod(job.fixedAngle + t, job.fixedAngle) < 0.2)
                continue;
        }

        int a1 = FoldedAngle(q1, f1);
        int a2 = FoldedAngle(q2, f2);
        int b11 = FoldedAngle(p1, f1);
        int b12 = FoldedAngle(p1, f2);
        int b21 = FoldedAngle(p2, f1);
        int b22 = FoldedAngle(p2, f2);
        if (a1 == b11 || a1 == b12 || a2 == b11) {
            dim->setDimse1(true);
            dim->setDimblk1(kNoArrowhead);
        } else if (a1 == b21 || a1 == b22 || a2 == b21 || a2 == b22) {
            dim->setDimse2(true);
            dim->setDimblk2(kNoArrowhead);
        }
    }
}
