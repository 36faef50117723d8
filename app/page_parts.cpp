#include "app/page_parts.h"

#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#include "dialogs/error_dialog.h"

void ShowError(wxWindow* page, const wxString& message) {
    ErrorDialog dialog(wxGetTopLevelParent(page), message);
    dialog.ShowModal();
}

void ShowNotice(wxWindow* page, NoticeKind kind, const wxString& title, const wxString& message) {
    wxMessageDialog dialog(wxGetTopLevelParent(page), message, title,
                           wxOK | (kind == NoticeKind::Warning ? wxICON_WARNING : wxICON_INFORMATION));
    dialog.ShowModal();
}
