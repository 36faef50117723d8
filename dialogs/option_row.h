#pragma once
// Builds one "label | control" row of the option editors' two-column grid.

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

inline void AddOptionLabel(wxWindow* parent, wxFlexGridSizer* grid, long id, const wxString& name,
                           const wxString& label, int alignment = wxALIGN_CENTER_VERTICAL) {
    wxStaticText* text = new wxStaticText(parent, id, label, wxDefaultPosition, wxDefaultSize, 0, name);
    grid->Add(text, 1, wxALL | wxALIGN_RIGHT | alignment, 5);
}

inline wxTextCtrl* AddOptionField(wxWindow* parent, wxFlexGridSizer* grid, long id,
                                  const wxString& name, const wxString& value,
                                  const wxString& tip, const wxSize& size = wxDefaultSize,
                                  bool grows = false) {
    wxTextCtrl* field = new wxTextCtrl(parent, id, value, wxDefaultPosition, size, 0,
                                       wxDefaultValidator, name);
    field->SetToolTip(tip);
    grid->Add(field, 1, wxALL | (grows ? wxEXPAND : 0) | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, 5);
    return field;
}
