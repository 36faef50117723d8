#include "dialogs/error_dialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>

const long ErrorDialog::ID_STATICTEXT1 = wxNewId();
const long ErrorDialog::ID_BUTTON1 = wxNewId();

ErrorDialog::ErrorDialog(wxWindow* parent, const wxString& message, wxWindowID, const wxPoint&,
                         const wxSize&) {
    Create(parent, wxID_ANY, _("Error"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
           _T("wxID_ANY"));
    wxFlexGridSizer* grid = new wxFlexGridSizer(2, 1, 0, 0);
    grid->AddGrowableCol(0);
    grid->AddGrowableRow(1);
    messageText = new wxStaticText(this, ID_STATICTEXT1, message, wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_CENTRE, _T("ID_STATICTEXT1"));
    grid->Add(messageText, 1, wxALL | wxALIGN_CENTER, FromDIP(10));
    okButton = new wxButton(this, ID_BUTTON1, _("Hmm ok"), wxDefaultPosition, wxDefaultSize, 0,
                            wxDefaultValidator, _T("ID_BUTTON1"));
    grid->Add(okButton, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    SetSizer(grid);
    grid->Fit(this);
    grid->SetSizeHints(this);

    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(ErrorDialog::OnOk));
    // Escape acknowledges the message as "Hmm ok" does.
    SetEscapeId(ID_BUTTON1);
}

void ErrorDialog::OnOk(wxCommandEvent&) { EndModal(1); }
