#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/store_loader.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "tests/test_support.h"

namespace {

const std::string kSource = ARBREL_SOURCE_DIR;
const std::string kDemoMap = kSource + "/samples/install/map_source/mp_demo.map";

MeshVertex V(float x, float y, float z = 0.0f) { return MeshVertex{x, y, z, 255.0f}; }

// A flat grid of rows x columns vertices, `step` units apart.
TerrainMesh Grid(const std::string& texture, int rows, int columns, float step) {
    std::vector<MeshVertex> v;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) v.push_back(V(c * step, r * step));
    return MakeMesh(texture, rows, columns, v);
}

void LoadSamples(FoliageEngine& engine) { LoadConfigurationStore(engine, kSource + "/samples/data", true); }

// Counts the misc_model blocks after the copied input, by model name.
std::map<std::string, std::uint64_t> ModelsInOutput(const std::string& output, std::size_t inputSize) {
    std::map<std::string, std::uint64_t> counts;
    const std::string key = "\"model\" \"";
    for (std::size_t at = output.find(key, inputSize); at != std::string::npos;
         at = output.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        ++counts[output.substr(start, output.find('"', start) - start)];
    }
    return counts;
}

}  // namespace

TEST(TextureReport, CountsMeshesCellsAreaAndRules) {
    const std::vector<TerrainMesh> meshes = {
        Grid("grass", 3, 3, 64.0f),          // 4 cells of one 64x64 square each
        Grid("grass", 2, 2, 128.0f),         // 1 cell of four squares
        Grid("Dirt", 2, 3, 32.0f),           // 2 cells of a quarter square
        MakeMesh("rock", 3, 3, {V(0, 0), V(1, 0), V(2, 0), V(0, 1)}),  // short list: no complete cell
        MakeMesh("sand", 1, 5, {V(0, 0), V(1, 0), V(2, 0), V(3, 0), V(4, 0)}),  // one row: no cell
        // 45 degree tilt: 64 across, 64*sqrt(2) along the slope.
        MakeMesh("slope", 2, 2, {V(0, 0, 0), V(64, 0, 0), V(0, 64, 64), V(64, 64, 64)}),
        MakeMesh("line", 2, 2, {V(0, 0), V(1, 0), V(2, 0), V(3, 0)}),  // collinear: a cell, no area
        MakeMesh("nan", 2, 2, {V(0, 0), V(64, 0), V(0, 64), V(NAN, 64)}),  // only the finite triangle
    };
    MapClassTable mapClasses;
    mapClasses["demo"] = {TextureOption("grass"), TextureOption("ROCK")};

    struct Row { std::string texture; std::uint64_t meshes, cells; double area; bool rule; };
    const Row expected[] = {  // byte-wise order: capitals first
        {"Dirt", 1, 2, 0.5, false}, {"grass", 2, 5, 8.0, true}, {"line", 1, 1, 0.0, false},
        {"nan", 1, 1, 0.5, false},  {"rock", 1, 0, 0.0, false}, {"sand", 1, 0, 0.0, false},
        {"slope", 1, 1, std::sqrt(2.0), false},
    };
    const std::vector<TextureReportRow> report = BuildTextureReport(meshes, mapClasses, "demo");
    ASSERT_EQ(report.size(), std::size(expected));
    for (std::size_t i = 0; i < report.size(); ++i) {
        SCOPED_TRACE(expected[i].texture);
        EXPECT_EQ(report[i].texture, expected[i].texture);
        EXPECT_EQ(report[i].meshes, expected[i].meshes);
        EXPECT_EQ(report[i].cells, expected[i].cells);
        EXPECT_NEAR(report[i].area, expected[i].area, 1e-9);
        EXPECT_EQ(report[i].hasRule, expected[i].rule);
    }
    // Unknown and empty class names give no rules and insert nothing.
    for (const std::string name : {"", "nosuchclass"})
        for (const TextureReportRow& row : BuildTextureReport(meshes, mapClasses, name)) EXPECT_FALSE(row.hasRule);
    EXPECT_EQ(mapClasses.size(), 1u);
}

// The dry run walks the same placement as a real run from the same generator
// state, so every count and the output size must match the written file.
TEST(DryRun, CountsEqualARealRun) {
    for (const std::string& map : {kDemoMap, TestDataPath("cod4_frazzie_mp_dr_frzl_early.map"),
                                   TestDataPath("cod4_frazzie_mp_dr_frzl.map")}) {
        SCOPED_TRACE(map);
        TempDir dir;
        FoliageEngine dry, real;
        for (FoliageEngine* engine : {&dry, &real}) {
            if (map == kDemoMap) {
                LoadSamples(*engine);
                continue;
            }
            // Every texture of the map gets two model classes, one aligned.
            NullProgress quiet;
            ASSERT_TRUE(engine->ReadMap(quiet, map, FileSize(map)));
            engine->modelClasses["a"] = {ModelOption("tree_a", 0.2f, 0.5f)};
            engine->modelClasses["b"] = {ModelOption("bush_b", 0.0f, 1.0f, false, false)};
            for (const TextureReportRow& row : BuildTextureReport(engine->meshes, {}, ""))
                engine->mapClasses["demo"].push_back(TextureOption(row.texture, false, 1.0f, {"a", "b"}));
        }
        RunRequest request = DemoRequest(map, dir.File("out.map"));
        CountingProgress realProgress, dryProgress;
        const RunResult written = RunFoliage(real, realProgress, request);
        EXPECT_TRUE(written.ok) << written.message << written.detail;
        request.dryRun = true;
        request.outputText.clear();
        const RunResult counted = RunFoliage(dry, dryProgress, request);
        EXPECT_TRUE(counted.ok) << counted.message;
        if (!written.ok || !counted.ok) continue;

        const DryRunStatistics& stats = counted.statistics;
        const std::string output = ReadFileBytes(written.outputPath);
        EXPECT_EQ(stats.outputSize, output.size());
        EXPECT_GT(stats.modelsPlaced, 0u);
        EXPECT_EQ(stats.modelsPlaced, static_cast<std::uint64_t>(realProgress.modelsPlaced));
        EXPECT_EQ(stats.meshesProcessed, static_cast<std::uint64_t>(realProgress.meshesProcessed));
        EXPECT_EQ(stats.modelsPerModel, ModelsInOutput(output, FileSize(map)));
        EXPECT_EQ(dryProgress.modelsPlaced, realProgress.modelsPlaced);
        EXPECT_EQ(dryProgress.meshesProcessed, realProgress.meshesProcessed);
        std::uint64_t perTexture = 0;
        for (const auto& entry : stats.modelsPerTexture) perTexture += entry.second;
        EXPECT_EQ(perTexture, stats.modelsPlaced);
        EXPECT_EQ(dry.random.State(), real.random.State());
        EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"out.map"});  // no temporary left
    }
}

TEST(DryRun, PerTextureCountsFollowTheMeshes) {
    FoliageEngine engine;
    engine.meshes = {Grid("grass", 3, 3, 64.0f), Grid("dirt", 2, 2, 64.0f), Grid("rock", 2, 2, 64.0f)};
    engine.mapSize = 0;
    engine.modelClasses["m"] = {ModelOption("tuft", 1.0f, 1.0f, true, false)};
    engine.mapClasses["c"] = {TextureOption("grass", false, 1.0f, {"m"}),
                              TextureOption("dirt", false, 1.0f, {"m", "m"})};
    NullProgress progress;
    const DryRunStatistics stats = DryRun(engine, progress, "c");
    // Six candidates per 64x64 cell at density 1, all kept when min == max.
    EXPECT_EQ(stats.modelsPerTexture.at("grass"), 24u);
    EXPECT_EQ(stats.modelsPerTexture.at("dirt"), 12u);  // the class is named twice
    EXPECT_EQ(stats.modelsPerTexture.count("rock"), 0u);
    EXPECT_EQ(stats.modelsPerModel.at("tuft"), 36u);
    EXPECT_EQ(stats.meshesProcessed, 3u);
}
