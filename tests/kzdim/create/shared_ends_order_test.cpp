// Suppressing shared ends over a whole candidate list at once gives every dimension the
// same suppressed ends as comparing it with each earlier one, on lists made up to hit
// the rule often and on the candidates the builder makes for random routes.
#include "../../platform/acad/db/db_fixture.h"
#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "random_route.h"
#include "settings/dim_rules.h"
#include "settings/shared_ends.h"

#include <limits>
#include <string>

namespace {

class SharedEndsOrder : public DbTest {
protected:
    int suppressedFirst = 0, suppressedSecond = 0, compared = 0;

    // Replays the list through SuppressSharedEnds, one copy at a time, and compares
    // the suppressed ends of each copy with those of the original.
    void ExpectSameAsOneByOne(const CDimData& job, const CDrag& fast, const std::string& what) {
        CDrag reference(0);
        for (int i = 0; i < fast.Length(); ++i) {
            AcDbEntity* e = fast.At(i, nullptr, nullptr);
            auto* dim = AcDbRotatedDimension::cast(e);
            if (!dim) {
                reference.Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), L"", -1);
                continue;
            }
            auto* copy = new AcDbRotatedDimension(dim->rotation(), dim->xLine1Point(),
                                                  dim->xLine2Point(), dim->dimLinePoint());
            SuppressSharedEnds(job, copy, reference);
            reference.Append(copy, L"", -1);
            ++compared;
            ASSERT_EQ(dim->dimse1(), copy->dimse1()) << what << ", dimension " << i;
            ASSERT_EQ(dim->dimse2(), copy->dimse2()) << what << ", dimension " << i;
            if (copy->dimse1()) {
                EXPECT_EQ(dim->dimblk1(), copy->dimblk1());
            }
            if (copy->dimse2()) {
                EXPECT_EQ(dim->dimblk2(), copy->dimblk2());
            }
            suppressedFirst += copy->dimse1() ? 1 : 0;
            suppressedSecond += copy->dimse2() ? 1 : 0;
        }
    }
};

AcGePoint3d Grid(RandomRoute& rnd) {
    return AcGePoint3d(rnd.Int(-20, 20) * 50.0, rnd.Int(-20, 20) * 50.0, 0.0);
}

TEST_F(SharedEndsOrder, SameAsOneByOneOnMadeUpLists) {
    RandomRoute rnd(99);
    const double angles[] = {0.0, 0.0, 0.0, 30.0, 45.0, 15.5, 120.0, 89.7};
    for (int trial = 0; trial < 400; ++trial) {
        CDimData job;
        job.sideMode = rnd.Int(1, 4);
        job.fixedAngle = angles[rnd.Int(0, 7)];
        AcGeVector3d u = ExtensionDirection(job);
        CDrag drag(0);
        std::vector<AcDbRotatedDimension*> dims;
        int count = rnd.Int(1, 80);
        for (int i = 0; i < count; ++i) {
            if (rnd.Chance(0.05)) {
                drag.Append(new AcDbLine(Grid(rnd), Grid(rnd)), L"", -1);
                continue;
            }
            AcGePoint3d p1 = Grid(rnd), p2 = Grid(rnd);
            // Ends put on an earlier dimension's extension line, or just beside it.
            if (!dims.empty() && rnd.Chance(0.6)) {
                const AcDbRotatedDimension* other =
                    dims[static_cast<std::size_t>(rnd.Int(0, static_cast<int>(dims.size()) - 1))];
                AcGePoint3d q = rnd.Chance(0.5) ? other->xLine1Point() : other->xLine2Point();
                AcGePoint3d on = q + u * rnd.Real(-2000, 2000);
                if (rnd.Chance(0.3))
                    on += AcGeVector3d(-u.y, u.x, 0) * rnd.Real(-20, 20);
                (rnd.Chance(0.5) ? p1 : p2) = on;
            }
            AcGePoint3d line = rnd.Chance(0.5) ? AcGePoint3d::kOrigin : Grid(rnd);
            auto* dim = new AcDbRotatedDimension(0.0, p1, p2, line);
            drag.Append(dim, L"", -1);
            dims.push_back(dim);
        }
        SuppressSharedEndsInOrder(job, drag);
        ExpectSameAsOneByOne(job, drag, "list " + std::to_string(trial));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(suppressedFirst, compared / 10);
    EXPECT_GT(suppressedSecond, compared / 20);
}

TEST_F(SharedEndsOrder, SameAsOneByOneForTheBuildersCandidates) {
    RandomRoute rnd(4242);
    for (int trial = 0; trial < 150; ++trial) {
        CDimData job;
        RandomRoute::Load(job, rnd.Make(rnd.Int(1, 40), {-1, 2, 100}));
        job.sideMode = rnd.Int(1, 4);
        job.directionSign = rnd.Chance(0.8) ? 1 : -1;
        job.fixedAngle = rnd.Chance(0.7) ? 0.0 : rnd.Int(1, 17) * 10.0;
        CDrag drag(0);
        BuildRouteDimensions(job, drag);
        ExpectSameAsOneByOne(job, drag, "route " + std::to_string(trial));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(suppressedFirst, 50);
    EXPECT_GT(suppressedSecond, 50);
}

TEST_F(SharedEndsOrder, PointsThatAreNotNumbersAreComparedLikeAnyOther) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CDimData job;
    job.sideMode = 2;
    CDrag drag(0);
    drag.Append(new AcDbRotatedDimension(0.0, AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0),
                                         AcGePoint3d(0, 50, 0)),
                L"", -1);
    drag.Append(new AcDbRotatedDimension(0.0, AcGePoint3d(nan, 0, 0), AcGePoint3d(200, 0, 0),
                                         AcGePoint3d(0, 50, 0)),
                L"", -1);
    drag.Append(new AcDbRotatedDimension(0.0, AcGePoint3d(100, 0, 0), AcGePoint3d(nan, nan, 0),
                                         AcGePoint3d(0, 50, 0)),
                L"", -1);
    SuppressSharedEndsInOrder(job, drag);
    ExpectSameAsOneByOne(job, drag, "not numbers");
}

} // namespace
