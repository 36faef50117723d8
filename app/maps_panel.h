#pragma once
// The "Maps" page: the maps of the chosen installation, the run's settings,
// the status of a run and its Run button. It also serves the installation
// row above the notebook, whose choice and button the window builds.

#include <functional>
#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>

#include "app/page_parts.h"
#include "app/window_ids.h"
#include "engine/progress_receiver.h"
#include "engine/run_pipeline.h"
#include "preview/png_encoder.h"

class MapsPanel : public wxPanel, private MainWindowIds {
public:
    // progress: the main window, which the engine reports to and which hands
    // the reports back to ResetStatus, MeshRead, ...
    MapsPanel(wxWindow* notebook, PageContext& context, ProgressReceiver& progress,
              wxChoice* installDirChoice, wxButton* setInstallDirButton);

    // Selects the installation directory and fills the Seed of the last
    // session (called once, at start).
    void RestoreSession();

    // The handlers of the installation row and of this page.
    void OnInstallDirSelected();
    void OnSetInstallDir(wxDirDialog& dialog);
    void OnMapSelected();
    void OnSelectInputMap(wxFileDialog& dialog);
    void OnMapClassChosen();
    void OnSelectOutputMap(wxFileDialog& dialog);
    void OnRun();

    // The status display.
    void ResetStatus();
    void MeshRead();
    void MeshProcessed();
    void ModelPlaced();
    // False once the user asked to stop the run (Stop, Escape, closing).
    bool KeepGoing();

    // A run (or the read of "Textures in map...") takes the window over:
    // only Stop, Escape and the close box do anything until it ends.
    bool Running() const { return running; }
    // Stops the run; with thenClose the window is closed once it has unwound.
    void StopRun(bool thenClose);

    // The map classes offered for a run; the Map classes page keeps it in step.
    wxChoice* MapClassChoice() const { return mapClassChoice; }
    // Opens the texture option editor for a texture of "Textures in map...".
    void SetNewTextureOption(
        std::function<void(const std::string& mapClass, const std::string& texture)> start) {
        newTextureOption = std::move(start);
    }

private:
    void Build();
    void BindOwnHandlers();

    // The selected installation directory, empty for none.
    std::string SelectedInstallDirectory() const;
    int FindInstallDirectoryEntry(const std::string& directory) const;
    // Shows why a directory is not an installation; false when it is one.
    // couldNotTell is set when the file system gave no answer.
    bool ShowInstallDirProblem(const std::string& directory, bool* couldNotTell = nullptr);
    // Writes config.csv, showing a failure.
    void SaveConfiguration();
    // Writes the installation directory and the Seed for the next start.
    void RememberSession();
    // Remembers the map class and the mark and replace boxes for the map
    // picked from the list (not for a hand-chosen file).
    void RememberMapChoice();
    void OnRunOptionToggled(wxCommandEvent& event);
    // Lists maps that appeared in the shown map_source (a run's output).
    void ListNewMaps();

    // What the map holds and what the last run did.
    void OnShowTextures(wxCommandEvent& event);
    void OnShowPreview(wxCommandEvent& event);
    // The picture of the last run no longer matches what the page shows.

    // The run request from the page's controls.
    RunRequest GatherRunRequest() const;
    // The Seed field into the request; false (after showing why) when it is
    // not a number.
    bool GatherSeed(RunRequest& request);
    // One dialog for a failed run (or read): the message, then the detail.
    void ShowRunFailure(const RunResult& result);
    // The static models of the last run's output; a warning when they are
    // more than the engine loads.
    void ShowBudget(const ModelBudget& budget);
    // Input made during a run reaches disabled controls.
    void BeginRun();
    void EndRun();
    void SetRunInputsEnabled(bool enabled);
    // Runs `steps` as a run; an exception ends it as a failure.
    RunResult RunGuarded(const std::function<RunResult()>& steps);
    // Counters are raised on every call; the labels and the gauge follow at
    // most about ten times a second, and always at the end of a run.
    void RefreshStatusIfDue();
    void ShowStatus();
    // Handles the clicks and keys the toolkit holds, under the run's rules.
    void TakeInput();

    PageContext& context;
    ProgressReceiver& progress;
    std::function<void(const std::string&, const std::string&)> newTextureOption;

    // The installation row (built by the window).
    wxChoice* installDirChoice;          // ID_CHOICE2
    wxButton* setInstallDirButton;       // ID_BUTTON1
    // This page.
    wxListBox* mapsList;                 // ID_LISTBOX1
    wxTextCtrl* inputField;              // ID_TEXTCTRL8
    wxButton* selectInputButton;         // ID_BUTTON13
    wxChoice* mapClassChoice;            // ID_CHOICE1
    wxTextCtrl* outputField;             // ID_TEXTCTRL2
    wxButton* selectOutputButton;        // ID_BUTTON14
    wxTextCtrl* seedField;               // ID_TEXTCTRL9, empty: the usual sequence
    wxButton* texturesButton;            // ID_BUTTON15, "Textures in map..."
    wxCheckBox* markCheck;               // ID_CHECKBOX1, mark placed models
    wxCheckBox* replaceCheck;            // ID_CHECKBOX2, replace an earlier run's models
    wxGauge* gauge;                      // ID_GAUGE1
    wxStaticText* meshesReadCount;       // ID_STATICTEXT9
    wxStaticText* meshesProcessedCount;  // ID_STATICTEXT8
    wxStaticText* modelsPlacedCount;     // ID_STATICTEXT11
    wxStaticText* staticModelsCount;     // ID_STATICTEXT14, the output's misc_models of 65536
    wxButton* runButton;                 // ID_BUTTON2
    wxButton* previewButton;             // ID_BUTTON16, opens the live preview window

    int meshesProcessed = 0;
    int meshesRead = 0;
    int modelsPlaced = 0;

    wxStopWatch statusClock;
    long lastStatusRefresh = 0;
    bool running = false;
    bool stopRequested = false;
    bool closeAfterRun = false;
};
