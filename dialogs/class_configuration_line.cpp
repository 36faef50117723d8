#include "dialogs/class_configuration_line.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "config/option_checks.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"

ControlIds ClassConfigurationLine::ids_;
const long ClassConfigurationLine::ID_LISTBOX2 = wxNewId();
const long ClassConfigurationLine::ID_BUTTON1 = wxNewId();

ClassConfigurationLine::ClassConfigurationLine(wxWindow* parent, wxWindowID, const wxPoint&,
                                               const wxSize&) {
    Create(parent, wxID_ANY, _("Map configuration options"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, _T("wxID_ANY"));
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Map configuration option"));
    wxFlexGridSizer* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);

    // The rows; the model class names get the list.
    const std::size_t names = FieldIndex(&TextureOption::modelClassNames);
    rows_.Add(this, grid, 0, names + 1);
    grid->AddGrowableRow(names);
    modelClassList = new wxListBox(this, ID_LISTBOX2, wxDefaultPosition, FromDIP(wxSize(160, 172)), 0,
                                   nullptr, wxLB_MULTIPLE | wxLB_SORT | wxLB_HSCROLL | wxLB_NEEDED_SB,
                                   wxDefaultValidator, _T("ID_LISTBOX2"));
    modelClassList->SetToolTip(TableText(Fields<TextureOption>()[names].toolTip));
    grid->Add(modelClassList, 1, wxALL | wxEXPAND, FromDIP(5));
    textureNameField = Field(&TextureOption::textureName);
    grid->Add(-1, -1, 1, wxALL | wxEXPAND, FromDIP(5));
    saveButton = new wxButton(this, ID_BUTTON1, _("Save"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, _T("ID_BUTTON1"));
    grid->Add(saveButton, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, FromDIP(5));

    box->Add(grid, 1, wxALL | wxEXPAND, FromDIP(5));
    top->Add(box, 1, wxALL | wxEXPAND, FromDIP(5));
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
    rows_.SetTexts(OptionTexts(option));
    for (const std::string& name : option.modelClassNames) {
        const int row = modelClassList->FindString(FromNarrow(name), true);
        if (row != wxNOT_FOUND) modelClassList->SetSelection(row);
    }
}

TextureOption ClassConfigurationLine::GetOption() const {
    std::vector<std::string> names;
    for (unsigned row = 0; row < modelClassList->GetCount(); ++row)
        if (modelClassList->IsSelected(row)) names.push_back(ToNarrow(modelClassList->GetString(row)));
    return RecordFromRows(rows_, names);
}

void ClassConfigurationLine::OnSave(wxCommandEvent&) {
    FieldTexts texts = rows_.Texts();
    const std::string failure = CheckOption<TextureOption>(texts);
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
