// The Map classes and Model classes tabs driven as a user would: every
// change is on disk at once, byte for byte, and survives a restart.

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/add_configuration.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/remove_configuration.h"
#include "tests/gui/window_fixture.h"

namespace fs = std::filesystem;

namespace {

AnswerDialog<AddConfiguration> NameClass(const char* name) {
    return AnswerDialog<AddConfiguration>([name](AddConfiguration* dialog) {
        dialog->nameField->ChangeValue(name);
        return 1;
    });
}

AnswerDialog<ClassConfigurationLine> TextureOptionFor(const char* texture, const char* modelClass) {
    return AnswerDialog<ClassConfigurationLine>([=](ClassConfigurationLine* dialog) {
        dialog->textureNameField->ChangeValue(texture);
        dialog->Field(&TextureOption::densityMultiplier)->ChangeValue("2");
        const int entry = dialog->modelClassList->FindString(modelClass, true);
        if (entry != wxNOT_FOUND) dialog->modelClassList->SetSelection(entry);
        return 1;
    });
}

AnswerDialog<ConfigurationLine> ModelOptionNamed(const char* model) {
    return AnswerDialog<ConfigurationLine>([model](ConfigurationLine* dialog) {
        dialog->Field(&ModelOption::modelName)->ChangeValue(model);
        dialog->Field(&ModelOption::densityMin)->ChangeValue("1");
        dialog->Field(&ModelOption::densityMax)->ChangeValue("1.5");
        return 1;
    });
}

template <class Dialog>
AnswerDialog<Dialog> Answer(int result) {
    return AnswerDialog<Dialog>([result](Dialog*) { return result; });
}

}  // namespace

// What the tabs add is on disk and in the catalogue a run uses at once.
TEST(ClassTabs, WhatIsAddedIsSavedAtOnceAndNamesAreCheckedPerTab) {
    WindowFixture window(false);
    window.Open();
    const MainWindowControls& ui = window.ui();
    wxTEST_DIALOG(Click(ui.addModelClassButton), NameClass("grass"));
    EXPECT_EQ(ui.modelClassesList->GetStringSelection(), "grass");
    wxTEST_DIALOG(Click(ui.newModelButton), ModelOptionNamed("foliage/grass_a"));
    EXPECT_EQ(ReadFileBytes(window.dir.File("data/models/grass.csv")),
              "foliage/grass_a,1,1.5,1,1,0,0,256,0.5,2\r\n");
    EXPECT_EQ(Entries(ui.modelOptionsList),
              std::vector<std::string>{"foliage/grass_a,1,1.5,1,1,0,0,256,0.5,2"});

    wxTEST_DIALOG(Click(ui.addMapClassButton), NameClass("meadow"));
    EXPECT_EQ(Entries(ui.mapClassChoice), std::vector<std::string>{"meadow"});
    wxTEST_DIALOG(Click(ui.newTextureButton), TextureOptionFor("ground_grass_field", "grass"));
    EXPECT_EQ(ReadFileBytes(window.dir.File("data/maps/meadow.csv")), "ground_grass_field,0,2,grass\r\n");
    EXPECT_EQ(window.engine().mapClasses["meadow"].size(), 1u);

    // The name rules are the core's; each tab checks against its own classes.
    wxTEST_DIALOG(Click(ui.addMapClassButton), NameClass("MEADOW"),
                  ExpectErrorDialog("Name 'MEADOW' already exists."));
    wxTEST_DIALOG(Click(ui.addModelClassButton), NameClass("Grass"),
                  ExpectErrorDialog("Name 'Grass' already exists."));
    wxTEST_DIALOG(Click(ui.addMapClassButton), Answer<AddConfiguration>(0));
    EXPECT_EQ(Entries(ui.mapClassesList), std::vector<std::string>{"meadow"});
}

TEST(ClassTabs, EditMovesAnOptionToTheEndAndRemovingAsksFirst) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    const std::string demo = window.dir.File("data/maps/demo.csv");
    PickEntry(ui.mapClassesList, "demo");
    ASSERT_EQ(ui.textureOptionsList->GetCount(), 3u);

    // Nothing selected: the buttons do nothing and show nothing.
    Click(ui.editTextureButton);
    Click(ui.removeTextureButton);

    ui.textureOptionsList->SetSelection(0);
    const std::string before = ReadFileBytes(demo);
    wxTEST_DIALOG(Click(ui.editTextureButton), Answer<ClassConfigurationLine>(0));
    EXPECT_EQ(ReadFileBytes(demo), before);

    ui.textureOptionsList->SetSelection(0);
    wxTEST_DIALOG(Click(ui.editTextureButton),
                  AnswerDialog<ClassConfigurationLine>([](ClassConfigurationLine* dialog) {
                      // The editor arrives filled with the option.
                      EXPECT_EQ(dialog->textureNameField->GetValue(), "ground_grass_field");
                      wxArrayInt selected;
                      dialog->modelClassList->GetSelections(selected);
                      EXPECT_EQ(selected.size(), 2u);
                      dialog->Check(&TextureOption::useOpacity)->SetValue(true);
                      return 1;
                  }));
    EXPECT_EQ(ReadFileBytes(demo),
              "ground_dirt_blend,1,1,shrubs\r\nrock_cliff_slope,0,1.5,rocks\r\n"
              "ground_grass_field,1,1,grass,trees\r\n");
    EXPECT_EQ(ui.textureOptionsList->GetString(2), "ground_grass_field,1,1,grass,trees");

    ui.textureOptionsList->SetSelection(1);
    wxTEST_DIALOG(Click(ui.removeTextureButton), Answer<RemoveConfigurationLine>(0));
    EXPECT_EQ(ui.textureOptionsList->GetCount(), 3u);
    ui.textureOptionsList->SetSelection(1);
    wxTEST_DIALOG(Click(ui.removeTextureButton), Answer<RemoveConfigurationLine>(1));
    EXPECT_EQ(ReadFileBytes(demo),
              "ground_dirt_blend,1,1,shrubs\r\nground_grass_field,1,1,grass,trees\r\n");

    // Model options the same way; an edit keeps every field it did not change.
    const std::string rocks = window.dir.File("data/models/rocks.csv");
    PickEntry(ui.modelClassesList, "rocks");
    ui.modelOptionsList->SetSelection(0);
    wxTEST_DIALOG(Click(ui.editModelButton),
                  AnswerDialog<ConfigurationLine>([](ConfigurationLine* dialog) {
                      dialog->Field(&ModelOption::zOffset)->ChangeValue("-3");
                      return 1;
                  }));
    EXPECT_EQ(ReadFileBytes(rocks), "rock_pebbles_a,0.5,1,0,1,-3,0,256,0.5,1.5\r\n");
    ui.modelOptionsList->SetSelection(0);
    wxTEST_DIALOG(Click(ui.removeModelButton), Answer<RemoveConfigurationLine>(1));
    EXPECT_EQ(ReadFileBytes(rocks), "");
    EXPECT_EQ(ui.modelOptionsList->GetCount(), 0u);

    // Removed classes are gone from disk, lists and catalogue.
    PickEntry(ui.mapClassesList, "demo");
    wxTEST_DIALOG(Click(ui.removeMapClassButton), Answer<RemoveConfiguration>(0));
    EXPECT_TRUE(FileExists(demo));
    wxTEST_DIALOG(Click(ui.removeMapClassButton), Answer<RemoveConfiguration>(1));
    EXPECT_FALSE(FileExists(demo));
    EXPECT_EQ(Entries(ui.mapClassesList), std::vector<std::string>{"road"});
    EXPECT_EQ(Entries(ui.mapClassChoice), std::vector<std::string>{"road"});
    EXPECT_EQ(ui.textureOptionsList->GetCount(), 0u);
    EXPECT_EQ(window.engine().mapClasses.count("demo"), 0u);
    wxTEST_DIALOG(Click(ui.removeModelClassButton), Answer<RemoveConfiguration>(1));
    EXPECT_FALSE(FileExists(rocks));
    EXPECT_EQ(window.engine().modelClasses.count("rocks"), 0u);
    EXPECT_EQ(ui.modelClassesList->FindString("rocks"), wxNOT_FOUND);
}

#ifndef _WIN32
// Two files whose names differ only in case are two classes here.
TEST(ClassTabs, RemovingAClassKeepsTheOneThatDiffersInCase) {
    WindowFixture window;
    fs::remove(window.dir.File("data/maps/road.csv"));
    WriteFileBytes(window.dir.File("data/maps/Demo.csv"), "");
    window.Open();
    // The later one of the Maps tab's choice, which a match ignoring case would miss.
    const std::vector<std::string> offered = Entries(window.ui().mapClassChoice);
    ASSERT_EQ(offered.size(), 2u);
    PickEntry(window.ui().mapClassesList, offered[1]);
    wxTEST_DIALOG(Click(window.ui().removeMapClassButton), Answer<RemoveConfiguration>(1));
    EXPECT_EQ(Entries(window.ui().mapClassChoice), std::vector<std::string>{offered[0]});
}
#endif

TEST(ClassTabs, AFailedSaveIsReportedAndLosesNothingOnDisk) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    const std::string demo = window.dir.File("data/maps/demo.csv");
    PickEntry(ui.mapClassesList, "demo");
    // The class file's place is taken by a directory: the save cannot land.
    fs::remove(demo);
    fs::create_directories(demo + "/inside");
    const std::string message = "Could not save '" + demo + "'.";
    const std::vector<std::string> shown = Entries(ui.textureOptionsList);
    wxTEST_DIALOG(Click(ui.newTextureButton), TextureOptionFor("sand", "grass"),
                  ExpectErrorDialog(message, true));
    ui.textureOptionsList->SetSelection(0);
    wxTEST_DIALOG(Click(ui.editTextureButton), Answer<ClassConfigurationLine>(1),
                  ExpectErrorDialog(message, true));
    EXPECT_TRUE(fs::is_directory(demo + "/inside"));
    // The change is undone: list and catalogue still agree, so the next
    // action acts on the option the user sees.
    EXPECT_EQ(Entries(ui.textureOptionsList), shown);
    EXPECT_EQ(window.engine().mapClasses["demo"].size(), 3u);
    EXPECT_EQ(window.engine().mapClasses["demo"][0].textureName, "ground_grass_field");

    // A class file that cannot be deleted keeps the class listed.
    wxTEST_DIALOG(Click(ui.removeMapClassButton), Answer<RemoveConfiguration>(1),
                  ExpectErrorDialog("Could not delete 'demo'.", true));
    EXPECT_NE(ui.mapClassesList->FindString("demo", true), wxNOT_FOUND);
}
