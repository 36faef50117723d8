// Placement through the real writer: a map of 200 meshes of 33 x 33 vertices
// already read, then PlaceAndWrite of about 1.2 million models into a
// temporary output file. Reports placements per second as items/s.

#include <benchmark/benchmark.h>

#include "bench/generated_map_file.h"
#include "engine/foliage_engine.h"

namespace {

void BM_PlaceAndWrite(benchmark::State& state) {
    GeneratedMapFile map(200, 33);
    FoliageEngine engine;
    ConfigureForGeneratedMap(engine);
    CountingReceiver progress;
    if (!map.Ok() || !engine.ReadMap(progress, map.input, map.bytes)) {
        state.SkipWithError("could not write or read the generated map");
        return;
    }
    progress.placed = 0;
    for (auto _ : state) {
        if (!engine.PlaceAndWrite(progress, map.output, "bench")) {
            state.SkipWithError("PlaceAndWrite failed");
            break;
        }
    }
    state.SetItemsProcessed(progress.placed);
    state.counters["per_run"] =
        static_cast<double>(progress.placed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlaceAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
