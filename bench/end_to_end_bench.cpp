// The main job end to end: read a generated map of 200 meshes of 33 x 33
// vertices, place about 1.2 million models, format them and write the
// output file. Reports placements per second as items/s.

#include <benchmark/benchmark.h>

#include "bench/generated_map_file.h"
#include "engine/foliage_engine.h"
#include "engine/placement_block.h"

namespace {

// The whole job. Arguments: spacing 1 gives the model a spacing radius of
// 16 units (a spatial grid lookup per candidate); threads as arbrel-cli's
// --threads (1 formats on the placing thread).
void BM_ReadPlaceWrite(benchmark::State& state) {
    GeneratedMapFile files(200, 33);
    OutputOptions options;
    options.threads = static_cast<unsigned>(state.range(1));
    long placements = 0;
    for (auto _ : state) {
        FoliageEngine engine;
        ConfigureForGeneratedMap(engine);
        if (state.range(0) == 1) engine.modelClasses["bench_plants"][0].spacingRadius = 16.0f;
        CountingReceiver progress;
        if (!files.Ok() || !engine.ReadMap(progress, files.input, files.bytes) ||
            !engine.PlaceAndWrite(progress, files.output, "bench", nullptr, options)) {
            state.SkipWithError("run failed");
            break;
        }
        placements += progress.placed;
    }
    state.SetItemsProcessed(placements);
    state.counters["input_MB"] = static_cast<double>(files.bytes) / 1e6;
}
BENCHMARK(BM_ReadPlaceWrite)
    ->ArgNames({"spacing", "threads"})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Placement alone, on a mesh already in memory.
void BM_Place(benchmark::State& state) {
    FoliageEngine engine;
    ConfigureForGeneratedMap(engine);
    TerrainMesh mesh;
    mesh.texture = "bench_grass";
    mesh.rows = mesh.columns = 33;
    for (int g = 0; g < 33; ++g)
        for (int p = 0; p < 33; ++p) mesh.vertices.push_back({g * 64.0f, p * 64.0f, (g * p) % 7 * 3.0f, 255});
    struct Sink : PlacementSink {
        void Place(const ModelPlacement& p) override { benchmark::DoNotOptimize(p); ++placed; }
        long placed = 0;
    } sink;
    for (auto _ : state) engine.PlaceOnMesh(mesh, "bench", sink);
    state.counters["placements"] = benchmark::Counter(static_cast<double>(sink.placed), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Place)->Unit(benchmark::kMillisecond);

// Formatting alone: one block into memory.
void BM_FormatBlock(benchmark::State& state) {
    ModelOption model("foliage_grass_tuft_a", 1);
    ModelPlacement p;
    p.x = 1234.567f; p.y = -20480.37f; p.z = 17.3125f; p.scale = 0.83521f;
    p.pitch = -3.27841f; p.yaw = 211.4f; p.roll = 1.0e-3f;
    p.modelOption = &model;
    char buffer[PlacementBlockCapacity(20)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatPlacementBlock(p, buffer));
        p.x += 0.5f;
    }
    state.counters["blocks"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormatBlock);

}  // namespace
