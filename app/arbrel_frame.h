#pragma once
// The one main window: the installation-directory row and a notebook of
// five pages. It owns the engine for its whole life, receives its progress,
// keeps the three file dialogs, and hands each control's event to the page
// it belongs to.

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/timer.h>

#include "app/page_parts.h"
#include "app/window_ids.h"
#include "engine/foliage_engine.h"
#include "engine/progress_receiver.h"

class ClassTabPanel;
class MapsPanel;

class ArbrelFrame : public wxFrame, public ProgressReceiver, public MainWindowIds {
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

    // The status display of the Maps page.
    void ResetStatus();
    void MeshRead() override;
    void MeshProcessed() override;
    void ModelPlaced() override;
    bool KeepGoing() override;

private:
    friend struct ArbrelFrameTestAccess;

    void BuildDirectoryRow(wxFlexGridSizer* panelGrid);
    void CreateFileDialogs();
    void BindHandlers();
    void LoadStore();

    // Installation directory and Maps page.
    void OnInstallDirSelected(wxCommandEvent& event);
    void OnSetInstallDir(wxCommandEvent& event);
    void OnMapSelected(wxCommandEvent& event);
    void OnSelectInputMap(wxCommandEvent& event);
    void OnMapClassChosen(wxCommandEvent& event);
    void OnSelectOutputMap(wxCommandEvent& event);
    void OnRun(wxCommandEvent& event);
    // Map classes page.
    void OnMapClassSelected(wxCommandEvent& event);
    void OnAddMapClass(wxCommandEvent& event);
    void OnRemoveMapClass(wxCommandEvent& event);
    void OnNewTextureOption(wxCommandEvent& event);
    void OnEditTextureOption(wxCommandEvent& event);
    void OnRemoveTextureOption(wxCommandEvent& event);
    // Model classes page.
    void OnModelClassSelected(wxCommandEvent& event);
    void OnAddModelClass(wxCommandEvent& event);
    void OnRemoveModelClass(wxCommandEvent& event);
    void OnNewModelOption(wxCommandEvent& event);
    void OnEditModelOption(wxCommandEvent& event);
    void OnRemoveModelOption(wxCommandEvent& event);
    // A run keeps the window: closing stops it first, Escape stops it, and
    // the pages stay put.
    void OnCloseWindow(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnPageChanging(wxBookCtrlEvent& event);
    // SIGTERM, SIGHUP, Ctrl-C (a logout, a shutdown, kill): see KeepGoing.
    void OnInterruptTimer(wxTimerEvent& event);

    FoliageEngine engine;
    std::string appDirectory;
    PageContext context{engine, std::string()};
    std::vector<std::string> startupErrors;
    wxTimer interruptTimer;

    wxPanel* rootPanel;                  // ID_PANEL1
    wxChoice* installDirChoice;          // ID_CHOICE2
    wxButton* setInstallDirButton;       // ID_BUTTON1
    wxNotebook* notebook;                // ID_NOTEBOOK1
    MapsPanel* mapsPage;                 // ID_PANEL2
    ClassTabPanel* mapClassesPage;       // ID_PANEL3
    ClassTabPanel* modelClassesPage;     // ID_PANEL4

    wxDirDialog* installDirDialog = nullptr;
    wxFileDialog* openMapDialog = nullptr;
    wxFileDialog* saveMapDialog = nullptr;
};
