// The real main window on a prepared data directory: what the user sees at
// start, what Run reports, and that its output equals the batch tool's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <filesystem>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"
#include "tests/gui/window_fixture.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

int RunCli(const std::string& output) {
    const std::string command = std::string(ARBREL_BIN_DIR) + "/arbrel-cli --data-dir '" +
                                ARBREL_SOURCE_DIR + "/samples/data' --map-class demo '" +
                                kSampleMap + "' '" + output + "' > '" + output + ".txt' 2>&1";
    return std::system(command.c_str());
}

}  // namespace

TEST(MainWindow, StartsWithItsTabsListsAndEmptyStatus) {
    WindowFixture window;
    window.Open();
    ArbrelFrame* frame = window.frame;
    EXPECT_EQ(frame->GetTitle(), "Arbrel v3.5 - by Quennick");
    ASSERT_EQ(frame->notebook->GetPageCount(), 5u);
    const char* captions[] = {"Maps", "Map classes", "Model classes", "Information", "Tutorial"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(frame->notebook->GetPageText(i), captions[i]);
    EXPECT_EQ(frame->notebook->GetSelection(), 0);

    EXPECT_EQ(frame->installDirChoice->GetStringSelection(), "-- None --");
    EXPECT_EQ(frame->mapsList->GetCount(), 0u);
    EXPECT_EQ(frame->mapClassChoice->GetCount(), 1u);
    EXPECT_EQ(frame->mapClassChoice->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(frame->mapClassesList->GetCount(), 1u);
    EXPECT_EQ(frame->modelClassesList->GetCount(), 4u);
    EXPECT_EQ(frame->modelClassesList->GetString(0), "grass");  // sorted

    for (wxWindow* hidden : {static_cast<wxWindow*>(frame->textureNameLabel),
                             static_cast<wxWindow*>(frame->textureNameField),
                             static_cast<wxWindow*>(frame->modelNameLabel),
                             static_cast<wxWindow*>(frame->modelNameField)})
        EXPECT_FALSE(hidden->IsShown()) << hidden->GetName();
    EXPECT_EQ(frame->meshesReadCount->GetLabel(), "0");
    EXPECT_EQ(frame->meshesProcessedCount->GetLabel(), "0");
    EXPECT_EQ(frame->modelsPlacedCount->GetLabel(), "0");
    EXPECT_EQ(frame->gauge->GetValue(), 0);
    EXPECT_TRUE(frame->informationText->GetValue().Contains("Quennick"));
    EXPECT_TRUE(frame->informationText->GetValue().Contains("MIT"));
    EXPECT_FALSE(frame->tutorialText->IsEditable());
    EXPECT_EQ(frame->FindWindow(ArbrelFrame::ID_BUTTON2), frame->runButton);
    EXPECT_EQ(frame->runButton->GetName(), "ID_BUTTON2");

    const char* shots[] = {"main_maps", "main_map_classes", "main_model_classes",
                           "main_information", "main_tutorial"};
    for (size_t i = 0; i < 5; ++i) {
        frame->notebook->SetSelection(i);
        SaveScreenshot(frame, shots[i]);
    }
}

TEST(MainWindow, ADataDirectoryThatIsAFileIsReportedAndTheWindowStillOpens) {
    WindowFixture window(false);
    WriteFileBytes(window.dir.File("data"), "in the way");
    window.Open();
    wxTEST_DIALOG(window.frame->ReportStartupErrors(),
                  ExpectErrorDialog("Cannot create directory '", true));
    EXPECT_TRUE(window.frame->IsShown());
    EXPECT_EQ(window.frame->mapClassesList->GetCount(), 0u);
}

TEST(MainWindow, EachRunFailureEndsInOneErrorDialog) {
    WindowFixture window;
    window.Open();
    ArbrelFrame* frame = window.frame;
    const std::string output = window.dir.File("out.map");

    frame->inputField->SetValue(FromNarrow(window.dir.path()));  // a directory
    frame->outputField->SetValue(FromNarrow(output));
    wxTEST_DIALOG(window.Run(),
                  ExpectErrorDialog("Path specified for the .map input file is not a file."));

    frame->inputField->SetValue(FromNarrow(kSampleMap));
    wxTEST_DIALOG(window.Run(), ExpectErrorDialog("Map configuration not set."));

    const std::string noMeshes = window.dir.File("empty.map");
    WriteFileBytes(noMeshes, "// entity 0\n{\n\"classname\" \"worldspawn\"\n}\n");
    frame->inputField->SetValue(FromNarrow(noMeshes));
    window.ChooseMapClass("demo");
    wxTEST_DIALOG(window.Run(),
                  ExpectErrorDialog("Your map does not have any terrain meshes, which is "
                                    "required to add models to."));
    EXPECT_EQ(frame->meshesReadCount->GetLabel(), "0");
    EXPECT_FALSE(FileExists(output));

    frame->inputField->SetValue(FromNarrow(kSampleMap));
    frame->outputField->SetValue(FromNarrow(window.dir.path()));  // a directory
    wxTEST_DIALOG(window.Run(),
                  ExpectErrorDialog("An error occured while writing the map file.", true));
    EXPECT_TRUE(frame->IsEnabled());
}

TEST(MainWindow, RunWritesWhatTheBatchToolWritesAndASecondRunContinues) {
    WindowFixture window;
    window.Open();
    ArbrelFrame* frame = window.frame;
    const std::string fromCli = window.dir.File("cli.map");
    ASSERT_EQ(RunCli(fromCli), 0) << ReadFileBytes(fromCli + ".txt");

    const std::string output = window.dir.File("window.map");
    frame->inputField->SetValue(FromNarrow(kSampleMap));
    frame->outputField->SetValue(FromNarrow(output));
    window.ChooseMapClass("demo");
    window.Run();  // a dialog here would fail the toolkit's modal check
    ASSERT_TRUE(FileExists(output));
    EXPECT_TRUE(ReadFileBytes(output) == ReadFileBytes(fromCli));

    const std::string counts = "Meshes read: " + ToNarrow(frame->meshesReadCount->GetLabel()) +
                               "\nMeshes processed: " +
                               ToNarrow(frame->meshesProcessedCount->GetLabel()) +
                               "\nModels placed: " + ToNarrow(frame->modelsPlacedCount->GetLabel()) +
                               "\n";
    EXPECT_NE(ReadFileBytes(fromCli + ".txt").find(counts), std::string::npos) << counts;
    EXPECT_EQ(frame->gauge->GetValue(), frame->gauge->GetRange());
    EXPECT_GT(frame->gauge->GetRange(), 0);
    SaveScreenshot(frame, "main_maps_after_run");

    const std::string meshes = ToNarrow(frame->meshesReadCount->GetLabel());
    const std::string second = window.dir.File("second.map");
    frame->outputField->SetValue(FromNarrow(second));
    window.Run();
    ASSERT_TRUE(FileExists(second));
    EXPECT_FALSE(ReadFileBytes(second) == ReadFileBytes(output));
    EXPECT_EQ(ToNarrow(frame->meshesReadCount->GetLabel()), meshes);
}
