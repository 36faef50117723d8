#pragma once
// The editor of one model option ("Model configuration option"). Its rows
// come from the field table of ModelOption (config/option_fields.h).

#include <cstddef>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

#include "config/foliage_records.h"
#include "dialogs/option_row.h"

class ConfigurationLine : public wxDialog {
public:
    ConfigurationLine(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize);

    // Fills the controls from an option (numbers as FloatToString writes
    // them; an unset field empty).
    void SetOption(const ModelOption& option);
    // Reads the controls back into an option.
    ModelOption GetOption() const;

    // The text field or check box of a field, e.g. Field(&ModelOption::zOffset);
    // BitCheck gives the box of one bit of a number (in the order of its row).
    template <typename T>
    wxTextCtrl* Field(T ModelOption::*member) const { return rows_.Text(FieldIndex(member)); }
    wxCheckBox* Check(bool ModelOption::*member) const { return rows_.Check(FieldIndex(member)); }
    template <typename T>
    wxCheckBox* BitCheck(T ModelOption::*member, std::size_t bit) const {
        return rows_.BitCheck(FieldIndex(member), bit);
    }

    static const long ID_STATICBITMAP1;
    static const long ID_BUTTON1;

    wxStaticBitmap* picture;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    static ControlIds ids_;
    OptionRows<ModelOption> rows_{ids_};
};
