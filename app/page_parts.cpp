#include "app/page_parts.h"

#include <wx/toplevel.h>

#include "dialogs/error_dialog.h"

void ShowError(wxWindow* page, const wxString& message) {
    ErrorDialog dialog(wxGetTopLevelParent(page), message);
    dialog.ShowModal();
}
