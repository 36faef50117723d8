// A run on a map the size of Call of Duty 4's Backlot (1,400 brushes, 460
// patches, about 33,000 models), without rules, with clusters and with a
// clearance on every model: the clearance must stay within twice the plain
// run's time, and the brushes cost nothing when no model has a clearance.
// The time is of ReadMap and a dry run (placement and block formatting).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/foliage_engine.h"
#include "engine/map_statistics.h"
#include "tests/fresh_temp_directory.h"

namespace {

std::string Box(double x0, double y0, double z0, double x1, double y1, double z1) {
    char face[512];
    std::string text = "{\n";
    const double faces[6][9] = {{x0, y0, z1, x0, y1, z1, x1, y1, z1}, {x0, y1, z0, x0, y0, z0, x1, y0, z0},
                                {x0, y0, z0, x0, y1, z0, x0, y1, z1}, {x1, y1, z0, x1, y0, z0, x1, y0, z1},
                                {x1, y0, z0, x0, y0, z0, x0, y0, z1}, {x0, y1, z0, x1, y1, z0, x1, y1, z1}};
    for (const auto& f : faces) {
        std::snprintf(face, sizeof face,
                      " ( %g %g %g ) ( %g %g %g ) ( %g %g %g ) me_brick_01 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n",
                      f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]);
        text += face;
    }
    return text + "}\n";
}

// A patch of groups x perGroup vertices at (x0, y0), 64 units apart.
std::string Patch(const char* keyword, double x0, double y0, double z, int groups, int perGroup, double step) {
    std::string text = std::string("{\n") + keyword + "\n{\nground_grass\nlightmap_gray\n" + std::to_string(groups) +
                       " " + std::to_string(perGroup) + " 16 8\n";
    char line[128];
    for (int g = 0; g < groups; ++g) {
        text += "(\n";
        for (int k = 0; k < perGroup; ++k) {
            const double x = x0 + g * step, y = y0 + k * step;
            std::snprintf(line, sizeof line, "v %g %g %g t 0 0 0 0\n", x, y, z + 8 * ((g * 7 + k * 3) % 5));
            text += line;
        }
        text += ")\n";
    }
    return text + "}\n}\n";
}

struct BacklotMap {
    std::filesystem::path dir = FreshTempDirectory("arbrel-bench");
    std::string path = (dir / "backlot.map").string();
    std::uint64_t bytes = 0;

    BacklotMap() {
        std::uint32_t state = 12345;
        const auto next = [&state](int range) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
        };
        std::string map = "iwmap 4\n{\n\"classname\" \"worldspawn\"\n";
        for (int i = 0; i < 400; ++i) map += Patch("mesh", (i % 20) * 512.0, (i / 20) * 512.0, 0, 9, 9, 64);
        for (int i = 0; i < 60; ++i) map += Patch("curve", next(10000), next(10000), 96 + next(200), 3, 3, 48);
        for (int i = 0; i < 1400; ++i) {
            const double x = next(10000), y = next(10000), z = next(4) == 0 ? 128 + next(256) : -16;
            map += Box(x, y, z, x + 32 + next(224), y + 32 + next(224), z + 16 + next(240));
        }
        map += "}\n";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return;
        if (std::fwrite(map.data(), 1, map.size(), file) == map.size()) bytes = map.size();
        std::fclose(file);
    }
    ~BacklotMap() {
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }
};

void BM_BacklotSizedRun(benchmark::State& state) {
    static const BacklotMap map;
    ModelOption grass("foliage_grass_tuft_a", 0.45f, 0.45f);
    if (state.range(0) == 1) grass.clusterSize = 128, grass.clusterCover = 0.3f;
    if (state.range(0) == 2) grass.clearance = 64;
    std::uint64_t placed = 0;
    for (auto _ : state) {
        FoliageEngine engine;
        NullProgress progress;
        engine.modelClasses["m"] = {grass};
        engine.mapClasses["c"] = {TextureOption("ground_grass", false, 1, {"m"})};
        if (!engine.ReadMap(progress, map.path, map.bytes)) {
            state.SkipWithError("could not read the generated map");
            break;
        }
        placed = DryRun(engine, progress, "c").modelsPlaced;
    }
    state.counters["models"] = static_cast<double>(placed);
}
// 0: no rule, 1: clusters, 2: clearance 64.
BENCHMARK(BM_BacklotSizedRun)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
