// The main job end to end: read a generated map of 200 meshes of 33 x 33
// vertices, place about 1.2 million models, format them and write the
// output file. Reports placements per second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <boost/filesystem.hpp>

#include "bench/large_map.h"
#include "engine/foliage_engine.h"
#include "engine/placement_block.h"

namespace fs = boost::filesystem;

namespace {

struct Counter : ProgressReceiver {
    void MeshRead() override {}
    void MeshProcessed() override {}
    void ModelPlaced() override { ++placed; }
    long placed = 0;
};

void Configure(FoliageEngine& engine) {
    engine.modelClasses["bench_plants"] = {ModelOption("foliage_grass_tuft_a", 1, 1, true, true)};
    engine.mapClasses["bench"] = {TextureOption("bench_grass", false, 1, {"bench_plants"})};
}

class MapFiles {
public:
    MapFiles() {
        dir_ = fs::temp_directory_path() / fs::unique_path("arbrel-bench-%%%%-%%%%");
        fs::create_directories(dir_);
        input = (dir_ / "large.map").string();
        output = (dir_ / "large_foliage.map").string();
        std::ofstream(input, std::ios::binary) << LargeMapText(200, 33);
        size = fs::file_size(input);
    }
    ~MapFiles() {
        boost::system::error_code error;
        fs::remove_all(dir_, error);
    }
    std::string input, output;
    std::uintmax_t size = 0;

private:
    fs::path dir_;
};

void BM_ReadPlaceWrite(benchmark::State& state) {
    MapFiles files;
    long placements = 0;
    for (auto _ : state) {
        FoliageEngine engine;
        Configure(engine);
        Counter progress;
        if (!engine.ReadMap(progress, files.input, files.size) ||
            !engine.PlaceAndWrite(progress, files.output, "bench")) {
            state.SkipWithError("run failed");
            break;
        }
        placements += progress.placed;
    }
    state.counters["placements"] = benchmark::Counter(static_cast<double>(placements), benchmark::Counter::kIsRate);
    state.counters["input_MB"] = static_cast<double>(files.size) / 1e6;
}
BENCHMARK(BM_ReadPlaceWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// Placement alone, on a mesh already in memory.
void BM_Place(benchmark::State& state) {
    FoliageEngine engine;
    Configure(engine);
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
