#include "dialogs/remove_configuration.h"

#include <wx/intl.h>
#include <wx/sizer.h>

namespace {

// Both confirmations share one layout: a framed question above "Yes" and
// "No", with the focus on "No".
void BuildQuestion(wxDialog* dialog, const wxString& caption, const wxString& question,
                   long textId, long yesId, long noId, wxStaticText*& text, wxButton*& yes,
                   wxButton*& no) {
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, dialog, caption);
    text = new wxStaticText(dialog, textId, question, wxDefaultPosition, wxDefaultSize, 0,
                            _T("ID_STATICTEXT1"));
    box->Add(text, 1, wxALL | wxALIGN_CENTER, dialog->FromDIP(5));
    wxFlexGridSizer* buttons = new wxFlexGridSizer(0, 3, 0, 0);
    yes = new wxButton(dialog, yesId, _("Yes"), wxDefaultPosition, wxDefaultSize, 0,
                       wxDefaultValidator, _T("ID_BUTTON1"));
    buttons->Add(yes, 1, wxALL | wxALIGN_CENTER, dialog->FromDIP(5));
    no = new wxButton(dialog, noId, _("No"), wxDefaultPosition, wxDefaultSize, 0,
                      wxDefaultValidator, _T("ID_BUTTON2"));
    no->SetFocus();
    // Escape answers "No", as in every other dialog that asks.
    dialog->SetEscapeId(noId);
    buttons->Add(no, 1, wxALL | wxALIGN_CENTER, dialog->FromDIP(5));
    box->Add(buttons, 1, wxALIGN_CENTER, dialog->FromDIP(5));
    top->Add(box, 1, wxALL | wxALIGN_CENTER, dialog->FromDIP(5));
    dialog->SetSizer(top);
    top->Fit(dialog);
    top->SetSizeHints(dialog);
}

}  // namespace

const long RemoveConfiguration::ID_STATICTEXT1 = wxNewId();
const long RemoveConfiguration::ID_BUTTON1 = wxNewId();
const long RemoveConfiguration::ID_BUTTON2 = wxNewId();

wxBEGIN_EVENT_TABLE(RemoveConfiguration, wxDialog)
    EVT_KEY_DOWN(RemoveConfiguration::OnKeyDown)
wxEND_EVENT_TABLE()

RemoveConfiguration::RemoveConfiguration(wxWindow* parent, wxWindowID id, const wxPoint&,
                                         const wxSize&) {
    Create(parent, id, _("Remove configuration"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE, _T("id"));
    BuildQuestion(this, _("Remove configuration"),
                  _("Would you really like to remove this configuration?"), ID_STATICTEXT1,
                  ID_BUTTON1, ID_BUTTON2, questionText, yesButton, noButton);
    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(RemoveConfiguration::OnYes));
    Connect(ID_BUTTON2, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(RemoveConfiguration::OnNo));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(RemoveConfiguration::OnClose));
}

void RemoveConfiguration::OnYes(wxCommandEvent&) { EndModal(1); }
void RemoveConfiguration::OnNo(wxCommandEvent&) { EndModal(0); }
void RemoveConfiguration::OnClose(wxCloseEvent&) { EndModal(0); }

void RemoveConfiguration::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == 13) EndModal(0);
}

const long RemoveConfigurationLine::ID_STATICTEXT1 = wxNewId();
const long RemoveConfigurationLine::ID_BUTTON1 = wxNewId();
const long RemoveConfigurationLine::ID_BUTTON2 = wxNewId();

RemoveConfigurationLine::RemoveConfigurationLine(wxWindow* parent, wxWindowID, const wxPoint&,
                                                 const wxSize&) {
    Create(parent, wxID_ANY, _("Remove configuration option"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE, _T("wxID_ANY"));
    BuildQuestion(this, _("Remove configuration option"),
                  _("Would you really like to remove this configuration option?"), ID_STATICTEXT1,
                  ID_BUTTON1, ID_BUTTON2, questionText, yesButton, noButton);
    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(RemoveConfigurationLine::OnYes));
    Connect(ID_BUTTON2, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(RemoveConfigurationLine::OnNo));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(RemoveConfigurationLine::OnClose));
}

void RemoveConfigurationLine::OnYes(wxCommandEvent&) { EndModal(1); }
void RemoveConfigurationLine::OnNo(wxCommandEvent&) { EndModal(0); }
void RemoveConfigurationLine::OnClose(wxCloseEvent&) { EndModal(0); }
