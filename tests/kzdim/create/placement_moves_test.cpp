// Cursor moves that use what the builder remembered of the candidates (their tag points,
// the variables the last placement set) leave every candidate exactly as moves that
// read every tag and set every variable again: the same points, rotation, suppressed
// ends, shown state, tag and extended data, in the same order. The moves cross sides,
// leave the route's box, and the options change between them.
#include "../../platform/acad/db/db_fixture.h"
#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "create/placement.h"
#include "random_route.h"

#include "acutmem.h"

#include <cstring>
#include <sstream>
#include <string>

namespace {

// The extended data of an entity as text, every value written out.
std::string XDataText(const AcDbEntity* e) {
    std::ostringstream out;
    resbuf* chain = e->xData(nullptr);
    for (resbuf* rb = chain; rb; rb = rb->rbnext) {
        out << rb->restype << '=';
        short t = rb->restype;
        if (t >= 1000 && t <= 1005 && t != 1004 && rb->resval.rstring) {
            for (const wchar_t* c = rb->resval.rstring; *c; ++c)
                out << static_cast<long>(*c) << ',';
        } else if (t >= 1010 && t <= 1033) {
            out << rb->resval.rpoint[0] << ',' << rb->resval.rpoint[1] << ','
                << rb->resval.rpoint[2];
        } else if (t >= 1040 && t <= 1042) {
            out.precision(17);
            out << rb->resval.rreal;
        } else if (t == 1070) {
            out << rb->resval.rint;
        } else if (t == 1071) {
            out << rb->resval.rlong;
        }
        out << ';';
    }
    acutRelRb(chain);
    return out.str();
}

std::string PointText(const AcGePoint3d& p) {
    std::ostringstream out;
    out.precision(17);
    out << p.x << ',' << p.y << ',' << p.z;
    return out.str();
}

// Everything the drag shows or commits of its candidates.
std::string DragText(const CDrag& drag) {
    std::ostringstream out;
    out.precision(17);
    for (int i = 0; i < drag.Length(); ++i) {
        int enabled = 0;
        CString tag;
        auto* dim = AcDbRotatedDimension::cast(drag.At(i, &enabled, &tag));
        out << '#' << i << ' ' << enabled << ' ' << tag.GetLength() << ' ';
        if (!dim)
            continue;
        for (const wchar_t* c = tag; *c; ++c)
            out << static_cast<char>(*c);
        out << ' ' << PointText(dim->xLine1Point()) << ' ' << PointText(dim->xLine2Point()) << ' '
            << PointText(dim->dimLinePoint()) << ' ' << dim->rotation() << ' ' << dim->oblique()
            << ' ' << dim->dimse1() << dim->dimse2() << ' ' << XDataText(dim) << '\n';
    }
    return out.str();
}

// One job of KZ_DIM_MAKE with its drag, run on a random route.
struct DragRun {
    CDimData job;
    CDrag drag{0};
    dragdata data;

    DragRun(const std::vector<RoutePiece>& route, const DimSettings& settings) {
        RandomRoute::Load(job, route);
        job.directionSign = 1;
        job.sideMode = 2;
        job.settings = settings;
        for (const RoutePiece& s : route) {
            job.extents.addPoint(s.a);
            job.extents.addPoint(s.b);
        }
        job.drag = &drag;
        data.user = &job;
        data.drag = &drag;
        BuildRouteDimensions(job, drag);
    }
    ~DragRun() { job.drag = nullptr; }

    void Move(const AcGePoint3d& p, bool forget) {
        // The reference forgets what the builder remembered, so that it reads every tag
        // and sets every variable, as the moves did before they remembered anything.
        if (forget)
            job.candidates.clear();
        data.point = p;
        PlacementSampleCallback(&data);
    }
};

class PlacementMoves : public DbTest {};

TEST_F(PlacementMoves, RememberedCandidatesPlaceAsReadingEveryTag) {
    RandomRoute rnd(314);
    int restyled = 0, sideChanges = 0, moves = 0;
    for (int trial = 0; trial < 60; ++trial) {
        DimSettings s{7.0, 2.5, 1.5, 1.0, 2.0, 256, 256, 256, 0.8, 10.0, 4, 1, 0};
        s.extLineFixed = rnd.Chance(0.3) ? 1 : 0;
        std::vector<RoutePiece> route = rnd.Make(rnd.Int(1, 25), {-1, 2, 100});
        DragRun fast(route, s), reference(route, s);
        AcGePoint3d lo = fast.job.extents.minPoint(), hi = fast.job.extents.maxPoint();
        for (int m = 0; m < 25; ++m) {
            // Options between moves, given to both jobs alike.
            if (rnd.Chance(0.15)) {
                double height = rnd.Int(1, 4) * 1.5;
                int colour = rnd.Int(0, 256);
                for (DragRun* r : {&fast, &reference}) {
                    r->job.settings.textHeight = height;
                    r->job.settings.dimLineColor = colour;
                }
                ++restyled;
            }
            if (rnd.Chance(0.1)) {
                AcGePoint3d xo(rnd.Real(lo.x - 500, hi.x + 500), rnd.Real(lo.y - 500, hi.y + 500),
                               0);
                Adesk::UInt8 flags = rnd.Chance(0.5) ? 0x81 : 0x80;
                for (DragRun* r : {&fast, &reference}) {
                    r->job.xoPoint = xo;
                    r->job.xoFlags = flags;
                }
            }
            if (rnd.Chance(0.08)) {
                double angle = rnd.Chance(0.5) ? 0.0 : rnd.Int(1, 17) * 10.0;
                for (DragRun* r : {&fast, &reference}) {
                    r->job.fixedAngle = angle;
                    BuildRouteDimensions(r->job, r->drag);
                }
            }
            AcGePoint3d p(rnd.Real(lo.x - 800, hi.x + 800), rnd.Real(lo.y - 800, hi.y + 800), 0);
            int side = fast.job.sideMode;
            fast.Move(p, false);
            reference.Move(p, true);
            sideChanges += fast.job.sideMode != side ? 1 : 0;
            ++moves;
            ASSERT_EQ(DragText(reference.drag), DragText(fast.drag))
                << "route " << trial << ", move " << m;
        }
    }
    EXPECT_GT(restyled, 100);
    EXPECT_GT(sideChanges, 100);
    EXPECT_EQ(moves, 60 * 25);
}

TEST_F(PlacementMoves, ADragTheBuilderDidNotFillIsPlacedFromItsTags) {
    RandomRoute rnd(5);
    DimSettings s{7.0, 2.5, 1.5, 1.0, 2.0, 256, 256, 256, 0.8, 10.0, 4, 1, 0};
    std::vector<RoutePiece> route = rnd.Make(12, {-1});
    DragRun fast(route, s), reference(route, s);
    // A list that names other entities than the drag holds is not used.
    fast.job.candidates.front().entity = nullptr;
    fast.job.candidates.front().p1 = AcGePoint3d(1e6, 1e6, 0);
    AcGePoint3d above(fast.job.extents.minPoint().x + 10, fast.job.extents.maxPoint().y + 300, 0);
    fast.Move(above, false);
    reference.Move(above, true);
    EXPECT_EQ(DragText(reference.drag), DragText(fast.drag));
}

} // namespace
