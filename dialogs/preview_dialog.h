#pragma once
// The picture of the last run: the terrain seen from above, shaded by
// texture, with a dot per placed model. It can be saved as a PNG.

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>

#include "preview/png_encoder.h"

class PreviewDialog : public wxDialog {
public:
    PreviewDialog(wxWindow* parent, const RgbImage& image, const wxString& caption);

    wxStaticBitmap* picture;
    wxButton* saveButton;

private:
    void OnSave(wxCommandEvent& event);
    const RgbImage& image_;
};

// The toolkit's copy of a core image.
wxBitmap ToBitmap(const RgbImage& image);
