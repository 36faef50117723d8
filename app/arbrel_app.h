#pragma once
// The application object: sets up the toolkit and opens the main window.

#include <string>

#include <wx/app.h>
#include <wx/intl.h>

class ArbrelApp : public wxApp {
public:
    bool OnInit() override;
    // The command line: --data-dir DIR (the settings directory; by default
    // `data` beside the executable).
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

private:
    wxLocale locale;  // the user's language, when a catalogue for it is installed
    std::string dataDirectory;  // empty: `data` beside the executable
};
