// Placement through the real writer: a map of 200 meshes of 33 x 33 vertices
// already read, then PlaceAndWrite of about 1.2 million models into a
// temporary output file (at 1 and 2 threads), and the runs that count
// instead of writing: the dry run and the texture report. Reports
// placements per second as items/s.

#include <benchmark/benchmark.h>

#include "bench/generated_map_file.h"
#include "engine/foliage_engine.h"
#include "engine/map_statistics.h"

namespace {

// The generated map, read; null (with the benchmark skipped) on failure.
struct ReadMap {
    ReadMap() : map(200, 33) {
        ConfigureForGeneratedMap(engine);
        ok = map.Ok() && engine.ReadMap(progress, map.input, map.bytes);
        progress.placed = 0;
    }
    GeneratedMapFile map;
    FoliageEngine engine;
    CountingReceiver progress;
    bool ok = false;
};

void BM_PlaceAndWrite(benchmark::State& state) {
    ReadMap read;
    OutputOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    if (!read.ok) state.SkipWithError("could not write or read the generated map");
    for (auto _ : state) {
        if (!read.engine.PlaceAndWrite(read.progress, read.map.output, "bench", nullptr, options)) {
            state.SkipWithError("PlaceAndWrite failed");
            break;
        }
    }
    state.SetItemsProcessed(read.progress.placed);
    state.counters["per_run"] =
        static_cast<double>(read.progress.placed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlaceAndWrite)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same placement counted, as --dry-run and the window's texture report do.
void BM_DryRun(benchmark::State& state) {
    ReadMap read;
    if (!read.ok) state.SkipWithError("could not write or read the generated map");
    long placed = 0;
    for (auto _ : state) placed += static_cast<long>(DryRun(read.engine, read.progress, "bench").modelsPlaced);
    state.SetItemsProcessed(placed);
}
BENCHMARK(BM_DryRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TextureReport(benchmark::State& state) {
    ReadMap read;
    if (!read.ok) state.SkipWithError("could not write or read the generated map");
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTextureReport(read.engine.meshes, read.engine.mapClasses, "bench"));
    state.SetItemsProcessed(static_cast<long>(state.iterations() * read.engine.meshes.size()));
}
BENCHMARK(BM_TextureReport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
