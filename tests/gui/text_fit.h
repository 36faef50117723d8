#pragma once
// Whether a window shows every text whole: each label, button, check box,
// field and choice is at least as large as the toolkit says its text needs
// in the window's font and DPI (a field of a fixed 21 pixels fails at 144
// DPI and under GTK), each column of a table is as wide as its heading, and
// each control lies inside its parent.

#include <gtest/gtest.h>

#include <string>

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/scrolwin.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/narrow_text.h"

inline void ExpectTextsFit(wxWindow* window, const std::string& where) {
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel()) continue;
        ExpectTextsFit(child, where);
        if (!child->IsShown()) continue;
        const std::string name = where + ": " + ToNarrow(child->GetName()) + " \"" +
                                 ToNarrow(child->GetLabel()) + "\"";
        const wxSize size = child->GetSize();
        const wxSize best = child->GetBestSize();
        const wxTextCtrl* field = wxDynamicCast(child, wxTextCtrl);
        if ((field != nullptr && !field->IsMultiLine()) || wxDynamicCast(child, wxChoice)) {
            // The typed text or the chosen entry scrolls sideways; its height must fit.
            EXPECT_GE(size.y, best.y) << name;
        } else if (wxDynamicCast(child, wxButton) || wxDynamicCast(child, wxCheckBox) ||
                   (wxDynamicCast(child, wxStaticText) && !child->HasFlag(wxST_ELLIPSIZE_END))) {
            EXPECT_TRUE(size.x >= best.x && size.y >= best.y)
                << name << " is " << size.x << "x" << size.y << ", needs " << best.x << "x" << best.y;
        }
        if (const wxListCtrl* table = wxDynamicCast(child, wxListCtrl)) {
            for (int c = 0; c < table->GetColumnCount(); ++c) {
                wxListItem column;
                column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
                table->GetColumn(c, column);
                EXPECT_GE(column.GetWidth(), table->GetTextExtent(column.GetText()).x)
                    << name << " column \"" << ToNarrow(column.GetText()) << "\"";
            }
        }
        // A scrolled parent shows the rest of its content by scrolling; a
        // notebook places its pages by the toolkit's own measure.
        if (!wxDynamicCast(window, wxScrolledWindow) && !wxDynamicCast(window, wxBookCtrlBase)) {
            const wxRect room(window->GetClientSize());
            EXPECT_TRUE(room.Contains(child->GetRect()))
                << name << " at " << child->GetRect().x << "," << child->GetRect().y << " "
                << size.x << "x" << size.y << " outside its parent's " << room.width << "x"
                << room.height;
        }
    }
}
