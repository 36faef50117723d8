#include "dialogs/screen_fit.h"

#include <algorithm>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>

namespace {

class ScreenFitAdapter : public wxDialogLayoutAdapter {
public:
    bool CanDoLayoutAdaptation(wxDialog* dialog) override {
        if (!dialog->GetSizer()) return false;
        // What the content needs: the window manager may already have cut
        // the window to the screen.
        const wxSize size = dialog->GetSizer()->GetMinSize() + dialog->GetSize() - dialog->GetClientSize();
        const wxRect area = ScreenArea(dialog);
        return size.x > area.width || size.y > area.height;
    }

    bool DoLayoutAdaptation(wxDialog* dialog) override {
        wxSizer* content = dialog->GetSizer();
        const wxSize contentSize = content->GetMinSize();
        dialog->SetSizer(nullptr, false);

        wxScrolledWindow* scrolled = new wxScrolledWindow(dialog, wxID_ANY);
        std::vector<wxButton*> buttons;
        // A copy: reparenting changes the dialog's list of children.
        const wxWindowList children = dialog->GetChildren();
        for (wxWindow* child : children) {
            if (child == scrolled || child->IsTopLevel()) continue;
            if (wxButton* button = wxDynamicCast(child, wxButton)) {
                if (wxSizer* holder = button->GetContainingSizer()) holder->Detach(button);
                buttons.push_back(button);
            } else {
                child->Reparent(scrolled);
            }
        }
        scrolled->SetSizer(content);
        scrolled->SetScrollRate(dialog->FromDIP(10), dialog->FromDIP(10));
        scrolled->SetVirtualSize(contentSize);

        wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
        row->AddStretchSpacer();
        for (wxButton* button : buttons) row->Add(button, 0, wxALL, dialog->FromDIP(5));
        wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
        top->Add(scrolled, 1, wxEXPAND);
        top->Add(row, 0, wxEXPAND);
        dialog->SetSizer(top);

        // As much of the content as the screen holds, with room for the
        // scroll bars and the button row.
        const wxRect area = ScreenArea(dialog);
        const wxSize frame = dialog->GetSize() - dialog->GetClientSize();
        const int bar = dialog->FromDIP(20);
        const wxSize wanted(contentSize.x + bar, contentSize.y + bar + row->GetMinSize().y);
        const wxSize client(std::min(wanted.x, area.width - frame.x),
                            std::min(wanted.y, area.height - frame.y));
        scrolled->SetMinSize(wxSize(client.x, client.y - row->GetMinSize().y));
        dialog->SetMinSize(wxDefaultSize);
        dialog->SetMaxSize(wxDefaultSize);
        dialog->SetClientSize(client);
        dialog->Layout();
        dialog->CentreOnScreen();
        return true;
    }

private:
    static wxRect ScreenArea(wxWindow* window) {
        const int index = wxDisplay::GetFromWindow(window);
        return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
    }
};

}  // namespace

void FitDialogsToScreen() {
    delete wxDialog::SetLayoutAdapter(new ScreenFitAdapter);
    wxDialog::EnableLayoutAdaptation(true);
}
