// What the Maps tab tells about a map beyond a run: its textures (and a
// texture option started from one) and another variation by seed.

#include <gtest/gtest.h>

#include "dialogs/class_configuration_line.h"
#include "dialogs/texture_report_dialog.h"
#include "tests/gui/window_fixture.h"

TEST(MapInsight, TexturesInMapStartAnOptionWithTheExactName) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    ui.inputField->SetValue(FromNarrow(kSampleMap));
    ui.seedField->SetValue("not a seed");  // reading does not use it

    // Without a map class the report still lists the textures.
    wxTEST_DIALOG(Click(ui.texturesButton),
                  AnswerDialog<TextureReportDialog>([](TextureReportDialog* report) {
                      EXPECT_EQ(report->table->GetItemCount(), 4);
                      EXPECT_EQ(report->table->GetItemText(3, 4), "no");
                      return wxID_ADD;
                  }),
                  ExpectErrorDialog("Choose a map class on the Maps tab first", true));

    window.ChooseMapClass("demo");
    const std::string demo = window.dir.File("data/maps/demo.csv");
    const std::string before = ReadFileBytes(demo);
    wxTEST_DIALOG(Click(ui.texturesButton),
                  AnswerDialog<TextureReportDialog>([](TextureReportDialog* report) {
                      const long carpet = report->table->FindItem(-1, "me_office_carpet01");
                      EXPECT_EQ(report->table->GetItemText(carpet, 1), "1");
                      EXPECT_EQ(report->table->GetItemText(carpet, 4), "no");
                      EXPECT_EQ(report->table->GetItemText(1, 4), "yes");
                      report->table->SetItemState(carpet, wxLIST_STATE_SELECTED,
                                                  wxLIST_STATE_SELECTED);
                      SaveScreenshot(report, "dialog_textures_in_map");
                      report->Hide();
                      return wxID_ADD;
                  }),
                  AnswerDialog<ClassConfigurationLine>([](ClassConfigurationLine* editor) {
                      EXPECT_EQ(editor->textureNameField->GetValue(), "me_office_carpet01");
                      editor->modelClassList->SetSelection(
                          editor->modelClassList->FindString("rocks"));
                      return 1;
                  }));
    EXPECT_EQ(ReadFileBytes(demo), before + "me_office_carpet01,0,1,rocks\r\n");
}

// The seed's meaning is the core's; the window refuses a field that is no seed.
TEST(MapInsight, SeedFieldRefusesWhatIsNoSeed) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    window.PrepareDemoRun("out.map");
    ui.seedField->SetValue("-3");
    wxTEST_DIALOG(window.Run(), ExpectErrorDialog("Seed must be empty or a whole number from 0 "
                                                  "to 4294967295."));
    EXPECT_FALSE(FileExists(window.dir.File("out.map")));
    ui.seedField->SetValue("");
    window.Run();
    EXPECT_TRUE(FileExists(window.dir.File("out.map")));
    SaveScreenshot(window.frame, "main_maps_with_preview");
    const std::string placed = ToNarrow(ui.modelsPlacedCount->GetLabel());

    // The report reads the map without touching what the status shows.
    wxTEST_DIALOG(Click(ui.texturesButton), AnswerDialog<TextureReportDialog>([](TextureReportDialog*) { return wxID_CANCEL; }));
    PumpEvents(100);  // the controls come back after the read
    EXPECT_EQ(ToNarrow(ui.modelsPlacedCount->GetLabel()), placed);
}
