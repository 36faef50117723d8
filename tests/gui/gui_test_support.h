#pragma once
// Helpers of the GUI tests: the toolkit is initialised once by
// gui_test_main.cpp; these let a test settle the window and photograph it.

#include <functional>
#include <string>

#include <wx/dialog.h>
#include <wx/window.h>

// Lets the toolkit process pending events (paint, layout) for a moment.
void PumpEvents(int milliseconds = 50);
// Lets it process events until `done` holds, for at most `milliseconds`;
// returns whether it came to hold. For what the display server answers
// (focus, mapping), which a loaded machine delays.
bool PumpEventsUntil(const std::function<bool()>& done, int milliseconds = 10000);
// Shows the window, lets it paint, and writes its pixels as a PNG under the
// build's screenshots directory. Returns the file's path.
std::string SaveScreenshot(wxWindow* window, const std::string& name);
// A modal dialog that no wxTEST_DIALOG answers fails the test and is
// cancelled at once, so that no test waits for ever on a dialog nobody
// will close; only the one named here (ShowModalAndDo's) is really shown.
void ExpectShownModal(wxDialog* dialog);
