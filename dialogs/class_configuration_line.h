#pragma once
// The editor of one texture option of a map class ("Map configuration
// options"). Its rows come from the field table of TextureOption
// (config/option_fields.h).

#include <cstddef>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "config/foliage_records.h"
#include "dialogs/option_row.h"

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

    // The text field or check box of a field, e.g. Field(&TextureOption::densityMultiplier).
    template <typename T>
    wxTextCtrl* Field(T TextureOption::*member) const { return rows_.Text(FieldIndex(member)); }
    wxCheckBox* Check(bool TextureOption::*member) const { return rows_.Check(FieldIndex(member)); }

    static const long ID_LISTBOX2;
    static const long ID_BUTTON1;

    wxTextCtrl* textureNameField;  // filled alone by the "Textures in map" page
    wxListBox* modelClassList;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    static ControlIds ids_;
    OptionRows<TextureOption> rows_{ids_};
};
