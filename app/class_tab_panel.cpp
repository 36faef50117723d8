// The class pages: layout, and the handlers that keep the class list, the
// option list, the catalogue and the class files in step. The option lists
// are rebuilt whole from the catalogue after each change.

#include "app/class_tab_panel.h"

#include <vector>

#include <wx/intl.h>
#include <wx/sizer.h>

#include "engine/store_loader.h"
#include "dialogs/add_configuration.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/narrow_text.h"
#include "dialogs/remove_configuration.h"
#include "engine/foliage_engine.h"
#include "ui_logic/class_file_ops.h"
#include "ui_logic/option_text.h"

namespace {

struct NamedId {
    long id;
    const wxChar* name;
};

// The identifiers of one page, and the few places where the two layouts differ.
struct PageLayout {
    NamedId page, classList, addClass, removeClass, optionList, nameLabel, nameField, newOption,
        editOption, removeOption;
    wxString optionCaption;
    int optionRows;
    int classButtonsFlag, nameLabelFlag, nameFieldFlag, removeOptionFlag;
};

PageLayout LayoutOf(ClassKind kind) {
    using Ids = MainWindowIds;
    if (kind == ClassKind::Map)
        return {{Ids::ID_PANEL3, _T("ID_PANEL3")},       {Ids::ID_LISTBOX2, _T("ID_LISTBOX2")},
                {Ids::ID_BUTTON6, _T("ID_BUTTON6")},     {Ids::ID_BUTTON7, _T("ID_BUTTON7")},
                {Ids::ID_LISTBOX3, _T("ID_LISTBOX3")},   {Ids::ID_STATICTEXT5, _T("ID_STATICTEXT5")},
                {Ids::ID_TEXTCTRL6, _T("ID_TEXTCTRL6")}, {Ids::ID_BUTTON5, _T("ID_BUTTON5")},
                {Ids::ID_BUTTON4, _T("ID_BUTTON4")},     {Ids::ID_BUTTON3, _T("ID_BUTTON3")},
                _("Textures"),
                2,
                wxTOP | wxEXPAND,
                wxLEFT | wxBOTTOM | wxALIGN_CENTER_VERTICAL,
                wxRIGHT | wxBOTTOM | wxEXPAND,
                wxLEFT | wxALIGN_CENTER_VERTICAL};
    return {{Ids::ID_PANEL4, _T("ID_PANEL4")},       {Ids::ID_LISTBOX4, _T("ID_LISTBOX4")},
            {Ids::ID_BUTTON8, _T("ID_BUTTON8")},     {Ids::ID_BUTTON9, _T("ID_BUTTON9")},
            {Ids::ID_LISTBOX5, _T("ID_LISTBOX5")},   {Ids::ID_STATICTEXT6, _T("ID_STATICTEXT6")},
            {Ids::ID_TEXTCTRL7, _T("ID_TEXTCTRL7")}, {Ids::ID_BUTTON10, _T("ID_BUTTON10")},
            {Ids::ID_BUTTON11, _T("ID_BUTTON11")},   {Ids::ID_BUTTON12, _T("ID_BUTTON12")},
            _("Models"),
            3,
            wxTOP | wxALIGN_CENTER,
            wxLEFT | wxBOTTOM | wxALIGN_CENTER,
            wxRIGHT | wxBOTTOM | wxALIGN_CENTER,
            wxLEFT | wxALIGN_CENTER};
}

std::vector<std::string> ListedNames(const wxListBox* list) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < list->GetCount(); ++i) names.push_back(ToNarrow(list->GetString(i)));
    return names;
}

template <class Dialog>
bool Confirmed(wxWindow* parent) {
    Dialog dialog(parent);
    return dialog.ShowModal() != 0;
}

// What differs between the two kinds of option: the editor, the table of the
// catalogue, the list text and the change that saves it.
template <class Option>
struct OptionKind;

template <>
struct OptionKind<TextureOption> {
    using Editor = ClassConfigurationLine;
    static std::vector<TextureOption>& Options(Catalogue& catalogue, const std::string& name) {
        return catalogue.mapClasses[name];
    }
    // The texture option editor offers every model class of the catalogue.
    static void Prepare(Editor& editor, const Catalogue& catalogue) {
        std::vector<std::string> names;
        for (const auto& entry : catalogue.modelClasses) names.push_back(entry.first);
        editor.AddModelClassNames(names);
    }
    static std::string Change(Catalogue& catalogue, const std::string& directory,
                              const std::string& name, OptionChange change, std::size_t row,
                              const TextureOption& option) {
        return ChangeTextureOptions(catalogue, directory, name, change, row, option);
    }
};

template <>
struct OptionKind<ModelOption> {
    using Editor = ConfigurationLine;
    static std::vector<ModelOption>& Options(Catalogue& catalogue, const std::string& name) {
        return catalogue.modelClasses[name];
    }
    static void Prepare(Editor&, const Catalogue&) {}
    static std::string Change(Catalogue& catalogue, const std::string& directory,
                              const std::string& name, OptionChange change, std::size_t row,
                              const ModelOption& option) {
        return ChangeModelOptions(catalogue, directory, name, change, row, option);
    }
};

std::string OptionText(const TextureOption& option) { return TextureOptionText(option); }
std::string OptionText(const ModelOption& option) { return ModelOptionText(option); }

template <class Option>
std::vector<std::string> OptionTexts(Catalogue& catalogue, const std::string& className) {
    std::vector<std::string> texts;
    for (const Option& option : OptionKind<Option>::Options(catalogue, className))
        texts.push_back(OptionText(option));
    return texts;
}

}  // namespace

ClassTabPanel::ClassTabPanel(wxWindow* notebook, ClassKind kind, PageContext& context,
                             wxChoice* classChoice)
    : wxPanel(notebook, LayoutOf(kind).page.id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
              LayoutOf(kind).page.name),
      kind(kind),
      context(context),
      classChoice(classChoice) {
    Build();
}

void ClassTabPanel::Build() {
    const PageLayout ids = LayoutOf(kind);
    wxFlexGridSizer* pageGrid = new wxFlexGridSizer(1, 2, 0, 0);
    pageGrid->AddGrowableCol(1);
    pageGrid->AddGrowableRow(0);

    wxStaticBoxSizer* classesBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Classes"));
    // The class list fills its box: left at its own height and centred, it
    // leaves an empty band above and below it on a tall window.
    wxFlexGridSizer* classes = new wxFlexGridSizer(2, 1, 0, 0);
    classes->AddGrowableCol(0);
    classes->AddGrowableRow(0);
    classList = new wxListBox(this, ids.classList.id, wxDefaultPosition, FromDIP(wxSize(132, 282)), 0,
                              nullptr, kClassListStyle, wxDefaultValidator, ids.classList.name);
    classes->Add(classList, 1, wxEXPAND, FromDIP(5));
    wxBoxSizer* classButtons = new wxBoxSizer(wxHORIZONTAL);
    classButtons->Add(NewButton(this, ids.addClass.id, _("Add"), ids.addClass.name), 1,
                      wxRIGHT | wxALIGN_CENTER, FromDIP(5));
    classButtons->Add(NewButton(this, ids.removeClass.id, _("Remove"), ids.removeClass.name), 1,
                      wxLEFT | wxALIGN_CENTER, FromDIP(5));
    classes->Add(classButtons, 1, ids.classButtonsFlag, FromDIP(5));
    classesBox->Add(classes, 1, wxEXPAND, FromDIP(5));
    pageGrid->Add(classesBox, 1, wxALL | wxEXPAND, FromDIP(5));

    wxStaticBoxSizer* optionsBox =
        new wxStaticBoxSizer(wxHORIZONTAL, this, ids.optionCaption);
    wxFlexGridSizer* options = new wxFlexGridSizer(ids.optionRows, 1, 0, 0);
    options->AddGrowableCol(0);
    options->AddGrowableRow(0);
    // GTK gives a list box of default size room for a few letters only: both
    // option lists get the size of the texture list.
    optionList = new wxListBox(this, ids.optionList.id, wxDefaultPosition, FromDIP(wxSize(312, 200)), 0,
                               nullptr, kOptionListStyle, wxDefaultValidator, ids.optionList.name);
    options->Add(optionList, 1, wxEXPAND, FromDIP(5));
    wxBoxSizer* below = new wxBoxSizer(wxVERTICAL);
    // A name row that is never shown.
    wxBoxSizer* nameRow = new wxBoxSizer(wxHORIZONTAL);
    wxStaticText* nameLabel = NewLabel(this, ids.nameLabel.id, _("Name"), ids.nameLabel.name);
    nameLabel->Hide();
    nameRow->Add(nameLabel, 1, ids.nameLabelFlag, FromDIP(5));
    wxTextCtrl* nameField = NewField(this, ids.nameField.id, FromDIP(wxSize(217, kPlatformHeight)), ids.nameField.name);
    nameField->Hide();
    nameRow->Add(nameField, 3, ids.nameFieldFlag, FromDIP(5));
    below->Add(nameRow, 1, wxALIGN_CENTER, FromDIP(5));
    wxBoxSizer* optionButtons = new wxBoxSizer(wxHORIZONTAL);
    optionButtons->Add(NewButton(this, ids.newOption.id, _("New"), ids.newOption.name), 1,
                       wxRIGHT | wxALIGN_CENTER, FromDIP(5));
    optionButtons->Add(NewButton(this, ids.editOption.id, _("Edit"), ids.editOption.name), 1,
                       wxLEFT | wxRIGHT | wxALIGN_CENTER, FromDIP(5));
    optionButtons->Add(NewButton(this, ids.removeOption.id, _("Remove"), ids.removeOption.name),
                       1, ids.removeOptionFlag, FromDIP(5));
    below->Add(optionButtons, 1, wxALIGN_CENTER, FromDIP(5));
    options->Add(below, 1, wxTOP | wxEXPAND, FromDIP(5));
    optionsBox->Add(options, 1, wxEXPAND, FromDIP(5));
    pageGrid->Add(optionsBox, 1, wxALL | wxEXPAND, FromDIP(5));

    FinishPage(this, pageGrid);
}

std::string ClassTabPanel::ClassDirectory() const {
    return kind == ClassKind::Map ? MapClassDirectory(context.dataDirectory)
                                  : ModelClassDirectory(context.dataDirectory);
}

std::string ClassTabPanel::SelectedClass() const {
    const int selection = classList->GetSelection();
    return selection == wxNOT_FOUND ? std::string() : ToNarrow(classList->GetString(selection));
}

int ClassTabPanel::ListClass(const std::string& name) {
    if (classChoice) classChoice->Append(FromNarrow(name));
    return classList->Append(FromNarrow(name));
}

void ClassTabPanel::RefreshOptions(const std::string& className) {
    if (className.empty()) return;
    const std::vector<std::string> texts =
        kind == ClassKind::Map ? OptionTexts<TextureOption>(context.engine, className)
                               : OptionTexts<ModelOption>(context.engine, className);
    optionList->Clear();
    for (const std::string& text : texts) optionList->Append(FromNarrow(text));
}

int ClassTabPanel::SelectedOptionRow(const std::string& className) {
    const int row = optionList->GetSelection();
    const std::size_t count = kind == ClassKind::Map ? context.engine.mapClasses[className].size()
                                                     : context.engine.modelClasses[className].size();
    if (row == wxNOT_FOUND || static_cast<std::size_t>(row) >= count) return -1;
    return row;
}

void ClassTabPanel::OnClassSelected() { RefreshOptions(SelectedClass()); }

void ClassTabPanel::OnAddClass() {
    AddConfiguration dialog(wxGetTopLevelParent(this));
    if (dialog.ShowModal() == 0) return;
    const std::string name = ToNarrow(dialog.nameField->GetValue());
    const std::string problem = CreateClassFile(ClassDirectory(), name, ListedNames(classList));
    if (!problem.empty()) {
        ShowError(this, FromNarrow(problem));
        return;
    }
    classList->SetSelection(ListClass(name));
    optionList->Clear();
}

void ClassTabPanel::OnRemoveClass() {
    const int selection = classList->GetSelection();
    if (selection == wxNOT_FOUND) return;
    if (!Confirmed<RemoveConfiguration>(wxGetTopLevelParent(this))) return;
    const std::string name = SelectedClass();
    const std::string problem = DeleteClassFile(ClassDirectory(), name, context.engine.stamps);
    if (!problem.empty()) {
        ShowError(this, FromNarrow(problem));
        return;
    }
    // Forgotten at once, so a run cannot use it and a new class of the same
    // name starts empty. Map classes that name a removed model class keep the
    // name; placement skips a model class that is not in the catalogue.
    if (kind == ClassKind::Map) context.engine.mapClasses.erase(name);
    else context.engine.modelClasses.erase(name);
    if (classChoice) {
        // Exactly this one: a class may differ from another only in case.
        const int entry = classChoice->FindString(FromNarrow(name), /*bCase=*/true);
        if (entry != wxNOT_FOUND) classChoice->Delete(static_cast<unsigned int>(entry));
    }
    classList->Delete(selection);
    optionList->Clear();
}

void ClassTabPanel::OnNewOption() {
    const std::string className = SelectedClass();
    if (className.empty()) return;
    if (kind == ClassKind::Map) EditOption<TextureOption>(className, OptionChange::Add, -1);
    else EditOption<ModelOption>(className, OptionChange::Add, -1);
}

void ClassTabPanel::OnEditOption() {
    const std::string className = SelectedClass();
    if (className.empty()) return;
    const int row = SelectedOptionRow(className);
    if (row < 0) return;
    // An edited option moves to the end of its class.
    if (kind == ClassKind::Map) EditOption<TextureOption>(className, OptionChange::Replace, row);
    else EditOption<ModelOption>(className, OptionChange::Replace, row);
}

void ClassTabPanel::OnRemoveOption() {
    const std::string className = SelectedClass();
    if (className.empty()) return;
    const int row = SelectedOptionRow(className);
    if (row < 0) return;
    if (!Confirmed<RemoveConfigurationLine>(wxGetTopLevelParent(this))) return;
    if (kind == ClassKind::Map) ApplyChange(className, OptionChange::Remove, row, TextureOption());
    else ApplyChange(className, OptionChange::Remove, row, ModelOption());
}

template <class Option>
void ClassTabPanel::EditOption(const std::string& className, OptionChange change, int row) {
    typename OptionKind<Option>::Editor editor(wxGetTopLevelParent(this));
    OptionKind<Option>::Prepare(editor, context.engine);
    if (row >= 0) editor.SetOption(OptionKind<Option>::Options(context.engine, className)[row]);
    if (editor.ShowModal() == 0) return;
    ApplyChange(className, change, row, editor.GetOption());
}

template <class Option>
void ClassTabPanel::ApplyChange(const std::string& className, OptionChange change, int row,
                                const Option& option) {
    const std::string problem = OptionKind<Option>::Change(
        context.engine, ClassDirectory(), className, change, row < 0 ? 0 : row, option);
    if (!problem.empty()) ShowError(this, FromNarrow(problem));
    // The page shows the class it has selected, which may be another.
    else RefreshOptions(SelectedClass());
}

void ClassTabPanel::NewTextureOptionFor(const std::string& mapClassName, const std::string& texture) {
    ClassConfigurationLine editor(wxGetTopLevelParent(this));
    OptionKind<TextureOption>::Prepare(editor, context.engine);
    editor.textureNameField->ChangeValue(FromNarrow(texture));
    if (editor.ShowModal() == 0) return;
    ApplyChange(mapClassName, OptionChange::Add, -1, editor.GetOption());
}
