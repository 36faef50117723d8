// The slope, height, spacing, cluster and clearance rules only remove blocks: the random
// sequence, and so every other block, stays as it is without them. And an
// edge too long to walk refuses the run instead of shifting it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/map_statistics.h"
#include "engine/placement_rules.h"
#include "engine/run_pipeline.h"
#include "tests/test_support.h"

namespace {

class Recorder : public PlacementSink {
public:
    void Place(const ModelPlacement& p) override { placements.push_back(p); }
    std::vector<ModelPlacement> placements;
};

bool Same(const ModelPlacement& a, const ModelPlacement& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.scale == b.scale && a.pitch == b.pitch &&
           a.yaw == b.yaw && a.roll == b.roll && a.modelOption->modelName == b.modelOption->modelName;
}

// A real deathrun map (walls, floors, ramps) with one model on every
// texture, run as a dry run.
struct RealMapRun {
    FoliageEngine engine;
    Recorder recorder;
    DryRunStatistics stats;

    explicit RealMapRun(const ModelOption& option) {
        CountingProgress progress;
        const std::string path = TestDataPath("cod4_frazzie_mp_dr_frzl.map");
        EXPECT_TRUE(engine.ReadMap(progress, path, FileSize(path)));
        engine.modelClasses["m"] = {option};
        for (const TextureReportRow& row : BuildTextureReport(engine.meshes, engine.mapClasses, ""))
            engine.mapClasses["c"].push_back(TextureOption(row.texture, false, 16, {"m"}));
        stats = DryRun(engine, progress, "c", &recorder);
    }
};

}  // namespace

TEST(PlacementRules, RemoveBlocksWithoutMovingAnyOther) {
    const ModelOption plain("foliage_test", 0.5f, 1, false, true, 8);
    const RealMapRun without(plain);
    ASSERT_GT(without.recorder.placements.size(), 1000u);

    std::vector<float> heights;
    for (const ModelPlacement& p : without.recorder.placements) heights.push_back(p.z - 8);
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const float middleZ = heights[heights.size() / 2];
    struct Case {
        const char* what;
        void (*set)(ModelOption&, float middleZ);
        std::uint64_t RuleRejections::*counter;
    };
    const Case cases[] = {
        {"slope 0 to 30", [](ModelOption& m, float) { m.slopeMin = 0; m.slopeMax = 30; }, &RuleRejections::slope},
        {"slope from 45", [](ModelOption& m, float) { m.slopeMin = 45; }, &RuleRejections::slope},
        {"height to the middle", [](ModelOption& m, float z) { m.heightMax = z; }, &RuleRejections::height},
        {"spacing 24", [](ModelOption& m, float) { m.spacingRadius = 24; }, &RuleRejections::spacing},
        {"clusters 128 covering 0.3", [](ModelOption& m, float) { m.clusterSize = 128; m.clusterCover = 0.3f; },
         &RuleRejections::cluster},
        {"clearance 64", [](ModelOption& m, float) { m.clearance = 64; }, &RuleRejections::clearance},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelOption ruled = plain;
        c.set(ruled, middleZ);
        RealMapRun with(ruled);
        EXPECT_EQ(with.engine.random.State(), without.engine.random.State()) << c.what;
        // The texture report counts the same from the same seed, and leaves
        // the engine's sequence where it was, so it never moves the next run.
        FoliageEngine reporter;
        static_cast<Catalogue&>(reporter) = with.engine;
        reporter.random.Seed(99);
        RunRequest request = DemoRequest(TestDataPath("cod4_frazzie_mp_dr_frzl.map"), "");
        request.mapClassName = "c";
        request.seed = 1;
        std::vector<TextureReportRow> rows;
        NullProgress quiet;
        EXPECT_TRUE(ReportTextures(reporter, quiet, request, rows).ok);
        EXPECT_EQ(reporter.random.State(), 99u) << c.what;
        for (const TextureReportRow& row : rows)
            EXPECT_EQ(row.removed.*c.counter, with.stats.rejectionsPerTexture[row.texture].*c.counter) << c.what;
        // The output with the rule is the output without it, minus blocks.
        std::size_t next = 0;
        for (const ModelPlacement& p : with.recorder.placements) {
            while (next < without.recorder.placements.size() && !Same(without.recorder.placements[next], p)) ++next;
            if (next == without.recorder.placements.size()) {
                ADD_FAILURE() << "a block that was not there";
                break;
            }
            ++next;
        }
        std::uint64_t removed = 0;
        for (const auto& entry : with.stats.rejectionsPerTexture) removed += entry.second.*c.counter;
        EXPECT_GT(removed, 0u) << c.what;
        EXPECT_LT(removed, without.recorder.placements.size()) << c.what;
        EXPECT_EQ(with.recorder.placements.size() + removed, without.recorder.placements.size()) << c.what;

        // What is kept obeys the rule.
        for (std::size_t i = 0; i < with.recorder.placements.size(); ++i) {
            const ModelPlacement& p = with.recorder.placements[i];
            if (ruled.heightMax) {
                EXPECT_LE(p.z - 8, *ruled.heightMax) << c.what;
            }
            if (!ruled.spacingRadius) continue;
            for (std::size_t j = 0; j < i; ++j) {
                const ModelPlacement& q = with.recorder.placements[j];
                EXPECT_GE(std::hypot(p.x - q.x, p.y - q.y), *ruled.spacingRadius) << i << " and " << j;
            }
        }
    }
}

TEST(PlacementRules, SlopeWindowOfTiltedCells) {
    // A cell tilted 30 degrees about the Y axis: 64 units across, 36.95 up.
    const float rise = 64.0f * 0.57735026f;
    const TerrainMesh mesh = MakeMesh("grass", 2, 2, {{0, 0, 0, 255}, {0, 64, 0, 255}, {64, 0, rise, 255},
                                                      {64, 64, rise, 255}});
    struct Case { float low, high; bool kept; };
    for (const Case& c : {Case{0, 29.9f, false}, Case{29.9f, 30.1f, true}, Case{30.1f, 90, false},
                          Case{0, 90, true}}) {
        FoliageEngine engine;
        ModelOption option("tree", 1, 1);
        option.slopeMin = c.low;
        option.slopeMax = c.high;
        AddTreesOnGrass(engine, option);
        engine.BeginPlacementRun("demo");
        Recorder sink;
        engine.PlaceOnMesh(mesh, "demo", sink);
        EXPECT_EQ(!sink.placements.empty(), c.kept) << c.low << " to " << c.high;
    }
    for (double degrees = 0; degrees <= 90; degrees += 0.25)
        EXPECT_NEAR(CosineOfDegrees(degrees), std::cos(degrees * 3.141592653589793 / 180), 1e-15) << degrees;
}

// Only the size of a triangle's whole walk refuses a run: a thin triangle
// with one very long edge is placed as any other.
TEST(PlacementRules, OnlyATriangleWalkBeyondTheLimitRefusesTheRun) {
    struct Case {
        const char* what;
        const char* side;  // both corners of the mesh's second row are this far away
        const char* width;
        const char* message;  // empty: the run succeeds
    } cases[] = {
        {"a thin triangle: 93750 and 2 candidates", "3000000", "64", ""},
        {"1250075000 candidates in one triangle", "1600000", "1600000",
         "The texture 'grass' would get 1250075000 candidates on one triangle for the model 'tree', more "
         "than the 1000000000 a run walks (minutes of work). Lower the model's maximum density or the "
         "texture's density multiplier. Nothing was written."},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFileBytes(dir.File("in.map"), std::string("{\n{\nmesh\n{\ngrass\nx\n2 2 16 8\n(\nv 0 0 0 \nv 0 ") +
                                               c.width + " 0 \n)\n(\nv " + c.side + " 0 0 \nv " + c.side + " " +
                                               c.width + " 0 \n)\n}\n}\n}\n");
        for (bool dryRun : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (dryRun ? ", dry run" : ""));
            FoliageEngine engine;
            CountingProgress progress;
            AddTreesOnGrass(engine);
            const std::string output = dir.File(dryRun ? "dry.map" : "out.map");
            RunRequest request = DemoRequest(dir.File("in.map"), output);
            request.dryRun = dryRun;
            const RunResult result = RunFoliage(engine, progress, request);
            EXPECT_EQ(result.ok, *c.message == 0);
            EXPECT_EQ(result.message, c.message);
            EXPECT_EQ(FileExists(output), *c.message == 0 && !dryRun);
            if (*c.message == 0) {
                EXPECT_GT(result.budget.placed, 187000u);
            }
        }
    }
}

// The slope and height windows hold their bounds: a flat cell (0 degrees) at
// height 0 is kept by windows that end there.
TEST(PlacementRules, WindowsIncludeTheirBounds) {
    struct Case {
        const char* what;
        void (*set)(ModelOption&);
    };
    const Case cases[] = {
        {"slope 0 to 0", [](ModelOption& m) { m.slopeMin = 0; m.slopeMax = 0; }},
        {"height 0 to 0", [](ModelOption& m) { m.heightMin = 0; m.heightMax = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelOption option("tree", 8, 8);
        c.set(option);
        FoliageEngine engine;
        AddTreesOnGrass(engine, option);
        engine.BeginPlacementRun("demo");
        Recorder sink;
        engine.PlaceOnMesh(FlatCell(), "demo", sink);
        EXPECT_FALSE(sink.placements.empty());
    }
}

namespace {

// Stops a mesh's walk at its second cell.
class StopAtSecondCell : public Recorder {
public:
    bool Stopped() override { return ++cellsAsked > 1; }
    int cellsAsked = 0;
};

}  // namespace

// A mesh whose walk was stopped adds none of its removed candidates to the
// run's counts; walked to the end, it does.
TEST(PlacementRules, AStoppedMeshCountsNothing) {
    const TerrainMesh twoCells = MakeMesh("grass", 3, 2, {{0, 0, 0, 255}, {0, 64, 0, 255}, {64, 0, 0, 255},
                                                          {64, 64, 0, 255}, {128, 0, 0, 255}, {128, 64, 0, 255}});
    ModelOption option("tree", 8, 8);
    option.heightMax = -1;  // removes every candidate of the flat ground
    for (bool stopped : {false, true}) {
        SCOPED_TRACE(stopped ? "stopped" : "walked to the end");
        FoliageEngine engine;
        AddTreesOnGrass(engine, option);
        engine.BeginPlacementRun("demo");
        Recorder walked;
        StopAtSecondCell stopping;
        engine.PlaceOnMesh(twoCells, "demo", stopped ? static_cast<PlacementSink&>(stopping) : walked);
        EXPECT_EQ(engine.placementRun.rejectionsPerTexture.count("grass"), stopped ? 0u : 1u);
    }
}
