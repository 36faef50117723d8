#pragma once
// Builds one "label | control" row of the option editors' two-column grid.

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

inline wxStaticText* AddOptionLabel(wxWindow* parent, wxFlexGridSizer* grid, long id,
                                    const wxString& name, const wxString& label,
                                    int alignment = wxALIGN_CENTER_VERTICAL) {
    wxStaticText* text = new wxStaticText(parent, id, label, wxDefaultPosition, wxDefaultSize, 0, name);
    grid->Add(text, 1, wxALL | wxALIGN_RIGHT | alignment, 5);
    return text;
}

// A check box without text, with its tool tip also on its row's label: GTK
// shows no tool tip for the bare box, and the label is where users point.
inline wxCheckBox* AddOptionCheck(wxWindow* parent, wxFlexGridSizer* grid, long id,
                                  const wxString& name, wxStaticText* label, bool checked,
                                  const wxString& tip) {
    wxCheckBox* check = new wxCheckBox(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       0, wxDefaultValidator, name);
    check->SetValue(checked);
    check->SetToolTip(tip);
    label->SetToolTip(tip);
    grid->Add(check, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, 5);
    return check;
}

inline wxTextCtrl* AddOptionField(wxWindow* parent, wxFlexGridSizer* grid, long id,
                                  const wxString& name, const wxString& value,
                                  const wxString& tip, const wxSize& size = wxDefaultSize,
                                  bool grows = false) {
    wxTextCtrl* field = new wxTextCtrl(parent, id, value, wxDefaultPosition, size, 0,
                                       wxDefaultValidator, name);
    field->SetToolTip(tip);
    // A growing field fills its cell; the toolkit would let an alignment win.
    grid->Add(field, 1, wxALL | (grows ? wxEXPAND : wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL), 5);
    return field;
}
