// Map classes and Model classes tab handlers. Every change goes to disk at
// once through the core's savers; the option lists are rebuilt whole from
// the catalogue after each change. A change whose save fails is undone, so
// the list, the catalogue and the file always agree.

#include <wx/intl.h>

#include "app/arbrel_frame.h"
#include "ui_logic/class_file_ops.h"
#include "config/store_loader.h"
#include "ui_logic/option_text.h"
#include "dialogs/add_configuration.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/configuration_line.h"
#include "dialogs/narrow_text.h"
#include "dialogs/remove_configuration.h"
#include "io/paths.h"

namespace {

std::vector<std::string> ListedNames(const wxListBox* list) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < list->GetCount(); ++i) names.push_back(ToNarrow(list->GetString(i)));
    return names;
}

std::string SelectedText(const wxListBox* list) {
    const int selection = list->GetSelection();
    return selection == wxNOT_FOUND ? std::string() : ToNarrow(list->GetString(selection));
}

// Asks for a new class name; empty when the user declined.
bool AskClassName(wxWindow* parent, std::string& name) {
    AddConfiguration dialog(parent);
    if (dialog.ShowModal() == 0) return false;
    name = ToNarrow(dialog.nameField->GetValue());
    return true;
}

template <class Dialog>
bool Confirmed(wxWindow* parent) {
    Dialog dialog(parent);
    return dialog.ShowModal() != 0;
}

// The selected option row, or -1 when there is none or the class holds no
// option at that row.
template <class Options>
int SelectedOptionRow(const wxListBox* list, const Options& options) {
    const int row = list->GetSelection();
    if (row == wxNOT_FOUND || static_cast<std::size_t>(row) >= options.size()) return -1;
    return row;
}

}  // namespace

std::string ArbrelFrame::MapClassDirectoryPath() const {
    return MapClassDirectory(DataDirectory());
}

std::string ArbrelFrame::ModelClassDirectoryPath() const {
    return ModelClassDirectory(DataDirectory());
}

std::string ArbrelFrame::SelectedMapClass() const { return SelectedText(mapClassesList); }
std::string ArbrelFrame::SelectedModelClass() const { return SelectedText(modelClassesList); }

void ArbrelFrame::RefreshTextureList(const std::string& mapClassName) {
    if (mapClassName.empty()) return;
    textureOptionsList->Clear();
    for (const TextureOption& option : engine.mapClasses[mapClassName])
        textureOptionsList->Append(FromNarrow(TextureOptionText(option)));
}

void ArbrelFrame::RefreshModelList(const std::string& modelClassName) {
    if (modelClassName.empty()) return;
    modelOptionsList->Clear();
    for (const ModelOption& option : engine.modelClasses[modelClassName])
        modelOptionsList->Append(FromNarrow(ModelOptionText(option)));
}

bool ArbrelFrame::SaveMapClassOrReport(const std::string& className) {
    if (engine.SaveMapClass(MapClassDirectoryPath(), className)) return true;
    ShowError(FromNarrow("Could not save '" + ClassFilePath(MapClassDirectoryPath(), className) +
                         "'.\n" + engine.LastError()));
    return false;
}

bool ArbrelFrame::SaveModelClassOrReport(const std::string& className) {
    if (engine.SaveModelClass(ModelClassDirectoryPath(), className)) return true;
    ShowError(FromNarrow("Could not save '" + ClassFilePath(ModelClassDirectoryPath(), className) +
                         "'.\n" + engine.LastError()));
    return false;
}

void ArbrelFrame::OfferModelClasses(ClassConfigurationLine& dialog) const {
    std::vector<std::string> names;
    for (const auto& entry : engine.modelClasses) names.push_back(entry.first);
    dialog.AddModelClassNames(names);
}

// --- Map classes ---

void ArbrelFrame::OnMapClassSelected(wxCommandEvent&) { RefreshTextureList(SelectedMapClass()); }

void ArbrelFrame::OnAddMapClass(wxCommandEvent&) {
    std::string name;
    if (!AskClassName(this, name)) return;
    const std::string problem =
        CreateClassFile(MapClassDirectoryPath(), name, ListedNames(mapClassesList));
    if (!problem.empty()) {
        ShowError(FromNarrow(problem));
        return;
    }
    mapClassesList->SetSelection(mapClassesList->Append(FromNarrow(name)));
    mapClassChoice->Append(FromNarrow(name));
    textureOptionsList->Clear();
}

void ArbrelFrame::OnRemoveMapClass(wxCommandEvent&) {
    const int selection = mapClassesList->GetSelection();
    if (selection == wxNOT_FOUND) return;
    if (!Confirmed<RemoveConfiguration>(this)) return;
    const std::string name = SelectedMapClass();
    const std::string problem = DeleteClassFile(MapClassDirectoryPath(), name);
    if (!problem.empty()) {
        ShowError(FromNarrow(problem));
        return;
    }
    // Forgotten at once, so a run cannot use it and a new class of the same
    // name starts empty.
    engine.mapClasses.erase(name);
    // Exactly this one: a class may differ from another only in case.
    const int entry = mapClassChoice->FindString(FromNarrow(name), /*bCase=*/true);
    if (entry != wxNOT_FOUND) mapClassChoice->Delete(static_cast<unsigned int>(entry));
    mapClassesList->Delete(selection);
    textureOptionsList->Clear();
}

void ArbrelFrame::OnNewTextureOption(wxCommandEvent&) {
    const std::string className = SelectedMapClass();
    if (className.empty()) return;
    ClassConfigurationLine dialog(this);
    OfferModelClasses(dialog);
    if (dialog.ShowModal() == 0) return;
    std::vector<TextureOption>& options = engine.mapClasses[className];
    const std::vector<TextureOption> before = options;
    options.push_back(dialog.GetOption());
    if (SaveMapClassOrReport(className)) RefreshTextureList(className);
    else options = before;
}

void ArbrelFrame::OnEditTextureOption(wxCommandEvent&) {
    const std::string className = SelectedMapClass();
    if (className.empty()) return;
    std::vector<TextureOption>& options = engine.mapClasses[className];
    const int row = SelectedOptionRow(textureOptionsList, options);
    if (row < 0) return;
    ClassConfigurationLine dialog(this);
    OfferModelClasses(dialog);
    dialog.SetOption(options[row]);
    if (dialog.ShowModal() == 0) return;
    const std::vector<TextureOption> before = options;
    // An edited option moves to the end of its class.
    options.erase(options.begin() + row);
    options.push_back(dialog.GetOption());
    if (SaveMapClassOrReport(className)) RefreshTextureList(className);
    else options = before;
}

void ArbrelFrame::OnRemoveTextureOption(wxCommandEvent&) {
    const std::string className = SelectedMapClass();
    if (className.empty()) return;
    std::vector<TextureOption>& options = engine.mapClasses[className];
    const int row = SelectedOptionRow(textureOptionsList, options);
    if (row < 0) return;
    if (!Confirmed<RemoveConfigurationLine>(this)) return;
    const std::vector<TextureOption> before = options;
    options.erase(options.begin() + row);
    if (SaveMapClassOrReport(className)) RefreshTextureList(className);
    else options = before;
}

// --- Model classes ---

void ArbrelFrame::OnModelClassSelected(wxCommandEvent&) { RefreshModelList(SelectedModelClass()); }

void ArbrelFrame::OnAddModelClass(wxCommandEvent&) {
    std::string name;
    if (!AskClassName(this, name)) return;
    const std::string problem =
        CreateClassFile(ModelClassDirectoryPath(), name, ListedNames(modelClassesList));
    if (!problem.empty()) {
        ShowError(FromNarrow(problem));
        return;
    }
    modelClassesList->SetSelection(modelClassesList->Append(FromNarrow(name)));
    modelOptionsList->Clear();
}

void ArbrelFrame::OnRemoveModelClass(wxCommandEvent&) {
    const int selection = modelClassesList->GetSelection();
    if (selection == wxNOT_FOUND) return;
    if (!Confirmed<RemoveConfiguration>(this)) return;
    const std::string name = SelectedModelClass();
    const std::string problem = DeleteClassFile(ModelClassDirectoryPath(), name);
    if (!problem.empty()) {
        ShowError(FromNarrow(problem));
        return;
    }
    // Map classes that name it keep the name; placement skips a model class
    // that is not in the catalogue.
    engine.modelClasses.erase(name);
    modelClassesList->Delete(selection);
    modelOptionsList->Clear();
}

void ArbrelFrame::OnNewModelOption(wxCommandEvent&) {
    const std::string className = SelectedModelClass();
    if (className.empty()) return;
    ConfigurationLine dialog(this);
    if (dialog.ShowModal() == 0) return;
    std::vector<ModelOption>& options = engine.modelClasses[className];
    const std::vector<ModelOption> before = options;
    options.push_back(dialog.GetOption());
    if (SaveModelClassOrReport(className)) RefreshModelList(className);
    else options = before;
}

void ArbrelFrame::OnEditModelOption(wxCommandEvent&) {
    const std::string className = SelectedModelClass();
    if (className.empty()) return;
    std::vector<ModelOption>& options = engine.modelClasses[className];
    const int row = SelectedOptionRow(modelOptionsList, options);
    if (row < 0) return;
    ConfigurationLine dialog(this);
    dialog.SetOption(options[row]);
    if (dialog.ShowModal() == 0) return;
    const std::vector<ModelOption> before = options;
    options.erase(options.begin() + row);
    options.push_back(dialog.GetOption());
    if (SaveModelClassOrReport(className)) RefreshModelList(className);
    else options = before;
}

void ArbrelFrame::OnRemoveModelOption(wxCommandEvent&) {
    const std::string className = SelectedModelClass();
    if (className.empty()) return;
    std::vector<ModelOption>& options = engine.modelClasses[className];
    const int row = SelectedOptionRow(modelOptionsList, options);
    if (row < 0) return;
    if (!Confirmed<RemoveConfigurationLine>(this)) return;
    const std::vector<ModelOption> before = options;
    options.erase(options.begin() + row);
    if (SaveModelClassOrReport(className)) RefreshModelList(className);
    else options = before;
}
