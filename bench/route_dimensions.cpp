// The placement drag of route dimensions on a straight run of N route elements: the
// builder, one cursor move that stays on the same side, one that crosses to the other
// side (and so rebuilds), and the commit of the shown candidates with their links.
//
// The run is made in an in-memory drawing as the route add-in draws it: one straight
// element block with connection and length points and its KZ_ELEMENT record,
// referenced N times along the x axis with KZ_LINK on each reference and a gap of
// kGap between neighbours, so that the builder makes N element and N - 1 gap
// candidates. The job and its drag are set up as KZ_DIM_MAKE does.
#include "create/dim_builder.h"
#include "create/dim_data.h"
#include "create/placement.h"
#include "create/route_edge_index.h"
#include "settings/dim_rules.h"
#include "settings/shared_ends.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "Drag.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kLength = 2000.0;
constexpr double kGap = 100.0;
constexpr double kPitch = kLength + kGap;

void writeList(AcDbObjectId id, const wchar_t* app, const std::vector<std::wstring>& strings) {
    CStringArray list;
    for (const auto& s : strings)
        list.Add(s.c_str());
    ApiComn_appendAttributesArray(id, app, &list, true);
}

AcDbObjectId defineStraightElement(AcDbDatabase& db) {
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"RT_PIPE");
    AcDbObjectId id;
    table->add(id, block);
    table->close();
    auto add = [&](AcDbEntity* e, const wchar_t* layer) {
        ApiComn_SetLayer(e, layer);
        block->appendAcDbEntity(e);
        e->close();
    };
    const AcGePoint3d a(0, 0, 0), b(kLength, 0, 0);
    add(new AcDbPoint(a), KZCONECT_LAYER);
    add(new AcDbPoint(b), KZCONECT_LAYER);
    add(new AcDbPoint(a), KZLENGTH_LAYER);
    add(new AcDbPoint(b), KZLENGTH_LAYER);
    add(new AcDbLine(a, b), L"0");
    block->close();
    writeList(id, KZ_ELEMENT_APPNAME, {L"RT0001", L"1", L"0"});
    return id;
}

// A drawing holding the run, the working database while it lives, and the job of one
// KZ_DIM_MAKE over all of the run's elements, with its drag.
struct RouteRun {
    std::unique_ptr<AcDbDatabase> db;
    CDimData job;
    CDrag drag{0};
    dragdata data;

    explicit RouteRun(int n) : db(std::make_unique<AcDbDatabase>()) {
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        AcDbObjectId block = defineStraightElement(*db);
        AcDbBlockTable* table = nullptr;
        db->getBlockTable(table, AcDb::kForRead);
        AcDbBlockTableRecord* space = nullptr;
        table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
        table->close();
        std::vector<AcDbObjectId> ids;
        for (int i = 0; i < n; ++i) {
            auto* ref = new AcDbBlockReference(AcGePoint3d(i * kPitch, 0, 0), block);
            AcDbObjectId id;
            space->appendAcDbEntity(id, ref);
            ref->close();
            ids.push_back(id);
        }
        space->close();
        for (AcDbObjectId id : ids)
            writeList(id, KZ_LINK_APPNAME, {L"1|||01||0|"});

        // The job as the command fills it: make settings, route extents, one segment
        // per element with its length points.
        job.directionSign = 1;
        job.sideMode = 2;
        DimSettings& s = job.settings;
        s = DimSettings{7.0, 0.8, 1.5, 1.0, 2.0, 256, 256, 256, 0.8, 10.0, 4, 1, 0};
        job.extents =
            AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d((n - 1) * kPitch + kLength, 0, 0));
        job.AllocateSegments(n);
        for (int i = 0; i < n; ++i) {
            DimSegment& seg = job.segments[i];
            seg.code = 1;
            seg.kind = 1;
            seg.elementId = ids[static_cast<std::size_t>(i)];
            DeZeza_GetConnectPoint(seg.elementId, seg.points, KZLENGTH_LAYER, nullptr);
        }
        job.drag = &drag;
        data.user = &job;
        data.drag = &drag;
        BuildRouteDimensions(job, drag);
    }
    ~RouteRun() {
        drag.RemoveAll(1);
        job.drag = nullptr;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    // A cursor move to x along the run, distance above (positive) or below the run.
    void move(double x, double distance) {
        data.point = AcGePoint3d(x, distance, 0);
        PlacementSampleCallback(&data);
    }
};

void setCounters(benchmark::State& state, const RouteRun& run) {
    state.counters["N"] = static_cast<double>(state.range(0));
    state.counters["candidates"] = run.drag.Length();
}

void BM_BuildRouteDimensions(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    for (auto _ : state)
        BuildRouteDimensions(run.job, run.drag);
    setCounters(state, run);
}

// Cursor moves along the run above it: no rebuild, every candidate placed again.
void BM_SampleSameSide(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    run.move(0, 500);
    double x = 0;
    for (auto _ : state) {
        x += 37.0;
        run.move(x, 500 + (static_cast<int>(x) % 200));
    }
    setCounters(state, run);
}

// Every cursor move crosses the run: the side changes and the candidates are rebuilt.
void BM_SampleSideChange(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    double distance = 500;
    for (auto _ : state) {
        distance = -distance;
        run.move(1000, distance);
    }
    setCounters(state, run);
}

// Erases the candidates a commit added to the drawing, so that the elements' link
// lists do not grow from one pick to the next.
void eraseCommitted(CDrag& drag) {
    for (int i = 0; i < drag.Length(); ++i) {
        AcDbEntity* e = drag.At(i, nullptr, nullptr);
        if (!e || e->objectId().isNull())
            continue;
        AcDbEntity* open = nullptr;
        if (acdbOpenAcDbEntity(open, e->objectId(), AcDb::kForWrite) == Acad::eOk) {
            open->erase();
            open->close();
        }
    }
}

// The pick: every shown candidate is added to the drawing and linked with its
// elements. Each pick needs fresh candidates; the rebuild is not timed.
void BM_Commit(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    double distance = 500;
    int committed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        eraseCommitted(run.drag);
        distance = -distance;
        run.move(1000, distance);
        state.ResumeTiming();
        PlacementEndCallback(&run.data);
        state.PauseTiming();
        committed = 0;
        for (int i = 0; i < run.drag.Length(); ++i) {
            AcDbEntity* e = run.drag.At(i, nullptr, nullptr);
            committed += e && !e->objectId().isNull() ? 1 : 0;
        }
        state.ResumeTiming();
    }
    setCounters(state, run);
    state.counters["committed"] = committed;
}

// The two walks that compare everything with everything, in their straightforward form
// and in the form the drag uses, on the candidates of the run.

// Each candidate against a list of those before it.
void BM_SharedEndsOneByOne(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CDrag before(0);
        for (int i = 0; i < run.drag.Length(); ++i) {
            AcDbEntity* e = run.drag.At(i, nullptr, nullptr);
            SuppressSharedEnds(run.job, e, before);
            before.Append(e, L"", -1);
        }
        before.RemoveAll(0);
    }
    setCounters(state, run);
}

void BM_SharedEndsInOrder(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    for (auto _ : state)
        SuppressSharedEndsInOrder(run.job, run.drag);
    setCounters(state, run);
}

// Both extension lines of every candidate, 500 units long, above the run.
template <class Trim> void trimAll(RouteRun& run, const Trim& trim) {
    for (int i = 0; i < run.drag.Length(); ++i) {
        auto* dim = AcDbRotatedDimension::cast(run.drag.At(i, nullptr, nullptr));
        for (AcGePoint3d origin : {dim->xLine1Point(), dim->xLine2Point()}) {
            AcGePoint3d foot = origin + AcGeVector3d(0, 500, 0);
            trim(origin, foot);
            benchmark::DoNotOptimize(origin);
        }
    }
}

void BM_TrimWalk(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    for (auto _ : state)
        trimAll(run,
                [&](AcGePoint3d& o, const AcGePoint3d& f) { TrimExtensionOrigin(run.job, o, f); });
    setCounters(state, run);
}

void BM_TrimIndex(benchmark::State& state) {
    RouteRun run(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RouteEdgeIndex index(run.job);
        trimAll(run, [&](AcGePoint3d& o, const AcGePoint3d& f) { index.Trim(o, f); });
    }
    setCounters(state, run);
}

void walkSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
}

void routeSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_BuildRouteDimensions)->Apply(routeSizes);
BENCHMARK(BM_SampleSameSide)->Apply(routeSizes);
BENCHMARK(BM_SampleSideChange)->Apply(routeSizes);
BENCHMARK(BM_Commit)->Apply(routeSizes);
BENCHMARK(BM_SharedEndsOneByOne)->Apply(walkSizes);
BENCHMARK(BM_SharedEndsInOrder)->Apply(routeSizes);
BENCHMARK(BM_TrimWalk)->Apply(walkSizes);
BENCHMARK(BM_TrimIndex)->Apply(routeSizes);

BENCHMARK_MAIN();
