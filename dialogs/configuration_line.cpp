#include "dialogs/configuration_line.h"

#include <optional>
#include <string>

#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "text/conversions.h"
#include "config/option_checks.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "dialogs/option_row.h"

const long ConfigurationLine::ID_STATICTEXT1 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL1 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT2 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL2 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT3 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL3 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT4 = wxNewId();
const long ConfigurationLine::ID_CHECKBOX1 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT5 = wxNewId();
const long ConfigurationLine::ID_CHECKBOX2 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT6 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL4 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT7 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL5 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT8 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL6 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT9 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL7 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT10 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL8 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT11 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL9 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT12 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL10 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT13 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL11 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT14 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL12 = wxNewId();
const long ConfigurationLine::ID_STATICTEXT15 = wxNewId();
const long ConfigurationLine::ID_TEXTCTRL13 = wxNewId();
const long ConfigurationLine::ID_STATICBITMAP1 = wxNewId();
const long ConfigurationLine::ID_BUTTON1 = wxNewId();

namespace {

wxString RuleText(const std::optional<float>& rule) {
    return rule ? FromNarrow(FloatToString(*rule)) : wxString();
}

std::optional<float> RuleValue(const wxTextCtrl* field) {
    const std::string text = ToNarrow(field->GetValue());
    if (text.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
    return StringToFloat(text);
}

}  // namespace

ConfigurationLine::ConfigurationLine(wxWindow* parent, wxWindowID id, const wxPoint&, const wxSize&) {
    Create(parent, id, _("Model configuration option"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, _T("id"));
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Model configuration option"));
    wxFlexGridSizer* outer = new wxFlexGridSizer(0, 3, 0, 0);
    wxFlexGridSizer* rows = new wxFlexGridSizer(0, 2, 0, 0);
    rows->AddGrowableCol(1);

    AddOptionLabel(this, rows, ID_STATICTEXT1, _T("ID_STATICTEXT1"), _("Model name"));
    modelNameField = AddOptionField(this, rows, ID_TEXTCTRL1, _T("ID_TEXTCTRL1"), wxEmptyString,
                                    _("Name of the model that is used"), wxSize(160, 21), true);
    AddOptionLabel(this, rows, ID_STATICTEXT2, _T("ID_STATICTEXT2"), _("Density minimum"));
    densityMinField = AddOptionField(this, rows, ID_TEXTCTRL2, _T("ID_TEXTCTRL2"), _("0.5"),
                                     _("Minimal average density of models per 64x64 units"));
    AddOptionLabel(this, rows, ID_STATICTEXT3, _T("ID_STATICTEXT3"), _("Density maximum"));
    densityMaxField = AddOptionField(this, rows, ID_TEXTCTRL3, _T("ID_TEXTCTRL3"), _("0.5"),
                                     _("Maximal average density of models per 64x64 units"));
    evenlyDistributedCheck = AddOptionCheck(
        this, rows, ID_CHECKBOX1, _T("ID_CHECKBOX1"),
        AddOptionLabel(this, rows, ID_STATICTEXT4, _T("ID_STATICTEXT4"), _("Evenly distributed")),
        true, _("Should models be distributed evenly over the surface?"));
    surfaceAlignedCheck = AddOptionCheck(
        this, rows, ID_CHECKBOX2, _T("ID_CHECKBOX2"),
        AddOptionLabel(this, rows, ID_STATICTEXT5, _T("ID_STATICTEXT5"), _("Surface aligned")),
        true, _("Should models be aligned along the surface?"));
    AddOptionLabel(this, rows, ID_STATICTEXT6, _T("ID_STATICTEXT6"), _("Z-offset"));
    zOffsetField = AddOptionField(this, rows, ID_TEXTCTRL4, _T("ID_TEXTCTRL4"), _("0"),
                                  _("Z-axis offset from the surface"));
    AddOptionLabel(this, rows, ID_STATICTEXT7, _T("ID_STATICTEXT7"), _("Opacity minimum"));
    opacityMinField = AddOptionField(this, rows, ID_TEXTCTRL5, _T("ID_TEXTCTRL5"), _("0"),
                                     _("Minimal opacity a surface can have to apply models to"));
    AddOptionLabel(this, rows, ID_STATICTEXT8, _T("ID_STATICTEXT8"), _("Opacity maximum"));
    opacityMaxField = AddOptionField(this, rows, ID_TEXTCTRL6, _T("ID_TEXTCTRL6"), _("256"),
                                     _("Maximal opacity a surface can have to apply models to"));
    AddOptionLabel(this, rows, ID_STATICTEXT9, _T("ID_STATICTEXT9"), _("Scale minimum"));
    scaleMinField = AddOptionField(this, rows, ID_TEXTCTRL7, _T("ID_TEXTCTRL7"), _("0.5"),
                                   _("Minimal scale a model can have"));
    AddOptionLabel(this, rows, ID_STATICTEXT10, _T("ID_STATICTEXT10"), _("Scale maximum"));
    scaleMaxField = AddOptionField(this, rows, ID_TEXTCTRL8, _T("ID_TEXTCTRL8"), _("2.0"),
                                   _("Maximal scale a model can have"));
    // The optional rules, below the fields every option has.
    AddOptionLabel(this, rows, ID_STATICTEXT11, _T("ID_STATICTEXT11"), _("Slope minimum"));
    slopeMinField = AddOptionField(this, rows, ID_TEXTCTRL9, _T("ID_TEXTCTRL9"), wxEmptyString,
                                   _("Smallest angle of the surface from horizontal, in degrees "
                                     "(0 to 90); empty for no limit"));
    AddOptionLabel(this, rows, ID_STATICTEXT12, _T("ID_STATICTEXT12"), _("Slope maximum"));
    slopeMaxField = AddOptionField(this, rows, ID_TEXTCTRL10, _T("ID_TEXTCTRL10"), wxEmptyString,
                                   _("Largest angle of the surface from horizontal, in degrees "
                                     "(0 to 90), to keep models off cliffs; empty for no limit"));
    AddOptionLabel(this, rows, ID_STATICTEXT13, _T("ID_STATICTEXT13"), _("Height minimum"));
    heightMinField = AddOptionField(this, rows, ID_TEXTCTRL11, _T("ID_TEXTCTRL11"), wxEmptyString,
                                    _("Lowest Z of the surface a model stands on; empty for no limit"));
    AddOptionLabel(this, rows, ID_STATICTEXT14, _T("ID_STATICTEXT14"), _("Height maximum"));
    heightMaxField = AddOptionField(this, rows, ID_TEXTCTRL12, _T("ID_TEXTCTRL12"), wxEmptyString,
                                    _("Highest Z of the surface a model stands on; empty for no limit"));
    AddOptionLabel(this, rows, ID_STATICTEXT15, _T("ID_STATICTEXT15"), _("Spacing radius"));
    spacingRadiusField = AddOptionField(this, rows, ID_TEXTCTRL13, _T("ID_TEXTCTRL13"), wxEmptyString,
                                        _("No model is placed closer than this (in X and Y) to a "
                                          "model already placed in the run; empty for none"));
    rows->Add(-1, -1, 1, wxALL | wxEXPAND, 5);
    saveButton = new wxButton(this, ID_BUTTON1, _("Save"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, _T("ID_BUTTON1"));
    rows->Add(saveButton, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, 5);

    outer->Add(rows, 1, wxALL | wxEXPAND, 5);
    // The picture area stays empty: no model pictures are shown yet. GTK
    // draws no border round a picture control, so a panel with the
    // platform's own frame holds it.
    wxPanel* pictureFrame = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxBORDER_THEME);
    picture = new wxStaticBitmap(pictureFrame, ID_STATICBITMAP1, wxNullBitmap, wxDefaultPosition,
                                 wxSize(327, 327), wxBORDER_NONE, _T("ID_STATICBITMAP1"));
    wxBoxSizer* framed = new wxBoxSizer(wxVERTICAL);
    framed->Add(picture, 1, wxEXPAND);
    pictureFrame->SetSizerAndFit(framed);
    outer->Add(pictureFrame, 1, wxALL | wxALIGN_CENTER, 5);
    box->Add(outer, 1, wxALL | wxEXPAND, 5);
    top->Add(box, 1, wxALL | wxEXPAND, 5);
    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(ConfigurationLine::OnSave));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(ConfigurationLine::OnClose));
    UseEnterAndEscape(this, saveButton);
}

void ConfigurationLine::SetOption(const ModelOption& option) {
    modelNameField->SetValue(FromNarrow(option.modelName));
    densityMinField->SetValue(FromNarrow(FloatToString(option.densityMin)));
    densityMaxField->SetValue(FromNarrow(FloatToString(option.densityMax)));
    evenlyDistributedCheck->SetValue(option.evenlyDistributed);
    surfaceAlignedCheck->SetValue(option.surfaceAligned);
    zOffsetField->SetValue(FromNarrow(FloatToString(option.zOffset)));
    opacityMinField->SetValue(FromNarrow(FloatToString(option.opacityMin)));
    opacityMaxField->SetValue(FromNarrow(FloatToString(option.opacityMax)));
    scaleMinField->SetValue(FromNarrow(FloatToString(option.scaleMin)));
    scaleMaxField->SetValue(FromNarrow(FloatToString(option.scaleMax)));
    slopeMinField->SetValue(RuleText(option.slopeMin));
    slopeMaxField->SetValue(RuleText(option.slopeMax));
    heightMinField->SetValue(RuleText(option.heightMin));
    heightMaxField->SetValue(RuleText(option.heightMax));
    spacingRadiusField->SetValue(RuleText(option.spacingRadius));
}

ModelOption ConfigurationLine::GetOption() const {
    ModelOption option;
    option.modelName = ToNarrow(modelNameField->GetValue());
    option.densityMin = StringToFloat(ToNarrow(densityMinField->GetValue()));
    option.densityMax = StringToFloat(ToNarrow(densityMaxField->GetValue()));
    option.evenlyDistributed = evenlyDistributedCheck->GetValue();
    option.surfaceAligned = surfaceAlignedCheck->GetValue();
    option.zOffset = StringToFloat(ToNarrow(zOffsetField->GetValue()));
    option.opacityMin = StringToFloat(ToNarrow(opacityMinField->GetValue()));
    option.opacityMax = StringToFloat(ToNarrow(opacityMaxField->GetValue()));
    option.scaleMin = StringToFloat(ToNarrow(scaleMinField->GetValue()));
    option.scaleMax = StringToFloat(ToNarrow(scaleMaxField->GetValue()));
    option.slopeMin = RuleValue(slopeMinField);
    option.slopeMax = RuleValue(slopeMaxField);
    option.heightMin = RuleValue(heightMinField);
    option.heightMax = RuleValue(heightMaxField);
    option.spacingRadius = RuleValue(spacingRadiusField);
    return option;
}

void ConfigurationLine::OnSave(wxCommandEvent&) {
    ModelOptionTexts texts;
    texts.modelName = ToNarrow(modelNameField->GetValue());
    texts.densityMin = ToNarrow(densityMinField->GetValue());
    texts.densityMax = ToNarrow(densityMaxField->GetValue());
    texts.zOffset = ToNarrow(zOffsetField->GetValue());
    texts.opacityMin = ToNarrow(opacityMinField->GetValue());
    texts.opacityMax = ToNarrow(opacityMaxField->GetValue());
    texts.scaleMin = ToNarrow(scaleMinField->GetValue());
    texts.scaleMax = ToNarrow(scaleMaxField->GetValue());
    texts.slopeMin = ToNarrow(slopeMinField->GetValue());
    texts.slopeMax = ToNarrow(slopeMaxField->GetValue());
    texts.heightMin = ToNarrow(heightMinField->GetValue());
    texts.heightMax = ToNarrow(heightMaxField->GetValue());
    texts.spacingRadius = ToNarrow(spacingRadiusField->GetValue());
    const std::string failure = CheckModelOption(texts);
    // The checks may have exchanged reversed ranges; show them as they are now.
    densityMinField->ChangeValue(FromNarrow(texts.densityMin));
    densityMaxField->ChangeValue(FromNarrow(texts.densityMax));
    opacityMinField->ChangeValue(FromNarrow(texts.opacityMin));
    opacityMaxField->ChangeValue(FromNarrow(texts.opacityMax));
    scaleMinField->ChangeValue(FromNarrow(texts.scaleMin));
    scaleMaxField->ChangeValue(FromNarrow(texts.scaleMax));
    slopeMinField->ChangeValue(FromNarrow(texts.slopeMin));
    slopeMaxField->ChangeValue(FromNarrow(texts.slopeMax));
    heightMinField->ChangeValue(FromNarrow(texts.heightMin));
    heightMaxField->ChangeValue(FromNarrow(texts.heightMax));
    spacingRadiusField->ChangeValue(FromNarrow(texts.spacingRadius));
    if (!failure.empty()) {
        ErrorDialog error(this, FromNarrow(failure));
        error.ShowModal();
        return;
    }
    EndModal(1);
}

void ConfigurationLine::OnClose(wxCloseEvent&) { EndModal(0); }
