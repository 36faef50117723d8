// Installation directory row and Maps tab handlers. What a directory must
// hold, which of its files are maps, and what output a map suggests are the
// core's; these handlers move text between the controls and the catalogue.

#include <wx/intl.h>

#include "app/maps_panel.h"
#include "config/data_files.h"
#include "config/install_dir_check.h"
#include "config/last_session.h"
#include "ui_logic/map_source_listing.h"
#include "ui_logic/output_suggestion.h"
#include "ui_logic/remembered_choice.h"
#include "dialogs/narrow_text.h"
#include "engine/foliage_engine.h"
#include "io/paths.h"

namespace {

// The file dialogs open inside the shown installation's map_source (a path
// set as the dialog's path would only be highlighted in its parent), with
// the field's map as the name they propose.
void OpenInMapSource(wxFileDialog& dialog, const std::string& installDir, const wxString& field) {
    const std::string name = paths::LastComponent(ToNarrow(field));
    dialog.SetFilename(name.empty() ? wxString() : FromNarrow(WithMapExtension(name)));
    dialog.SetDirectory(installDir.empty() ? wxString()
                                            : FromNarrow(MapSourceDirectory(installDir)));
}

// A long path shows its end (the file name) and, as a tool tip, all of it.
void ShowPath(wxTextCtrl* field, const wxString& path) {
    field->SetValue(path);
    field->SetInsertionPointEnd();
    field->SetToolTip(path);
}

}  // namespace

std::string MapsPanel::SelectedInstallDirectory() const {
    const int selection = installDirChoice->GetSelection();
    if (selection == wxNOT_FOUND) return std::string();
    const wxString text = installDirChoice->GetString(selection);
    if (text == _("-- None --")) return std::string();
    return ToNarrow(text);
}

int MapsPanel::FindInstallDirectoryEntry(const std::string& directory) const {
    for (unsigned int i = 0; i < installDirChoice->GetCount(); ++i)
        if (SameInstallationDirectory(ToNarrow(installDirChoice->GetString(i)), directory))
            return static_cast<int>(i);
    return wxNOT_FOUND;
}

void MapsPanel::SaveConfiguration() {
    if (!context.engine.SaveConfig(context.dataDirectory, "config"))
        ShowError(this, FromNarrow(context.engine.LastError()));
}

bool MapsPanel::ShowInstallDirProblem(const std::string& directory, bool* couldNotTell) {
    const InstallDirCheck check = CheckInstallationDirectory(directory);
    if (couldNotTell) *couldNotTell = check.problem == InstallDirProblem::QueryFailed;
    if (check.ok()) return false;
    ShowError(this, check.translatable ? wxGetTranslation(FromNarrow(check.message))
                                 : FromNarrow(check.message));
    return true;
}

void MapsPanel::RememberSession() {
    // A convenience only: a failure is not worth a message on every change.
    std::string error;
    SaveLastSession(context.dataDirectory,
                    {SelectedInstallDirectory(), ToNarrow(seedField->GetValue())}, error);
}

void MapsPanel::RestoreSession() {
    const LastSession session = LoadLastSession(context.dataDirectory);
    seedField->ChangeValue(FromNarrow(session.seed));
    if (session.installDir.empty()) return;
    const int entry = FindInstallDirectoryEntry(session.installDir);
    if (entry == wxNOT_FOUND) return;
    installDirChoice->SetSelection(entry);
    OnInstallDirSelected();
}

void MapsPanel::OnInstallDirSelected() {
    ResetStatus();
    mapsList->Clear();
    RememberSession();
    const std::string directory = SelectedInstallDirectory();
    if (directory.empty()) return;
    bool couldNotTell = false;
    if (ShowInstallDirProblem(directory, &couldNotTell)) {
        // Forgotten at the next save (the entry stays in the choice), unless
        // the file system could not say, as with a share that is offline.
        if (!couldNotTell) context.engine.installations.erase(directory);
        return;
    }
    const MapSourceListing listing = ListMapSource(MapSourceDirectory(directory));
    for (const std::string& name : listing.mapNames) mapsList->Append(FromNarrow(name));
    if (!listing.errors.empty()) {
        std::string message;
        for (const std::string& error : listing.errors)
            message += (message.empty() ? "" : "\n") + error;
        ShowError(this, FromNarrow(message));
    }
}

void MapsPanel::ListNewMaps() {
    const std::string directory = SelectedInstallDirectory();
    if (directory.empty() || mapsList->IsEmpty()) return;
    const MapSourceListing listing = ListMapSource(MapSourceDirectory(directory));
    // Added, not rebuilt: the selection stays. Listing errors were shown when
    // the directory was chosen.
    for (const std::string& name : listing.mapNames)
        if (mapsList->FindString(FromNarrow(name), /*bCase=*/true) == wxNOT_FOUND)
            mapsList->Append(FromNarrow(name));
}

void MapsPanel::OnSetInstallDir(wxDirDialog& dialog) {
    ResetStatus();
    dialog.SetPath(FromNarrow(SelectedInstallDirectory()));
    if (dialog.ShowModal() != wxID_OK) return;
    const std::string chosen = ToNarrow(dialog.GetPath());

    if (FindInstallDirectoryEntry(chosen) == wxNOT_FOUND) {
        if (ShowInstallDirProblem(chosen)) return;
        const std::string unfit = CheckRememberedDirectory(chosen);
        if (!unfit.empty()) {
            ShowError(this, FromNarrow(unfit));
            return;
        }
        context.engine.installations[chosen] = MapChoices();
        SaveConfiguration();
        installDirChoice->Append(FromNarrow(chosen));
    }
    installDirChoice->SetSelection(FindInstallDirectoryEntry(chosen));
    OnInstallDirSelected();
}

void MapsPanel::OnMapSelected() {
    ResetStatus();
    const int selection = mapsList->GetSelection();
    if (selection == wxNOT_FOUND) return;
    const std::string mapName = ToNarrow(mapsList->GetString(selection));
    ShowPath(inputField, FromNarrow(mapName));
    ShowPath(outputField, FromNarrow(SuggestedOutputName(mapName)));

    // The class remembered for this map, if it still exists, and its boxes.
    int classEntry = wxNOT_FOUND;
    RememberedChoice choice;
    const auto installation = context.engine.installations.find(SelectedInstallDirectory());
    if (installation != context.engine.installations.end()) {
        const auto remembered = installation->second.find(mapName);
        if (remembered != installation->second.end()) choice = ParseRememberedChoice(remembered->second);
        if (context.engine.mapClasses.count(choice.mapClass) != 0)
            classEntry = mapClassChoice->FindString(FromNarrow(choice.mapClass), true);
    }
    mapClassChoice->SetSelection(classEntry);
    markCheck->SetValue(choice.mark);
    replaceCheck->SetValue(choice.replace);
}

void MapsPanel::OnRunOptionToggled(wxCommandEvent&) {
    ResetStatus();
    RememberMapChoice();
}

void MapsPanel::OnMapClassChosen() {
    ResetStatus();
    RememberMapChoice();
}

void MapsPanel::RememberMapChoice() {
    const std::string directory = SelectedInstallDirectory();
    const int mapEntry = mapsList->GetSelection();
    const int classEntry = mapClassChoice->GetSelection();
    if (directory.empty() || mapEntry == wxNOT_FOUND || classEntry == wxNOT_FOUND) return;
    // Only a map picked from the list is remembered, not a hand-chosen path.
    if (inputField->GetValue() != mapsList->GetString(mapEntry)) return;
    const std::string unfit = CheckRememberedMapName(ToNarrow(inputField->GetValue()));
    if (!unfit.empty()) {
        ShowError(this, FromNarrow(unfit));
        return;
    }
    RememberedChoice choice;
    choice.mapClass = ToNarrow(mapClassChoice->GetString(classEntry));
    choice.mark = markCheck->GetValue();
    choice.replace = replaceCheck->GetValue();
    context.engine.installations[directory][ToNarrow(inputField->GetValue())] = FormatRememberedChoice(choice);
    SaveConfiguration();
}

void MapsPanel::OnSelectInputMap(wxFileDialog& dialog) {
    ResetStatus();
    OpenInMapSource(dialog, SelectedInstallDirectory(), inputField->GetValue());
    if (dialog.ShowModal() != wxID_OK) return;
    const std::string chosen = ToNarrow(dialog.GetPath());
    const platform::PathStatus query = platform::QueryPath(chosen);
    if (query.kind == platform::PathKind::QueryFailed) {
        ShowError(this, FromNarrow(PathQueryFailure(chosen, query)));
        return;
    }
    if (query.kind != platform::PathKind::RegularFile) {
        ShowError(this, _("Path specified is not a file."));
        return;
    }
    ShowPath(inputField, FromNarrow(chosen));
    ShowPath(outputField, FromNarrow(SuggestedOutputPath(chosen)));
}

void MapsPanel::OnSelectOutputMap(wxFileDialog& dialog) {
    ResetStatus();
    OpenInMapSource(dialog, SelectedInstallDirectory(), outputField->GetValue());
    if (dialog.ShowModal() != wxID_OK) return;
    // The run takes a full path as typed: it must hold the extension.
    ShowPath(outputField, FromNarrow(WithMapExtension(ToNarrow(dialog.GetPath()))));
}
