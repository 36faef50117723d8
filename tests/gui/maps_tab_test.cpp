// The installation-directory row and the Maps tab driven as a user would:
// set a directory, pick a map, choose its class, and find all of it again
// after a restart.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/gui/window_fixture.h"

namespace fs = std::filesystem;

namespace {

// An installation whose map_source holds one map, and a file the listing
// leaves out (its rules are the core's). It has no Docs/model_pics, as with
// the mod tools of other games, and is still kept across a restart.
std::string MakeInstallation(const TempDir& dir, const std::string& name = "game") {
    const std::string install = dir.File(name);
    fs::create_directories(install + "/map_source");
    fs::copy_file(kSampleMap, install + "/map_source/mp_a.map");
    WriteFileBytes(install + "/map_source/mp_b.MAP", "");
    return install;
}

void Toggle(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_COMMAND_CHECKBOX_CLICKED, box->GetId());
    event.SetEventObject(box);
    event.SetInt(box->GetValue());
    box->GetEventHandler()->ProcessEvent(event);
}

}  // namespace

TEST(MapsTab, FromInstallationDirectoryToRunAndRememberedAfterRestart) {
    WindowFixture window;
    const std::string install = MakeInstallation(window.dir);
    window.Open();
    ArbrelFrame* frame = window.frame;

    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(install));
    EXPECT_EQ(ToNarrow(frame->installDirChoice->GetStringSelection()), install);
    EXPECT_EQ(Entries(frame->mapsList), std::vector<std::string>{"mp_a"});
    const std::string config = window.dir.File("data/config.csv");
    EXPECT_EQ(ReadFileBytes(config), install + "\r\n");

    PickEntry(frame->mapsList, "mp_a");
    EXPECT_EQ(frame->inputField->GetValue(), "mp_a");
    EXPECT_EQ(frame->outputField->GetValue(), "mp_a_foliage");
    EXPECT_EQ(frame->mapClassChoice->GetSelection(), wxNOT_FOUND);
    ChooseEntry(frame->mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), install + ",mp_a|demo\r\n");
    Toggle(frame->markCheck);
    EXPECT_EQ(ReadFileBytes(config), install + ",mp_a|demo|mark\r\n");

    window.Run();
    EXPECT_TRUE(FileExists(install + "/map_source/mp_a_foliage.map"));
    EXPECT_NE(frame->modelsPlacedCount->GetLabel(), "0");
    EXPECT_EQ(frame->staticModelsCount->GetLabel(),
              frame->modelsPlacedCount->GetLabel() + " of 65536 (5 model names)");
    PumpEvents(200);
    SaveScreenshot(frame, "maps_tab_after_run");

    // Run again on the marked output with Replace (and the first run's
    // seed): the earlier layer goes, the same one comes back.
    frame->seedField->ChangeValue("1");
    frame->inputField->ChangeValue("mp_a_foliage");
    frame->outputField->ChangeValue("mp_a_again");
    Toggle(frame->replaceCheck);
    window.Run();
    EXPECT_EQ(ReadFileBytes(install + "/map_source/mp_a_again.map"),
              ReadFileBytes(install + "/map_source/mp_a_foliage.map"));
    EXPECT_EQ(frame->staticModelsCount->GetLabel(),
              frame->modelsPlacedCount->GetLabel() + " of 65536 (5 model names), " +
                  frame->modelsPlacedCount->GetLabel() + " replaced");
    Toggle(frame->replaceCheck);
    frame->inputField->ChangeValue("mp_a");
    frame->seedField->ChangeValue("");
    fs::remove(install + "/map_source/mp_a_again.map");

    // Touching a control resets the status display.
    ChooseEntry(frame->mapClassChoice, "demo");
    EXPECT_EQ(frame->modelsPlacedCount->GetLabel(), "0");

    window.Reopen();
    frame = window.frame;
    EXPECT_EQ(Entries(frame->installDirChoice), (std::vector<std::string>{"-- None --", install}));
    ChooseEntry(frame->installDirChoice, FromNarrow(install));
    // The listing now also shows the output of the run.
    EXPECT_EQ(Entries(frame->mapsList), (std::vector<std::string>{"mp_a", "mp_a_foliage"}));
    PickEntry(frame->mapsList, "mp_a");
    EXPECT_EQ(frame->mapClassChoice->GetStringSelection(), "demo");
    EXPECT_TRUE(frame->markCheck->GetValue());
    EXPECT_FALSE(frame->replaceCheck->GetValue());

    ChooseEntry(frame->installDirChoice, "-- None --");
    EXPECT_EQ(frame->mapsList->GetCount(), 0u);
    EXPECT_EQ(frame->inputField->GetValue(), "mp_a");
}

// The checks and their messages are the core's; the tab refuses what they
// refuse, and remembers or forgets what they accept.
TEST(MapsTab, DirectoriesAreCheckedAndKnownOnesOnlySelected) {
    WindowFixture window;
    const std::string install = MakeInstallation(window.dir);
    window.Open();
    ArbrelFrame* frame = window.frame;
    const std::string config = window.dir.File("data/config.csv");

    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(window.dir.path()),
                  ExpectErrorDialog("Path specified is not a Call of Duty installation "
                                    "directory. It must contain a 'map_source' directory."));
    // config.csv has no quoting: a comma would split the directory.
    const std::string comma = MakeInstallation(window.dir, "CoD4, GOTY");
    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(comma),
                  ExpectErrorDialog("The directory '" + comma + "' cannot be remembered: config.csv "
                                    "cannot hold a path with a comma or a line break.", true));
    EXPECT_EQ(frame->installDirChoice->GetCount(), 1u);
    EXPECT_FALSE(FileExists(config));

    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(install));
    ChooseEntry(frame->installDirChoice, "-- None --");
    WriteFileBytes(config, "untouched");
    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(install));
    EXPECT_EQ(ReadFileBytes(config), "untouched");  // known: only selected, nothing saved
    EXPECT_EQ(frame->installDirChoice->GetCount(), 2u);
    EXPECT_EQ(frame->mapsList->GetCount(), 1u);

    // A remembered directory that has gone stays listed, lists nothing, and
    // is dropped from config.csv at the next save.
    const std::string second = MakeInstallation(window.dir, "second");
    fs::copy_file(kSampleMap, second + "/map_source/mp_b,c.map");
    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(second));
    fs::remove_all(install);
    wxTEST_DIALOG(ChooseEntry(frame->installDirChoice, FromNarrow(install)),
                  ExpectErrorDialog("Path specified is not a directory."));
    EXPECT_EQ(frame->mapsList->GetCount(), 0u);
    EXPECT_EQ(frame->installDirChoice->GetCount(), 3u);
    ChooseEntry(frame->installDirChoice, FromNarrow(second));
    PickEntry(frame->mapsList, "mp_a");
    ChooseEntry(frame->mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), second + ",mp_a|demo\r\n");

    // Nor can config.csv hold a map name with a comma or a bar.
    PickEntry(frame->mapsList, "mp_b,c");
    wxTEST_DIALOG(ChooseEntry(frame->mapClassChoice, "demo"),
                  ExpectErrorDialog("The map class cannot be remembered for the map 'mp_b,c': "
                                    "config.csv cannot hold a map name with a comma or a vertical bar."));
    EXPECT_EQ(ReadFileBytes(config), second + ",mp_a|demo\r\n");
}

TEST(MapsTab, FilesChosenThroughTheDialogs) {
    WindowFixture window;
    const std::string install = MakeInstallation(window.dir);
    window.Open();
    ArbrelFrame* frame = window.frame;
    wxTEST_DIALOG(Click(frame->setInstallDirButton), ChooseDirectory(install));
    const std::string config = window.dir.File("data/config.csv");

    const std::string text = window.dir.File("test.txt");
    WriteFileBytes(text, "");
    wxTEST_DIALOG(Click(frame->selectInputButton), wxExpectModal<wxFileDialog>(FromNarrow(text)));
    EXPECT_EQ(ToNarrow(frame->openMapDialog->GetDirectory()), install + "/map_source");
    EXPECT_EQ(ToNarrow(frame->inputField->GetValue()), text);
    EXPECT_EQ(ToNarrow(frame->outputField->GetValue()), window.dir.File("test_foliage.txt"));
    // A long path shows its end, and all of it as a tool tip.
    EXPECT_EQ(frame->inputField->GetInsertionPoint(), frame->inputField->GetLastPosition());
    EXPECT_EQ(ToNarrow(frame->outputField->GetToolTipText()), window.dir.File("test_foliage.txt"));

    wxTEST_DIALOG(Click(frame->selectInputButton),
                  wxExpectModal<wxFileDialog>(FromNarrow(window.dir.File("gone.map"))),
                  ExpectErrorDialog("Path specified is not a file."));
    EXPECT_EQ(ToNarrow(frame->inputField->GetValue()), text);

    // A map class chosen for a hand-picked file is not remembered.
    frame->mapsList->SetSelection(0);
    ChooseEntry(frame->mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), install + "\r\n");

    const std::string output = window.dir.File("elsewhere.map");
    wxTEST_DIALOG(Click(frame->selectOutputButton), wxExpectModal<wxFileDialog>(FromNarrow(output)));
    EXPECT_EQ(ToNarrow(frame->outputField->GetValue()), output);
    wxTEST_DIALOG(Click(frame->selectOutputButton),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(ToNarrow(frame->outputField->GetValue()), output);
}
