#pragma once
// The rows of an option editor, built from the field table of its record
// (config/option_fields.h): per field a label and a control in a two-column
// grid, a text field for a name or number, a check box without text for a
// flag, and a check box with text for each bit a number also offers. The
// controls are named as the editors have always named them: ID_STATICTEXT
// and the row's number for the labels, ID_TEXTCTRL and ID_CHECKBOX counted in
// row order for the rest.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "config/option_checks.h"
#include "config/option_fields.h"
#include "dialogs/narrow_text.h"
#include "text/conversions.h"

// A fixed text of the table, looked up in the translation catalogue.
inline wxString TableText(const char* text) {
    return *text == '\0' ? wxString() : wxGetTranslation(wxString::FromUTF8(text));
}

// The toolkit's identifiers of one editor's controls, taken once per program
// for each control it makes.
class ControlIds {
public:
    long Next(std::size_t at) {
        while (ids_.size() <= at) ids_.push_back(wxNewId());
        return ids_[at];
    }

private:
    std::vector<long> ids_;
};

template <typename Record>
class OptionRows {
public:
    explicit OptionRows(ControlIds& ids) : ids_(ids), controls_(Fields<Record>().size()) {}

    // Adds the rows [first, end) to the grid; a Names row gets its label
    // alone (the editor adds its list).
    void Add(wxWindow* parent, wxFlexGridSizer* grid, std::size_t first, std::size_t end) {
        const FieldTable<Record>& rows = Fields<Record>();
        for (std::size_t i = first; i < end; ++i) {
            const FieldRow<Record>& row = rows[i];
            const bool names = row.Kind() == FieldKind::Names;
            wxStaticText* label = AddLabel(parent, grid, i, names ? wxALIGN_TOP : wxALIGN_CENTER_VERTICAL);
            if (names) continue;
            const wxString tip = TableText(row.toolTip);
            if (row.Kind() == FieldKind::Flag) {
                wxCheckBox* check = NewCheck(parent, wxEmptyString, tip);
                check->SetValue(std::string(row.initial) == "1");
                // GTK shows no tool tip for a bare box: the label, where
                // users point, has it too.
                label->SetToolTip(tip);
                grid->Add(check, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, parent->FromDIP(5));
                controls_[i].check = check;
                continue;
            }
            const wxSize size = row.width > 0 ? parent->FromDIP(wxSize(row.width, -1)) : wxDefaultSize;
            wxTextCtrl* field = new wxTextCtrl(parent, ids_.Next(idCount_++), TableText(row.initial),
                                               wxDefaultPosition, size, 0, wxDefaultValidator,
                                               wxString::Format("ID_TEXTCTRL%d", ++textCount_));
            field->SetToolTip(tip);
            // A growing field fills its cell; the toolkit would let an alignment win.
            grid->Add(field, 1, wxALL | (row.width > 0 ? wxEXPAND : wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL), parent->FromDIP(5));
            controls_[i].text = field;
            for (const FieldBit& bit : row.bits) {
                grid->Add(-1, -1, 1, wxALL | wxEXPAND, parent->FromDIP(5));
                wxCheckBox* check = NewCheck(parent, TableText(bit.label), TableText(bit.toolTip));
                grid->Add(check, 1, wxALL | wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, parent->FromDIP(5));
                controls_[i].bits.push_back(check);
                check->Bind(wxEVT_CHECKBOX, [this, i](wxCommandEvent&) { BitsToNumber(i); });
            }
            if (!row.bits.empty())
                field->Bind(wxEVT_TEXT, [this, i](wxCommandEvent& event) {
                    NumberToBits(i);
                    event.Skip();
                });
        }
    }

    // The label of row i, named ID_STATICTEXT and the row's number.
    wxStaticText* AddLabel(wxWindow* parent, wxFlexGridSizer* grid, std::size_t i, int alignment) {
        wxStaticText* label = new wxStaticText(parent, ids_.Next(idCount_++),
                                               TableText(Fields<Record>()[i].label), wxDefaultPosition,
                                               wxDefaultSize, 0, wxString::Format("ID_STATICTEXT%d", static_cast<int>(i + 1)));
        grid->Add(label, 1, wxALL | wxALIGN_RIGHT | alignment, parent->FromDIP(5));
        return label;
    }

    // The texts of the fields the rows hold ("1" or "0" for a check box; a
    // Names row and rows not added give an empty text).
    FieldTexts Texts() const {
        FieldTexts texts;
        for (const Controls& c : controls_) {
            if (c.text != nullptr) texts.push_back(ToNarrow(c.text->GetValue()));
            else if (c.check != nullptr) texts.push_back(c.check->GetValue() ? "1" : "0");
            else texts.emplace_back();
        }
        return texts;
    }

    // Shows the texts without sending change events.
    void SetTexts(const FieldTexts& texts) {
        for (std::size_t i = 0; i < controls_.size() && i < texts.size(); ++i) {
            if (controls_[i].text != nullptr) {
                controls_[i].text->ChangeValue(FromNarrow(texts[i]));
                NumberToBits(i);
            } else if (controls_[i].check != nullptr) {
                controls_[i].check->SetValue(texts[i] == "1");
            }
        }
    }

    wxTextCtrl* Text(std::size_t row) const { return controls_.at(row).text; }
    wxCheckBox* Check(std::size_t row) const { return controls_.at(row).check; }
    wxCheckBox* BitCheck(std::size_t row, std::size_t bit) const { return controls_.at(row).bits.at(bit); }

private:
    struct Controls {
        wxTextCtrl* text = nullptr;
        wxCheckBox* check = nullptr;
        std::vector<wxCheckBox*> bits;
    };

    wxCheckBox* NewCheck(wxWindow* parent, const wxString& label, const wxString& tip) {
        wxCheckBox* check = new wxCheckBox(parent, ids_.Next(idCount_++), label, wxDefaultPosition,
                                           wxDefaultSize, 0, wxDefaultValidator,
                                           wxString::Format("ID_CHECKBOX%d", ++checkCount_));
        check->SetToolTip(tip);
        return check;
    }

    // A whole number from 0 to 7 shows its bits in the boxes; any other text
    // leaves them as they are, and an empty one clears them.
    void NumberToBits(std::size_t i) {
        const Controls& c = controls_[i];
        if (c.bits.empty()) return;
        const std::string text = ToNarrow(c.text->GetValue());
        int value = 0;
        if (!text.empty() && !WholeNumber(text, value)) return;
        const std::vector<FieldBit>& bits = Fields<Record>()[i].bits;
        for (std::size_t b = 0; b < bits.size(); ++b) c.bits[b]->SetValue((value & bits[b].value) != 0);
    }

    // A box sets or clears its bit in the number; no bit left means no number.
    void BitsToNumber(std::size_t i) {
        const Controls& c = controls_[i];
        int value = 0;
        WholeNumber(ToNarrow(c.text->GetValue()), value);
        const std::vector<FieldBit>& bits = Fields<Record>()[i].bits;
        for (std::size_t b = 0; b < bits.size(); ++b) {
            if (c.bits[b]->GetValue()) value |= bits[b].value;
            else value &= ~bits[b].value;
        }
        c.text->ChangeValue(value == 0 ? wxString() : wxString::Format("%d", value));
    }

    static bool WholeNumber(const std::string& text, int& value) {
        if (!IsNumberText(text)) return false;
        const float number = StringToFloat(text);
        if (!(number >= 0.0f && number <= 255.0f) || number != static_cast<float>(static_cast<int>(number)))
            return false;
        value = static_cast<int>(number);
        return true;
    }

    ControlIds& ids_;
    std::vector<Controls> controls_;
    std::size_t idCount_ = 0;
    int textCount_ = 0;
    int checkCount_ = 0;
};

// The record the rows' texts give, read as the loader reads a line (a Names
// row takes `names`).
template <typename Record>
Record RecordFromRows(const OptionRows<Record>& rows, const std::vector<std::string>& names = {}) {
    const FieldTable<Record>& table = Fields<Record>();
    const FieldTexts texts = rows.Texts();
    std::vector<std::string_view> views;
    for (std::size_t i = 0; i < texts.size() && table[i].Kind() != FieldKind::Names; ++i)
        views.emplace_back(texts[i]);
    for (const std::string& name : names) views.emplace_back(name);
    return RecordFromTexts<Record>(views);
}
