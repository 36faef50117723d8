#include "app/preview_3d.h"

#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxWindow* CreatePreview3d(wxWindow* parent) {
    wxPanel* page = new wxPanel(parent, wxID_ANY);
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(page, wxID_ANY, _("The 3D view needs OpenGL 3.3, which is not available here.")),
               0, wxALL, 12);
    page->SetSizer(sizer);
    return page;
}

void SetPreview3dScene(wxWindow*, std::shared_ptr<const PreviewScene>) {}
