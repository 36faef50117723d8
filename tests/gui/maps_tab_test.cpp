// The installation-directory row and the Maps tab driven as a user would:
// set a directory, pick a map, choose its class, and find all of it again
// after a restart.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/gui/window_fixture.h"

namespace fs = std::filesystem;

namespace {

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
    const MainWindowControls& ui = window.ui();

    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(install));
    EXPECT_EQ(ToNarrow(ui.installDirChoice->GetStringSelection()), install);
    EXPECT_EQ(Entries(ui.mapsList), std::vector<std::string>{"mp_a"});
    const std::string config = window.dir.File("data/config.csv");
    EXPECT_EQ(ReadFileBytes(config), install + "\r\n");

    PickEntry(ui.mapsList, "mp_a");
    EXPECT_EQ(ui.inputField->GetValue(), "mp_a");
    EXPECT_EQ(ui.outputField->GetValue(), "mp_a_foliage");
    EXPECT_EQ(ui.mapClassChoice->GetSelection(), wxNOT_FOUND);
    ChooseEntry(ui.mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), install + ",mp_a|demo\r\n");
    Toggle(ui.markCheck);
    EXPECT_EQ(ReadFileBytes(config), install + ",mp_a|demo|mark\r\n");

    window.Run();
    EXPECT_TRUE(FileExists(install + "/map_source/mp_a_foliage.map"));
    // The output is listed at once; the map picked stays picked.
    EXPECT_EQ(Entries(ui.mapsList), (std::vector<std::string>{"mp_a", "mp_a_foliage"}));
    EXPECT_EQ(ui.mapsList->GetStringSelection(), "mp_a");
    EXPECT_NE(ui.modelsPlacedCount->GetLabel(), "0");
    EXPECT_EQ(ui.staticModelsCount->GetLabel(),
              ui.modelsPlacedCount->GetLabel() + " of 65536 (5 model names)");
    PumpEvents(200);
    SaveScreenshot(window.frame, "maps_tab_after_run");

    // Run again on the marked output with Replace (and the first run's
    // seed): the earlier layer goes, the same one comes back.
    ui.seedField->ChangeValue("1");
    ui.inputField->ChangeValue("mp_a_foliage");
    ui.outputField->ChangeValue("mp_a_again");
    const wxString placed = ui.modelsPlacedCount->GetLabel();
    Toggle(ui.replaceCheck);
    window.Run();
    EXPECT_EQ(ReadFileBytes(install + "/map_source/mp_a_again.map"),
              ReadFileBytes(install + "/map_source/mp_a_foliage.map"));
    EXPECT_EQ(ui.modelsPlacedCount->GetLabel(), placed + " (" + placed + " replaced)");
    EXPECT_EQ(ui.staticModelsCount->GetLabel(), placed + " of 65536 (5 model names)");
    SaveScreenshot(window.frame, "maps_tab_after_replace");
    Toggle(ui.replaceCheck);
    ui.inputField->ChangeValue("mp_a");
    ui.seedField->ChangeValue("");
    fs::remove(install + "/map_source/mp_a_again.map");

    // Touching a control resets the status display.
    ChooseEntry(ui.mapClassChoice, "demo");
    EXPECT_EQ(ui.modelsPlacedCount->GetLabel(), "0");
    ChooseEntry(ui.installDirChoice, "-- None --");

    ChooseEntry(ui.installDirChoice, FromNarrow(install));
    ui.seedField->SetValue("77");  // typed
    window.Reopen();
    EXPECT_EQ(Entries(ui.installDirChoice), (std::vector<std::string>{"-- None --", install}));
    // The last installation and the Seed come back, outside config.csv.
    EXPECT_EQ(ToNarrow(ui.installDirChoice->GetStringSelection()), install);
    EXPECT_EQ(ui.seedField->GetValue(), "77");
    EXPECT_EQ(ReadFileBytes(config), install + ",mp_a|demo|mark\r\n");
    ChooseEntry(ui.installDirChoice, FromNarrow(install));
    EXPECT_EQ(Entries(ui.mapsList), (std::vector<std::string>{"mp_a", "mp_a_foliage"}));
    PickEntry(ui.mapsList, "mp_a");
    EXPECT_EQ(ui.mapClassChoice->GetStringSelection(), "demo");
    EXPECT_TRUE(ui.markCheck->GetValue());
    EXPECT_FALSE(ui.replaceCheck->GetValue());

    ChooseEntry(ui.installDirChoice, "-- None --");
    EXPECT_EQ(ui.mapsList->GetCount(), 0u);
    EXPECT_EQ(ui.inputField->GetValue(), "mp_a");
}

// The checks and their messages are the core's; the tab refuses what they
// refuse, and remembers or forgets what they accept.
TEST(MapsTab, DirectoriesAreCheckedAndKnownOnesOnlySelected) {
    WindowFixture window;
    const std::string install = MakeInstallation(window.dir);
    window.Open();
    const MainWindowControls& ui = window.ui();
    const std::string config = window.dir.File("data/config.csv");

    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(window.dir.path()),
                  ExpectErrorDialog("Path specified is not a Call of Duty installation "
                                    "directory. It must contain a 'map_source' directory."));
    // config.csv has no quoting: a comma would split the directory.
    const std::string comma = MakeInstallation(window.dir, "CoD4, GOTY");
    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(comma),
                  ExpectErrorDialog("The directory '" + comma + "' cannot be remembered: config.csv "
                                    "cannot hold a path with a comma or a line break.", true));
    EXPECT_EQ(ui.installDirChoice->GetCount(), 1u);
    EXPECT_FALSE(FileExists(config));

    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(install));
    ChooseEntry(ui.installDirChoice, "-- None --");
    const std::string written = ReadFileBytes(config);
    WriteFileBytes(config, "untouched");
    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(install));
    EXPECT_EQ(ReadFileBytes(config), "untouched");  // known: only selected, nothing saved
    WriteFileBytes(config, written);  // as the window wrote it, so it may save again
    EXPECT_EQ(ui.installDirChoice->GetCount(), 2u);
    EXPECT_EQ(ui.mapsList->GetCount(), 1u);

    // A remembered directory that has gone stays listed, lists nothing, and
    // is dropped from config.csv at the next save.
    const std::string second = MakeInstallation(window.dir, "second");
    fs::copy_file(kSampleMap, second + "/map_source/mp_b,c.map");
    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(second));
    fs::remove_all(install);
    wxTEST_DIALOG(ChooseEntry(ui.installDirChoice, FromNarrow(install)),
                  ExpectErrorDialog("Path specified is not a directory."));
    EXPECT_EQ(ui.mapsList->GetCount(), 0u);
    EXPECT_EQ(ui.installDirChoice->GetCount(), 3u);
    ChooseEntry(ui.installDirChoice, FromNarrow(second));
    PickEntry(ui.mapsList, "mp_a");
    ChooseEntry(ui.mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), second + ",mp_a|demo\r\n");

    // Nor can config.csv hold a map name with a comma or a bar.
    PickEntry(ui.mapsList, "mp_b,c");
    wxTEST_DIALOG(ChooseEntry(ui.mapClassChoice, "demo"),
                  ExpectErrorDialog("The map class cannot be remembered for the map 'mp_b,c': "
                                    "config.csv cannot hold a map name with a comma or a vertical bar."));
    EXPECT_EQ(ReadFileBytes(config), second + ",mp_a|demo\r\n");
}

TEST(MapsTab, FilesChosenThroughTheDialogs) {
    WindowFixture window;
    const std::string install = MakeInstallation(window.dir);
    window.Open();
    const MainWindowControls& ui = window.ui();
    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(install));
    const std::string config = window.dir.File("data/config.csv");

    const std::string text = window.dir.File("test.txt");
    WriteFileBytes(text, "");
    wxTEST_DIALOG(Click(ui.selectInputButton), wxExpectModal<wxFileDialog>(FromNarrow(text)));
    EXPECT_EQ(ToNarrow(ArbrelFrameTestAccess::OpenMapDialog(window.frame)->GetDirectory()), install + "/map_source");
    EXPECT_EQ(ToNarrow(ui.inputField->GetValue()), text);
    EXPECT_EQ(ToNarrow(ui.outputField->GetValue()), window.dir.File("test_foliage.txt"));
    // A long path shows its end, and all of it as a tool tip.
    EXPECT_EQ(ui.inputField->GetInsertionPoint(), ui.inputField->GetLastPosition());
    EXPECT_EQ(ToNarrow(ui.outputField->GetToolTipText()), window.dir.File("test_foliage.txt"));

    wxTEST_DIALOG(Click(ui.selectInputButton),
                  wxExpectModal<wxFileDialog>(FromNarrow(window.dir.File("gone.map"))),
                  ExpectErrorDialog("Path specified is not a file."));
    EXPECT_EQ(ToNarrow(ui.inputField->GetValue()), text);

    // A map class chosen for a hand-picked file is not remembered.
    ui.mapsList->SetSelection(0);
    ChooseEntry(ui.mapClassChoice, "demo");
    EXPECT_EQ(ReadFileBytes(config), install + "\r\n");

    // A name typed without ".map" gets it, and only once.
    wxTEST_DIALOG(Click(ui.selectOutputButton),
                  wxExpectModal<wxFileDialog>(FromNarrow(window.dir.File("mp_x"))));
    EXPECT_EQ(ToNarrow(ui.outputField->GetValue()), window.dir.File("mp_x.map"));
    const std::string output = window.dir.File("elsewhere.map");
    wxTEST_DIALOG(Click(ui.selectOutputButton), wxExpectModal<wxFileDialog>(FromNarrow(output)));
    EXPECT_EQ(ToNarrow(ui.outputField->GetValue()), output);
    wxTEST_DIALOG(Click(ui.selectOutputButton),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(ToNarrow(ui.outputField->GetValue()), output);
}
