#include <gtest/gtest.h>

#include <algorithm>

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

TEST(SmallDialogs, ErrorDialogShowsItsMessageAndEndsWithOne) {
    ErrorDialog dialog(nullptr, "First line\nsecond, longer line of the message");
    EXPECT_EQ(dialog.GetTitle(), "Error");
    EXPECT_EQ(dialog.GetName(), "wxID_ANY");
    EXPECT_EQ(dialog.okButton->GetLabel(), "Hmm ok");
    EXPECT_EQ(dialog.messageText->GetName(), "ID_STATICTEXT1");
    SaveScreenshot(&dialog, "dialog_error");
    dialog.Hide();
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { Click(dialog.okButton); }), 1);
}

TEST(SmallDialogs, AddConfigurationGivesTheNameOnlyOnAdd) {
    {
        AddConfiguration dialog(nullptr);
        EXPECT_EQ(dialog.GetTitle(), "Add configuration");
        SaveScreenshot(&dialog, "dialog_add_configuration");
        dialog.Hide();
        const int result = ShowModalAndDo(dialog, [&] {
            dialog.nameField->ChangeValue("grass");
            Click(dialog.addButton);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(dialog.nameField->GetValue(), "grass");
    }
    {
        AddConfiguration dialog(nullptr);
        const int result = ShowModalAndDo(dialog, [&] {
            dialog.nameField->ChangeValue("typed but closed");
            dialog.Close();
        });
        EXPECT_EQ(result, 0);
    }
    {
        AddConfiguration dialog(nullptr);  // Enter adds, Escape cancels
        EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_RETURN); }), 1);
        EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_ESCAPE); }), 0);
        EXPECT_EQ(dialog.GetDefaultItem(), dialog.addButton);
    }
}

// Yes consents; No and closing decline.
template <class Dialog>
void ExpectConsentOnlyOnYes(const char* title, const char* question, const char* screenshot) {
    {
        Dialog dialog(nullptr);
        EXPECT_EQ(dialog.GetTitle(), title);
        EXPECT_EQ(dialog.questionText->GetLabel(), question);
        SaveScreenshot(&dialog, screenshot);
        EXPECT_EQ(wxWindow::FindFocus(), dialog.noButton);
        dialog.Hide();
        EXPECT_EQ(ShowModalAndDo(dialog, [&] { Click(dialog.yesButton); }), 1);
    }
    Dialog no(nullptr), closed(nullptr);
    EXPECT_EQ(ShowModalAndDo(no, [&] { Click(no.noButton); }), 0);
    EXPECT_EQ(ShowModalAndDo(closed, [&] { closed.Close(); }), 0);
}

TEST(SmallDialogs, RemoveConfirmationsConsentOnlyOnYes) {
    ExpectConsentOnlyOnYes<RemoveConfiguration>("Remove configuration",
                                                "Would you really like to remove this configuration?",
                                                "dialog_remove_configuration");
    RemoveConfiguration entered(nullptr);  // Enter on the dialog itself declines
    EXPECT_EQ(ShowModalAndDo(entered, [&] {
                  PressKey(&entered, 'a');  // other keys do nothing
                  PressKey(&entered, 13);
              }),
              0);
    ExpectConsentOnlyOnYes<RemoveConfigurationLine>("Remove configuration option",
                                                    "Would you really like to remove this configuration option?",
                                                    "dialog_remove_configuration_line");
}

TEST(OptionEditors, ModelEditorStartsWithItsDefaultsAndRoundTripsAnOption) {
    ConfigurationLine dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Model configuration option");
    EXPECT_EQ(dialog.densityMinField->GetValue(), "0.5");
    EXPECT_EQ(dialog.densityMaxField->GetValue(), "0.5");
    // The other defaults reach the class file in the class tab test.
    EXPECT_EQ(dialog.modelNameField->GetToolTipText(), "Name of the model that is used");
    // GTK shows no tool tip on a bare check box: its label carries it too.
    EXPECT_EQ(dialog.FindWindowByName("ID_STATICTEXT4", &dialog)->GetToolTipText(),
              "Should models be distributed evenly over the surface?");
    EXPECT_EQ(dialog.FindWindowByName("ID_STATICTEXT5", &dialog)->GetToolTipText(),
              dialog.surfaceAlignedCheck->GetToolTipText());
    EXPECT_FALSE(dialog.picture->GetBitmap().IsOk());
    EXPECT_EQ(dialog.picture->GetSize(), wxSize(327, 327));
    SaveScreenshot(&dialog, "dialog_model_option");
    dialog.Hide();

    ModelOption option("foliage_grass_tall", 0.25f, 3.0f, false, true, -4.5f, 10.0f, 200.0f,
                       0.75f, 1.5f);
    dialog.SetOption(option);
    EXPECT_EQ(dialog.densityMinField->GetValue(), "0.25");
    EXPECT_EQ(dialog.zOffsetField->GetValue(), "-4.5");
    EXPECT_EQ(dialog.slopeMaxField->GetValue(), "");  // no rule: an empty field
    EXPECT_EQ(dialog.GetOption(), option);
    option.slopeMax = 35.5f;
    option.heightMin = -200.0f;
    option.spacingRadius = 96.0f;
    dialog.SetOption(option);
    EXPECT_EQ(dialog.spacingRadiusField->GetValue(), "96");
    EXPECT_EQ(dialog.GetOption(), option);
}

// The checks and their messages are the core's; the editor shows the
// exchanged ranges, and stays open while a check fails.
TEST(OptionEditors, ModelEditorSaveShowsTheExchangeAndStaysOpenOnAFailure) {
    {
        // A failed check keeps the dialog open with the exchange visible.
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
            wxTEST_DIALOG(Click(dialog.saveButton),
                          ExpectErrorDialog("Scale minimum must be higher than 0."));
            dialog.Close();
        });
        EXPECT_EQ(result, 0);
    }
    {
        // Enter runs the checks as Save does; Escape cancels.
        ConfigurationLine dialog(nullptr);
        const int result = ShowModalAndDo(dialog, [&] {
            wxTEST_DIALOG(HookKey(dialog, WXK_RETURN), ExpectErrorDialog("Model name is not set."));
            HookKey(dialog, WXK_ESCAPE);
        });
        EXPECT_EQ(result, 0);
    }
}

TEST(OptionEditors, TextureEditorOffersClassesAndChecksOnlyTheName) {
    ClassConfigurationLine dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Map configuration options");
    EXPECT_EQ(dialog.multiplierField->GetValue(), "1.0");
    EXPECT_FALSE(dialog.useOpacityCheck->GetValue());
    dialog.AddModelClassNames({"trees", "Grass", "bushes"});
    ASSERT_EQ(dialog.modelClassList->GetCount(), 3u);
    SaveScreenshot(&dialog, "dialog_texture_option");
    dialog.Hide();

    const TextureOption option("ground_grass_01", true, 0.5f, {"Grass", "trees", "missing"});
    dialog.SetOption(option);
    const TextureOption read = dialog.GetOption();
    EXPECT_EQ(read.textureName, "ground_grass_01");
    EXPECT_TRUE(read.useOpacity);
    EXPECT_EQ(read.densityMultiplier, 0.5f);
    // Selected entries come back in the list's (sorted) order; unknown names select nothing.
    std::vector<std::string> names = read.modelClassNames;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Grass", "trees"}));

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
    EXPECT_EQ(dialog.FindWindowByName("ID_STATICTEXT2", &dialog)->GetToolTipText(),
              dialog.useOpacityCheck->GetToolTipText());
    EXPECT_EQ(ShowModalAndDo(dialog, [&] { HookKey(dialog, WXK_ESCAPE); }), 0);
}
