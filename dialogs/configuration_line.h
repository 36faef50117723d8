#pragma once
// The editor of one model option ("Model configuration option").

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/foliage_records.h"

class ConfigurationLine : public wxDialog {
public:
    ConfigurationLine(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize);

    // Fills the controls from an option (numbers as FloatToString writes
    // them; an unset rule as an empty field).
    void SetOption(const ModelOption& option);
    // Reads the controls back into an option.
    ModelOption GetOption() const;

    static const long ID_STATICTEXT1, ID_STATICTEXT2, ID_STATICTEXT3, ID_STATICTEXT4,
        ID_STATICTEXT5, ID_STATICTEXT6, ID_STATICTEXT7, ID_STATICTEXT8, ID_STATICTEXT9,
        ID_STATICTEXT10, ID_STATICTEXT11, ID_STATICTEXT12, ID_STATICTEXT13, ID_STATICTEXT14,
        ID_STATICTEXT15;
    static const long ID_TEXTCTRL1, ID_TEXTCTRL2, ID_TEXTCTRL3, ID_TEXTCTRL4, ID_TEXTCTRL5,
        ID_TEXTCTRL6, ID_TEXTCTRL7, ID_TEXTCTRL8, ID_TEXTCTRL9, ID_TEXTCTRL10, ID_TEXTCTRL11,
        ID_TEXTCTRL12, ID_TEXTCTRL13;
    static const long ID_CHECKBOX1, ID_CHECKBOX2;
    static const long ID_STATICBITMAP1;
    static const long ID_BUTTON1;

    wxTextCtrl* modelNameField;
    wxTextCtrl* densityMinField;
    wxTextCtrl* densityMaxField;
    wxCheckBox* evenlyDistributedCheck;
    wxCheckBox* surfaceAlignedCheck;
    wxTextCtrl* zOffsetField;
    wxTextCtrl* opacityMinField;
    wxTextCtrl* opacityMaxField;
    wxTextCtrl* scaleMinField;
    wxTextCtrl* scaleMaxField;
    // The optional rules, empty when unset.
    wxTextCtrl* slopeMinField;
    wxTextCtrl* slopeMaxField;
    wxTextCtrl* heightMinField;
    wxTextCtrl* heightMaxField;
    wxTextCtrl* spacingRadiusField;
    wxStaticBitmap* picture;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
};
