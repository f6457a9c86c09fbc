// The two editing commands on N dimensions, run as a user runs them: the headless host
// with the bundled applications loaded, a straight pipe run of N elements whose N
// dimensions one KZ_DIM_MAKE pick made, and each command read from a script.
//
//   KZ_DIM_EDITTEXT: all dimensions selected, the texts dragged with `moves` cursor
//   moves, then picked (every dimension's text position written).
//   KZ_DIM_EDITXLINE: all dimensions selected, one base point (every dimension's two
//   extension-line origins written).
//
// Loading and saving the drawing are not timed (bench_dxf_load_save measures them).
#include "route_sample.h"

#include "dbdim.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "ed/command_line.h"
#include "ed/command_loop.h"
#include "ed/document_host.h"
#include "ed/host_session.h"
#include "ed/line_source.h"
#include "win_codepage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The middle of a run of n 2000-unit pipes.
double middleOf(int n) {
    return 1000.0 * n;
}

std::wstring point(double x, double y) {
    wchar_t text[64];
    std::swprintf(text, 64, L"%.1f,%.1f", x, y);
    return text;
}

// Runs the script's commands in the open document; false (with the reason in error)
// when the run stopped on an error.
bool runScript(const std::wstring& script, std::string& error) {
    auto& line = kz::ed::CommandLine::get();
    line.setSource(std::make_unique<kz::ed::ScriptSource>(L"bench", script));
    if (kz::ed::runCommandLoop())
        return true;
    error = kz::wideToUtf8(line.error());
    return false;
}

int dimensionsInModelSpace(AcDbDatabase& db) {
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    space->close();
    int count = 0;
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForRead) != Acad::eOk)
            continue;
        count += AcDbRotatedDimension::cast(e) ? 1 : 0;
        e->close();
    }
    delete it;
    return count;
}

// The host with the applications loaded and a run of n elements dimensioned by one
// pick above it, for as long as it lives.
class DimensionedRun {
public:
    explicit DimensionedRun(int n) {
        auto db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        kz::samples::drawPipeRun(*db, n);
        kz::ed::startHost({});
        kz::ed::openDocument(std::move(db), L"run.dxf");
        // Beside the benchmark program, as beside kzdim.
        if (!kz::ed::loadModules({L"Kelto.arx", L"KzDim.arx"}).empty()) {
            m_error = "Kelto.arx or KzDim.arx did not load";
            return;
        }
        if (!runScript(L"KZ_DIM_MAKE\nALL\n\n" + point(middleOf(n), 300) + L"\n", m_error))
            return;
        m_dimensions = dimensionsInModelSpace(*kz::ed::documentDatabase());
        if (m_dimensions != n)
            m_error = "the pick made " + std::to_string(m_dimensions) + " dimensions, not " +
                      std::to_string(n);
    }
    ~DimensionedRun() { kz::ed::endHost(); }
    DimensionedRun(const DimensionedRun&) = delete;
    DimensionedRun& operator=(const DimensionedRun&) = delete;

    const std::string& error() const { return m_error; }
    int dimensions() const { return m_dimensions; }

private:
    std::string m_error;
    int m_dimensions = 0;
};

// Runs script once per iteration on a run of state.range(0) dimensions.
void runEach(benchmark::State& state, const std::wstring& script) {
    const int n = static_cast<int>(state.range(0));
    DimensionedRun run(n);
    if (!run.error().empty()) {
        state.SkipWithError(run.error().c_str());
        return;
    }
    std::string error;
    for (auto _ : state) {
        if (!runScript(script, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.PauseTiming();
        kz::ed::CommandLine::get().transcript().clear();
        state.ResumeTiming();
    }
    state.counters["N"] = run.dimensions();
}

void BM_EditText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int moves = static_cast<int>(state.range(1));
    const double x = middleOf(n);
    std::wstring script = L"KZ_DIM_EDITTEXT\nALL\n\n";
    for (int i = 0; i < moves; ++i)
        script += L"~" + point(x + 37.0 * i, 400.0 + 10.0 * i) + L"\n";
    script += point(x, 500) + L"\n";
    runEach(state, script);
    state.counters["moves"] = moves;
}

void BM_EditXLine(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    runEach(state, L"KZ_DIM_EDITXLINE\nALL\n\n" + point(middleOf(n), -100) + L"\n");
}

} // namespace

BENCHMARK(BM_EditText)
    ->ArgsProduct({{100, 1000}, {0, 20}})
    ->ArgNames({"N", "moves"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditXLine)->Arg(100)->Arg(1000)->ArgName("N")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
