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

    // Fills the ten controls from an option (numbers as FloatToString writes them).
    void SetOption(const ModelOption& option);
    // Reads the ten controls back into an option.
    ModelOption GetOption() const;

    static const long ID_STATICTEXT1, ID_STATICTEXT2, ID_STATICTEXT3, ID_STATICTEXT4,
        ID_STATICTEXT5, ID_STATICTEXT6, ID_STATICTEXT7, ID_STATICTEXT8, ID_STATICTEXT9,
        ID_STATICTEXT10;
    static const long ID_TEXTCTRL1, ID_TEXTCTRL2, ID_TEXTCTRL3, ID_TEXTCTRL4, ID_TEXTCTRL5,
        ID_TEXTCTRL6, ID_TEXTCTRL7, ID_TEXTCTRL8;
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
    wxStaticBitmap* picture;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
};
