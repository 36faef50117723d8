// Construction of the main window: controls and sizers in layout order, the
// three file dialogs, the handlers, the data directory and the status.

#include "app/arbrel_frame.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/tooltip.h>

#include "app/help_texts.h"
#include "config/store_loader.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "io/paths.h"
#include "io/platform.h"

const long ArbrelFrame::ID_PANEL1 = wxNewId();
const long ArbrelFrame::ID_CHOICE2 = wxNewId();
const long ArbrelFrame::ID_BUTTON1 = wxNewId();
const long ArbrelFrame::ID_NOTEBOOK1 = wxNewId();
const long ArbrelFrame::ID_PANEL2 = wxNewId();
const long ArbrelFrame::ID_LISTBOX1 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT7 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL8 = wxNewId();
const long ArbrelFrame::ID_BUTTON13 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT2 = wxNewId();
const long ArbrelFrame::ID_CHOICE1 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT3 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL2 = wxNewId();
const long ArbrelFrame::ID_BUTTON14 = wxNewId();
const long ArbrelFrame::ID_GAUGE1 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT1 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT9 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT10 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT8 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT4 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT11 = wxNewId();
const long ArbrelFrame::ID_BUTTON2 = wxNewId();
const long ArbrelFrame::ID_PANEL3 = wxNewId();
const long ArbrelFrame::ID_LISTBOX2 = wxNewId();
const long ArbrelFrame::ID_BUTTON6 = wxNewId();
const long ArbrelFrame::ID_BUTTON7 = wxNewId();
const long ArbrelFrame::ID_LISTBOX3 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT5 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL6 = wxNewId();
const long ArbrelFrame::ID_BUTTON5 = wxNewId();
const long ArbrelFrame::ID_BUTTON4 = wxNewId();
const long ArbrelFrame::ID_BUTTON3 = wxNewId();
const long ArbrelFrame::ID_PANEL4 = wxNewId();
const long ArbrelFrame::ID_LISTBOX4 = wxNewId();
const long ArbrelFrame::ID_BUTTON8 = wxNewId();
const long ArbrelFrame::ID_BUTTON9 = wxNewId();
const long ArbrelFrame::ID_LISTBOX5 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT6 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL7 = wxNewId();
const long ArbrelFrame::ID_BUTTON10 = wxNewId();
const long ArbrelFrame::ID_BUTTON11 = wxNewId();
const long ArbrelFrame::ID_BUTTON12 = wxNewId();
const long ArbrelFrame::ID_PANEL5 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL1 = wxNewId();
const long ArbrelFrame::ID_PANEL6 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL3 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT12 = wxNewId();
const long ArbrelFrame::ID_CHECKBOX1 = wxNewId();
const long ArbrelFrame::ID_CHECKBOX2 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT13 = wxNewId();
const long ArbrelFrame::ID_STATICTEXT14 = wxNewId();
const long ArbrelFrame::ID_TEXTCTRL9 = wxNewId();
const long ArbrelFrame::ID_BUTTON15 = wxNewId();
const long ArbrelFrame::ID_BUTTON16 = wxNewId();

namespace {

// Choices take the height the theme needs: a fixed 21 pixels cuts their
// text off under GTK.
const int kPlatformHeight = -1;
const long kClassListStyle = wxLB_SINGLE | wxLB_SORT | wxLB_HSCROLL | wxLB_NEEDED_SB;
const long kOptionListStyle = wxLB_SINGLE | wxLB_HSCROLL | wxLB_NEEDED_SB;

wxStaticText* NewLabel(wxWindow* parent, long id, const wxString& text, const wxString& name) {
    return new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize, 0, name);
}

wxButton* NewButton(wxWindow* parent, long id, const wxString& label, const wxString& name,
                    const wxSize& size = wxDefaultSize) {
    return new wxButton(parent, id, label, wxDefaultPosition, size, 0, wxDefaultValidator, name);
}

wxTextCtrl* NewField(wxWindow* parent, long id, const wxSize& size, const wxString& name) {
    return new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, size, 0,
                          wxDefaultValidator, name);
}

// A page panel takes its sizer, fits to it and takes its minimum from it.
void FinishPage(wxPanel* page, wxSizer* sizer) {
    page->SetSizer(sizer);
    sizer->Fit(page);
    sizer->SetSizeHints(page);
}

}  // namespace

ArbrelFrame::ArbrelFrame(wxWindow* parent, wxWindowID, const std::string& appDirectoryOverride,
                         const std::string& dataDirectory)
    : dataDirectoryOverride(dataDirectory) {
    Create(parent, wxID_ANY, _("Arbrel v3.5 - by Quennick"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, _T("wxID_ANY"));
    SetClientSize(wxSize(509, 341));

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
    mapsPage = BuildMapsPage();
    mapClassesPage = BuildMapClassesPage();
    modelClassesPage = BuildModelClassesPage();
    informationPage = BuildTextPage(ID_PANEL5, ID_TEXTCTRL1, _T("ID_TEXTCTRL1"), InformationText(),
                                    &informationText);
    tutorialPage = BuildTextPage(ID_PANEL6, ID_TEXTCTRL3, _T("ID_TEXTCTRL3"), TutorialText(),
                                 &tutorialText);
    notebook->AddPage(mapsPage, _("Maps"), false);
    notebook->AddPage(mapClassesPage, _("Map classes"), false);
    notebook->AddPage(modelClassesPage, _("Model classes"), false);
    notebook->AddPage(informationPage, _("Information"), false);
    notebook->AddPage(tutorialPage, _("Tutorial"), false);

    panelGrid->Add(notebook, 1, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 5);
    rootPanel->SetSizer(panelGrid);
    panelGrid->Fit(rootPanel);
    panelGrid->SetSizeHints(rootPanel);
    rootGrid->Add(rootPanel, 1, wxEXPAND, 5);
    SetSizer(rootGrid);

    CreateFileDialogs();
    rootGrid->SetSizeHints(this);
    BindHandlers();

    appDirectory = appDirectoryOverride.empty() ? platform::ExecutableDirectory() : appDirectoryOverride;
    LoadStore();
    ResetStatus();
}

ArbrelFrame::~ArbrelFrame() = default;

void ArbrelFrame::BuildDirectoryRow(wxFlexGridSizer* panelGrid) {
    wxFlexGridSizer* row = new wxFlexGridSizer(1, 2, 0, 0);
    row->AddGrowableCol(0);
    row->AddGrowableRow(0);
    installDirChoice = new wxChoice(rootPanel, ID_CHOICE2, wxDefaultPosition, wxSize(317, kPlatformHeight), 0,
                                    nullptr, wxCB_SORT, wxDefaultValidator, _T("ID_CHOICE2"));
    installDirChoice->SetSelection(installDirChoice->Append(_("-- None --")));
    installDirChoice->SetToolTip(_("The Call of Duty installation directory you want to work from"));
    row->Add(installDirChoice, 1, wxALL | wxALIGN_CENTER, 5);
    setInstallDirButton = NewButton(rootPanel, ID_BUTTON1,
                                    _("Set Call of Duty installation directory"), _T("ID_BUTTON1"));
    row->Add(setInstallDirButton, 1, wxALL | wxALIGN_CENTER, 5);
    panelGrid->Add(row, 1, wxEXPAND, 5);
}

wxPanel* ArbrelFrame::BuildMapsPage() {
    wxPanel* page = new wxPanel(notebook, ID_PANEL2, wxDefaultPosition, wxDefaultSize,
                                wxTAB_TRAVERSAL, _T("ID_PANEL2"));
    wxFlexGridSizer* pageGrid = new wxFlexGridSizer(1, 2, 0, 0);
    pageGrid->AddGrowableCol(1);
    pageGrid->AddGrowableRow(0);

    wxStaticBoxSizer* mapsBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Maps"));
    wxBoxSizer* mapsColumn = new wxBoxSizer(wxVERTICAL);
    mapsList = new wxListBox(page, ID_LISTBOX1, wxDefaultPosition, wxSize(132, 258), 0, nullptr,
                             kClassListStyle, wxDefaultValidator, _T("ID_LISTBOX1"));
    mapsColumn->Add(mapsList, 12, wxEXPAND, 5);
    mapsBox->Add(mapsColumn, 1, wxEXPAND, 5);
    pageGrid->Add(mapsBox, 1, wxALL | wxEXPAND, 5);

    // Settings, spacer, status and the Run button, one below the other.
    wxFlexGridSizer* rightColumn = new wxFlexGridSizer(0, 1, 0, 0);
    wxStaticBoxSizer* settingsBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Settings"));
    wxFlexGridSizer* settings = new wxFlexGridSizer(3, 3, 0, 0);
    settings->AddGrowableCol(0);
    inputLabel = NewLabel(page, ID_STATICTEXT7, _("Input map file"), _T("ID_STATICTEXT7"));
    settings->Add(inputLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    inputField = NewField(page, ID_TEXTCTRL8, wxSize(161, 21), _T("ID_TEXTCTRL8"));
    settings->Add(inputField, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    selectInputButton = NewButton(page, ID_BUTTON13, _("Select"), _T("ID_BUTTON13"));
    settings->Add(selectInputButton, 1, wxALL | wxALIGN_CENTER, 5);
    mapClassLabel = NewLabel(page, ID_STATICTEXT2, _("Map class"), _T("ID_STATICTEXT2"));
    settings->Add(mapClassLabel, 1, wxLEFT | wxRIGHT | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    mapClassChoice = new wxChoice(page, ID_CHOICE1, wxDefaultPosition, wxSize(115, kPlatformHeight), 0, nullptr,
                                  0, wxDefaultValidator, _T("ID_CHOICE1"));
    settings->Add(mapClassChoice, 1, wxLEFT | wxRIGHT | wxEXPAND, 5);
    settings->Add(5, 5, 1, wxALIGN_CENTER, 5);
    outputLabel = NewLabel(page, ID_STATICTEXT3, _("Output map file"), _T("ID_STATICTEXT3"));
    settings->Add(outputLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    outputField = NewField(page, ID_TEXTCTRL2, wxSize(161, 21), _T("ID_TEXTCTRL2"));
    settings->Add(outputField, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    selectOutputButton = NewButton(page, ID_BUTTON14, _("Select"), _T("ID_BUTTON14"));
    settings->Add(selectOutputButton, 1, wxALL | wxALIGN_CENTER, 5);
    settingsBox->Add(settings, 1, wxALIGN_CENTER, 5);
    rightColumn->Add(settingsBox, 1, wxALL | wxEXPAND, 5);
    // A seed for another variation, and what the input map holds.
    wxBoxSizer* extras = new wxBoxSizer(wxHORIZONTAL);
    seedLabel = NewLabel(page, ID_STATICTEXT12, _("Seed"), _T("ID_STATICTEXT12"));
    extras->Add(seedLabel, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    seedField = NewField(page, ID_TEXTCTRL9, wxSize(90, 21), _T("ID_TEXTCTRL9"));
    seedField->SetToolTip(_("Empty for the usual placement; a number from 0 to 4294967295 "
                            "gives another, reproducible variation"));
    extras->Add(seedField, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    extras->AddStretchSpacer();
    texturesButton = NewButton(page, ID_BUTTON15, _("Textures in map..."), _T("ID_BUTTON15"));
    texturesButton->SetToolTip(_("List the terrain textures of the input map and the rules the "
                                 "chosen map class has for them"));
    extras->Add(texturesButton, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    rightColumn->Add(extras, 1, wxLEFT | wxRIGHT | wxEXPAND, 5);
    // Re-runs that replace an earlier run's models instead of adding a layer.
    wxBoxSizer* rerun = new wxBoxSizer(wxVERTICAL);
    markCheck = new wxCheckBox(page, ID_CHECKBOX1, _("Mark placed models so a later run can replace them"),
                               wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, _T("ID_CHECKBOX1"));
    markCheck->SetToolTip(_("Each placed model gets an arbrel_class key (the game's compiler ignores it)"));
    rerun->Add(markCheck, 0, wxLEFT | wxRIGHT | wxTOP, 5);
    replaceCheck = new wxCheckBox(page, ID_CHECKBOX2, _("Replace models of an earlier run"),
                                  wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, _T("ID_CHECKBOX2"));
    replaceCheck->SetToolTip(_("The output leaves out the input's marked models, then adds this run's; "
                               "the input map is not changed"));
    rerun->Add(replaceCheck, 0, wxALL, 5);
    rightColumn->Add(rerun, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);

    wxStaticBoxSizer* statusBox = new wxStaticBoxSizer(wxVERTICAL, page, _("Status"));
    wxFlexGridSizer* status = new wxFlexGridSizer(3, 1, 0, 0);
    status->AddGrowableCol(0);
    status->AddGrowableRow(1);
    gauge = new wxGauge(page, ID_GAUGE1, 0, wxDefaultPosition, wxSize(320, 32),
                        wxGA_HORIZONTAL | wxGA_SMOOTH, wxDefaultValidator, _T("ID_GAUGE1"));
    status->Add(gauge, 1, wxALL | wxEXPAND, 5);
    wxFlexGridSizer* counters = new wxFlexGridSizer(0, 2, 0, 0);
    meshesReadLabel = NewLabel(page, ID_STATICTEXT1, _("Meshes read:"), _T("ID_STATICTEXT1"));
    counters->Add(meshesReadLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    meshesReadCount = NewLabel(page, ID_STATICTEXT9, _("0"), _T("ID_STATICTEXT9"));
    counters->Add(meshesReadCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    meshesProcessedLabel =
        NewLabel(page, ID_STATICTEXT10, _("Meshes processed:"), _T("ID_STATICTEXT10"));
    counters->Add(meshesProcessedLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    meshesProcessedCount = NewLabel(page, ID_STATICTEXT8, _("0"), _T("ID_STATICTEXT8"));
    counters->Add(meshesProcessedCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    modelsPlacedLabel = NewLabel(page, ID_STATICTEXT4, _("Models placed:"), _T("ID_STATICTEXT4"));
    counters->Add(modelsPlacedLabel, 1, wxTOP | wxRIGHT | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL,
                  5);
    modelsPlacedCount = NewLabel(page, ID_STATICTEXT11, _("0"), _T("ID_STATICTEXT11"));
    counters->Add(modelsPlacedCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    staticModelsLabel = NewLabel(page, ID_STATICTEXT13, _("Static models:"), _T("ID_STATICTEXT13"));
    staticModelsLabel->SetToolTip(_("misc_model entities of the output (the input's and the placed ones) "
                                    "against the 65536 that Call of Duty 4 loads"));
    counters->Add(staticModelsLabel, 1, wxTOP | wxRIGHT | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
    staticModelsCount = NewLabel(page, ID_STATICTEXT14, _("0"), _T("ID_STATICTEXT14"));
    counters->Add(staticModelsCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    status->Add(counters, 1, wxALIGN_CENTER, 5);
    statusBox->Add(status, 1, wxEXPAND, 5);
    rightColumn->Add(statusBox, 1, wxALL | wxEXPAND, 5);
    wxBoxSizer* runRow = new wxBoxSizer(wxHORIZONTAL);
    runButton = NewButton(page, ID_BUTTON2, _("Run"), _T("ID_BUTTON2"), wxSize(96, 48));
    runRow->Add(runButton, 1, wxRIGHT | wxEXPAND, 5);
    previewButton = NewButton(page, ID_BUTTON16, _("Preview..."), _T("ID_BUTTON16"));
    previewButton->SetToolTip(_("Watch the next run's foliage from above and in 3D while you edit, without writing"));
    runRow->Add(previewButton, 0, wxLEFT | wxEXPAND, 5);
    rightColumn->Add(runRow, 1, wxALL | wxEXPAND, 5);
    pageGrid->Add(rightColumn, 1, wxALL | wxEXPAND, 0);

    FinishPage(page, pageGrid);
    return page;
}

wxPanel* ArbrelFrame::BuildMapClassesPage() {
    wxPanel* page = new wxPanel(notebook, ID_PANEL3, wxDefaultPosition, wxDefaultSize,
                                wxTAB_TRAVERSAL, _T("ID_PANEL3"));
    wxFlexGridSizer* pageGrid = new wxFlexGridSizer(1, 2, 0, 0);
    pageGrid->AddGrowableCol(1);
    pageGrid->AddGrowableRow(0);

    wxStaticBoxSizer* classesBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Classes"));
    wxFlexGridSizer* classes = new wxFlexGridSizer(2, 1, 0, 0);
    mapClassesList = new wxListBox(page, ID_LISTBOX2, wxDefaultPosition, wxSize(132, 282), 0,
                                   nullptr, kClassListStyle, wxDefaultValidator, _T("ID_LISTBOX2"));
    classes->Add(mapClassesList, 1, wxEXPAND, 5);
    wxBoxSizer* classButtons = new wxBoxSizer(wxHORIZONTAL);
    addMapClassButton = NewButton(page, ID_BUTTON6, _("Add"), _T("ID_BUTTON6"));
    classButtons->Add(addMapClassButton, 1, wxRIGHT | wxALIGN_CENTER, 5);
    removeMapClassButton = NewButton(page, ID_BUTTON7, _("Remove"), _T("ID_BUTTON7"));
    classButtons->Add(removeMapClassButton, 1, wxLEFT | wxALIGN_CENTER, 5);
    classes->Add(classButtons, 1, wxTOP | wxEXPAND, 5);
    classesBox->Add(classes, 1, wxALIGN_CENTER, 5);
    pageGrid->Add(classesBox, 1, wxALL | wxEXPAND, 5);

    wxStaticBoxSizer* texturesBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Textures"));
    wxFlexGridSizer* textures = new wxFlexGridSizer(2, 1, 0, 0);
    textures->AddGrowableCol(0);
    textures->AddGrowableRow(0);
    textureOptionsList = new wxListBox(page, ID_LISTBOX3, wxDefaultPosition, wxSize(312, 200), 0,
                                       nullptr, kOptionListStyle, wxDefaultValidator,
                                       _T("ID_LISTBOX3"));
    textures->Add(textureOptionsList, 1, wxEXPAND, 5);
    wxBoxSizer* below = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* nameRow = new wxBoxSizer(wxHORIZONTAL);
    textureNameLabel = NewLabel(page, ID_STATICTEXT5, _("Name"), _T("ID_STATICTEXT5"));
    textureNameLabel->Hide();
    nameRow->Add(textureNameLabel, 1, wxLEFT | wxBOTTOM | wxALIGN_CENTER_VERTICAL, 5);
    textureNameField = NewField(page, ID_TEXTCTRL6, wxSize(217, 21), _T("ID_TEXTCTRL6"));
    textureNameField->Hide();
    nameRow->Add(textureNameField, 3, wxRIGHT | wxBOTTOM | wxEXPAND, 5);
    below->Add(nameRow, 1, wxALIGN_CENTER, 5);
    wxBoxSizer* optionButtons = new wxBoxSizer(wxHORIZONTAL);
    newTextureButton = NewButton(page, ID_BUTTON5, _("New"), _T("ID_BUTTON5"));
    optionButtons->Add(newTextureButton, 1, wxRIGHT | wxALIGN_CENTER, 5);
    editTextureButton = NewButton(page, ID_BUTTON4, _("Edit"), _T("ID_BUTTON4"));
    optionButtons->Add(editTextureButton, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER, 5);
    removeTextureButton = NewButton(page, ID_BUTTON3, _("Remove"), _T("ID_BUTTON3"));
    optionButtons->Add(removeTextureButton, 1, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
    below->Add(optionButtons, 1, wxALIGN_CENTER, 5);
    textures->Add(below, 1, wxTOP | wxEXPAND, 5);
    texturesBox->Add(textures, 1, wxEXPAND, 5);
    pageGrid->Add(texturesBox, 1, wxALL | wxEXPAND, 5);

    FinishPage(page, pageGrid);
    return page;
}

wxPanel* ArbrelFrame::BuildModelClassesPage() {
    wxPanel* page = new wxPanel(notebook, ID_PANEL4, wxDefaultPosition, wxDefaultSize,
                                wxTAB_TRAVERSAL, _T("ID_PANEL4"));
    wxFlexGridSizer* pageGrid = new wxFlexGridSizer(1, 2, 0, 0);
    pageGrid->AddGrowableCol(1);
    pageGrid->AddGrowableRow(0);

    wxStaticBoxSizer* classesBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Classes"));
    wxFlexGridSizer* classes = new wxFlexGridSizer(2, 1, 0, 0);
    classes->AddGrowableCol(0);
    classes->AddGrowableRow(0);
    modelClassesList = new wxListBox(page, ID_LISTBOX4, wxDefaultPosition, wxSize(132, 282), 0,
                                     nullptr, kClassListStyle, wxDefaultValidator,
                                     _T("ID_LISTBOX4"));
    classes->Add(modelClassesList, 1, wxEXPAND, 5);
    wxBoxSizer* classButtons = new wxBoxSizer(wxHORIZONTAL);
    addModelClassButton = NewButton(page, ID_BUTTON8, _("Add"), _T("ID_BUTTON8"));
    classButtons->Add(addModelClassButton, 1, wxRIGHT | wxALIGN_CENTER, 5);
    removeModelClassButton = NewButton(page, ID_BUTTON9, _("Remove"), _T("ID_BUTTON9"));
    classButtons->Add(removeModelClassButton, 1, wxLEFT | wxALIGN_CENTER, 5);
    classes->Add(classButtons, 1, wxTOP | wxALIGN_CENTER, 5);
    classesBox->Add(classes, 1, wxALIGN_CENTER, 5);
    pageGrid->Add(classesBox, 1, wxALL | wxEXPAND, 5);

    wxStaticBoxSizer* modelsBox = new wxStaticBoxSizer(wxHORIZONTAL, page, _("Models"));
    wxFlexGridSizer* models = new wxFlexGridSizer(3, 1, 0, 0);
    models->AddGrowableCol(0);
    models->AddGrowableRow(0);
    // GTK gives a list box of default size room for a few letters only; this
    // one gets the size of its twin on the Map classes page.
    modelOptionsList = new wxListBox(page, ID_LISTBOX5, wxDefaultPosition, wxSize(312, 200), 0,
                                     nullptr, kOptionListStyle, wxDefaultValidator,
                                     _T("ID_LISTBOX5"));
    models->Add(modelOptionsList, 1, wxEXPAND, 5);
    wxBoxSizer* below = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* nameRow = new wxBoxSizer(wxHORIZONTAL);
    modelNameLabel = NewLabel(page, ID_STATICTEXT6, _("Name"), _T("ID_STATICTEXT6"));
    modelNameLabel->Hide();
    nameRow->Add(modelNameLabel, 1, wxLEFT | wxBOTTOM | wxALIGN_CENTER, 5);
    modelNameField = NewField(page, ID_TEXTCTRL7, wxSize(217, 21), _T("ID_TEXTCTRL7"));
    modelNameField->Hide();
    nameRow->Add(modelNameField, 3, wxRIGHT | wxBOTTOM | wxALIGN_CENTER, 5);
    below->Add(nameRow, 1, wxALIGN_CENTER, 5);
    wxBoxSizer* optionButtons = new wxBoxSizer(wxHORIZONTAL);
    newModelButton = NewButton(page, ID_BUTTON10, _("New"), _T("ID_BUTTON10"));
    optionButtons->Add(newModelButton, 1, wxRIGHT | wxALIGN_CENTER, 5);
    editModelButton = NewButton(page, ID_BUTTON11, _("Edit"), _T("ID_BUTTON11"));
    optionButtons->Add(editModelButton, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER, 5);
    removeModelButton = NewButton(page, ID_BUTTON12, _("Remove"), _T("ID_BUTTON12"));
    optionButtons->Add(removeModelButton, 1, wxLEFT | wxALIGN_CENTER, 5);
    below->Add(optionButtons, 1, wxALIGN_CENTER, 5);
    models->Add(below, 1, wxTOP | wxEXPAND, 5);
    modelsBox->Add(models, 1, wxEXPAND, 5);
    pageGrid->Add(modelsBox, 1, wxALL | wxEXPAND, 5);

    FinishPage(page, pageGrid);
    return page;
}

wxPanel* ArbrelFrame::BuildTextPage(long panelId, long textId, const wxString& textName,
                                    const wxString& text, wxTextCtrl** control) {
    wxPanel* page = new wxPanel(notebook, panelId, wxDefaultPosition, wxDefaultSize,
                                wxTAB_TRAVERSAL,
                                panelId == ID_PANEL5 ? _T("ID_PANEL5") : _T("ID_PANEL6"));
    wxFlexGridSizer* grid = new wxFlexGridSizer(1, 1, 0, 0);
    grid->AddGrowableCol(0);
    grid->AddGrowableRow(0);
    *control = new wxTextCtrl(page, textId, text, wxDefaultPosition, wxDefaultSize,
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH | wxTE_RICH2 |
                                  wxTE_AUTO_URL | wxTE_NOHIDESEL | wxTE_WORDWRAP | wxVSCROLL,
                              wxDefaultValidator, textName);
    grid->Add(*control, 1, wxALL | wxEXPAND, 5);
    FinishPage(page, grid);
    return page;
}

void ArbrelFrame::CreateFileDialogs() {
    installDirDialog = new wxDirDialog(this, _("Select Call of Duty installation directory"),
                                       wxEmptyString, wxDD_DEFAULT_STYLE, wxDefaultPosition,
                                       wxDefaultSize, _T("wxDirDialog"));
    openMapDialog = new wxFileDialog(this, _("Open .map file"), wxEmptyString, wxEmptyString,
                                     wxFileSelectorDefaultWildcardStr,
                                     wxFD_OPEN | wxFD_FILE_MUST_EXIST, wxDefaultPosition,
                                     wxDefaultSize, _T("wxFileDialog"));
    saveMapDialog = new wxFileDialog(this, _("Save .map file"), wxEmptyString, wxEmptyString,
                                     wxFileSelectorDefaultWildcardStr,
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
    Connect(ID_CHECKBOX1, wxEVT_COMMAND_CHECKBOX_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRunOptionToggled));
    Connect(ID_CHECKBOX2, wxEVT_COMMAND_CHECKBOX_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnRunOptionToggled));
    Connect(ID_BUTTON15, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnShowTextures));
    Connect(ID_BUTTON16, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(ArbrelFrame::OnShowPreview));
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
    // Not a control's handler: keeps the window (and its engine) alive while
    // a run is in progress.
    Connect(wxEVT_CLOSE_WINDOW, wxCloseEventHandler(ArbrelFrame::OnCloseWindow));
    // The path fields show their whole text as a tool tip.
    for (wxTextCtrl* field : {inputField, outputField})
        field->Bind(wxEVT_COMMAND_TEXT_UPDATED, [field](wxCommandEvent& event) {
            field->SetToolTip(field->GetValue());
            event.Skip();
        });
    // Escape stops a run; the tabs stay put while one lasts.
    Connect(wxEVT_CHAR_HOOK, wxKeyEventHandler(ArbrelFrame::OnCharHook));
    Connect(ID_NOTEBOOK1, wxEVT_COMMAND_NOTEBOOK_PAGE_CHANGING,
            wxBookCtrlEventHandler(ArbrelFrame::OnPageChanging));
}

void ArbrelFrame::LoadStore() {
    const StoreContents store = LoadConfigurationStore(engine, DataDirectory());
    for (const std::string& dir : store.installDirs) installDirChoice->Append(FromNarrow(dir));
    for (const std::string& name : store.modelClassNames) modelClassesList->Append(FromNarrow(name));
    for (const std::string& name : store.mapClassNames) {
        mapClassesList->Append(FromNarrow(name));
        mapClassChoice->Append(FromNarrow(name));
    }
    startupErrors = store.errors;
}

std::string ArbrelFrame::DataDirectory() const {
    return dataDirectoryOverride.empty() ? paths::Join(appDirectory, "data") : dataDirectoryOverride;
}

void ArbrelFrame::ReportStartupErrors() {
    if (startupErrors.empty()) return;
    std::string message;
    for (const std::string& error : startupErrors) message += (message.empty() ? "" : "\n") + error;
    startupErrors.clear();
    ShowError(FromNarrow(message));
}

void ArbrelFrame::ShowError(const wxString& message) {
    ErrorDialog dialog(this, message);
    dialog.ShowModal();
}
