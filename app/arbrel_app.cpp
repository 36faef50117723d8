#include "app/arbrel_app.h"

#include <wx/cmdline.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/translation.h>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "dialogs/screen_fit.h"
#include "io/paths.h"
#include "io/platform.h"

void ArbrelApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddOption(wxEmptyString, _T("data-dir"),
                     _("the settings directory (default: data beside the executable)"));
}

bool ArbrelApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    wxString directory;
    if (parser.Found(_T("data-dir"), &directory)) dataDirectory = ToNarrow(directory);
    return wxApp::OnCmdLineParsed(parser);
}

bool ArbrelApp::OnInit() {
    if (!wxApp::OnInit()) return false;  // parses the command line
    // Catalogues are looked for in "locale" beside the executable as well as
    // in the system's places.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
        FromNarrow(paths::Join(platform::ExecutableDirectory(), "locale")));
    {
        wxLogNull quiet;  // an unknown system locale is no reason for a message box
        if (locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT)) locale.AddCatalog(_T("arbrel"));
    }

    wxInitAllImageHandlers();
    // A logout, a shutdown or kill ends a run cleanly (see ArbrelFrame::KeepGoing).
    platform::CatchInterrupts();
    FitDialogsToScreen();
    ArbrelFrame* frame = new ArbrelFrame(nullptr, -1, std::string(), dataDirectory);
#ifdef __WXMSW__
    // The executable's icon (all its sizes) for the title bar, Alt+Tab and
    // the taskbar; Linux takes it from the desktop entry.
    frame->SetIcons(wxIconBundle(_T("aaaa"), 0));
#endif
    frame->Show();
    SetTopWindow(frame);
    // Problems with the data directory are shown once the window is up.
    frame->CallAfter(&ArbrelFrame::ReportStartupErrors);
    return true;
}
