// Every dialog shown on the screen the tests run on (a 1024x600 one in the
// gui_dialogs_fit_1024x600 test) keeps every button on that screen and shows
// every text whole.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/display.h>

#include "app/preview_frame.h"
#include "dialogs/add_configuration.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/error_dialog.h"
#include "dialogs/remove_configuration.h"
#include "dialogs/texture_report_dialog.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"
#include "tests/gui/text_fit.h"

namespace {

void CollectButtons(wxWindow* window, std::vector<wxButton*>& buttons) {
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel()) continue;
        if (wxButton* button = wxDynamicCast(child, wxButton)) buttons.push_back(button);
        CollectButtons(child, buttons);
    }
}

// Shows the dialog modally, photographs it and checks its buttons.
void ExpectButtonsOnScreen(wxDialog& dialog, const std::string& name) {
    const wxRect screen = wxDisplay(0u).GetClientArea();
    ShowModalAndDo(dialog, [&] {
        SaveScreenshot(&dialog, "fit_" + std::to_string(screen.width) + "x" +
                                    std::to_string(screen.height) + "_" + name);
        std::vector<wxButton*> buttons;
        CollectButtons(&dialog, buttons);
        EXPECT_FALSE(buttons.empty());
        ExpectTextsFit(&dialog, name);
        for (wxButton* button : buttons) {
            EXPECT_TRUE(screen.Contains(button->GetScreenRect()))
                << button->GetLabel() << " at " << button->GetScreenRect().x << ","
                << button->GetScreenRect().y << " of " << screen.width << "x" << screen.height;
        }
        dialog.EndModal(0);
    });
}

}  // namespace

TEST(ScreenFit, EveryButtonOfEveryDialogIsOnTheScreen) {
    {
        ErrorDialog dialog(nullptr, "An error occured while writing the map file.\n\nTried "
                                    "'/a/rather/long/path/to/the/map_source/of/a/game/mp_x.map'.");
        ExpectButtonsOnScreen(dialog, "error");
    }
    {
        AddConfiguration dialog(nullptr);
        ExpectButtonsOnScreen(dialog, "add_configuration");
    }
    {
        RemoveConfiguration dialog(nullptr);
        ExpectButtonsOnScreen(dialog, "remove_configuration");
    }
    {
        RemoveConfigurationLine dialog(nullptr);
        ExpectButtonsOnScreen(dialog, "remove_configuration_line");
    }
    {
        ConfigurationLine dialog(nullptr);
        ExpectButtonsOnScreen(dialog, "model_option");
    }
    {
        ClassConfigurationLine dialog(nullptr);
        dialog.AddModelClassNames({"bushes", "grass", "rocks", "trees"});
        ExpectButtonsOnScreen(dialog, "texture_option");
    }
    {
        std::vector<TextureReportRow> rows(40);
        for (std::size_t i = 0; i < rows.size(); ++i) rows[i].texture = "texture_" + std::to_string(i);
        rows[0].removed.cluster = 3;  // every column shows
        TextureReportDialog dialog(nullptr, "mp_demo", "demo", rows, true);
        ExpectButtonsOnScreen(dialog, "textures_in_map");
    }
}

// The live preview is a window of its own, not a dialog: it too must open
// inside the screen with its buttons reachable.
TEST(ScreenFit, ThePreviewWindowOpensInsideTheScreen) {
    auto* preview = new PreviewFrame(nullptr, [] { return std::optional<PreviewRequest>(); }, std::string());
    preview->Show();
    PumpEvents(200);
    const wxRect screen = wxDisplay(0u).GetClientArea();
    SaveScreenshot(preview, "fit_" + std::to_string(screen.width) + "x" + std::to_string(screen.height) +
                                "_preview_window");
    for (wxButton* button : {preview->fitButton, preview->saveButton})
        EXPECT_TRUE(screen.Contains(button->GetScreenRect())) << button->GetLabel();
    preview->Destroy();
    PumpEvents(50);
}
