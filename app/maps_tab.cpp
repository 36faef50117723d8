// Installation directory row and Maps tab handlers. What a directory must
// hold, which of its files are maps, and what output a map suggests are the
// core's; these handlers move text between the controls and the catalogue.

#include <wx/intl.h>

#include "app/arbrel_frame.h"
#include "config/data_files.h"
#include "config/install_dir_check.h"
#include "ui_logic/map_source_listing.h"
#include "ui_logic/output_suggestion.h"
#include "ui_logic/remembered_choice.h"
#include "dialogs/narrow_text.h"
#include "io/paths.h"

namespace {

// The file dialogs open inside the shown installation's map_source (a path
// set as the dialog's path would only be highlighted in its parent).
void OpenInMapSource(wxFileDialog* dialog, const std::string& installDir) {
    dialog->SetFilename(wxEmptyString);
    dialog->SetDirectory(installDir.empty() ? wxString()
                                            : FromNarrow(MapSourceDirectory(installDir)));
}

// A long path shows its end (the file name) and, as a tool tip, all of it.
void ShowPath(wxTextCtrl* field, const wxString& path) {
    field->SetValue(path);
    field->SetInsertionPointEnd();
    field->SetToolTip(path);
}

}  // namespace

std::string ArbrelFrame::SelectedInstallDirectory() const {
    const int selection = installDirChoice->GetSelection();
    if (selection == wxNOT_FOUND) return std::string();
    const wxString text = installDirChoice->GetString(selection);
    if (text == _("-- None --")) return std::string();
    return ToNarrow(text);
}

int ArbrelFrame::FindInstallDirectoryEntry(const std::string& directory) const {
    for (unsigned int i = 0; i < installDirChoice->GetCount(); ++i)
        if (SameInstallationDirectory(ToNarrow(installDirChoice->GetString(i)), directory))
            return static_cast<int>(i);
    return wxNOT_FOUND;
}

void ArbrelFrame::SaveConfiguration() {
    if (!engine.SaveConfig(DataDirectory(), "config"))
        ShowError(FromNarrow(engine.LastError()));
}

bool ArbrelFrame::ShowInstallDirProblem(const std::string& directory, bool* couldNotTell) {
    const InstallDirCheck check = CheckInstallationDirectory(directory);
    if (couldNotTell) *couldNotTell = check.problem == InstallDirProblem::QueryFailed;
    if (check.ok()) return false;
    ShowError(check.translatable ? wxGetTranslation(FromNarrow(check.message))
                                 : FromNarrow(check.message));
    return true;
}

void ArbrelFrame::OnInstallDirSelected(wxCommandEvent&) {
    ResetStatus();
    mapsList->Clear();
    const std::string directory = SelectedInstallDirectory();
    if (directory.empty()) return;
    bool couldNotTell = false;
    if (ShowInstallDirProblem(directory, &couldNotTell)) {
        // Forgotten at the next save (the entry stays in the choice), unless
        // the file system could not say, as with a share that is offline.
        if (!couldNotTell) engine.installations.erase(directory);
        return;
    }
    const MapSourceListing listing = ListMapSource(MapSourceDirectory(directory));
    for (const std::string& name : listing.mapNames) mapsList->Append(FromNarrow(name));
    if (!listing.errors.empty()) {
        std::string message;
        for (const std::string& error : listing.errors)
            message += (message.empty() ? "" : "\n") + error;
        ShowError(FromNarrow(message));
    }
}

void ArbrelFrame::OnSetInstallDir(wxCommandEvent& event) {
    ResetStatus();
    installDirDialog->SetPath(FromNarrow(SelectedInstallDirectory()));
    if (installDirDialog->ShowModal() != wxID_OK) return;
    const std::string chosen = ToNarrow(installDirDialog->GetPath());

    if (FindInstallDirectoryEntry(chosen) == wxNOT_FOUND) {
        if (ShowInstallDirProblem(chosen)) return;
        const std::string unfit = CheckRememberedDirectory(chosen);
        if (!unfit.empty()) {
            ShowError(FromNarrow(unfit));
            return;
        }
        engine.installations[chosen] = MapChoices();
        SaveConfiguration();
        installDirChoice->Append(FromNarrow(chosen));
    }
    installDirChoice->SetSelection(FindInstallDirectoryEntry(chosen));
    OnInstallDirSelected(event);
}

void ArbrelFrame::OnMapSelected(wxCommandEvent&) {
    ResetStatus();
    const int selection = mapsList->GetSelection();
    if (selection == wxNOT_FOUND) return;
    const std::string mapName = ToNarrow(mapsList->GetString(selection));
    ShowPath(inputField, FromNarrow(mapName));
    ShowPath(outputField, FromNarrow(SuggestedOutputName(mapName)));

    // The class remembered for this map, if it still exists, and its boxes.
    int classEntry = wxNOT_FOUND;
    RememberedChoice choice;
    const auto installation = engine.installations.find(SelectedInstallDirectory());
    if (installation != engine.installations.end()) {
        const auto remembered = installation->second.find(mapName);
        if (remembered != installation->second.end()) choice = ParseRememberedChoice(remembered->second);
        if (engine.mapClasses.count(choice.mapClass) != 0)
            classEntry = mapClassChoice->FindString(FromNarrow(choice.mapClass), true);
    }
    mapClassChoice->SetSelection(classEntry);
    markCheck->SetValue(choice.mark);
    replaceCheck->SetValue(choice.replace);
}

void ArbrelFrame::OnRunOptionToggled(wxCommandEvent&) {
    ResetStatus();
    RememberMapChoice();
}

void ArbrelFrame::OnMapClassChosen(wxCommandEvent&) {
    ResetStatus();
    RememberMapChoice();
}

void ArbrelFrame::RememberMapChoice() {
    const std::string directory = SelectedInstallDirectory();
    const int mapEntry = mapsList->GetSelection();
    const int classEntry = mapClassChoice->GetSelection();
    if (directory.empty() || mapEntry == wxNOT_FOUND || classEntry == wxNOT_FOUND) return;
    // Only a map picked from the list is remembered, not a hand-chosen path.
    if (inputField->GetValue() != mapsList->GetString(mapEntry)) return;
    const std::string unfit = CheckRememberedMapName(ToNarrow(inputField->GetValue()));
    if (!unfit.empty()) {
        ShowError(FromNarrow(unfit));
        return;
    }
    RememberedChoice choice;
    choice.mapClass = ToNarrow(mapClassChoice->GetString(classEntry));
    choice.mark = markCheck->GetValue();
    choice.replace = replaceCheck->GetValue();
    engine.installations[directory][ToNarrow(inputField->GetValue())] = FormatRememberedChoice(choice);
    SaveConfiguration();
}

void ArbrelFrame::OnSelectInputMap(wxCommandEvent&) {
    ResetStatus();
    OpenInMapSource(openMapDialog, SelectedInstallDirectory());
    if (openMapDialog->ShowModal() != wxID_OK) return;
    const std::string chosen = ToNarrow(openMapDialog->GetPath());
    const platform::PathStatus query = platform::QueryPath(chosen);
    if (query.kind == platform::PathKind::QueryFailed) {
        ShowError(FromNarrow(PathQueryFailure(chosen, query)));
        return;
    }
    if (query.kind != platform::PathKind::RegularFile) {
        ShowError(_("Path specified is not a file."));
        return;
    }
    ShowPath(inputField, FromNarrow(chosen));
    ShowPath(outputField, FromNarrow(SuggestedOutputPath(chosen)));
}

void ArbrelFrame::OnSelectOutputMap(wxCommandEvent&) {
    ResetStatus();
    OpenInMapSource(saveMapDialog, SelectedInstallDirectory());
    if (saveMapDialog->ShowModal() == wxID_OK) ShowPath(outputField, saveMapDialog->GetPath());
}
