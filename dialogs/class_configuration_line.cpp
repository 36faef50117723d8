#include "dialogs/class_configuration_line.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "text/conversions.h"
#include "config/option_checks.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "dialogs/option_row.h"

const long ClassConfigurationLine::ID_STATICTEXT1 = wxNewId();
const long ClassConfigurationLine::ID_TEXTCTRL1 = wxNewId();
const long ClassConfigurationLine::ID_STATICTEXT2 = wxNewId();
const long ClassConfigurationLine::ID_CHECKBOX1 = wxNewId();
const long ClassConfigurationLine::ID_STATICTEXT3 = wxNewId();
const long ClassConfigurationLine::ID_TEXTCTRL2 = wxNewId();
const long ClassConfigurationLine::ID_STATICTEXT4 = wxNewId();
const long ClassConfigurationLine::ID_LISTBOX2 = wxNewId();
const long ClassConfigurationLine::ID_BUTTON1 = wxNewId();

ClassConfigurationLine::ClassConfigurationLine(wxWindow* parent, wxWindowID, const wxPoint&,
                                               const wxSize&) {
    Create(parent, wxID_ANY, _("Map configuration options"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, _T("wxID_ANY"));
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Map configuration option"));
    wxFlexGridSizer* rows = new wxFlexGridSizer(0, 2, 0, 0);
    rows->AddGrowableCol(1);
    rows->AddGrowableRow(3);

    AddOptionLabel(this, rows, ID_STATICTEXT1, _T("ID_STATICTEXT1"), _("Texture name"));
    textureNameField = AddOptionField(this, rows, ID_TEXTCTRL1, _T("ID_TEXTCTRL1"), wxEmptyString,
                                      _("Name of the texture that uses these settings"),
                                      wxSize(160, 21), true);
    useOpacityCheck = AddOptionCheck(
        this, rows, ID_CHECKBOX1, _T("ID_CHECKBOX1"),
        AddOptionLabel(this, rows, ID_STATICTEXT2, _T("ID_STATICTEXT2"), _("Use opacity")), false,
        _("Should the texture's opacity be used to calculate the density?"));
    AddOptionLabel(this, rows, ID_STATICTEXT3, _T("ID_STATICTEXT3"), _("Density multiplyer"));
    multiplierField = AddOptionField(this, rows, ID_TEXTCTRL2, _T("ID_TEXTCTRL2"), _("1.0"),
                                     _("This multiplies the densities set per model"),
                                     wxSize(144, 21), true);
    AddOptionLabel(this, rows, ID_STATICTEXT4, _T("ID_STATICTEXT4"), _("Model configurations"),
                   wxALIGN_TOP);
    modelClassList = new wxListBox(this, ID_LISTBOX2, wxDefaultPosition, wxSize(160, 172), 0,
                                   nullptr, wxLB_MULTIPLE | wxLB_SORT | wxLB_HSCROLL | wxLB_NEEDED_SB,
                                   wxDefaultValidator, _T("ID_LISTBOX2"));
    modelClassList->SetToolTip(_("Model configurations that will be used"));
    rows->Add(modelClassList, 1, wxALL | wxEXPAND, 5);
    rows->Add(-1, -1, 1, wxALL | wxEXPAND, 5);
    saveButton = new wxButton(this, ID_BUTTON1, _("Save"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, _T("ID_BUTTON1"));
    rows->Add(saveButton, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, 5);

    box->Add(rows, 1, wxALL | wxEXPAND, 5);
    top->Add(box, 1, wxALL | wxEXPAND, 5);
    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ClassConfigurationLine::OnSave));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(ClassConfigurationLine::OnClose));
    UseEnterAndEscape(this, saveButton);
    // Bound on the dialog window alone: keys typed into its controls stay there.
    Connect(GetId(), wxEVT_KEY_DOWN, wxKeyEventHandler(ClassConfigurationLine::OnKeyDown));
}

void ClassConfigurationLine::AddModelClassNames(const std::vector<std::string>& names) {
    for (const std::string& name : names) modelClassList->Append(FromNarrow(name));
}

void ClassConfigurationLine::SetOption(const TextureOption& option) {
    textureNameField->SetValue(FromNarrow(option.textureName));
    useOpacityCheck->SetValue(option.useOpacity);
    multiplierField->SetValue(FromNarrow(FloatToString(option.densityMultiplier)));
    for (const std::string& name : option.modelClassNames) {
        const int row = modelClassList->FindString(FromNarrow(name), true);
        if (row != wxNOT_FOUND) modelClassList->SetSelection(row);
    }
}

TextureOption ClassConfigurationLine::GetOption() const {
    TextureOption option;
    option.textureName = ToNarrow(textureNameField->GetValue());
    option.useOpacity = useOpacityCheck->GetValue();
    option.densityMultiplier = StringToFloat(ToNarrow(multiplierField->GetValue()));
    for (unsigned row = 0; row < modelClassList->GetCount(); ++row)
        if (modelClassList->IsSelected(row))
            option.modelClassNames.push_back(ToNarrow(modelClassList->GetString(row)));
    return option;
}

void ClassConfigurationLine::OnSave(wxCommandEvent&) {
    const std::string failure = CheckTextureOption(ToNarrow(textureNameField->GetValue()),
                                                   ToNarrow(multiplierField->GetValue()));
    if (!failure.empty()) {
        ErrorDialog error(this, FromNarrow(failure));
        error.ShowModal();
        return;
    }
    EndModal(1);
}

void ClassConfigurationLine::OnClose(wxCloseEvent&) { EndModal(0); }

void ClassConfigurationLine::OnKeyDown(wxKeyEvent&) {
    ErrorDialog error(this, _("Key pressed;"));
    error.ShowModal();
}
