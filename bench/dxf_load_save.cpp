// Loading and saving a whole drawing: a generated drawing of 50,000 entities (lines,
// polylines, references with attributes, texts, MTexts and 2,000 rotated dimensions
// with their blocks; about 20 MB) is written once to a file, then read into a database
// and written back. Reports MB/s of the file and the memory a loaded drawing takes.
//
// KZ_BENCH_DXF names the file (default: kz_load_save_bench.dxf in the temporary
// folder); bench/compare_readers.sh times ezdxf and dxflib on the same file.
//
// `bench_dxf_load_save --load-only FILE` only loads FILE once and prints its CPU time
// and the peak memory of the process: the memory a load takes, without the drawing
// generation the benchmarks include.
#include "dbdim.h"
#include "dbents.h"
#include "dbmtext.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "dxf/drawing_io.h"
#include "file_save.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kLines = 20000, kPolylines = 8000, kReferences = 8000, kTexts = 6000, kMTexts = 6000,
              kDimensions = 2000;

std::string benchPath() {
    if (const char* p = std::getenv("KZ_BENCH_DXF"))
        return p;
    return (std::filesystem::temp_directory_path() / "kz_load_save_bench.dxf").string();
}

AcDbBlockTableRecord* openModelSpace(AcDbDatabase& db) {
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* ms = nullptr;
    table->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    table->close();
    return ms;
}

void append(AcDbBlockTableRecord* owner, AcDbEntity* e, AcDbObjectId layer) {
    e->setLayer(layer);
    owner->appendAcDbEntity(e);
    e->close();
}

// A lightweight polyline of 12 vertices wandering from (x, y).
AcDbEntity* polyline(std::mt19937& rng, double x, double y) {
    auto* pl = new AcDbPolyline;
    std::uniform_real_distribution<double> step(-50, 50);
    for (unsigned int i = 0; i < 12; ++i) {
        x += step(rng);
        y += step(rng);
        pl->addVertexAt(i, AcGePoint2d(x, y), i % 4 == 3 ? 0.25 : 0.0);
    }
    return pl;
}

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name, int color) {
    AcDbLayerTable* table = nullptr;
    db.getLayerTable(table, AcDb::kForWrite);
    auto* rec = new AcDbLayerTableRecord;
    rec->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(color));
    rec->setColor(c);
    AcDbObjectId id;
    table->add(id, rec);
    rec->close();
    table->close();
    return id;
}

// A block with a few lines, a circle and two attribute definitions.
AcDbObjectId addBlock(AcDbDatabase& db, int n) {
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForWrite);
    auto* btr = new AcDbBlockTableRecord;
    btr->setName((L"ELEMENT" + std::to_wstring(n)).c_str());
    AcDbObjectId id;
    table->add(id, btr);
    table->close();
    const double len = 100.0 * (n + 1);
    for (AcDbEntity* e : std::initializer_list<AcDbEntity*>{
             new AcDbLine(AcGePoint3d(0, -10, 0), AcGePoint3d(len, -10, 0)),
             new AcDbLine(AcGePoint3d(0, 10, 0), AcGePoint3d(len, 10, 0)),
             new AcDbCircle(AcGePoint3d(len / 2, 0, 0), AcGeVector3d::kZAxis, 5),
             new AcDbAttributeDefinition(AcGePoint3d(0, 15, 0), L"", L"SIZE", L"size"),
             new AcDbAttributeDefinition(AcGePoint3d(0, -20, 0), L"", L"MARK", L"mark")}) {
        e->setDatabaseDefaults(&db);
        btr->appendAcDbEntity(e);
        e->close();
    }
    btr->close();
    return id;
}

// Writes the benchmark drawing to the file; returns its size in bytes.
std::size_t makeDrawing(const std::string& path) {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pos(0, 100000);
    const AcDbObjectId layers[] = {addLayer(db, L"PIPE", 5), addLayer(db, L"DUCT", 30),
                                   addLayer(db, L"TEXT", 7), addLayer(db, L"DIM", 1)};
    AcDbObjectId blocks[4];
    for (int i = 0; i < 4; ++i)
        blocks[i] = addBlock(db, i);
    AcDbBlockTableRecord* ms = openModelSpace(db);
    for (int i = 0; i < kLines; ++i) {
        const double x = pos(rng), y = pos(rng);
        append(ms, new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 500, y + 250, 0)),
               layers[i % 2]);
    }
    for (int i = 0; i < kPolylines; ++i)
        append(ms, polyline(rng, pos(rng), pos(rng)), layers[i % 2]);
    for (int i = 0; i < kTexts; ++i) {
        auto* t = new AcDbText(AcGePoint3d(pos(rng), pos(rng), 0),
                               (L"text " + std::to_wstring(i)).c_str(), AcDbObjectId(), 2.5,
                               0.1 * (i % 7));
        append(ms, t, layers[2]);
    }
    for (int i = 0; i < kMTexts; ++i) {
        auto* t = new AcDbMText;
        t->setLocation(AcGePoint3d(pos(rng), pos(rng), 0));
        t->setContents((L"{\\fArial;note} " + std::to_wstring(i) + L"\\Psecond line").c_str());
        t->setTextHeight(2.5);
        append(ms, t, layers[2]);
    }
    ms->close();
    for (int i = 0; i < kReferences; ++i) {
        ms = openModelSpace(db);
        auto* ref = new AcDbBlockReference(AcGePoint3d(pos(rng), pos(rng), 0), blocks[i % 4]);
        ref->setRotation(0.01 * (i % 628));
        ref->setLayer(layers[i % 2]);
        ms->appendAcDbEntity(ref);
        ms->close();
        const AcGeMatrix3d xform = ref->blockTransform();
        int k = 0;
        for (const wchar_t* tag : {L"SIZE", L"MARK"}) {
            auto* att = new AcDbAttribute(AcGePoint3d(0, 15.0 - 35 * k++, 0), L"", tag);
            att->setDatabaseDefaults(&db);
            att->setPosition(xform * att->position());
            att->setTextString((std::wstring(tag) + L"-" + std::to_wstring(i)).c_str());
            ref->appendAttribute(att);
            att->close();
        }
        ref->close();
    }
    for (int i = 0; i < kDimensions; ++i) {
        const double x = pos(rng), y = pos(rng), len = 200 + (i % 50) * 40;
        const double rotation = i % 2 ? 0.0 : std::acos(-1.0) / 2;
        const AcGePoint3d a(x, y, 0);
        const AcGePoint3d b =
            rotation == 0 ? AcGePoint3d(x + len, y, 0) : AcGePoint3d(x, y + len, 0);
        const AcGePoint3d onLine =
            rotation == 0 ? AcGePoint3d(x, y + 300, 0) : AcGePoint3d(x + 300, y, 0);
        auto* dim = new AcDbRotatedDimension(rotation, a, b, onLine);
        dim->setDimtxt(60);
        dim->setDimasz(40);
        dim->setDimtad(1);
        ms = openModelSpace(db);
        append(ms, dim, layers[3]);
        ms->close();
    }
    std::string error;
    std::string text;
    if (!kz::writeDrawingToText(db, text, error) || !kz::saveFileAtomically(path, text, error)) {
        std::fprintf(stderr, "cannot make the benchmark drawing: %s\n", error.c_str());
        std::exit(1);
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return text.size();
}

// The drawing's file, made on first use.
const std::string& drawingPath(std::size_t* bytes = nullptr) {
    static std::size_t size = 0;
    static const std::string path = [] {
        std::string p = benchPath();
        size = makeDrawing(p);
        return p;
    }();
    if (bytes)
        *bytes = size;
    return path;
}

std::unique_ptr<AcDbDatabase> load(const std::string& path, benchmark::State& state) {
    auto db = std::make_unique<AcDbDatabase>(false);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    const kz::DrawingReadResult r = kz::readDrawing(path, *db);
    if (!r.ok)
        state.SkipWithError(r.error.c_str());
    return db;
}

void reportMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_LoadDrawing(benchmark::State& state) {
    std::size_t bytes = 0;
    const std::string& path = drawingPath(&bytes);
    double heldMB = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        std::unique_ptr<AcDbDatabase> db = load(path, state);
        heldMB = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
        state.PauseTiming();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
    state.counters["file_MB"] = double(bytes) / (1024.0 * 1024.0);
    state.counters["loaded_db_MB"] = heldMB;
    reportMemory(state);
}
BENCHMARK(BM_LoadDrawing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveDrawing(benchmark::State& state) {
    const std::string& path = drawingPath();
    std::unique_ptr<AcDbDatabase> db = load(path, state);
    const std::string out = path + ".saved.dxf";
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text, error;
        if (!kz::writeDrawingToText(*db, text, error) || !kz::saveFileAtomically(out, text, error))
            state.SkipWithError(error.c_str());
        bytes = text.size();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
    reportMemory(state);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    db.reset();
    std::filesystem::remove(out);
}
BENCHMARK(BM_SaveDrawing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Both in one: what kzdim convert does with the file.
void BM_LoadAndSaveDrawing(benchmark::State& state) {
    std::size_t bytes = 0;
    const std::string& path = drawingPath(&bytes);
    const std::string out = path + ".converted.dxf";
    for (auto _ : state) {
        std::unique_ptr<AcDbDatabase> db = load(path, state);
        std::string error;
        if (!kz::writeDrawing(*db, out, error))
            state.SkipWithError(error.c_str());
        state.PauseTiming();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
    reportMemory(state);
    std::filesystem::remove(out);
}
BENCHMARK(BM_LoadAndSaveDrawing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

int loadOnly(const std::string& path) {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), ec.message().c_str());
        return 1;
    }
    const double start = cpuSeconds();
    AcDbDatabase db(false);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    const kz::DrawingReadResult r = kz::readDrawing(path, db);
    const double spent = cpuSeconds() - start;
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", r.error.c_str());
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double mb = double(bytes) / (1024.0 * 1024.0);
    const double peak = double(usage.ru_maxrss) / 1024.0;
    std::printf("loaded %s: %.1f MB in %.0f ms CPU, peak resident memory %.1f MB (%.2f x the "
                "file)\n",
                path.c_str(), mb, spent * 1000, peak, peak / mb);
    std::printf("kzdim_load_ms=%.3f peak_rss_MB=%.3f file_MB=%.3f\n", spent * 1000, peak, mb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--load-only")
        return loadOnly(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
