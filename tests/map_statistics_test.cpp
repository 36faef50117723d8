#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/configuration_store.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "tests/test_support.h"

namespace {

MeshVertex V(float x, float y, float z = 0.0f) { return MeshVertex{x, y, z, 255.0f}; }

TerrainMesh Mesh(const std::string& texture, int rows, int columns, std::vector<MeshVertex> v) {
    TerrainMesh mesh;
    mesh.texture = texture;
    mesh.rows = rows;
    mesh.columns = columns;
    mesh.vertices = std::move(v);
    return mesh;
}

// A flat grid of rows x columns vertices, `step` units apart.
TerrainMesh Grid(const std::string& texture, int rows, int columns, float step) {
    std::vector<MeshVertex> v;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) v.push_back(V(c * step, r * step));
    return Mesh(texture, rows, columns, v);
}

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
        Mesh("rock", 3, 3, {V(0, 0), V(1, 0), V(2, 0), V(0, 1)}),  // short list: no complete cell
        Mesh("sand", 1, 5, {V(0, 0), V(1, 0), V(2, 0), V(3, 0), V(4, 0)}),  // one row: no cell
    };
    MapClassTable mapClasses;
    mapClasses["demo"] = {TextureOption("grass"), TextureOption("ROCK")};

    struct Row { std::string texture; std::uint64_t meshes, cells; double area; bool rule; };
    const Row expected[] = {  // byte-wise order: capitals first
        {"Dirt", 1, 2, 0.5, false}, {"grass", 2, 5, 8.0, true}, {"rock", 1, 0, 0.0, false},
        {"sand", 1, 0, 0.0, false},
    };
    const std::vector<TextureReportRow> report = BuildTextureReport(meshes, mapClasses, "demo");
    ASSERT_EQ(report.size(), std::size(expected));
    for (std::size_t i = 0; i < report.size(); ++i) {
        SCOPED_TRACE(expected[i].texture);
        EXPECT_EQ(report[i].texture, expected[i].texture);
        EXPECT_EQ(report[i].meshes, expected[i].meshes);
        EXPECT_EQ(report[i].cells, expected[i].cells);
        EXPECT_DOUBLE_EQ(report[i].area, expected[i].area);
        EXPECT_EQ(report[i].hasRule, expected[i].rule);
    }

    // Unknown and empty class names give no rules and insert nothing.
    for (const std::string name : {"", "nosuchclass"}) {
        for (const TextureReportRow& row : BuildTextureReport(meshes, mapClasses, name))
            EXPECT_FALSE(row.hasRule);
    }
    EXPECT_EQ(mapClasses.size(), 1u);
}

TEST(TextureReport, SlopedAndDegenerateCells) {
    // A cell tilted to 45 degrees: 64 across, 64*sqrt(2) along the slope.
    const TerrainMesh slope = Mesh("slope", 2, 2, {V(0, 0, 0), V(64, 0, 0), V(0, 64, 64), V(64, 64, 64)});
    // Collinear and non-finite corners add no area.
    const TerrainMesh line = Mesh("line", 2, 2, {V(0, 0), V(1, 0), V(2, 0), V(3, 0)});
    const TerrainMesh half = Mesh("nan", 2, 2, {V(0, 0), V(64, 0), V(0, 64), V(NAN, 64)});
    const std::vector<TextureReportRow> report = BuildTextureReport({slope, line, half}, {}, "");
    ASSERT_EQ(report.size(), 3u);
    EXPECT_DOUBLE_EQ(report[0].area, 0.0);  // line
    EXPECT_EQ(report[0].cells, 1u);
    EXPECT_DOUBLE_EQ(report[1].area, 0.5);   // nan: only the finite triangle counts
    EXPECT_NEAR(report[2].area, std::sqrt(2.0), 1e-9);
}

// The dry run walks the same placement as a real run from the same generator
// state, so every count and the output size must match the written file.
TEST(DryRun, CountsEqualARealRun) {
    struct Case { std::string map; bool sampleClasses; };
    const Case cases[] = {
        {std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map", true},
        {TestDataPath("cod4_frazzie_mp_dr_frzl_early.map"), false},
        {TestDataPath("cod4_frazzie_mp_dr_frzl.map"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map);
        TempDir dir;
        FoliageEngine dry, real;
        for (FoliageEngine* engine : {&dry, &real}) {
            if (c.sampleClasses) {
                LoadConfigurationStore(*engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", true);
                continue;
            }
            // Every texture of the map gets two model classes, one aligned.
            NullProgress quiet;
            ASSERT_TRUE(engine->ReadMap(quiet, c.map, FileSize(c.map)));
            engine->modelClasses["a"] = {ModelOption("tree_a", 0.2f, 0.5f)};
            engine->modelClasses["b"] = {ModelOption("bush_b", 0.0f, 1.0f, false, false)};
            for (const TextureReportRow& row : BuildTextureReport(engine->meshes, {}, ""))
                engine->mapClasses["demo"].push_back(TextureOption(row.texture, false, 1.0f, {"a", "b"}));
        }
        RunRequest request;
        request.inputText = c.map;
        request.outputText = dir.File("out.map");
        request.mapClassChosen = true;
        request.mapClassName = "demo";
        CountingProgress realProgress, dryProgress;
        const RunResult written = RunFoliage(real, realProgress, request);
        ASSERT_TRUE(written.ok) << written.message << written.detail;
        request.dryRun = true;
        request.outputText.clear();
        const RunResult counted = RunFoliage(dry, dryProgress, request);
        ASSERT_TRUE(counted.ok) << counted.message;

        const DryRunStatistics& stats = counted.statistics;
        const std::string output = ReadFileBytes(written.outputPath);
        EXPECT_EQ(stats.outputSize, output.size());
        EXPECT_EQ(stats.modelsPlaced, static_cast<std::uint64_t>(realProgress.modelsPlaced));
        EXPECT_GT(stats.modelsPlaced, 0u);
        EXPECT_EQ(stats.meshesProcessed, static_cast<std::uint64_t>(realProgress.meshesProcessed));
        EXPECT_EQ(stats.modelsPerModel, ModelsInOutput(output, FileSize(c.map)));
        EXPECT_EQ(dryProgress.modelsPlaced, realProgress.modelsPlaced);
        EXPECT_EQ(dryProgress.meshesProcessed, realProgress.meshesProcessed);
        std::uint64_t perTexture = 0;
        for (const auto& entry : stats.modelsPerTexture) {
            EXPECT_GT(entry.second, 0u) << entry.first;
            perTexture += entry.second;
        }
        EXPECT_EQ(perTexture, stats.modelsPlaced);
        EXPECT_EQ(dry.random.State(), real.random.State());
        EXPECT_FALSE(FileExists(dir.File("out.map.tmp")));
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

// A seed of 1 is the generator's own start, so the output is byte for byte
// the default one; another seed gives another placement of the same input.
TEST(RunSeed, OneReproducesTheDefaultAndOthersDiffer) {
    TempDir dir;
    const std::string input = std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map";
    auto run = [&](std::optional<std::uint32_t> seed, const std::string& name) {
        FoliageEngine engine;
        LoadConfigurationStore(engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", true);
        RunRequest request;
        request.inputText = input;
        request.outputText = dir.File(name);
        request.mapClassChosen = true;
        request.mapClassName = "demo";
        request.seed = seed;
        NullProgress progress;
        EXPECT_TRUE(RunFoliage(engine, progress, request).ok);
        return ReadFileBytes(dir.File(name));
    };
    const std::string plain = run(std::nullopt, "plain.map");
    EXPECT_EQ(run(1u, "one.map"), plain);
    const std::string two = run(2u, "two.map");
    const std::string big = run(4294967295u, "big.map");
    EXPECT_NE(two, plain);
    EXPECT_NE(big, plain);
    EXPECT_NE(big, two);
    EXPECT_EQ(two, run(2u, "two_again.map"));
}

TEST(RunSeed, SeedRestartsAnEngineThatHasAlreadyRun) {
    // Without a seed a second run continues the sequence; with seed 1 it repeats the first.
    TempDir dir;
    FoliageEngine engine;
    LoadConfigurationStore(engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", true);
    RunRequest request;
    request.inputText = std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map";
    request.mapClassChosen = true;
    request.mapClassName = "demo";
    NullProgress progress;
    for (const char* name : {"1.map", "2.map"}) {
        request.outputText = dir.File(name);
        ASSERT_TRUE(RunFoliage(engine, progress, request).ok);
    }
    request.seed = 1u;
    request.outputText = dir.File("3.map");
    ASSERT_TRUE(RunFoliage(engine, progress, request).ok);
    EXPECT_NE(ReadFileBytes(dir.File("2.map")), ReadFileBytes(dir.File("1.map")));
    EXPECT_EQ(ReadFileBytes(dir.File("3.map")), ReadFileBytes(dir.File("1.map")));
}

TEST(DryRunPipeline, NeedsNoOutputAndWritesNothing) {
    TempDir dir;
    FoliageEngine engine;
    LoadConfigurationStore(engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", true);
    RunRequest request;
    request.inputText = "mp_demo";
    request.installDir = std::string(ARBREL_SOURCE_DIR) + "/samples/install";
    request.mapClassName = "demo";
    request.dryRun = true;
    NullProgress progress;
    RunResult result = RunFoliage(engine, progress, request);
    EXPECT_EQ(result.message, "Map configuration not set.");
    request.mapClassChosen = true;
    result = RunFoliage(engine, progress, request);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.statistics.meshesProcessed, 4u);
    EXPECT_EQ(result.outputPath, "");

    WriteFileBytes(dir.File("flat.map"), "iwmap 4\n{\n}\n");
    request.inputText = dir.File("flat.map");
    result = RunFoliage(engine, progress, request);
    EXPECT_EQ(result.message,
              "Your map does not have any terrain meshes, which is required to add models to.");
}
