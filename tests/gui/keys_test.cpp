// Escape and Enter pressed as the user presses them (through the platform's
// input, not as made-up events), in every dialog that asks something: Escape
// cancels, and acknowledges an error; Enter in an option editor runs the
// checks that Save runs. The Windows stage runs these under Wine too.

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>

#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/error_dialog.h"
#include "dialogs/remove_configuration.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"

namespace {

// Presses the key with the focus on `focus` and waits until the dialog has
// ended. A key that never arrives ends the dialog with -1 after a few seconds.
void PressToEnd(wxDialog& dialog, wxWindow* focus, int key) {
    dialog.Raise();
    focus->SetFocus();
    PumpEvents(200);
    wxUIActionSimulator().Char(key);
    wxStopWatch watch;
    while (dialog.IsModal() && watch.Time() < 5000) PumpEvents(20);
    if (dialog.IsModal()) {
        ADD_FAILURE() << "key " << key << " did not end " << ToNarrow(dialog.GetTitle());
        dialog.EndModal(-1);
    }
}

// Presses the key and lets the dialog handle it (wxTEST_DIALOG then checks
// the message it showed). Waits for the key to reach the dialog rather than
// a fixed time, which a loaded machine may outlast.
void Press(wxDialog& dialog, wxWindow* focus, int key) {
    dialog.Raise();
    focus->SetFocus();
    PumpEvents(200);
    bool arrived = false;
    const auto seen = [&](wxKeyEvent& event) {
        if (event.GetKeyCode() == key) arrived = true;
        event.Skip();
    };
    dialog.Bind(wxEVT_CHAR_HOOK, seen);
    wxUIActionSimulator().Char(key);
    EXPECT_TRUE(PumpEventsUntil([&] { return arrived; })) << "key " << key << " never reached the dialog";
    dialog.Unbind(wxEVT_CHAR_HOOK, seen);
    PumpEvents(200);  // what the key queued (Enter queues Save's click)
}

}  // namespace

TEST(Keys, EscapeAcknowledgesAnErrorAndDeclinesBothRemovals) {
    ErrorDialog error(nullptr, "Texture name is not set.");
    EXPECT_EQ(ShowModalAndDo(error, [&] { PressToEnd(error, error.okButton, WXK_ESCAPE); }), 1);
    RemoveConfiguration removeClass(nullptr);
    EXPECT_EQ(ShowModalAndDo(removeClass, [&] { PressToEnd(removeClass, removeClass.yesButton, WXK_ESCAPE); }),
              0);
    RemoveConfigurationLine removeLine(nullptr);
    EXPECT_EQ(ShowModalAndDo(removeLine, [&] { PressToEnd(removeLine, removeLine.yesButton, WXK_ESCAPE); }), 0);
}

// Enter in a field holding an invalid entry shows Save's message, and the
// editor stays open. (Under Wine the simulated Escape arrives as another key,
// so these end by the close box.)
TEST(Keys, EnterInAnOptionEditorChecksAsSaveDoes) {
    ConfigurationLine model(nullptr);
    wxTextCtrl* modelName = model.Field(&ModelOption::modelName);
    const int modelResult = ShowModalAndDo(model, [&] {
        modelName->ChangeValue("");
        wxTEST_DIALOG(Press(model, modelName, WXK_RETURN), ExpectErrorDialog("Model name is not set."));
        EXPECT_TRUE(model.IsModal());
        model.Close();
    });
    EXPECT_EQ(modelResult, 0);

    ClassConfigurationLine texture(nullptr);
    const int textureResult = ShowModalAndDo(texture, [&] {
        texture.textureNameField->ChangeValue("bad/name");
        wxTEST_DIALOG(Press(texture, texture.textureNameField, WXK_RETURN),
                      ExpectErrorDialog("Texture name contains invalid characters", true));
        EXPECT_TRUE(texture.IsModal());
        texture.Close();
    });
    EXPECT_EQ(textureResult, 0);
}

// The check boxes without text carry their tips.
TEST(Keys, BareCheckBoxesCarryTheirTips) {
    ConfigurationLine model(nullptr);
    ClassConfigurationLine texture(nullptr);
    const struct {
        wxCheckBox* box;
        const char* tip;
    } rows[] = {
        {model.Check(&ModelOption::evenlyDistributed), "Should models be distributed evenly over the surface?"},
        {model.Check(&ModelOption::surfaceAligned), "Should models be aligned along the surface?"},
        {texture.Check(&TextureOption::useOpacity),
         "Should the texture's opacity be used to calculate the density?"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tip);
        EXPECT_EQ(ToNarrow(row.box->GetToolTipText()), row.tip);
        EXPECT_EQ(row.box->GetLabel(), "");
    }
}
