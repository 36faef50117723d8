#include <gtest/gtest.h>

#include <utility>

#include <wx/textctrl.h>
#include <wx/window.h>

#include "dialogs/add_configuration.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "dialogs/remove_configuration.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"

namespace {

void PressKey(wxWindow* window, int keyCode) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = keyCode;
    event.SetEventObject(window);
    event.SetId(window->GetId());
    window->GetEventHandler()->ProcessEvent(event);
}

}  // namespace

// Enter adds, Escape and closing cancel; the window reads the name only on Add.
TEST(SmallDialogs, ErrorAndAddDialogsEndWithTheirButtonsAndKeys) {
    ErrorDialog error(nullptr, "First line\nsecond, longer line of the message");
    EXPECT_EQ(error.okButton->GetLabel(), "Hmm ok");
    EXPECT_EQ(ShowModalAndDo(error, [&] { Click(error.okButton); }), 1);
    EXPECT_EQ(ShowModalAndDo(error, [&] { HookKey(error, WXK_ESCAPE); }), 1);  // Escape acknowledges

    AddConfiguration dialog(nullptr);
    EXPECT_EQ(ShowModalAndDo(dialog, [&] {
                  dialog.nameField->ChangeValue("grass");
                  Click(dialog.addButton);
              }),
              1);
    EXPECT_EQ(dialog.nameField->GetValue(), "grass");
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { dialog.Close(); }), 0);
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_RETURN); }), 1);
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_ESCAPE); }), 0);
}

// Yes consents; No and closing decline, and the focus starts on No.
template <class Dialog>
void ExpectConsentOnlyOnYes(const char* question) {
    {
        Dialog dialog(nullptr);
        EXPECT_EQ(dialog.questionText->GetLabel(), question);
        dialog.Show();
        EXPECT_TRUE(PumpEventsUntil([&] { return wxWindow::FindFocus() == dialog.noButton; }))
            << "the focus is not on No";
        dialog.Hide();
        EXPECT_EQ(ShowModalAndDo(dialog, [&] { Click(dialog.yesButton); }), 1);
    }
    Dialog no(nullptr), closed(nullptr), escaped(nullptr);
    EXPECT_EQ(ShowModalAndDo(no, [&] { Click(no.noButton); }), 0);
    EXPECT_EQ(ShowModalAndDo(closed, [&] { closed.Close(); }), 0);
    EXPECT_EQ(ShowModalAndDo(escaped, [&] { HookKey(escaped, WXK_ESCAPE); }), 0);
}

TEST(SmallDialogs, RemoveConfirmationsConsentOnlyOnYes) {
    ExpectConsentOnlyOnYes<RemoveConfiguration>("Would you really like to remove this configuration?");
    RemoveConfiguration entered(nullptr);  // Enter on the dialog itself declines
    EXPECT_EQ(ShowModalAndDo(entered, [&] {
                  PressKey(&entered, 'a');  // other keys do nothing
                  PressKey(&entered, 13);
              }),
              0);
    ExpectConsentOnlyOnYes<RemoveConfigurationLine>(
        "Would you really like to remove this configuration option?");
}

// Every field of an option, set or unset, survives the editor's controls,
// which keep the names they have always had.
TEST(OptionEditors, ModelEditorStartsWithItsDefaultsAndRoundTripsAnOption) {
    ConfigurationLine dialog(nullptr);
    EXPECT_EQ(dialog.Field(&ModelOption::densityMin)->GetValue(), "0.5");
    EXPECT_EQ(dialog.Field(&ModelOption::scaleMax)->GetValue(), "2.0");
    EXPECT_TRUE(dialog.Check(&ModelOption::surfaceAligned)->GetValue());
    const std::pair<const char*, const char*> named[] = {
        {"ID_STATICTEXT10", "Scale maximum"}, {"ID_TEXTCTRL8", "2.0"},
        {"ID_STATICTEXT19", "Spawnflags"},   {"ID_CHECKBOX4", "No static shadow"}};
    for (const auto& [name, label] : named) {
        const wxWindow* control = wxWindow::FindWindowByName(name, &dialog);
        EXPECT_TRUE(control != nullptr && (control->GetLabel() == label ||
                                          static_cast<const wxTextCtrl*>(control)->GetValue() == label))
            << name;
    }
    EXPECT_EQ(wxWindow::FindWindowByName("ID_TEXTCTRL17", &dialog), dialog.Field(&ModelOption::spawnflags));

    ModelOption option("foliage_grass_tall", 0.25f, 3.0f, false, true, -4.5f, 10.0f, 200.0f,
                       0.75f, 1.5f);
    option.heightMin = -200.0f;
    option.spacingRadius = 96.0f;
    option.clusterSize = 128.0f;
    option.clusterCover = 0.3f;
    option.spawnflags = 6;
    dialog.SetOption(option);
    EXPECT_EQ(dialog.Field(&ModelOption::zOffset)->GetValue(), "-4.5");
    EXPECT_EQ(dialog.Field(&ModelOption::slopeMax)->GetValue(), "");  // no rule: an empty field
    EXPECT_TRUE(dialog.BitCheck(&ModelOption::spawnflags, 0)->GetValue());
    EXPECT_EQ(dialog.GetOption(), option);
}

// The two boxes and the number say the same, whichever the user changes.
TEST(OptionEditors, SpawnflagBoxesFollowTheNumberAndSetIt) {
    ConfigurationLine dialog(nullptr);
    wxTextCtrl* number = dialog.Field(&ModelOption::spawnflags);
    wxCheckBox* noShadow = dialog.BitCheck(&ModelOption::spawnflags, 0);
    wxCheckBox* noStatic = dialog.BitCheck(&ModelOption::spawnflags, 1);
    EXPECT_EQ(noShadow->GetLabel(), "No shadow");
    const auto click = [](wxCheckBox* box) {
        box->SetValue(!box->GetValue());
        wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
        event.SetEventObject(box);
        event.SetInt(box->GetValue());
        box->GetEventHandler()->ProcessEvent(event);
    };
    const auto state = [&] {
        return ToNarrow(number->GetValue()) + (noShadow->GetValue() ? " 2" : "") +
               (noStatic->GetValue() ? " 4" : "");
    };
    number->SetValue("6");
    EXPECT_EQ(state(), "6 2 4");
    click(noShadow);
    EXPECT_EQ(state(), "4 4");
    click(noStatic);
    EXPECT_EQ(state(), "");  // no bit left: no key
    number->SetValue("1");
    EXPECT_EQ(state(), "1");
    click(noStatic);
    EXPECT_EQ(state(), "5 4");
    number->SetValue("x");  // not a number: the boxes stay
    EXPECT_EQ(state(), "x 4");
}

// The editor with every field fits a 1024 x 600 screen with room for a
// title bar.
TEST(OptionEditors, ModelEditorFitsASmallScreen) {
    ConfigurationLine dialog(nullptr);
    const wxSize size = dialog.GetSize();
    EXPECT_LE(size.GetWidth(), 1024);
    EXPECT_LE(size.GetHeight(), 560);
    const wxRect save = dialog.saveButton->GetRect();
    EXPECT_LE(save.GetBottom(), dialog.GetClientSize().GetHeight());
    SaveScreenshot(&dialog, "dialog_model_option");
}

// The checks and their messages are the core's; the editor shows the
// exchanged ranges, and stays open while a check fails.
TEST(OptionEditors, ModelEditorSaveShowsTheExchangeAndStaysOpenOnAFailure) {
    ConfigurationLine dialog(nullptr);
    const int result = ShowModalAndDo(dialog, [&] {
        dialog.Field(&ModelOption::modelName)->ChangeValue("bush");
        dialog.Field(&ModelOption::opacityMin)->ChangeValue("200");
        dialog.Field(&ModelOption::opacityMax)->ChangeValue("100");
        dialog.Field(&ModelOption::scaleMin)->ChangeValue("0");
        wxTEST_DIALOG(Click(dialog.saveButton),
                      ExpectErrorDialog("Scale minimum must be higher than 0."));
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(dialog.Field(&ModelOption::opacityMin)->GetValue(), "100");
        EXPECT_EQ(dialog.Field(&ModelOption::opacityMax)->GetValue(), "200");
        // Enter runs the checks as Save does; Escape cancels.
        wxTEST_DIALOG((HookKey(dialog, WXK_RETURN), PumpEvents()),
                      ExpectErrorDialog("Scale minimum must be higher than 0."));
        // A field that holds no number is named, before any exchange.
        dialog.Field(&ModelOption::scaleMin)->ChangeValue("0.5");
        dialog.Field(&ModelOption::scaleMax)->ChangeValue("x");
        wxTEST_DIALOG(Click(dialog.saveButton), ExpectErrorDialog("Scale maximum must be a number."));
        HookKey(dialog, WXK_ESCAPE);
    });
    EXPECT_EQ(result, 0);
}

TEST(OptionEditors, TextureEditorOffersClassesAndRefusesWhatWouldNotLoad) {
    ClassConfigurationLine dialog(nullptr);
    wxTextCtrl* multiplier = dialog.Field(&TextureOption::densityMultiplier);
    EXPECT_EQ(multiplier->GetValue(), "1.0");
    EXPECT_FALSE(dialog.Check(&TextureOption::useOpacity)->GetValue());
    EXPECT_EQ(wxWindow::FindWindowByName("ID_TEXTCTRL2", &dialog), multiplier);
    dialog.AddModelClassNames({"trees", "Grass", "bushes"});
    SaveScreenshot(&dialog, "dialog_texture_option");
    dialog.Hide();
    // Unknown names select nothing.
    dialog.SetOption(TextureOption("ground_grass_01", true, 0.5f, {"trees", "missing"}));
    EXPECT_EQ(dialog.GetOption().modelClassNames, std::vector<std::string>{"trees"});

    const int result = ShowModalAndDo(dialog, [&] {
        dialog.textureNameField->ChangeValue("");
        wxTEST_DIALOG(Click(dialog.saveButton), ExpectErrorDialog("Texture name is not set."));
        wxTEST_DIALOG(PressKey(&dialog, 'x'), ExpectErrorDialog("Key pressed;"));
        dialog.textureNameField->ChangeValue("mud");
        // The loader would leave such a line out at the next start.
        multiplier->ChangeValue("0");
        wxTEST_DIALOG(Click(dialog.saveButton), ExpectErrorDialog("Density multiplier must not be 0."));
        multiplier->ChangeValue("lots");
        wxTEST_DIALOG(Click(dialog.saveButton), ExpectErrorDialog("Density multiplier must be a number."));
        multiplier->ChangeValue("-2");
        dialog.modelClassList->DeselectAll();
        HookKey(dialog, WXK_RETURN);  // a negative multiplier and no classes are accepted
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_ESCAPE); }), 0);
}
