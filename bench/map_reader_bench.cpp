// The map reader on a generated map of about 110 MB (1,700 meshes of 33 x 33
// vertices): load the file and scan every mesh. Reports MB/s; the file is
// written once per process and read from the page cache.

#include <benchmark/benchmark.h>

#include "bench/generated_map_file.h"
#include "engine/foliage_engine.h"

namespace {

const GeneratedMapFile& ReaderMap() {
    static const GeneratedMapFile map(1700, 33);
    return map;
}

void BM_ReadMap(benchmark::State& state) {
    const GeneratedMapFile& map = ReaderMap();
    if (!map.Ok()) {
        state.SkipWithError("could not write the generated map");
        return;
    }
    FoliageEngine engine;
    NullProgress progress;
    for (auto _ : state) {
        if (!engine.ReadMap(progress, map.input, map.bytes)) {
            state.SkipWithError("ReadMap failed");
            break;
        }
        benchmark::DoNotOptimize(engine.meshes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * map.bytes));
    state.counters["map_MB"] = static_cast<double>(map.bytes) / 1e6;
    state.counters["meshes"] = static_cast<double>(engine.meshes.size());
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
