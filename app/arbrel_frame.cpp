// The main window: the directory row, the notebook and its pages, the three
// file dialogs, and the handlers, each handing its event to its page.

#include "app/arbrel_frame.h"

#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/tooltip.h>

#include "app/class_tab_panel.h"
#include "app/help_texts.h"
#include "app/maps_panel.h"
#include "app/text_page.h"
#include "engine/store_loader.h"
#include "dialogs/narrow_text.h"
#include "io/paths.h"
#include "io/platform.h"

ArbrelFrame::ArbrelFrame(wxWindow* parent, wxWindowID, const std::string& appDirectoryOverride,
                         const std::string& dataDirectory) {
    Create(parent, wxID_ANY, _("Arbrel v3.5 - by Quennick"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, _T("wxID_ANY"));
    SetClientSize(FromDIP(wxSize(509, 341)));

    wxFlexGridSizer* rootGrid = new wxFlexGridSizer(0, 3, 0, 0);
    rootGrid->AddGrowableCol(0);
    rootGrid->AddGrowableRow(0);
    rootPanel = new wxPanel(this, ID_PANEL1, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                            _T("ID_PANEL1"));
    // One column; the rows follow the two items (directory row, notebook).
    wxFlexGridSizer* panelGrid = new wxFlexGridSizer(0, 1, 0, 0);
    panelGrid->AddGrowableCol(0);
    panelGrid->AddGrowableRow(1);
    BuildDirectoryRow(panelGrid);

    notebook = new wxNotebook(rootPanel, ID_NOTEBOOK1, wxDefaultPosition, wxDefaultSize, 0,
                              _T("ID_NOTEBOOK1"));
    mapsPage = new MapsPanel(notebook, context, *this, installDirChoice, setInstallDirButton);
    mapClassesPage =
        new ClassTabPanel(notebook, ClassKind::Map, context, mapsPage->MapClassChoice());
    modelClassesPage = new ClassTabPanel(notebook, ClassKind::Model, context);
    mapsPage->SetNewTextureOption([this](const std::string& mapClass, const std::string& texture) {
        mapClassesPage->NewTextureOptionFor(mapClass, texture);
    });
    wxPanel* informationPage = new TextPage(notebook, ID_PANEL5, _T("ID_PANEL5"), ID_TEXTCTRL1,
                                            _T("ID_TEXTCTRL1"), InformationText());
    wxPanel* tutorialPage = new TextPage(notebook, ID_PANEL6, _T("ID_PANEL6"), ID_TEXTCTRL3,
                                         _T("ID_TEXTCTRL3"), TutorialText());
    notebook->AddPage(mapsPage, _("Maps"), false);
    notebook->AddPage(mapClassesPage, _("Map classes"), false);
    notebook->AddPage(modelClassesPage, _("Model classes"), false);
    notebook->AddPage(informationPage, _("Information"), false);
    notebook->AddPage(tutorialPage, _("Tutorial"), false);

    panelGrid->Add(notebook, 1, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, FromDIP(5));
    rootPanel->SetSizer(panelGrid);
    panelGrid->Fit(rootPanel);
    panelGrid->SetSizeHints(rootPanel);
    rootGrid->Add(rootPanel, 1, wxEXPAND, FromDIP(5));
    SetSizer(rootGrid);

    CreateFileDialogs();
    rootGrid->SetSizeHints(this);
    BindHandlers();

    appDirectory = appDirectoryOverride.empty() ? platform::ExecutableDirectory() : appDirectoryOverride;
    context.dataDirectory =
        dataDirectory.empty() ? paths::Join(appDirectory, "data") : dataDirectory;
    LoadStore();
    mapsPage->RestoreSession();
    ResetStatus();
}

ArbrelFrame::~ArbrelFrame() = default;

void ArbrelFrame::BuildDirectoryRow(wxFlexGridSizer* panelGrid) {
    wxFlexGridSizer* row = new wxFlexGridSizer(1, 2, 0, 0);
    row->AddGrowableCol(0);
    row->AddGrowableRow(0);
    installDirChoice = new wxChoice(rootPanel, ID_CHOICE2, wxDefaultPosition,
                                    FromDIP(wxSize(317, kPlatformHeight)), 0, nullptr, wxCB_SORT,
                                    wxDefaultValidator, _T("ID_CHOICE2"));
    installDirChoice->SetSelection(installDirChoice->Append(_("-- None --")));
    installDirChoice->SetToolTip(_("The Call of Duty installation directory you want to work from"));
    row->Add(installDirChoice, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    setInstallDirButton = NewButton(rootPanel, ID_BUTTON1,
                                    _("Set Call of Duty installation directory"), _T("ID_BUTTON1"));
    row->Add(setInstallDirButton, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    panelGrid->Add(row, 1, wxEXPAND, FromDIP(5));
}

void ArbrelFrame::CreateFileDialogs() {
    installDirDialog = new wxDirDialog(this, _("Select Call of Duty installation directory"),
                                       wxEmptyString, wxDD_DEFAULT_STYLE, wxDefaultPosition,
                                       wxDefaultSize, _T("wxDirDialog"));
    const wxString maps = wxString(_("Map files (*.map)|*.map")) + _T("|") + wxALL_FILES;
    openMapDialog = new wxFileDialog(this, _("Open .map file"), wxEmptyString, wxEmptyString, maps,
                                     wxFD_OPEN | wxFD_FILE_MUST_EXIST, wxDefaultPosition,
                                     wxDefaultSize, _T("wxFileDialog"));
    saveMapDialog = new wxFileDialog(this, _("Save .map file"), wxEmptyString, wxEmptyString, maps,
                                     wxFD_SAVE | wxFD_OVERWRITE_PROMPT, wxDefaultPosition,
                                     wxDefaultSize, _T("wxFileDialog"));
}

void ArbrelFrame::BindHandlers() {
    Connect(ID_CHOICE2, wxEVT_COMMAND_CHOICE_SELECTED,
            wxCommandEventHandler(ArbrelFrame::OnInstallDirSelected));
    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnSetInstallDir));
    Connect(ID_LISTBOX1, wxEVT_COMMAND_LISTBOX_SELECTED,
            wxCommandEventHandler(ArbrelFrame::OnMapSelected));
    Connect(ID_BUTTON13, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnSelectInputMap));
    Connect(ID_CHOICE1, wxEVT_COMMAND_CHOICE_SELECTED,
            wxCommandEventHandler(ArbrelFrame::OnMapClassChosen));
    Connect(ID_BUTTON14, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnSelectOutputMap));
    Connect(ID_BUTTON2, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(ArbrelFrame::OnRun));
    Connect(ID_LISTBOX2, wxEVT_COMMAND_LISTBOX_SELECTED,
            wxCommandEventHandler(ArbrelFrame::OnMapClassSelected));
    Connect(ID_BUTTON6, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnAddMapClass));
    Connect(ID_BUTTON7, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRemoveMapClass));
    Connect(ID_BUTTON5, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnNewTextureOption));
    Connect(ID_BUTTON4, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnEditTextureOption));
    Connect(ID_BUTTON3, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRemoveTextureOption));
    Connect(ID_LISTBOX4, wxEVT_COMMAND_LISTBOX_SELECTED,
            wxCommandEventHandler(ArbrelFrame::OnModelClassSelected));
    Connect(ID_BUTTON8, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnAddModelClass));
    Connect(ID_BUTTON9, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRemoveModelClass));
    Connect(ID_BUTTON10, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnNewModelOption));
    Connect(ID_BUTTON11, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnEditModelOption));
    Connect(ID_BUTTON12, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRemoveModelOption));
    // Not a control's handlers: they keep the window (and its engine) alive
    // while a run is in progress, let Escape stop it, and keep the tabs put.
    Connect(wxEVT_CLOSE_WINDOW, wxCloseEventHandler(ArbrelFrame::OnCloseWindow));
    interruptTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &ArbrelFrame::OnInterruptTimer, this, interruptTimer.GetId());
    interruptTimer.Start(250);
    Connect(wxEVT_CHAR_HOOK, wxKeyEventHandler(ArbrelFrame::OnCharHook));
    Connect(ID_NOTEBOOK1, wxEVT_COMMAND_NOTEBOOK_PAGE_CHANGING,
            wxBookCtrlEventHandler(ArbrelFrame::OnPageChanging));
}

void ArbrelFrame::LoadStore() {
    const StoreContents store = LoadConfigurationStore(engine, context.dataDirectory);
    for (const std::string& dir : store.installDirs) installDirChoice->Append(FromNarrow(dir));
    for (const std::string& name : store.modelClassNames) modelClassesPage->ListClass(name);
    for (const std::string& name : store.mapClassNames) mapClassesPage->ListClass(name);
    startupErrors = store.errors;
}

void ArbrelFrame::ReportStartupErrors() {
    if (startupErrors.empty()) return;
    std::string message;
    for (const std::string& error : startupErrors) message += (message.empty() ? "" : "\n") + error;
    startupErrors.clear();
    ShowError(this, FromNarrow(message));
}

void ArbrelFrame::OnInstallDirSelected(wxCommandEvent&) { mapsPage->OnInstallDirSelected(); }
void ArbrelFrame::OnSetInstallDir(wxCommandEvent&) { mapsPage->OnSetInstallDir(*installDirDialog); }
void ArbrelFrame::OnMapSelected(wxCommandEvent&) { mapsPage->OnMapSelected(); }
void ArbrelFrame::OnSelectInputMap(wxCommandEvent&) { mapsPage->OnSelectInputMap(*openMapDialog); }
void ArbrelFrame::OnMapClassChosen(wxCommandEvent&) { mapsPage->OnMapClassChosen(); }
void ArbrelFrame::OnSelectOutputMap(wxCommandEvent&) { mapsPage->OnSelectOutputMap(*saveMapDialog); }
void ArbrelFrame::OnRun(wxCommandEvent&) { mapsPage->OnRun(); }

void ArbrelFrame::OnMapClassSelected(wxCommandEvent&) { mapClassesPage->OnClassSelected(); }
void ArbrelFrame::OnAddMapClass(wxCommandEvent&) { mapClassesPage->OnAddClass(); }
void ArbrelFrame::OnRemoveMapClass(wxCommandEvent&) { mapClassesPage->OnRemoveClass(); }
void ArbrelFrame::OnNewTextureOption(wxCommandEvent&) { mapClassesPage->OnNewOption(); }
void ArbrelFrame::OnEditTextureOption(wxCommandEvent&) { mapClassesPage->OnEditOption(); }
void ArbrelFrame::OnRemoveTextureOption(wxCommandEvent&) { mapClassesPage->OnRemoveOption(); }

void ArbrelFrame::OnModelClassSelected(wxCommandEvent&) { modelClassesPage->OnClassSelected(); }
void ArbrelFrame::OnAddModelClass(wxCommandEvent&) { modelClassesPage->OnAddClass(); }
void ArbrelFrame::OnRemoveModelClass(wxCommandEvent&) { modelClassesPage->OnRemoveClass(); }
void ArbrelFrame::OnNewModelOption(wxCommandEvent&) { modelClassesPage->OnNewOption(); }
void ArbrelFrame::OnEditModelOption(wxCommandEvent&) { modelClassesPage->OnEditOption(); }
void ArbrelFrame::OnRemoveModelOption(wxCommandEvent&) { modelClassesPage->OnRemoveOption(); }

void ArbrelFrame::ResetStatus() { mapsPage->ResetStatus(); }
void ArbrelFrame::MeshRead() { mapsPage->MeshRead(); }
void ArbrelFrame::MeshProcessed() { mapsPage->MeshProcessed(); }
void ArbrelFrame::ModelPlaced() { mapsPage->ModelPlaced(); }
bool ArbrelFrame::KeepGoing() {
    // Asked to end: the run stops, removes its temporary file, and the
    // window closes once it has unwound.
    if (platform::InterruptRequested()) mapsPage->StopRun(/*thenClose=*/true);
    return mapsPage->KeepGoing();
}

void ArbrelFrame::OnInterruptTimer(wxTimerEvent&) {
    if (!platform::InterruptRequested()) return;
    if (mapsPage->Running()) {
        mapsPage->StopRun(/*thenClose=*/true);
        return;
    }
    // Every change is written when it is made, so nothing is pending: open
    // dialogs are cancelled (one per tick, innermost first) and the window
    // closes.
    for (wxWindow* window : wxTopLevelWindows)
        if (wxDialog* dialog = wxDynamicCast(window, wxDialog))
            if (dialog->IsModal()) {
                dialog->EndModal(0);
                return;
            }
    interruptTimer.Stop();
    Close(true);
}

void ArbrelFrame::OnCloseWindow(wxCloseEvent& event) {
    // The engine is busy under the run: stop it first, and close when it
    // has unwound.
    if (mapsPage->Running()) {
        mapsPage->StopRun(/*thenClose=*/true);
        if (event.CanVeto()) {
            event.Veto();
            return;
        }
    }
    event.Skip();
}

void ArbrelFrame::OnCharHook(wxKeyEvent& event) {
    if (mapsPage->Running() && event.GetKeyCode() == WXK_ESCAPE) {
        mapsPage->StopRun(/*thenClose=*/false);
        return;
    }
    event.Skip();
}

void ArbrelFrame::OnPageChanging(wxBookCtrlEvent& event) {
    if (mapsPage->Running()) event.Veto();
}
