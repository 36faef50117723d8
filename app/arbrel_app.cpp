#include "app/arbrel_app.h"

#include <wx/filename.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include "app/arbrel_frame.h"

bool ArbrelApp::OnInit() {
    // Catalogues are looked for in "locale" beside the executable as well as
    // in the system's places.
    const wxString executableDir =
        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(executableDir + wxFILE_SEP_PATH +
                                                         _T("locale"));
    {
        wxLogNull quiet;  // an unknown system locale is no reason for a message box
        if (locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT)) locale.AddCatalog(_T("arbrel"));
    }

    wxInitAllImageHandlers();
    ArbrelFrame* frame = new ArbrelFrame(nullptr, -1);
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
