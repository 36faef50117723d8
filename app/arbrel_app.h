#pragma once
// The application object: sets up the toolkit and opens the main window.

#include <wx/app.h>
#include <wx/intl.h>

class ArbrelApp : public wxApp {
public:
    bool OnInit() override;

private:
    wxLocale locale;  // the user's language, when a catalogue for it is installed
};
