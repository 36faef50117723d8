#pragma once
// The modal message box through which every error reaches the user.

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

class ErrorDialog : public wxDialog {
public:
    ErrorDialog(wxWindow* parent, const wxString& message, wxWindowID id = -1,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    static const long ID_STATICTEXT1;
    static const long ID_BUTTON1;

    wxStaticText* messageText;
    wxButton* okButton;

private:
    void OnOk(wxCommandEvent& event);
};
