#pragma once
// Asks for the name of a new model class or map class.

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class AddConfiguration : public wxDialog {
public:
    AddConfiguration(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize);

    static const long ID_STATICTEXT1;
    static const long ID_TEXTCTRL1;
    static const long ID_BUTTON1;

    wxStaticText* nameLabel;
    wxTextCtrl* nameField;  // the caller reads the name from here after "Add"
    wxButton* addButton;

private:
    void OnAdd(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
};
