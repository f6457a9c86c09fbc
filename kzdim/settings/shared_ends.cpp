#include "settings/shared_ends.h"

#include "create/dim_data.h"
#include "settings/dim_lists.h"
#include "settings/dim_rules.h"

#include <cmath>

int FoldedAngle(const AcGePoint3d& from, const AcGePoint3d& to) {
    int a = RuleComn_getIntAngle(from, to);
    return a >= 180 ? a - 180 : a;
}

AcGeVector3d ExtensionDirection(const CDimData& job) {
    double a = job.fixedAngle + ((job.sideMode == 1 || job.sideMode == 3) ? 0.0 : 90.0);
    double radians = ApiComn_ConvToRadian(a);
    return AcGeVector3d(std::cos(radians), std::sin(radians), 0.0);
}

SharedEndTarget SharedEndTargetOf(const CDimData& job, const AcGeVector3d& u,
                                  const AcDbRotatedDimension& other) {
    SharedEndTarget t;
    AcGePoint3d q1 = other.xLine1Point();
    AcGePoint3d q2 = other.xLine2Point();
    AcGePoint3d qd = other.dimLinePoint();
    double e = q2.distanceTo(qd);
    t.f1 = AcGePoint3d(q1.x + e * u.x, q1.y + e * u.y, q1.z);
    t.f2 = AcGePoint3d(q2.x + e * u.x, q2.y + e * u.y, q2.z);

    // Dimensions running across the new one are not compared.
    if (job.fixedAngle == 0.0) {
        int g = FoldedAngle(q1, q2);
        if ((job.sideMode == 1 || job.sideMode == 3) && g == 0)
            return t;
        if ((job.sideMode == 2 || job.sideMode == 4) && g == 90)
            return t;
    } else {
        double angle = ApiComn_ConvToAngle(acutAngle(asDblArray(q1), asDblArray(q2)));
        if (angle >= 360.0)
            angle -= 360.0;
        if (std::fmod(job.fixedAngle + angle, job.fixedAngle) < 0.2)
            return t;
    }
    t.compared = true;
    t.a1 = FoldedAngle(q1, t.f1);
    t.a2 = FoldedAngle(q2, t.f2);
    return t;
}

bool SharesFirstEnd(const SharedEndTarget& t, const AcGePoint3d& p1) {
    int b11 = FoldedAngle(p1, t.f1);
    return t.a1 == b11 || t.a1 == FoldedAngle(p1, t.f2) || t.a2 == b11;
}

bool SharesSecondEnd(const SharedEndTarget& t, const AcGePoint3d& p2) {
    int b21 = FoldedAngle(p2, t.f1);
    int b22 = FoldedAngle(p2, t.f2);
    return t.a1 == b21 || t.a1 == b22 || t.a2 == b21 || t.a2 == b22;
}

void SuppressSharedEnds(const CDimData& job, AcDbEntity* entity, CDrag& drag) {
    auto* dim = AcDbRotatedDimension::cast(entity);
    if (!dim)
        return;
    AcGeVector3d u = ExtensionDirection(job);
    AcGePoint3d p1 = dim->xLine1Point();
    AcGePoint3d p2 = dim->xLine2Point();

    for (int i = 0; i < drag.Length(); ++i) {
        auto* other = AcDbRotatedDimension::cast(drag.At(i, nullptr, nullptr));
        if (!other)
            continue;
        SharedEndTarget t = SharedEndTargetOf(job, u, *other);
        if (!t.compared)
            continue;
        if (SharesFirstEnd(t, p1)) {
            dim->setDimse1(true);
            dim->setDimblk1(kNoArrowhead);
        } else if (SharesSecondEnd(t, p2)) {
            dim->setDimse2(true);
            dim->setDimblk2(kNoArrowhead);
        }
    }
}
