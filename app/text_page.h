#pragma once
// The "Information" and "Tutorial" pages: one read-only text that fills the
// page, with its web addresses shown as links.

#include <wx/panel.h>
#include <wx/string.h>

class TextPage : public wxPanel {
public:
    TextPage(wxWindow* notebook, long panelId, const wxString& panelName, long textId,
             const wxString& textName, const wxString& text);
};
