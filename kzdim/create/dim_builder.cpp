#include "create/dim_builder.h"

#include "create/dim_data.h"
#include "create/line_geometry.h"
#include "create/segment_order.h"
#include "record/link_record.h"
#include "settings/dim_rules.h"
#include "settings/shared_ends.h"

#include <cmath>
#include <cstring>

namespace {

// The creation parameter block given to ApiComn_CreateDimension for every candidate.
void FillCreationParameters(unsigned char (&block)[120], const DimSettings& s) {
    std::memset(block, 0, sizeof block);
    auto put = [&](int offset, const auto& value) {
        std::memcpy(block + offset, &value, sizeof value);
    };
    put(8, s.arrowSize);
    put(16, static_cast<std::int32_t>(s.arrowType));
    put(20, static_cast<std::int32_t>(s.arrowType));
    block[26] = 1;
    put(32, s.textGap);
    put(40, 0.0);
    put(48, s.extLineOffset);
    put(56, static_cast<std::int32_t>(s.textDirection));
    put(60, static_cast<std::int32_t>(0));
    block[68] = 1;
    put(72, s.textHeight);
}

struct BuildRun {
    CDimData& job;
    CDrag& drag;
    unsigned char params[120];
    AcGePoint3dArray chainPoints{0, 8};
    AcDbObjectIdArray chainIds{0, 8};

    // One candidate from p1 to p2 with the link part; the gap candidates keep the text
    // style the creation gave them.
    void Candidate(const AcGePoint3d& p1, const AcGePoint3d& p2, const CString& linkPart,
                   bool setTextStyle) {
        AcGePoint3dArray pts;
        pts.append(p1);
        pts.append(p2);
        pts.append(AcGePoint3d::kOrigin);
        AcDbRotatedDimension* dim = nullptr;
        ApiComn_CreateDimension(&dim, pts, params);
        if (!dim)
            return;
        if (setTextStyle) {
            AcDbObjectId style;
            FindDimTextStyle(style);
            dim->setDimtxsty(style);
        }
        ApplyDimLayers(dim);
        dim->setDimscale(CDrag::scale());
        // The shared ends are suppressed for all candidates at once after the run.
        CString tag = FormatPlacementTag(p1, p2, linkPart);
        if (drag.Append(dim, tag, -1) < 0)
            return;
        CandidatePoints points;
        points.entity = dim;
        ReadTagPoints(tag, points.p1, points.p2);
        job.candidates.push_back(points);
    }

    void Gap(const DimSegment& prev, const DimSegment& cur) {
        AcGePoint3d p = prev.points.last();
        AcGePoint3d a = cur.points[0];
        if (job.directionSign == -1 && prev.points.length() >= 2 && cur.points.length() >= 2)
            return;
        AcGeTol tol;
        tol.setEqualPoint(0.5);
        if (p.isEqualTo(a, tol))
            return;
        if (prev.kind == 100 && chainPoints.length() > 0)
            p = chainPoints.last();
        Candidate(p, a, LinkPartTwo(prev.elementId, cur.elementId), false);
    }

    void Duct(int i, const DimSegment& cur) {
        AcDbObjectId id = cur.elementId;
        AcGePoint3d a = cur.points[0];
        AcGePoint3d b = cur.points[1];
        if (i > 0) {
            const DimSegment& prev = job.segments[i - 1];
            if (prev.kind == 100 && chainPoints.length() > 0) {
                double half = prev.width * 0.5;
                double alpha = acutAngle(asDblArray(prev.points[0]), asDblArray(prev.points[1]));
                AcGePoint3d l = chainPoints.last();
                AcGePoint3d q(l.x + half * std::cos(alpha), l.y + half * std::sin(alpha), l.z);
                AcGePoint3d hit;
                if (IntersectLines(a, b, l, q, hit))
                    a = hit;
            } else if (prev.kind != 100) {
                for (const AcGePoint3d& p : prev.points) {
                    chainPoints.append(p);
                    chainIds.append(AcDbObjectId());
                }
            }
        }
        double h = cur.width * 0.5;
        double theta = ApiComn_ConvToAngle(acutAngle(asDblArray(a), asDblArray(b)));
        double phi = theta + 90.0;
        if (phi >= 180.0)
            phi -= 180.0;
        double phiRad = ApiComn_ConvToRadian(phi);
        AcGeVector3d u(std::cos(phiRad), std::sin(phiRad), 0.0);
        AcGePoint3d s1(a.x + h * u.x, a.y + h * u.y, a.z);
        AcGePoint3d s2(a.x - h * u.x, a.y - h * u.y, a.z);
        chainPoints.append(s1);
        chainIds.append(id);
        chainPoints.append(s2);
        chainIds.append(id);
        AcGePoint3d e(b.x - h * u.x, b.y - h * u.y, b.z);
        AcGePoint3d l = s2;
        double thetaRad = ApiComn_ConvToRadian(theta);
        AcGePoint3d m(l.x - h * std::cos(thetaRad), l.y - h * std::sin(thetaRad), l.z);
        AcGePoint3d hit;
        if (IntersectLines(e, b, l, m, hit)) {
            chainPoints.append(hit);
            chainIds.append(id);
        }
    }
};

} // namespace

void BuildRouteDimensions(CDimData& job, CDrag& drag) {
    for (int i = 0; i < job.segmentCount; ++i)
        job.segments[i].sideMode = job.sideMode;
    SortSegments(job);
    OrientSegments(job);

    BuildRun run{job, drag, {}};
    FillCreationParameters(run.params, job.settings);
    drag.RemoveAll(1);
    job.candidates.clear();
    run.chainPoints.setLogicalLength(0);
    run.chainIds.setLogicalLength(0);

    for (int i = 0; i < job.segmentCount; ++i) {
        const DimSegment& cur = job.segments[i];
        if (i == 0 && cur.points.length() < 2)
            continue;
        AcDbObjectId id = cur.elementId;
        if (cur.kind == 100) {
            run.Duct(i, cur);
            continue;
        }
        if (i > 0)
            run.Gap(job.segments[i - 1], cur);
        if (cur.points.length() >= 2)
            run.Candidate(cur.points[0], cur.points[1], LinkPartOne(id), true);
    }

    for (int k = 0; k + 1 < run.chainPoints.length(); ++k) {
        AcDbObjectId idK = run.chainIds[k];
        AcDbObjectId idNext = run.chainIds[k + 1];
        CString link = idK == idNext ? LinkPartOne(idK) : LinkPartTwo(idK, idNext);
        run.Candidate(run.chainPoints[k], run.chainPoints[k + 1], link, true);
    }
    // Each candidate against those appended before it, as if each had been compared
    // just before its own append.
    SuppressSharedEndsInOrder(job, drag);
}
