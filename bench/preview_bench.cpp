// The preview's redraw: the dry run of a map into a scene, and the top-down
// picture of that scene at a window's size. The live preview redraws within
// 150 ms on a Backlot-sized map (460 patches, about 33,000 models); the
// benchmark map (1.23 million models) shows what a large map costs.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/generated_map_file.h"
#include "engine/map_statistics.h"
#include "preview/preview_scene.h"
#include "preview/top_down_picture.h"

namespace {

// 460 patches of 17x17 vertices in a 23 x 20 grid, rolling hills, four
// textures; one model class whose densities give about 31,000 models.
void MakeBacklotSized(FoliageEngine& engine) {
    const char* textures[] = {"ground_grass", "ground_dirt", "mud_track", "rock_cliff"};
    engine.meshes.clear();
    for (int patch = 0; patch < 460; ++patch) {
        TerrainMesh mesh;
        mesh.texture = textures[patch % 4];
        mesh.rows = mesh.columns = 17;
        const float baseX = (patch % 23) * 512.0f, baseY = (patch / 23) * 512.0f;
        for (int r = 0; r < 17; ++r)
            for (int c = 0; c < 17; ++c) {
                const float x = baseX + c * 32.0f, y = baseY + r * 32.0f;
                const float z = static_cast<float>(((static_cast<int>(x) * 7 + static_cast<int>(y) * 13) % 997)) / 8.0f;
                mesh.vertices.push_back({x, y, z, 255.0f});
            }
        engine.meshes.push_back(std::move(mesh));
    }
    engine.modelClasses["plants"] = {ModelOption("bush", 0.17f, 0.19f), ModelOption("tree", 0.017f, 0.027f)};
    engine.mapClasses["backlot"] = {TextureOption("ground_grass", false, 1.0f, {"plants"}),
                                    TextureOption("ground_dirt", false, 1.0f, {"plants"}),
                                    TextureOption("mud_track", false, 1.0f, {"plants"}),
                                    TextureOption("rock_cliff", false, 1.0f, {"plants"})};
}

// One redraw as the live preview makes it: the dry run into a scene, then
// its picture from above at 800 x 560.
void RedrawBenchmark(benchmark::State& state, FoliageEngine& engine, const std::string& mapClass) {
    const auto terrain = std::make_shared<const std::vector<TerrainMesh>>(engine.meshes);
    std::size_t marks = 0;
    for (auto _ : state) {
        engine.random.Seed(1);
        SceneRecorder recorder(terrain);
        NullProgress progress;
        const DryRunStatistics statistics = DryRun(engine, progress, mapClass, &recorder);
        const PreviewScene scene = recorder.Finish(statistics.budget, statistics.rejectionsPerTexture);
        ViewTransform view;
        view.SetViewport(800, 560);
        view.Fit(scene.bounds);
        benchmark::DoNotOptimize(DrawTopDown(scene, view).pixels.data());
        marks = scene.marks.size();
    }
    state.counters["models"] = static_cast<double>(marks);
}

void BM_PreviewRedrawOfABacklotSizedMap(benchmark::State& state) {
    FoliageEngine engine;
    MakeBacklotSized(engine);
    RedrawBenchmark(state, engine, "backlot");
}
BENCHMARK(BM_PreviewRedrawOfABacklotSizedMap)->Unit(benchmark::kMillisecond);

// The benchmark map of the whole-job benchmarks: 200 meshes of 33 x 33.
void BM_PreviewRedrawOfTheBenchmarkMap(benchmark::State& state) {
    GeneratedMapFile files(200, 33);
    FoliageEngine engine;
    ConfigureForGeneratedMap(engine);
    CountingReceiver progress;
    if (!files.Ok() || !engine.ReadMap(progress, files.input, files.bytes)) {
        state.SkipWithError("the benchmark map could not be made or read");
        return;
    }
    RedrawBenchmark(state, engine, "bench");
}
BENCHMARK(BM_PreviewRedrawOfTheBenchmarkMap)->Unit(benchmark::kMillisecond);

// Only the picture, for a zoom or a pan: a million marks on the same map.
void BM_TopDownPictureOfAMillionMarks(benchmark::State& state) {
    FoliageEngine engine;
    MakeBacklotSized(engine);
    SceneRecorder recorder(std::make_shared<const std::vector<TerrainMesh>>(engine.meshes));
    const std::vector<ModelOption> models = {ModelOption("grass", 1), ModelOption("tree", 1)};
    std::uint32_t random = 1;
    ModelPlacement p;
    for (int i = 0; i < 1000000; ++i) {
        random = random * 214013u + 2531011u;
        p.x = static_cast<float>(random >> 18);  // 0 .. 16383
        p.y = static_cast<float>((random >> 4) & 0x3FFF) * 0.6f;
        p.scale = 0.5f;
        p.modelOption = &models[static_cast<std::size_t>(i) % models.size()];
        recorder.Place(p);
    }
    const PreviewScene scene = recorder.Finish({}, {});
    for (auto _ : state) {
        ViewTransform view;
        view.SetViewport(800, 560);
        view.Fit(scene.bounds);
        benchmark::DoNotOptimize(DrawTopDown(scene, view).pixels.data());
    }
}
BENCHMARK(BM_TopDownPictureOfAMillionMarks)->Unit(benchmark::kMillisecond);

}  // namespace
