#pragma once
// The one main window: the installation-directory row and a notebook of
// five tabs. It owns the engine for its whole life and receives its progress.

#include <functional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>

#include "engine/foliage_engine.h"
#include "preview/png_encoder.h"
#include "engine/progress_receiver.h"
#include "engine/run_pipeline.h"

class ClassConfigurationLine;

class ArbrelFrame : public wxFrame, public ProgressReceiver {
public:
    // appDirectoryOverride (tests) replaces the executable's directory as the
    // place of `data`; it must end with a separator. dataDirectory, when not
    // empty, is the settings directory to use instead of that `data`.
    explicit ArbrelFrame(wxWindow* parent, wxWindowID id = -1,
                         const std::string& appDirectoryOverride = std::string(),
                         const std::string& dataDirectory = std::string());
    ~ArbrelFrame() override;

    // Shows what went wrong while loading the data directory, if anything.
    // Called once the window is on screen.
    void ReportStartupErrors();

    // Status display of the Maps tab.
    void ResetStatus();
    void MeshRead() override;
    void MeshProcessed() override;
    void ModelPlaced() override;
    // False once the user asked to stop the run (Stop, Escape, closing).
    bool KeepGoing() override;

    FoliageEngine engine;
    int meshesProcessed = 0;
    int meshesRead = 0;
    int modelsPlaced = 0;
    std::string appDirectory;
    std::string dataDirectoryOverride;  // --data-dir; empty: `data` in appDirectory
    std::vector<std::string> startupErrors;

    wxDirDialog* installDirDialog = nullptr;
    wxFileDialog* openMapDialog = nullptr;
    wxFileDialog* saveMapDialog = nullptr;

    static const long ID_PANEL1;
    static const long ID_CHOICE2;
    static const long ID_BUTTON1;
    static const long ID_NOTEBOOK1;
    static const long ID_PANEL2;
    static const long ID_LISTBOX1;
    static const long ID_STATICTEXT7;
    static const long ID_TEXTCTRL8;
    static const long ID_BUTTON13;
    static const long ID_STATICTEXT2;
    static const long ID_CHOICE1;
    static const long ID_STATICTEXT3;
    static const long ID_TEXTCTRL2;
    static const long ID_BUTTON14;
    static const long ID_GAUGE1;
    static const long ID_STATICTEXT1;
    static const long ID_STATICTEXT9;
    static const long ID_STATICTEXT10;
    static const long ID_STATICTEXT8;
    static const long ID_STATICTEXT4;
    static const long ID_STATICTEXT11;
    static const long ID_BUTTON2;
    static const long ID_PANEL3;
    static const long ID_LISTBOX2;
    static const long ID_BUTTON6;
    static const long ID_BUTTON7;
    static const long ID_LISTBOX3;
    static const long ID_STATICTEXT5;
    static const long ID_TEXTCTRL6;
    static const long ID_BUTTON5;
    static const long ID_BUTTON4;
    static const long ID_BUTTON3;
    static const long ID_PANEL4;
    static const long ID_LISTBOX4;
    static const long ID_BUTTON8;
    static const long ID_BUTTON9;
    static const long ID_LISTBOX5;
    static const long ID_STATICTEXT6;
    static const long ID_TEXTCTRL7;
    static const long ID_BUTTON10;
    static const long ID_BUTTON11;
    static const long ID_BUTTON12;
    static const long ID_PANEL5;
    static const long ID_TEXTCTRL1;
    static const long ID_PANEL6;
    static const long ID_TEXTCTRL3;
    static const long ID_STATICTEXT12;
    static const long ID_TEXTCTRL9;
    static const long ID_BUTTON15;
    static const long ID_BUTTON16;
    static const long ID_CHECKBOX1;
    static const long ID_CHECKBOX2;
    static const long ID_STATICTEXT13;
    static const long ID_STATICTEXT14;

    // The directory row and the notebook.
    wxPanel* rootPanel;
    wxChoice* installDirChoice;          // ID_CHOICE2
    wxButton* setInstallDirButton;       // ID_BUTTON1
    wxNotebook* notebook;
    // Maps tab.
    wxPanel* mapsPage;
    wxListBox* mapsList;                 // ID_LISTBOX1
    wxStaticText* inputLabel;
    wxTextCtrl* inputField;              // ID_TEXTCTRL8
    wxButton* selectInputButton;         // ID_BUTTON13
    wxStaticText* mapClassLabel;
    wxChoice* mapClassChoice;            // ID_CHOICE1
    wxStaticText* outputLabel;
    wxTextCtrl* outputField;             // ID_TEXTCTRL2
    wxButton* selectOutputButton;        // ID_BUTTON14
    wxGauge* gauge;                      // ID_GAUGE1
    wxStaticText* meshesReadLabel;
    wxStaticText* meshesReadCount;       // ID_STATICTEXT9
    wxStaticText* meshesProcessedLabel;
    wxStaticText* meshesProcessedCount;  // ID_STATICTEXT8
    wxStaticText* modelsPlacedLabel;
    wxStaticText* modelsPlacedCount;     // ID_STATICTEXT11
    wxButton* runButton;                 // ID_BUTTON2
    wxStaticText* seedLabel;             // ID_STATICTEXT12
    wxTextCtrl* seedField;               // ID_TEXTCTRL9, empty: the usual sequence
    wxButton* texturesButton;            // ID_BUTTON15, "Textures in map..."
    wxButton* previewButton;             // ID_BUTTON16, opens the live preview window
    wxCheckBox* markCheck;               // ID_CHECKBOX1, mark placed models
    wxCheckBox* replaceCheck;            // ID_CHECKBOX2, replace an earlier run's models
    wxStaticText* staticModelsLabel;     // ID_STATICTEXT13
    wxStaticText* staticModelsCount;     // ID_STATICTEXT14, the output's misc_models of 65536
    // Map classes tab.
    wxPanel* mapClassesPage;
    wxListBox* mapClassesList;           // ID_LISTBOX2
    wxButton* addMapClassButton;         // ID_BUTTON6
    wxButton* removeMapClassButton;      // ID_BUTTON7
    wxListBox* textureOptionsList;       // ID_LISTBOX3
    wxStaticText* textureNameLabel;      // hidden
    wxTextCtrl* textureNameField;        // hidden
    wxButton* newTextureButton;          // ID_BUTTON5
    wxButton* editTextureButton;         // ID_BUTTON4
    wxButton* removeTextureButton;       // ID_BUTTON3
    // Model classes tab.
    wxPanel* modelClassesPage;
    wxListBox* modelClassesList;         // ID_LISTBOX4
    wxButton* addModelClassButton;       // ID_BUTTON8
    wxButton* removeModelClassButton;    // ID_BUTTON9
    wxListBox* modelOptionsList;         // ID_LISTBOX5
    wxStaticText* modelNameLabel;        // hidden
    wxTextCtrl* modelNameField;          // hidden
    wxButton* newModelButton;            // ID_BUTTON10
    wxButton* editModelButton;           // ID_BUTTON11
    wxButton* removeModelButton;         // ID_BUTTON12
    // Information and Tutorial tabs.
    wxPanel* informationPage;
    wxTextCtrl* informationText;         // ID_TEXTCTRL1
    wxPanel* tutorialPage;
    wxTextCtrl* tutorialText;            // ID_TEXTCTRL3

    // Installation directory and Maps tab.
    void OnInstallDirSelected(wxCommandEvent& event);
    void OnSetInstallDir(wxCommandEvent& event);
    void OnMapSelected(wxCommandEvent& event);
    void OnSelectInputMap(wxCommandEvent& event);
    void OnMapClassChosen(wxCommandEvent& event);
    void OnSelectOutputMap(wxCommandEvent& event);
    void OnRunOptionToggled(wxCommandEvent& event);
    // Run.
    void OnRun(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnPageChanging(wxBookCtrlEvent& event);
    // What the map holds and what the last run did.
    void OnShowTextures(wxCommandEvent& event);
    void OnShowPreview(wxCommandEvent& event);
    // Map classes tab.
    void RefreshTextureList(const std::string& mapClassName);
    void RefreshModelList(const std::string& modelClassName);
    void OnMapClassSelected(wxCommandEvent& event);
    void OnAddMapClass(wxCommandEvent& event);
    void OnRemoveMapClass(wxCommandEvent& event);
    void OnNewTextureOption(wxCommandEvent& event);
    void OnEditTextureOption(wxCommandEvent& event);
    void OnRemoveTextureOption(wxCommandEvent& event);
    // Model classes tab.
    void OnModelClassSelected(wxCommandEvent& event);
    void OnAddModelClass(wxCommandEvent& event);
    void OnRemoveModelClass(wxCommandEvent& event);
    void OnNewModelOption(wxCommandEvent& event);
    void OnEditModelOption(wxCommandEvent& event);
    void OnRemoveModelOption(wxCommandEvent& event);

private:
    void BuildDirectoryRow(wxFlexGridSizer* rootGrid);
    wxPanel* BuildMapsPage();
    wxPanel* BuildMapClassesPage();
    wxPanel* BuildModelClassesPage();
    wxPanel* BuildTextPage(long panelId, long textId, const wxString& textName,
                           const wxString& text, wxTextCtrl** control);
    void CreateFileDialogs();
    void BindHandlers();
    void LoadStore();

    // The `data` directory beside the executable (or the test's override).
    std::string DataDirectory() const;

    // Maps tab helpers. The selected installation directory, empty for none.
    std::string SelectedInstallDirectory() const;
    int FindInstallDirectoryEntry(const std::string& directory) const;
    // Shows why a directory is not an installation; false when it is one.
    // couldNotTell is set when the file system gave no answer.
    bool ShowInstallDirProblem(const std::string& directory, bool* couldNotTell = nullptr);
    // Writes config.csv, showing a failure.
    void SaveConfiguration();
    // Remembers the map class and the mark and replace boxes for the map
    // picked from the list (not for a hand-chosen file).
    void RememberMapChoice();
    // The static models of the last run's output; a warning when they are
    // more than the engine loads.
    void ShowBudget(const ModelBudget& budget);

    // Class tab helpers.
    std::string MapClassDirectoryPath() const;
    std::string ModelClassDirectoryPath() const;
    std::string SelectedMapClass() const;
    std::string SelectedModelClass() const;
    // Save a class file; a failure is shown and false returned.
    bool SaveMapClassOrReport(const std::string& className);
    bool SaveModelClassOrReport(const std::string& className);
    // The texture option editor offers every model class of the catalogue.
    void OfferModelClasses(ClassConfigurationLine& dialog) const;
    // Opens the texture option editor for a texture of the report.
    void StartTextureOption(const std::string& mapClassName, const std::string& texture);
    // One dialog for a failed run (or read): the message, then the detail.
    void ShowRunFailure(const RunResult& result);
    // The run request from the Maps tab's controls.
    RunRequest GatherRunRequest() const;
    // The Seed field into the request; false (after showing why) when it is
    // not a number.
    bool GatherSeed(RunRequest& request);
    // A run (or the read of "Textures in map...") takes the window over:
    // only Stop, Escape and the close box do anything until it ends, and
    // input made meanwhile reaches disabled controls.
    void BeginRun();
    void EndRun();
    void SetRunInputsEnabled(bool enabled);
    // Runs `steps` as a run; an exception ends it as a failure.
    RunResult RunGuarded(const std::function<RunResult()>& steps);

    // Counters are raised on every call; the labels and the gauge follow at
    // most about ten times a second, and always at the end of a run.
    void RefreshStatusIfDue();
    void ShowStatus();
    void ShowError(const wxString& message);

    wxStopWatch statusClock;
    long lastStatusRefresh = 0;
    bool running = false;
    bool stopRequested = false;
    bool closeAfterRun = false;
};
