#pragma once
// What the pages of the main window share: the engine the window owns, the
// data directory, the way a message reaches the user, and the few ways
// their controls are made.

#include <string>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FoliageEngine;

struct PageContext {
    FoliageEngine& engine;
    // The settings directory (class files and config.csv); set by the
    // window before the store is loaded.
    std::string dataDirectory;
};

// One error message over the main window (the page's top-level parent).
void ShowError(wxWindow* page, const wxString& message);
// What is not an error (a stopped run, a warning about the output) comes in
// the platform's message box, titled and marked for what it is, its text
// wrapped to the screen.
enum class NoticeKind { Information, Warning };
void ShowNotice(wxWindow* page, NoticeKind kind, const wxString& title, const wxString& message);

// Fields and choices take the height that the theme and the font need: a
// fixed 21 pixels cuts their text off under GTK and at a high DPI.
const int kPlatformHeight = -1;

const long kClassListStyle = wxLB_SINGLE | wxLB_SORT | wxLB_HSCROLL | wxLB_NEEDED_SB;
const long kOptionListStyle = wxLB_SINGLE | wxLB_HSCROLL | wxLB_NEEDED_SB;

inline wxStaticText* NewLabel(wxWindow* parent, long id, const wxString& text, const wxString& name) {
    return new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize, 0, name);
}

inline wxButton* NewButton(wxWindow* parent, long id, const wxString& label, const wxString& name,
                           const wxSize& size = wxDefaultSize) {
    return new wxButton(parent, id, label, wxDefaultPosition, size, 0, wxDefaultValidator, name);
}

inline wxTextCtrl* NewField(wxWindow* parent, long id, const wxSize& size, const wxString& name) {
    return new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, size, 0,
                          wxDefaultValidator, name);
}

// A page takes its sizer, fits to it and takes its minimum from it.
inline void FinishPage(wxPanel* page, wxSizer* sizer) {
    page->SetSizer(sizer);
    sizer->Fit(page);
    sizer->SetSizeHints(page);
}
