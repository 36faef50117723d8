#include "dialogs/add_configuration.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "dialogs/dialog_keys.h"

const long AddConfiguration::ID_STATICTEXT1 = wxNewId();
const long AddConfiguration::ID_TEXTCTRL1 = wxNewId();
const long AddConfiguration::ID_BUTTON1 = wxNewId();

AddConfiguration::AddConfiguration(wxWindow* parent, wxWindowID id, const wxPoint&, const wxSize&) {
    Create(parent, id, _("Add configuration"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE, _T("id"));
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Add configuration"));
    // One row of two columns that grows a second row for the button.
    wxFlexGridSizer* grid = new wxFlexGridSizer(0, 2, 0, 0);
    nameLabel = new wxStaticText(this, ID_STATICTEXT1, _("Name"), wxDefaultPosition, wxDefaultSize,
                                 0, _T("ID_STATICTEXT1"));
    grid->Add(nameLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    // Wide enough for a class name, and for the dialog's title above it.
    nameField = new wxTextCtrl(this, ID_TEXTCTRL1, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(200, -1)),
                               0, wxDefaultValidator, _T("ID_TEXTCTRL1"));
    grid->Add(nameField, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    grid->Add(-1, -1, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    addButton = new wxButton(this, ID_BUTTON1, _("Add"), wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, _T("ID_BUTTON1"));
    grid->Add(addButton, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    box->Add(grid, 1, wxALIGN_CENTER, FromDIP(5));
    top->Add(box, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(AddConfiguration::OnAdd));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(AddConfiguration::OnClose));
    UseEnterAndEscape(this, addButton);
}

void AddConfiguration::OnAdd(wxCommandEvent&) { EndModal(1); }
void AddConfiguration::OnClose(wxCloseEvent&) { EndModal(0); }
