#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/store_loader.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "preview/preview_runner.h"
#include "preview/top_down_picture.h"
#include "tests/test_support.h"

namespace {

const std::string kSource = ARBREL_SOURCE_DIR;
const std::string kDemoMap = kSource + "/samples/install/map_source/mp_demo.map";

// Collects what the runner delivers and waits for the newest request's outcome.
struct Delivered {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<PreviewOutcome> outcomes;

    void Add(PreviewOutcome outcome) {
        std::lock_guard<std::mutex> lock(mutex);
        outcomes.push_back(std::move(outcome));
        arrived.notify_all();
    }
    bool WaitFor(std::uint64_t id) {
        std::unique_lock<std::mutex> lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(60),
                                [&] { return !outcomes.empty() && outcomes.back().id == id; });
    }
};

PreviewRequest DemoPreview(const FoliageEngine& engine, const std::string& mapClass = "demo") {
    PreviewRequest request;
    request.run = DemoRequest(kDemoMap, "");
    request.run.mapClassName = mapClass;
    request.seed = engine.random.State();
    request.mapClasses = engine.mapClasses;
    request.modelClasses = engine.modelClasses;
    return request;
}

}  // namespace

// The preview shows what the next run places: its marks are the dry run's
// placements from the same generator state, and the engine's own sequence
// is untouched, so Run writes the same bytes with or without a preview.
TEST(PreviewRunner, ShowsTheNextRunAndNeverChangesWhatRunWrites) {
    TempDir dir;
    FoliageEngine engine;
    LoadConfigurationStore(engine, kSource + "/samples/data", true);
    FoliageEngine twin;
    LoadConfigurationStore(twin, kSource + "/samples/data", true);
    NullProgress progress;
    // Both engines have made one run, so the sequence is not at its start.
    ASSERT_TRUE(RunFoliage(engine, progress, DemoRequest(kDemoMap, dir.File("first.map"))).ok);
    ASSERT_TRUE(RunFoliage(twin, progress, DemoRequest(kDemoMap, dir.File("first_twin.map"))).ok);

    Delivered delivered;
    PreviewRunner runner([&](PreviewOutcome outcome) { delivered.Add(std::move(outcome)); });
    const std::uint64_t id = runner.Request(DemoPreview(engine));
    ASSERT_TRUE(delivered.WaitFor(id));
    const PreviewOutcome& outcome = delivered.outcomes.back();
    ASSERT_TRUE(outcome.ok) << outcome.message;
    ASSERT_TRUE(outcome.scene);

    // The dry run of the twin from the same state gives the same placements.
    struct Positions : PlacementSink {
        std::vector<float> xy;
        void Place(const ModelPlacement& p) override {
            xy.push_back(p.x);
            xy.push_back(p.y);
        }
    } expected;
    FoliageEngine probe;
    LoadConfigurationStore(probe, kSource + "/samples/data", true);
    ASSERT_TRUE(ReadRequestedMap(probe, progress, DemoRequest(kDemoMap, "")).ok);
    probe.random = engine.random;
    DryRun(probe, progress, "demo", &expected);
    std::vector<float> shown;
    for (const PreviewMark& mark : outcome.scene->marks) {
        shown.push_back(mark.x);
        shown.push_back(mark.y);
    }
    EXPECT_EQ(shown, expected.xy);
    EXPECT_EQ(outcome.scene->budget.placed, outcome.scene->marks.size());
    EXPECT_GT(outcome.scene->marks.size(), 100u);

    ASSERT_TRUE(RunFoliage(engine, progress, DemoRequest(kDemoMap, dir.File("second.map"))).ok);
    ASSERT_TRUE(RunFoliage(twin, progress, DemoRequest(kDemoMap, dir.File("second_twin.map"))).ok);
    EXPECT_EQ(ReadFileBytes(dir.File("second.map")), ReadFileBytes(dir.File("second_twin.map")));
}

// Requests that come faster than the dry runs end: the newest one is always
// delivered, an older one never after a newer one, and an unreadable map says why.
TEST(PreviewRunner, TheLastRequestWins) {
    FoliageEngine engine;
    LoadConfigurationStore(engine, kSource + "/samples/data", true);
    Delivered delivered;
    PreviewRunner runner([&](PreviewOutcome outcome) { delivered.Add(std::move(outcome)); });
    std::uint64_t last = 0;
    for (int i = 0; i < 20; ++i) {
        PreviewRequest request = DemoPreview(engine);
        request.seed = static_cast<std::uint32_t>(i);
        last = runner.Request(std::move(request));
    }
    ASSERT_TRUE(delivered.WaitFor(last));
    EXPECT_FALSE(runner.Busy());
    {
        std::lock_guard<std::mutex> lock(delivered.mutex);
        for (std::size_t i = 1; i < delivered.outcomes.size(); ++i)
            EXPECT_LT(delivered.outcomes[i - 1].id, delivered.outcomes[i].id);
        EXPECT_LT(delivered.outcomes.size(), 20u);  // most were stopped or skipped
    }

    PreviewRequest missing = DemoPreview(engine);
    missing.run.inputText = kSource + "/no such map.map";
    const std::uint64_t failed = runner.Request(std::move(missing));
    ASSERT_TRUE(delivered.WaitFor(failed));
    std::lock_guard<std::mutex> lock(delivered.mutex);
    EXPECT_FALSE(delivered.outcomes.back().ok);
    EXPECT_NE(delivered.outcomes.back().message.find("not a file"), std::string::npos);
}

// A real map with its own texture names and no class for them: the terrain
// is shown (every mesh, in texture colours) and nothing is placed.
TEST(PreviewRunner, ShowsTheTerrainOfARealMap) {
    Delivered delivered;
    PreviewRunner runner([&](PreviewOutcome outcome) { delivered.Add(std::move(outcome)); });
    PreviewRequest request;
    request.run = DemoRequest(TestDataPath("cod4_frazzie_mp_dr_frzl.map"), "");
    request.run.mapClassName = "none";
    const std::uint64_t id = runner.Request(std::move(request));
    ASSERT_TRUE(delivered.WaitFor(id));
    const PreviewOutcome& outcome = delivered.outcomes.back();
    ASSERT_TRUE(outcome.ok) << outcome.message;
    ASSERT_TRUE(outcome.scene && outcome.scene->terrain);
    EXPECT_GT(outcome.scene->terrain->size(), 0u);
    EXPECT_TRUE(outcome.scene->marks.empty());
    const RgbImage picture = PreviewPicture(*outcome.scene, 256);
    std::size_t ground = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < 256 && x < picture.width; ++x) ground += picture.At(x, y) != kPreviewBackground;
    EXPECT_GT(ground, 1000u);
}
