// Start-up of a large data directory: 1,000 model classes and 1,000 map
// classes of 50 lines each.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/store_loader.h"
#include "engine/foliage_engine.h"
#include "tests/fresh_temp_directory.h"

namespace fs = std::filesystem;

namespace {

constexpr int kClasses = 1000;
constexpr int kLines = 50;

class LargeDataDirectory {
public:
    LargeDataDirectory() {
        root_ = FreshTempDirectory("arbrel-bench");
        const fs::path models = root_ / "models", maps = root_ / "maps";
        fs::create_directories(models);
        fs::create_directories(maps);
        for (int c = 0; c < kClasses; ++c) {
            std::ofstream model((models / ("model" + std::to_string(c) + ".csv")).string(), std::ios::binary);
            std::ofstream map((maps / ("map" + std::to_string(c) + ".csv")).string(), std::ios::binary);
            for (int l = 0; l < kLines; ++l) {
                model << "foliage/plant_" << c << "_" << l << ",0.25,1.5,1,0,-2.5,10,240,0.5,1.25\r\n";
                map << "terrain_" << c << "_" << l << ",1,0.75,model" << (c + l) % kClasses
                    << ",model" << (c * 7 + l) % kClasses << ",missing\r\n";
            }
        }
    }
    ~LargeDataDirectory() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string path() const { return root_.string(); }

private:
    fs::path root_;
};

void BM_LoadConfigurationStore(benchmark::State& state) {
    static LargeDataDirectory data;
    for (auto _ : state) {
        FoliageEngine engine;
        StoreContents contents = LoadConfigurationStore(engine, data.path(), true);
        if (contents.mapClassNames.size() != kClasses) state.SkipWithError("classes missing");
        benchmark::DoNotOptimize(contents);
    }
}
BENCHMARK(BM_LoadConfigurationStore)->Unit(benchmark::kMillisecond);

}  // namespace
