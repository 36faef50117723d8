// A written run on several threads: the same bytes as on one, and a write
// failure or a stop in the middle of the pipeline leaves no file behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bench/large_map.h"
#include "engine/store_loader.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "io/paths.h"
#include "tests/test_support.h"

namespace {

// The demo's model classes, and map class "all" giving them to every
// texture of the map at `input` (opacity ignored), dense enough that even a
// small map fills several chunks.
void EveryTextureGetsTheDemoModels(FoliageEngine& engine, const std::string& input) {
    LoadConfigurationStore(engine, paths::Join(ARBREL_SOURCE_DIR, "samples/data"), /*readOnly=*/true);
    NullProgress quiet;
    RunRequest read;
    read.inputText = input;
    const RunResult readResult = ReadRequestedMap(engine, quiet, read);
    EXPECT_TRUE(readResult.ok) << input << ": " << readResult.message;
    for (const TextureReportRow& row : BuildTextureReport(engine.meshes, engine.mapClasses, ""))
        engine.mapClasses["all"].push_back(TextureOption(row.texture, false, 8, {"grass", "shrubs", "trees", "rocks"}));
}

// Map class "all" with every kind of model option: even or random, aligned
// or not, opacity windows, with and without the texture's opacity filter.
void EveryKindOfOption(FoliageEngine& engine, const std::string&) {
    engine.modelClasses["every"] = {ModelOption("a", 1, 2, true, true, 0, 0, 256, 0.5f, 1.5f),
                                    ModelOption("b", 0.5f, 1, false, true, 2, 140, 255, 1, 1),
                                    ModelOption("c", 0.2f, 0.4f, true, false, -3, 0, 200, 0.8f, 1.2f),
                                    ModelOption("d", 0.1f, 0.3f, false, false, 0, 0, 256, 0.7f, 1)};
    engine.mapClasses["all"] = {TextureOption("bench_grass", true, 1, {"every"}),
                                TextureOption("bench_grass", false, 0.5f, {"every"})};
}

// Stops the run after `models` placements: part way, with chunks in flight.
class StopAfter : public CountingProgress {
public:
    explicit StopAfter(int models) : models_(models) {}
    bool KeepGoing() override { return modelsPlaced < models_; }

private:
    int models_;
};

}  // namespace

TEST(PipelineThreads, TheSameBytesAtOneTwoAndSevenThreads) {
    TempDir dir;
    WriteFileBytes(dir.File("generated.map"), LargeMapText(3, 33));
    struct Case {
        std::string what, input;
        std::function<void(FoliageEngine&, const std::string&)> configure;
        bool mark;
    } cases[] = {
        {"demo", paths::Join(ARBREL_SOURCE_DIR, "samples/install/map_source/mp_demo.map"),
         EveryTextureGetsTheDemoModels, false},
        {"frzl", TestDataPath("cod4_frazzie_mp_dr_frzl.map"), EveryTextureGetsTheDemoModels, false},
        {"frzl_early", TestDataPath("cod4_frazzie_mp_dr_frzl_early.map"), EveryTextureGetsTheDemoModels, true},
        {"generated, every option", dir.File("generated.map"), EveryKindOfOption, false},
        {"generated, marked", dir.File("generated.map"), EveryKindOfOption, true},
    };
    for (const Case& c : cases) {
        std::string oneThread;
        for (unsigned threads : {1u, 2u, 7u}) {
            SCOPED_TRACE(c.what + ", " + std::to_string(threads) + " threads");
            FoliageEngine engine;
            c.configure(engine, c.input);
            CountingProgress progress;
            RunRequest request;
            request.inputText = c.input;
            request.outputText = dir.File("out.map");
            request.mapClassChosen = true;
            request.mapClassName = "all";
            request.output.mark = c.mark;
            request.output.threads = threads;
            const RunResult result = RunFoliage(engine, progress, request);
            EXPECT_TRUE(result.ok) << result.message << " " << result.detail;
            EXPECT_EQ(static_cast<std::uint64_t>(progress.modelsPlaced), result.budget.placed);
            const std::string bytes = ReadFileBytes(dir.File("out.map"));
            if (threads == 1) {
                oneThread = bytes;
                EXPECT_GT(progress.modelsPlaced, 1000) << "too few models to compare";
            } else {
                EXPECT_TRUE(bytes == oneThread) << "the output differs from one thread's";
            }
        }
    }
}

TEST(PipelineThreads, AStopPartWayAtTwoThreadsLeavesNoFile) {
    TempDir dir;
    WriteFileBytes(dir.File("in.map"), LargeMapText(3, 33));
    for (int models : {1, 5000, 12000}) {
        SCOPED_TRACE("stopped after " + std::to_string(models) + " models");
        FoliageEngine engine;
        EveryKindOfOption(engine, "");
        StopAfter progress(models);
        RunRequest request = DemoRequest(dir.File("in.map"), dir.File("out.map"));
        request.mapClassName = "all";
        request.output.threads = 2;
        const RunResult result = RunFoliage(engine, progress, request);
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(progress.modelsPlaced, models);
        EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"in.map"});
    }
}
