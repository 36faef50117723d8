// The Maps page: its controls and sizers in layout order. Its handlers are
// in maps_tab.cpp (installation, maps and files), run_handler.cpp (Run and
// status) and map_insight.cpp (textures and preview).

#include "app/maps_panel.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/sizer.h>

MapsPanel::MapsPanel(wxWindow* notebook, PageContext& context, ProgressReceiver& progress,
                     wxChoice* installDirChoice, wxButton* setInstallDirButton)
    : wxPanel(notebook, ID_PANEL2, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
              _T("ID_PANEL2")),
      context(context),
      progress(progress),
      installDirChoice(installDirChoice),
      setInstallDirButton(setInstallDirButton) {
    Build();
    BindOwnHandlers();
}

void MapsPanel::Build() {
    wxFlexGridSizer* pageGrid = new wxFlexGridSizer(1, 2, 0, 0);
    pageGrid->AddGrowableCol(1);
    pageGrid->AddGrowableRow(0);

    wxStaticBoxSizer* mapsBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Maps"));
    wxBoxSizer* mapsColumn = new wxBoxSizer(wxVERTICAL);
    mapsList = new wxListBox(this, ID_LISTBOX1, wxDefaultPosition, FromDIP(wxSize(132, 258)), 0, nullptr,
                             kClassListStyle, wxDefaultValidator, _T("ID_LISTBOX1"));
    mapsColumn->Add(mapsList, 12, wxEXPAND, FromDIP(5));
    mapsBox->Add(mapsColumn, 1, wxEXPAND, FromDIP(5));
    pageGrid->Add(mapsBox, 1, wxALL | wxEXPAND, FromDIP(5));

    // Settings, spacer, status and the Run button, one below the other.
    wxFlexGridSizer* rightColumn = new wxFlexGridSizer(0, 1, 0, 0);
    wxStaticBoxSizer* settingsBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Settings"));
    wxFlexGridSizer* settings = new wxFlexGridSizer(3, 3, 0, 0);
    settings->AddGrowableCol(0);
    wxStaticText* inputLabel = NewLabel(this, ID_STATICTEXT7, _("Input map file"), _T("ID_STATICTEXT7"));
    settings->Add(inputLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    inputField = NewField(this, ID_TEXTCTRL8, FromDIP(wxSize(161, kPlatformHeight)), _T("ID_TEXTCTRL8"));
    settings->Add(inputField, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    selectInputButton = NewButton(this, ID_BUTTON13, _("Select"), _T("ID_BUTTON13"));
    settings->Add(selectInputButton, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    wxStaticText* mapClassLabel = NewLabel(this, ID_STATICTEXT2, _("Map class"), _T("ID_STATICTEXT2"));
    settings->Add(mapClassLabel, 1, wxLEFT | wxRIGHT | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    mapClassChoice = new wxChoice(this, ID_CHOICE1, wxDefaultPosition, FromDIP(wxSize(115, kPlatformHeight)), 0, nullptr,
                                  0, wxDefaultValidator, _T("ID_CHOICE1"));
    settings->Add(mapClassChoice, 1, wxLEFT | wxRIGHT | wxEXPAND, FromDIP(5));
    settings->Add(FromDIP(5), FromDIP(5), 1, wxALIGN_CENTER, FromDIP(5));
    wxStaticText* outputLabel = NewLabel(this, ID_STATICTEXT3, _("Output map file"), _T("ID_STATICTEXT3"));
    settings->Add(outputLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    outputField = NewField(this, ID_TEXTCTRL2, FromDIP(wxSize(161, kPlatformHeight)), _T("ID_TEXTCTRL2"));
    settings->Add(outputField, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    selectOutputButton = NewButton(this, ID_BUTTON14, _("Select"), _T("ID_BUTTON14"));
    settings->Add(selectOutputButton, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    settingsBox->Add(settings, 1, wxALIGN_CENTER, FromDIP(5));
    rightColumn->Add(settingsBox, 1, wxALL | wxEXPAND, FromDIP(5));
    // A seed for another variation, and what the input map holds.
    wxBoxSizer* extras = new wxBoxSizer(wxHORIZONTAL);
    wxStaticText* seedLabel = NewLabel(this, ID_STATICTEXT12, _("Seed"), _T("ID_STATICTEXT12"));
    extras->Add(seedLabel, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    seedField = NewField(this, ID_TEXTCTRL9, FromDIP(wxSize(90, kPlatformHeight)), _T("ID_TEXTCTRL9"));
    seedField->SetToolTip(_("Empty for the usual placement; a number from 0 to 4294967295 "
                            "gives another, reproducible variation"));
    extras->Add(seedField, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    extras->AddStretchSpacer();
    texturesButton = NewButton(this, ID_BUTTON15, _("Textures in map..."), _T("ID_BUTTON15"));
    texturesButton->SetToolTip(_("List the terrain textures of the input map and the rules the "
                                 "chosen map class has for them"));
    extras->Add(texturesButton, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    rightColumn->Add(extras, 1, wxLEFT | wxRIGHT | wxEXPAND, FromDIP(5));
    // Re-runs that replace an earlier run's models instead of adding a layer.
    wxBoxSizer* rerun = new wxBoxSizer(wxVERTICAL);
    markCheck = new wxCheckBox(this, ID_CHECKBOX1, _("Mark placed models so a later run can replace them"),
                               wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, _T("ID_CHECKBOX1"));
    markCheck->SetToolTip(_("Each placed model gets an arbrel_class key (the game's compiler ignores it)"));
    rerun->Add(markCheck, 0, wxLEFT | wxRIGHT | wxTOP, FromDIP(5));
    replaceCheck = new wxCheckBox(this, ID_CHECKBOX2, _("Replace models of an earlier run"),
                                  wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, _T("ID_CHECKBOX2"));
    replaceCheck->SetToolTip(_("The output leaves out the input's marked models, then adds this run's; "
                               "the input map is not changed"));
    rerun->Add(replaceCheck, 0, wxALL, FromDIP(5));
    rightColumn->Add(rerun, 0, wxLEFT | wxRIGHT | wxEXPAND, FromDIP(5));

    wxStaticBoxSizer* statusBox = new wxStaticBoxSizer(wxVERTICAL, this, _("Status"));
    wxFlexGridSizer* status = new wxFlexGridSizer(3, 1, 0, 0);
    status->AddGrowableCol(0);
    status->AddGrowableRow(1);
    gauge = new wxGauge(this, ID_GAUGE1, 0, wxDefaultPosition, FromDIP(wxSize(320, 32)),
                        wxGA_HORIZONTAL | wxGA_SMOOTH, wxDefaultValidator, _T("ID_GAUGE1"));
    status->Add(gauge, 1, wxALL | wxEXPAND, FromDIP(5));
    wxFlexGridSizer* counters = new wxFlexGridSizer(0, 2, 0, 0);
    // The counts keep one width whatever they hold (up to ten digits), so the
    // Status box neither moves nor cuts a count during and after a run.
    const auto NewCount = [&](wxWindow* parent, long id, const wxString& text, const wxString& name) {
        wxStaticText* count = new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize,
                                               wxST_NO_AUTORESIZE, name);
        int width = 0;
        for (const wxString& widest : {_("0000000000 of 65536 (0000 model names)"),
                                       _("0000000000 (0000000000 replaced)")})
            width = std::max(width, count->GetTextExtent(widest).x);
        count->SetMinSize(wxSize(width, count->GetBestSize().y));
        return count;
    };
    wxStaticText* meshesReadLabel = NewLabel(this, ID_STATICTEXT1, _("Meshes read:"), _T("ID_STATICTEXT1"));
    counters->Add(meshesReadLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    meshesReadCount = NewCount(this, ID_STATICTEXT9, _("0"), _T("ID_STATICTEXT9"));
    counters->Add(meshesReadCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    wxStaticText* meshesProcessedLabel =
        NewLabel(this, ID_STATICTEXT10, _("Meshes processed:"), _T("ID_STATICTEXT10"));
    counters->Add(meshesProcessedLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    meshesProcessedCount = NewCount(this, ID_STATICTEXT8, _("0"), _T("ID_STATICTEXT8"));
    counters->Add(meshesProcessedCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    wxStaticText* modelsPlacedLabel = NewLabel(this, ID_STATICTEXT4, _("Models placed:"), _T("ID_STATICTEXT4"));
    // Every label has the border its count has, so the two share a baseline.
    counters->Add(modelsPlacedLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    modelsPlacedCount = NewCount(this, ID_STATICTEXT11, _("0"), _T("ID_STATICTEXT11"));
    counters->Add(modelsPlacedCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    wxStaticText* staticModelsLabel = NewLabel(this, ID_STATICTEXT13, _("Static models:"), _T("ID_STATICTEXT13"));
    staticModelsLabel->SetToolTip(_("misc_model entities of the output (the input's and the placed ones) "
                                    "against the 65536 that Call of Duty 4 loads"));
    counters->Add(staticModelsLabel, 1, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    staticModelsCount = NewCount(this, ID_STATICTEXT14, _("0"), _T("ID_STATICTEXT14"));
    counters->Add(staticModelsCount, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(5));
    status->Add(counters, 1, wxALIGN_CENTER, FromDIP(5));
    statusBox->Add(status, 1, wxEXPAND, FromDIP(5));
    rightColumn->Add(statusBox, 1, wxALL | wxEXPAND, FromDIP(5));
    wxBoxSizer* runRow = new wxBoxSizer(wxHORIZONTAL);
    runButton = NewButton(this, ID_BUTTON2, _("Run"), _T("ID_BUTTON2"), FromDIP(wxSize(96, 48)));
    runRow->Add(runButton, 1, wxRIGHT | wxEXPAND, FromDIP(5));
    previewButton = NewButton(this, ID_BUTTON16, _("Preview..."), _T("ID_BUTTON16"));
    previewButton->SetToolTip(_("Watch the next run's foliage from above and in 3D while you edit, without writing"));
    runRow->Add(previewButton, 0, wxLEFT | wxEXPAND, FromDIP(5));
    rightColumn->Add(runRow, 1, wxALL | wxEXPAND, FromDIP(5));
    pageGrid->Add(rightColumn, 1, wxALL | wxEXPAND, 0);

    FinishPage(this, pageGrid);
}


// The page's own controls beyond the window's handlers.
void MapsPanel::BindOwnHandlers() {
    Bind(wxEVT_COMMAND_CHECKBOX_CLICKED, &MapsPanel::OnRunOptionToggled, this, ID_CHECKBOX1);
    Bind(wxEVT_COMMAND_CHECKBOX_CLICKED, &MapsPanel::OnRunOptionToggled, this, ID_CHECKBOX2);
    Bind(wxEVT_COMMAND_BUTTON_CLICKED, &MapsPanel::OnShowTextures, this, ID_BUTTON15);
    Bind(wxEVT_COMMAND_BUTTON_CLICKED, &MapsPanel::OnShowPreview, this, ID_BUTTON16);
    seedField->Bind(wxEVT_COMMAND_TEXT_UPDATED, [this](wxCommandEvent& event) {
        RememberSession();
        event.Skip();
    });
    // The path fields show their whole text as a tool tip.
    for (wxTextCtrl* field : {inputField, outputField})
        field->Bind(wxEVT_COMMAND_TEXT_UPDATED, [field](wxCommandEvent& event) {
            field->SetToolTip(field->GetValue());
            event.Skip();
        });
}
