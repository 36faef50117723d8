#include "dialogs/preview_dialog.h"

#include <cstring>

#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"

wxBitmap ToBitmap(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0) return wxBitmap();
    wxImage picture(image.width, image.height, false);
    std::memcpy(picture.GetData(), image.pixels.data(), image.pixels.size());
    return wxBitmap(picture);
}

PreviewDialog::PreviewDialog(wxWindow* parent, const RgbImage& image, const wxString& caption)
    : image_(image) {
    Create(parent, wxID_ANY, _("Placement preview"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE, _T("PreviewDialog"));
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALL, 8);
    picture = new wxStaticBitmap(this, wxID_ANY, ToBitmap(image));
    column->Add(picture, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER, 8);
    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    saveButton = new wxButton(this, wxID_SAVE, _("Save as PNG..."));
    buttons->Add(saveButton, 0, wxALL, 5);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Close")), 0, wxALL, 5);
    column->Add(buttons, 0, wxALL | wxEXPAND, 3);
    SetSizerAndFit(column);
    Connect(wxID_SAVE, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(PreviewDialog::OnSave));
}

void PreviewDialog::OnSave(wxCommandEvent&) {
    wxFileDialog dialog(this, _("Save preview"), wxEmptyString, _T("preview.png"),
                        _("PNG images (*.png)|*.png"), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return;
    std::string error;
    if (!WritePng(ToNarrow(dialog.GetPath()), image_, error)) {
        ErrorDialog failure(this, FromNarrow(error));
        failure.ShowModal();
    }
}
