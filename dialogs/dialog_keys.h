#pragma once
// The keys desktop users expect in a dialog that asks for something: Enter
// presses its default button (so its checks run as on a click) and Escape
// closes it with 0, wherever the focus is.

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/event.h>

inline void UseEnterAndEscape(wxDialog* dialog, wxButton* defaultButton) {
    defaultButton->SetDefault();
    dialog->Bind(wxEVT_CHAR_HOOK, [dialog, defaultButton](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (!dialog->IsModal() || event.HasAnyModifiers()) {
            event.Skip();
        } else if (key == WXK_ESCAPE) {
            dialog->EndModal(0);
        } else if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
            // Clicked once the key's message is done with: a message box
            // opened while Windows still handles the key is never drawn
            // and takes no input.
            wxCommandEvent* click = new wxCommandEvent(wxEVT_COMMAND_BUTTON_CLICKED, defaultButton->GetId());
            click->SetEventObject(defaultButton);
            defaultButton->GetEventHandler()->QueueEvent(click);
        } else {
            event.Skip();
        }
    });
}
