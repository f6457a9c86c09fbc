#include "create/placement.h"

#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "create/line_geometry.h"
#include "create/route_edge_index.h"
#include "record/link_record.h"

#include <cmath>

namespace {

double ToRadians(double degrees) {
    return ApiComn_ConvToRadian(degrees);
}

// Shows or hides each candidate; with a fixed extension-line length the placement
// point moves to that distance from the candidate's second extension point.
void ShowOrHide(CDimData& job, CDrag& drag, AcGePoint3d& p) {
    const DimSettings& s = job.settings;
    for (int i = 0; i < drag.Length(); ++i) {
        auto* dim = AcDbRotatedDimension::cast(drag.At(i, nullptr, nullptr));
        if (!dim)
            continue;
        bool shown = true;
        AcGePoint3d x1 = dim->xLine1Point();
        AcGePoint3d x2 = dim->xLine2Point();
        if (s.extLineFixed != 0 && job.segmentCount > 0 && job.segments[0].kind != 100) {
            double a = RoundedDegrees(acutAngle(asDblArray(x1), asDblArray(x2))) + 90.0;
            if (a >= 360.0)
                a -= 360.0;
            int t = CursorSideOfLine(x1, x2, p);
            double d = CDrag::scale() * s.extLineLength;
            if (t != 2)
                d = -d;
            RootComn_PointRotation2(x2, d, a, p);
        }
        double measurement = 0.0;
        dim->measurement(measurement);
        if (static_cast<int>(measurement) == 0) {
            shown = false;
        } else if (job.fixedAngle == 0.0) {
            int g = RuleComn_getIntAngle(x1, x2);
            if (g >= 180)
                g -= 180;
            if ((job.sideMode == 1 || job.sideMode == 3) && g == 0)
                shown = false;
            if ((job.sideMode == 2 || job.sideMode == 4) && g == 90)
                shown = false;
        }
        drag.SetEntEnable(i, shown ? 1 : 0);
    }
}

// Puts the placement point at the stacking distance from the KO reference line.
void StackOnReference(const CDimData& job, AcGePoint3d& p) {
    double beta = (job.sideMode == 2 || job.sideMode == 4) ? 0.0 : 90.0;
    if (job.fixedAngle != 0.0)
        beta = job.fixedAngle;
    if (beta >= 180.0)
        beta -= 180.0;
    int g = RuleComn_getIntAngle(job.koPoint1, job.koPoint2);
    AcGePoint3d base = job.koPoint2;
    AcGePoint3d other = job.koPoint1;
    if (g >= 180) {
        g -= 180;
        base = job.koPoint1;
        other = job.koPoint2;
    }
    if (static_cast<double>(g) != beta)
        return;
    double o = RuleComn_isSide(other, base, p) == 2 ? 90.0 : -90.0;
    double r = ToRadians(g + o);
    double d = CDrag::scale() * job.settings.overlapSpacing;
    p = AcGePoint3d(base.x + d * std::cos(r), base.y + d * std::sin(r), base.z);
}

// Places one candidate at p; r1 and r2 are the points its tag holds. candidate: what
// the job knows of it, or null. The dimension variables are set only when they differ
// from those its last placement set: setting the same overrides again in the same order
// leaves the candidate as it was.
void Place(CDimData& job, AcDbRotatedDimension* dim, AcGePoint3d r1, AcGePoint3d r2,
           const AcGePoint3d& p, CandidatePoints* candidate) {
    const DimSettings& s = job.settings;
    bool xo = (job.xoFlags & 0x01) != 0;
    PlacedStyle style{s.textHeight,   s.textGap,      s.arrowSize, xo ? 0.0 : s.extLineOffset,
                      s.dimLineColor, s.extLineColor, s.textColor};
    bool restyle = !candidate || !candidate->placed || !(candidate->style == style);
    if (restyle)
        dim->setDimtix(true);
    dim->setDimLinePoint(p);
    double rho = job.fixedAngle != 0.0                      ? job.fixedAngle
                 : (job.sideMode == 2 || job.sideMode == 4) ? 0.0
                                                            : 90.0;
    dim->setRotation(ToRadians(rho));
    dim->setOblique(0.0);
    if (restyle) {
        dim->setDimtxt(style.textHeight);
        dim->setDimgap(style.textGap);
        dim->setDimasz(style.arrowSize);
        AcCmColor dimLine, extLine, text;
        dimLine.setColorIndex(static_cast<Adesk::UInt16>(style.dimLineColor));
        extLine.setColorIndex(static_cast<Adesk::UInt16>(style.extLineColor));
        text.setColorIndex(static_cast<Adesk::UInt16>(style.textColor));
        dim->setDimclrd(dimLine);
        dim->setDimclre(extLine);
        dim->setDimclrt(text);
        dim->setDimexo(style.extLineOffset);
    }
    if (candidate) {
        candidate->placed = true;
        candidate->style = style;
    }

    double theta = dim->rotation();
    double psiDeg = ApiComn_ConvToAngle(theta) + 90.0;
    if (psiDeg >= 180.0)
        psiDeg -= 180.0;
    double psi = ToRadians(psiDeg);
    AcGeVector3d across(100.0 * std::cos(psi), 100.0 * std::sin(psi), 0.0);
    AcGeVector3d along(100.0 * std::cos(theta), 100.0 * std::sin(theta), 0.0);

    if (xo) {
        AcGePoint3d x1 = dim->xLine1Point();
        AcGePoint3d x2 = dim->xLine2Point();
        AcGePoint3d hit;
        if (IntersectLinesDirect(x1, x1 + across, job.xoPoint, job.xoPoint + along, hit))
            dim->setXLine1Point(hit);
        if (IntersectLinesDirect(x2, x2 + across, job.xoPoint, job.xoPoint + along, hit))
            dim->setXLine2Point(hit);
        return;
    }
    AcGePoint3d f1 = r1, f2 = r2;
    IntersectLinesDirect(r1, r1 + across, p, p + along, f1);
    IntersectLinesDirect(r2, r2 + across, p, p + along, f2);
    job.edgeIndex->Trim(r1, f1);
    job.edgeIndex->Trim(r2, f2);
    dim->setXLine1Point(r1);
    dim->setXLine2Point(r2);
}

// Whether the job's candidate list names exactly the drag's entities, in order.
bool KnowsCandidates(const CDimData& job, const CDrag& drag) {
    if (static_cast<int>(job.candidates.size()) != drag.Length())
        return false;
    for (int i = 0; i < drag.Length(); ++i)
        if (job.candidates[static_cast<std::size_t>(i)].entity != drag.At(i, nullptr, nullptr))
            return false;
    return true;
}

} // namespace

int PlacementSampleCallback(dragdata* data) {
    auto* job = static_cast<CDimData*>(data->user);
    CDrag& drag = *data->drag;
    AcGePoint3d p = data->point;
    if (job->joFlags & 0x01)
        p = job->joPoint;
    int side = FindRouteSide(job->extents, p);
    if (side >= 1 && side <= 4 && side != job->sideMode) {
        job->sideMode = side;
        BuildRouteDimensions(*job, drag);
    }
    ShowOrHide(*job, drag, p);
    if ((job->koFlags & 0x01) && !(job->joFlags & 0x01))
        StackOnReference(*job, p);
    if (!job->edgeIndex || !job->edgeIndex->Describes(*job))
        job->edgeIndex = std::make_unique<RouteEdgeIndex>(*job);
    bool known = KnowsCandidates(*job, drag);
    for (int i = 0; i < drag.Length(); ++i) {
        int enabled = 0;
        auto* dim = AcDbRotatedDimension::cast(drag.At(i, &enabled, nullptr));
        if (!dim || !enabled)
            continue;
        if (known) {
            CandidatePoints& c = job->candidates[static_cast<std::size_t>(i)];
            Place(*job, dim, c.p1, c.p2, p, &c);
        } else {
            CString tag;
            drag.At(i, nullptr, &tag);
            AcGePoint3d r1, r2;
            ReadTagPoints(tag, r1, r2);
            Place(*job, dim, r1, r2, p, nullptr);
        }
    }
    return 1;
}

int PlacementEndCallback(dragdata* data) {
    CDrag& drag = *data->drag;
    for (int i = 0; i < drag.Length(); ++i) {
        int enabled = 0;
        CString tag;
        AcDbEntity* entity = drag.At(i, &enabled, &tag);
        if (!entity || !enabled)
            continue;
        AcDbObjectId id;
        ApiComn_AddEntity(entity, &id);
        LinkCommittedDimension(id, tag);
    }
    return 0;
}
