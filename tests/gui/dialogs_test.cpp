#include <gtest/gtest.h>

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

// A key as the dialog sees it first, wherever the focus is.
void HookKey(wxDialog& dialog, int keyCode) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = keyCode;
    event.SetEventObject(&dialog);
    dialog.GetEventHandler()->ProcessEvent(event);
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
        PumpEvents(150);
        EXPECT_EQ(wxWindow::FindFocus(), dialog.noButton);
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

// The option's rules, unset or set, survive the editor's fields; the other
// defaults reach the class file in the class tab test.
TEST(OptionEditors, ModelEditorStartsWithItsDefaultsAndRoundTripsAnOption) {
    ConfigurationLine dialog(nullptr);
    EXPECT_EQ(dialog.densityMinField->GetValue(), "0.5");
    EXPECT_EQ(dialog.densityMaxField->GetValue(), "0.5");
    SaveScreenshot(&dialog, "dialog_model_option");
    dialog.Hide();

    ModelOption option("foliage_grass_tall", 0.25f, 3.0f, false, true, -4.5f, 10.0f, 200.0f,
                       0.75f, 1.5f);
    option.heightMin = -200.0f;
    option.spacingRadius = 96.0f;
    dialog.SetOption(option);
    EXPECT_EQ(dialog.zOffsetField->GetValue(), "-4.5");
    EXPECT_EQ(dialog.slopeMaxField->GetValue(), "");  // no rule: an empty field
    EXPECT_EQ(dialog.GetOption(), option);
}

// The checks and their messages are the core's; the editor shows the
// exchanged ranges, and stays open while a check fails.
TEST(OptionEditors, ModelEditorSaveShowsTheExchangeAndStaysOpenOnAFailure) {
    ConfigurationLine dialog(nullptr);
    const int result = ShowModalAndDo(dialog, [&] {
        dialog.modelNameField->ChangeValue("bush");
        dialog.opacityMinField->ChangeValue("200");
        dialog.opacityMaxField->ChangeValue("100");
        dialog.scaleMinField->ChangeValue("0");
        wxTEST_DIALOG(Click(dialog.saveButton),
                      ExpectErrorDialog("Scale minimum must be higher than 0."));
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(dialog.opacityMinField->GetValue(), "100");
        EXPECT_EQ(dialog.opacityMaxField->GetValue(), "200");
        // Enter runs the checks as Save does; Escape cancels.
        wxTEST_DIALOG(HookKey(dialog, WXK_RETURN),
                      ExpectErrorDialog("Scale minimum must be higher than 0."));
        HookKey(dialog, WXK_ESCAPE);
    });
    EXPECT_EQ(result, 0);
}

TEST(OptionEditors, TextureEditorOffersClassesAndChecksOnlyTheName) {
    ClassConfigurationLine dialog(nullptr);
    EXPECT_EQ(dialog.multiplierField->GetValue(), "1.0");
    EXPECT_FALSE(dialog.useOpacityCheck->GetValue());
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
        dialog.multiplierField->ChangeValue("0");
        dialog.modelClassList->DeselectAll();
        HookKey(dialog, WXK_RETURN);  // multiplier 0 and no classes are accepted here
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_ESCAPE); }), 0);
}
