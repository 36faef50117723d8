// The main window shows every text whole on each tab, at the DPI the tests
// run at (the Windows stage runs this at 144 DPI as well).

#include <gtest/gtest.h>

#include "tests/gui/text_fit.h"
#include "tests/gui/window_fixture.h"

TEST(TextFit, EveryTabOfTheMainWindowShowsItsTextsWhole) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    for (size_t page = 0; page < ui.notebook->GetPageCount(); ++page) {
        ui.notebook->SetSelection(page);
        PumpEvents();
        ExpectTextsFit(window.frame, ToNarrow(ui.notebook->GetPageText(page)));
    }
    ui.notebook->SetSelection(0);
}
