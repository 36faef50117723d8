// The live preview window on the demo map: it shows the next run's
// placement without writing, follows a class edit without a run, and leaves
// what Run writes as it was.

#include <gtest/gtest.h>

#include <wx/stopwatch.h>

#include "app/preview_frame.h"
#include "config/store_loader.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "preview/map_colours.h"
#include "tests/gui/window_fixture.h"

namespace {

PreviewFrame* OpenPreview(ArbrelFrame* frame) {
    Click(frame->previewButton);
    PumpEvents(10);
    return dynamic_cast<PreviewFrame*>(wxWindow::FindWindowByName("PreviewFrame", frame));
}

// Waits (at most 20 s) until the newest request's picture is shown.
bool WaitForPicture(PreviewFrame* preview) {
    wxStopWatch clock;
    while (clock.Time() < 20000) {
        PumpEvents(20);
        if (preview->ShownRequest() == preview->LatestRequest() && preview->Scene()) return true;
    }
    return false;
}

}  // namespace

TEST(PreviewWindow, ShowsTheNextRunFollowsEditsAndChangesNothingRunWrites) {
    WindowFixture window;
    window.Open();
    ArbrelFrame* frame = window.frame;
    window.PrepareDemoRun("with_preview.map");
    PreviewFrame* preview = OpenPreview(frame);
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(WaitForPicture(preview));
    EXPECT_EQ(OpenPreview(frame), preview);  // a second click raises the same window

    // The marks are the dry run's placements from the generator's state.
    FoliageEngine probe;
    LoadConfigurationStore(probe, window.dir.File("data"), true);
    NullProgress quiet;
    ASSERT_TRUE(ReadRequestedMap(probe, quiet, DemoRequest(kSampleMap, "")).ok);
    struct Positions : PlacementSink {
        std::vector<std::pair<float, float>> xy;
        void Place(const ModelPlacement& p) override { xy.emplace_back(p.x, p.y); }
    } expected;
    DryRun(probe, quiet, "demo", &expected);
    const PreviewScene& scene = *preview->Scene();
    ASSERT_EQ(scene.marks.size(), expected.xy.size());
    for (std::size_t i = 0; i < expected.xy.size(); i += 97) {
        SCOPED_TRACE(i);
        EXPECT_EQ(scene.marks[i].x, expected.xy[i].first);
        EXPECT_EQ(scene.marks[i].y, expected.xy[i].second);
    }
    // ...and drawn where they are: the last one is on top of everything.
    preview->topDown->UpdatePicture();
    const PreviewMark& last = scene.marks.back();
    double px, py;
    preview->topDown->View().ToPixel(last.x, last.y, px, py);
    EXPECT_EQ(preview->topDown->Picture().At(static_cast<int>(px), static_cast<int>(py)), ModelColour(last.model));
    SaveScreenshot(preview, "preview_from_above");

    // A class edit (here the first model of the demo's grass class, made
    // sparse) redraws without a run.
    const std::size_t before = scene.marks.size();
    const std::uint64_t dryRuns = preview->DryRunsStarted();
    ModelOption& edited = frame->engine.modelClasses["grass"].at(0);
    edited.densityMax = edited.densityMax / 4;
    edited.densityMin = edited.densityMin / 4;
    preview->CheckForChanges();
    EXPECT_EQ(preview->DryRunsStarted(), dryRuns + 1);
    ASSERT_TRUE(WaitForPicture(preview));
    EXPECT_LT(preview->Scene()->marks.size(), before);
    EXPECT_EQ(frame->modelsPlacedCount->GetLabel(), "0");  // no run
    preview->CheckForChanges();
    EXPECT_EQ(preview->DryRunsStarted(), dryRuns + 1);  // nothing changed: no new dry run

    // Run afterwards writes what a run without any preview writes.
    window.Run();
    PumpEvents(20);
    FoliageEngine twin;
    LoadConfigurationStore(twin, window.dir.File("data"), true);
    twin.modelClasses["grass"].at(0) = edited;
    ASSERT_TRUE(RunFoliage(twin, quiet, DemoRequest(kSampleMap, window.dir.File("without_preview.map"))).ok);
    EXPECT_EQ(ReadFileBytes(window.dir.File("with_preview.map")), ReadFileBytes(window.dir.File("without_preview.map")));

    // Closing remembers the size; the next preview opens with it.
    preview->SetSize(700, 480);
    preview->Close();
    PumpEvents(20);
    EXPECT_TRUE(FileExists(window.dir.File("data/preview_window.txt")));
    PreviewFrame* again = OpenPreview(frame);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetSize(), wxSize(700, 480));
    again->Close();
    PumpEvents(20);
}
