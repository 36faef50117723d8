#include "dialogs/texture_report_dialog.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/sizer.h>

#include "dialogs/narrow_text.h"

TextureReportDialog::TextureReportDialog(wxWindow* parent, const wxString& mapName,
                                         const wxString& mapClassName,
                                         const std::vector<TextureReportRow>& rows,
                                         bool withRemovals) {
    Create(parent, wxID_ANY, _("Textures in map"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, _T("TextureReportDialog"));
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    const wxString heading =
        mapClassName.empty()
            ? wxString::Format(_("Terrain textures of %s (no map class chosen)"), mapName)
            : wxString::Format(_("Terrain textures of %s, rules of map class %s"), mapName,
                               mapClassName);
    column->Add(new wxStaticText(this, wxID_ANY, heading), 0, wxALL, FromDIP(8));

    table = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(560, 260)),
                           wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    // A column is never narrower than its heading, whatever the font and DPI
    // (Windows sizes a column to its heading only once the table is shown).
    const auto addColumn = [this](const wxString& heading, wxListColumnFormat format, int width) {
        table->AppendColumn(heading, format,
                            std::max(FromDIP(width), table->GetTextExtent(heading).x + FromDIP(16)));
    };
    addColumn(_("Texture"), wxLIST_FORMAT_LEFT, 250);
    addColumn(_("Meshes"), wxLIST_FORMAT_RIGHT, 70);
    addColumn(_("Cells"), wxLIST_FORMAT_RIGHT, 80);
    addColumn(_("Area (64x64)"), wxLIST_FORMAT_RIGHT, 100);
    addColumn(_("Rule"), wxLIST_FORMAT_LEFT, 50);
    // Clusters and clearance get their columns when they removed something.
    bool withClearings = false;
    for (const TextureReportRow& row : rows)
        withClearings = withClearings || (withRemovals && (row.removed.cluster != 0 || row.removed.clearance != 0));
    if (withRemovals) {
        // Candidates each rule of the models would remove in a run.
        addColumn(_("Slope removed"), wxLIST_FORMAT_RIGHT, 70);
        addColumn(_("Height removed"), wxLIST_FORMAT_RIGHT, 70);
        addColumn(_("Spacing removed"), wxLIST_FORMAT_RIGHT, 70);
    }
    if (withClearings) {
        addColumn(_("Cluster removed"), wxLIST_FORMAT_RIGHT, 70);
        addColumn(_("Clearance removed"), wxLIST_FORMAT_RIGHT, 70);
    }
    // Wide enough for every column, with room for a vertical scroll bar.
    int width = FromDIP(24);
    for (int c = 0; c < table->GetColumnCount(); ++c) width += table->GetColumnWidth(c);
    table->SetMinSize(wxSize(width, FromDIP(260)));
    for (const TextureReportRow& row : rows) {
        const long item = table->InsertItem(table->GetItemCount(), FromNarrow(row.texture));
        table->SetItem(item, 1, wxString::Format(_T("%llu"), (unsigned long long)row.meshes));
        table->SetItem(item, 2, wxString::Format(_T("%llu"), (unsigned long long)row.cells));
        // Two decimals and a full stop, as arbrel-cli writes it.
        table->SetItem(item, 3, wxString::FromCDouble(row.area, 2));
        table->SetItem(item, 4, row.hasRule ? _("yes") : _("no"));
        if (withRemovals) {
            table->SetItem(item, 5, wxString::Format(_T("%llu"), (unsigned long long)row.removed.slope));
            table->SetItem(item, 6, wxString::Format(_T("%llu"), (unsigned long long)row.removed.height));
            table->SetItem(item, 7, wxString::Format(_T("%llu"), (unsigned long long)row.removed.spacing));
        }
        if (withClearings) {
            table->SetItem(item, 8, wxString::Format(_T("%llu"), (unsigned long long)row.removed.cluster));
            table->SetItem(item, 9, wxString::Format(_T("%llu"), (unsigned long long)row.removed.clearance));
        }
        textures_.push_back(row.texture);
    }
    column->Add(table, 1, wxLEFT | wxRIGHT | wxEXPAND, FromDIP(8));

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    newOptionButton = new wxButton(this, wxID_ADD, _("New texture option..."));
    newOptionButton->SetToolTip(_("Add a texture option for the selected texture to the map "
                                  "class chosen on the Maps tab"));
    newOptionButton->Enable(false);
    buttons->Add(newOptionButton, 0, wxALL, FromDIP(5));
    buttons->AddStretchSpacer();
    closeButton = new wxButton(this, wxID_CANCEL, _("Close"));
    buttons->Add(closeButton, 0, wxALL, FromDIP(5));
    column->Add(buttons, 0, wxALL | wxEXPAND, FromDIP(3));
    SetSizerAndFit(column);

    Connect(wxID_ADD, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(TextureReportDialog::OnNewOption));
    table->Connect(wxEVT_COMMAND_LIST_ITEM_SELECTED,
                   wxListEventHandler(TextureReportDialog::OnSelectionChanged), nullptr, this);
    table->Connect(wxEVT_COMMAND_LIST_ITEM_DESELECTED,
                   wxListEventHandler(TextureReportDialog::OnSelectionChanged), nullptr, this);
}

std::string TextureReportDialog::SelectedTexture() const {
    const long item = table->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (item < 0 || static_cast<std::size_t>(item) >= textures_.size()) return std::string();
    return textures_[static_cast<std::size_t>(item)];
}

void TextureReportDialog::OnSelectionChanged(wxListEvent&) {
    newOptionButton->Enable(!SelectedTexture().empty());
}

void TextureReportDialog::OnNewOption(wxCommandEvent&) {
    if (!SelectedTexture().empty()) EndModal(wxID_ADD);
}
