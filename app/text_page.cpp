#include "app/text_page.h"

#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/page_parts.h"

TextPage::TextPage(wxWindow* notebook, long panelId, const wxString& panelName, long textId,
                   const wxString& textName, const wxString& text)
    : wxPanel(notebook, panelId, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, panelName) {
    wxFlexGridSizer* grid = new wxFlexGridSizer(1, 1, 0, 0);
    grid->AddGrowableCol(0);
    grid->AddGrowableRow(0);
    wxTextCtrl* control = new wxTextCtrl(
        this, textId, text, wxDefaultPosition, wxDefaultSize,
        wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH | wxTE_RICH2 | wxTE_AUTO_URL | wxTE_NOHIDESEL |
            wxTE_WORDWRAP | wxVSCROLL,
        wxDefaultValidator, textName);
    grid->Add(control, 1, wxALL | wxEXPAND, FromDIP(5));
    FinishPage(this, grid);
}
