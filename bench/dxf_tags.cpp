// Throughput of the DXF tag layer on a ~20 MB drawing-like tag stream: tokenizing,
// the full read (encoding check, tags, escapes) and writing.
#include "dxf/tag_reader.h"
#include "dxf/tag_writer.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

using namespace kz::dxf;

namespace {

// Random numbers drawn up front so that the write benchmark times the writer only.
struct Randoms {
    std::vector<double> coords;
    std::vector<unsigned> choices;
    Randoms() {
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> dist(-1000.0, 1000.0);
        coords.resize(1 << 16);
        for (double& c : coords)
            c = dist(rng);
        choices.resize(1 << 12);
        for (unsigned& c : choices)
            c = static_cast<unsigned>(rng());
    }
};

const Randoms& randoms() {
    static const Randoms r;
    return r;
}

// A mix shaped like real drawings: lines, texts and polylines with many vertices,
// layers, handles, owner pointers, extended data. Deterministic.
void writeDrawing(std::string& out, std::size_t targetBytes) {
    const Randoms& r = randoms();
    std::size_t nc = 0;
    std::size_t nr = 0;
    auto coord = [&] { return r.coords[nc++ & (r.coords.size() - 1)]; };
    auto rng = [&] { return r.choices[nr++ & (r.choices.size() - 1)]; };
    TagWriter w(out, LineEnding::CrLf);
    w.writeString(0, "SECTION");
    w.writeString(2, "HEADER");
    w.writeString(9, "$ACADVER");
    w.writeString(1, "AC1027");
    w.writeString(0, "ENDSEC");
    w.writeString(0, "SECTION");
    w.writeString(2, "ENTITIES");
    std::uint64_t handle = 0x100;
    while (out.size() < targetBytes) {
        switch (rng() % 3) {
        case 0:
            w.writeString(0, "LINE");
            w.writeHandle(5, handle++);
            w.writeHandle(330, 0x1F);
            w.writeString(100, "AcDbEntity");
            w.writeString(8, "Dimensions");
            w.writeString(100, "AcDbLine");
            w.writePoint(10, coord(), coord(), 0.0);
            w.writePoint(11, coord(), coord(), 0.0);
            break;
        case 1:
            w.writeString(0, "TEXT");
            w.writeHandle(5, handle++);
            w.writeHandle(330, 0x1F);
            w.writeString(100, "AcDbEntity");
            w.writeString(8, "Text");
            w.writeString(100, "AcDbText");
            w.writePoint(10, coord(), coord(), 0.0);
            w.writeDouble(40, 2.5);
            w.writeString(1, "Dimension text 12.50 mm");
            w.writeString(1001, "KZDIM");
            w.writeInt(1070, 3);
            break;
        default: {
            w.writeString(0, "LWPOLYLINE");
            w.writeHandle(5, handle++);
            w.writeHandle(330, 0x1F);
            w.writeString(100, "AcDbEntity");
            w.writeString(8, "Outline");
            w.writeString(100, "AcDbPolyline");
            int n = 4 + static_cast<int>(rng() % 20);
            w.writeInt(90, n);
            w.writeInt(70, 1);
            for (int i = 0; i < n; ++i)
                w.writePoint(10, coord(), coord());
            break;
        }
        }
    }
    w.writeString(0, "ENDSEC");
    w.writeString(0, "EOF");
}

const std::string& drawing() {
    static const std::string text = [] {
        std::string s;
        writeDrawing(s, 20u << 20);
        return s;
    }();
    return text;
}

void BM_Tokenize(benchmark::State& state) {
    const std::string& text = drawing();
    for (auto _ : state) {
        Tokenizer tok(text);
        Tag tag;
        std::size_t tags = 0;
        while (tok.next(tag))
            ++tags;
        benchmark::DoNotOptimize(tags);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Tokenize)->Unit(benchmark::kMillisecond);

// The whole read as loadTagFile does it after the file is in memory (the copy of the
// input is not counted).
void BM_ParseTagFile(benchmark::State& state) {
    const std::string& text = drawing();
    for (auto _ : state) {
        state.PauseTiming();
        std::string copy = text;
        state.ResumeTiming();
        TagFile f;
        DxfError e;
        bool ok = parseTagFile("bench.dxf", std::move(copy), f, e);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(f.tags().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseTagFile)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        out.reserve(21u << 20);
        writeDrawing(out, 20u << 20);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
