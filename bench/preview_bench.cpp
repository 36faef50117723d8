// The placement preview: a million placements drawn on a 1024-pixel picture
// of a 64x64-cell terrain, then encoded as PNG. Should take about a second
// at most.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "preview/placement_preview.h"

namespace {

TerrainMesh Terrain() {
    TerrainMesh mesh;
    mesh.texture = "ground_grass";
    mesh.rows = mesh.columns = 65;
    for (int r = 0; r < 65; ++r)
        for (int c = 0; c < 65; ++c)
            mesh.vertices.push_back({c * 64.0f, r * 64.0f, static_cast<float>((r * c) % 97), 255.0f});
    return mesh;
}

void BM_PreviewOfAMillionPlacements(benchmark::State& state) {
    const std::vector<TerrainMesh> meshes = {Terrain()};
    const std::vector<ModelOption> models = {ModelOption("grass", 1), ModelOption("tree", 1),
                                             ModelOption("rock", 1)};
    std::uint32_t random = 1;
    std::size_t bytes = 0;
    for (auto _ : state) {
        PlacementPreview preview(meshes, 1024);
        ModelPlacement p;
        for (int i = 0; i < 1000000; ++i) {
            random = random * 214013u + 2531011u;
            p.x = static_cast<float>(random >> 20);  // 0 .. 4095
            p.y = static_cast<float>((random >> 8) & 0xFFF);
            p.modelOption = &models[static_cast<std::size_t>(i) % models.size()];
            preview.Place(p);
        }
        bytes = EncodePng(preview.Image()).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PreviewOfAMillionPlacements)->Unit(benchmark::kMillisecond);

}  // namespace
