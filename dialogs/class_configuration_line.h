#pragma once
// The editor of one texture option of a map class ("Map configuration options").

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/foliage_records.h"

class ClassConfigurationLine : public wxDialog {
public:
    ClassConfigurationLine(wxWindow* parent, wxWindowID id = -1,
                           const wxPoint& pos = wxDefaultPosition,
                           const wxSize& size = wxDefaultSize);

    // Offers these model class names in the (sorted) list.
    void AddModelClassNames(const std::vector<std::string>& names);
    // Fills the controls from an option; each model class name it holds is
    // selected in the list (a name the list lacks selects nothing).
    void SetOption(const TextureOption& option);
    // Reads the controls back; model class names are the selected entries in
    // list order.
    TextureOption GetOption() const;

    static const long ID_STATICTEXT1, ID_STATICTEXT2, ID_STATICTEXT3, ID_STATICTEXT4;
    static const long ID_TEXTCTRL1, ID_TEXTCTRL2;
    static const long ID_CHECKBOX1;
    static const long ID_LISTBOX2;
    static const long ID_BUTTON1;

    wxTextCtrl* textureNameField;
    wxCheckBox* useOpacityCheck;
    wxTextCtrl* multiplierField;
    wxListBox* modelClassList;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
};
