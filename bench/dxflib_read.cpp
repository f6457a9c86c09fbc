// Reads a DXF file with dxflib, for comparison with our reader: counts the entities
// dxflib reports and prints the best CPU time of a few reads and the file's MB/s.
//   bench_dxflib_read FILE [RUNS]      (RUNS: 3 by default)
// The last line is machine-readable for bench/compare_readers.py:
//   dxflib_load_ms=<ms> entities=<n> file_MB=<MB>
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Counts what a reader must at least build: one call per entity.
class EntityCounter : public DL_CreationAdapter {
public:
    long entities = 0;

    void addPoint(const DL_PointData&) override { ++entities; }
    void addLine(const DL_LineData&) override { ++entities; }
    void addArc(const DL_ArcData&) override { ++entities; }
    void addCircle(const DL_CircleData&) override { ++entities; }
    void addEllipse(const DL_EllipseData&) override { ++entities; }
    void addPolyline(const DL_PolylineData&) override { ++entities; }
    void addSpline(const DL_SplineData&) override { ++entities; }
    void addInsert(const DL_InsertData&) override { ++entities; }
    void addSolid(const DL_SolidData&) override { ++entities; }
    void addTrace(const DL_TraceData&) override { ++entities; }
    void add3dFace(const DL_3dFaceData&) override { ++entities; }
    void addMText(const DL_MTextData&) override { ++entities; }
    void addText(const DL_TextData&) override { ++entities; }
    void addAttribute(const DL_AttributeData&) override { ++entities; }
    void addHatch(const DL_HatchData&) override { ++entities; }
    void addLeader(const DL_LeaderData&) override { ++entities; }
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { ++entities; }
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { ++entities; }
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), ec.message().c_str());
        return 1;
    }
    const double mb = double(bytes) / (1024.0 * 1024.0);
    double best = -1;
    long entities = 0;
    for (int i = 0; i < (runs > 0 ? runs : 1); ++i) {
        EntityCounter counter;
        DL_Dxf dxf;
        const double start = cpuSeconds();
        if (!dxf.in(path, &counter)) {
            std::fprintf(stderr, "%s: dxflib cannot read the file\n", path.c_str());
            return 1;
        }
        const double spent = cpuSeconds() - start;
        best = best < 0 || spent < best ? spent : best;
        entities = counter.entities;
    }
    std::printf("dxflib read %s: %ld entities, %.1f MB in %.0f ms CPU (best of %d), %.1f MB/s\n",
                path.c_str(), entities, mb, best * 1000, runs, mb / best);
    std::printf("dxflib_load_ms=%.3f entities=%ld file_MB=%.3f\n", best * 1000, entities, mb);
    return 0;
}
