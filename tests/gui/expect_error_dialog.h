#pragma once
// Answers an ErrorDialog inside wxTEST_DIALOG and checks its message:
//   wxTEST_DIALOG(frame->DoSomething(), ExpectErrorDialog("Name has no length."));

#include <gtest/gtest.h>

#include <string>

#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"

class ExpectErrorDialog : public wxExpectModalBase<ErrorDialog, ExpectErrorDialog> {
public:
    explicit ExpectErrorDialog(std::string message, bool prefixOnly = false)
        : message_(std::move(message)), prefixOnly_(prefixOnly) {}

protected:
    int OnInvoked(ErrorDialog* dialog) const override {
        const std::string shown = ToNarrow(dialog->messageText->GetLabel());
        if (prefixOnly_)
            EXPECT_EQ(shown.substr(0, message_.size()), message_) << "shown: " << shown;
        else
            EXPECT_EQ(shown, message_);
        return 1;
    }

private:
    std::string message_;
    bool prefixOnly_;
};

// Answers the message box of a notice (not an error) and checks its text.
class ExpectNotice : public wxExpectModalBase<wxMessageDialog, ExpectNotice> {
public:
    explicit ExpectNotice(std::string message) : message_(std::move(message)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        EXPECT_EQ(ToNarrow(dialog->GetMessage()), message_);
        return wxID_OK;
    }

private:
    std::string message_;
};

// Runs `action` once the dialog's modal loop is running, then shows it
// modally and returns its result.
template <class Action>
int ShowModalAndDo(wxDialog& dialog, Action action) {
    dialog.CallAfter(action);
    return dialog.ShowModal();
}

// Clicks a button as the user would.
inline void Click(wxWindow* button) {
    wxCommandEvent event(wxEVT_COMMAND_BUTTON_CLICKED, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}
