#include "dialogs/configuration_line.h"

#include <string>

#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "config/option_checks.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"

ControlIds ConfigurationLine::ids_;
const long ConfigurationLine::ID_STATICBITMAP1 = wxNewId();
const long ConfigurationLine::ID_BUTTON1 = wxNewId();

namespace {

// The first optional field: the rows before it every option has, the rows
// from it on are the optional rules, laid out in a column of their own so
// the editor fits a small screen.
std::size_t FirstOptionalRow() {
    const FieldTable<ModelOption>& rows = Fields<ModelOption>();
    std::size_t i = 0;
    while (i < rows.size() && !rows[i].IsOptional()) ++i;
    return i;
}

}  // namespace

ConfigurationLine::ConfigurationLine(wxWindow* parent, wxWindowID id, const wxPoint&, const wxSize&) {
    Create(parent, id, _("Model configuration option"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, _T("id"));
    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Model configuration option"));
    wxFlexGridSizer* outer = new wxFlexGridSizer(0, 3, 0, 0);
    wxFlexGridSizer* common = new wxFlexGridSizer(0, 2, 0, 0);
    common->AddGrowableCol(1);
    wxFlexGridSizer* rules = new wxFlexGridSizer(0, 2, 0, 0);

    const std::size_t split = FirstOptionalRow();
    rows_.Add(this, common, 0, split);
    rows_.Add(this, rules, split, Fields<ModelOption>().size());
    // Made after the rules, so the Tab key reaches it last.
    common->Add(-1, -1, 1, wxALL | wxEXPAND, FromDIP(5));
    saveButton = new wxButton(this, ID_BUTTON1, _("Save"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, _T("ID_BUTTON1"));
    common->Add(saveButton, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, FromDIP(5));

    outer->Add(common, 1, wxALL | wxEXPAND, FromDIP(5));
    outer->Add(rules, 1, wxALL | wxALIGN_TOP, FromDIP(5));
    // The picture area stays empty: no model pictures are shown yet. GTK
    // draws no border round a picture control, so a panel with the
    // platform's own frame holds it.
    wxPanel* pictureFrame = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxBORDER_THEME);
    // The toolkit for Windows cannot paint a picture control that has no
    // picture: it gets a blank one in the background's colour.
    wxBitmap blank(FromDIP(wxSize(327, 327)));
    {
        wxMemoryDC dc(blank);
        dc.SetBackground(wxBrush(pictureFrame->GetBackgroundColour()));
        dc.Clear();
    }
    picture = new wxStaticBitmap(pictureFrame, ID_STATICBITMAP1, blank, wxDefaultPosition,
                                 FromDIP(wxSize(327, 327)), wxBORDER_NONE, _T("ID_STATICBITMAP1"));
    wxBoxSizer* framed = new wxBoxSizer(wxVERTICAL);
    framed->Add(picture, 1, wxEXPAND);
    pictureFrame->SetSizerAndFit(framed);
    outer->Add(pictureFrame, 1, wxALL | wxALIGN_CENTER, FromDIP(5));
    box->Add(outer, 1, wxALL | wxEXPAND, FromDIP(5));
    top->Add(box, 1, wxALL | wxEXPAND, FromDIP(5));
    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Connect(ID_BUTTON1, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(ConfigurationLine::OnSave));
    Connect(wxID_ANY, wxEVT_CLOSE_WINDOW, wxCloseEventHandler(ConfigurationLine::OnClose));
    UseEnterAndEscape(this, saveButton);
}

void ConfigurationLine::SetOption(const ModelOption& option) { rows_.SetTexts(OptionTexts(option)); }

ModelOption ConfigurationLine::GetOption() const { return RecordFromRows(rows_); }

void ConfigurationLine::OnSave(wxCommandEvent&) {
    FieldTexts texts = rows_.Texts();
    const std::string failure = CheckOption<ModelOption>(texts);
    // The checks may have exchanged reversed ranges; show them as they are now.
    rows_.SetTexts(texts);
    if (!failure.empty()) {
        ErrorDialog error(this, FromNarrow(failure));
        error.ShowModal();
        return;
    }
    EndModal(1);
}

void ConfigurationLine::OnClose(wxCloseEvent&) { EndModal(0); }
