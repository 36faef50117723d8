#pragma once
// Answers an ErrorDialog inside wxTEST_DIALOG and checks its message:
//   wxTEST_DIALOG(frame->DoSomething(), ExpectErrorDialog("Name has no length."));

#include <gtest/gtest.h>

#include <string>

#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/timer.h>

#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "tests/gui/gui_test_support.h"

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
// modally and returns its result. Once the action is done the dialog has
// 10 s to end (it may end through a queued event, such as Enter's click);
// then the test fails and closes it instead of waiting for ever.
template <class Action>
int ShowModalAndDo(wxDialog& dialog, Action action) {
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        ADD_FAILURE() << "the dialog '" << dialog.GetTitle().utf8_str() << "' is still open after the test's action";
        dialog.EndModal(wxID_CANCEL);
    });
    dialog.CallAfter([&watchdog, action] {
        action();
        watchdog.StartOnce(10000);
    });
    ExpectShownModal(&dialog);
    const int result = dialog.ShowModal();
    ExpectShownModal(nullptr);
    watchdog.Stop();
    return result;
}

// Clicks a button as the user would.
inline void Click(wxWindow* button) {
    wxCommandEvent event(wxEVT_COMMAND_BUTTON_CLICKED, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// A key as a window sees it first, wherever the focus is (Escape, Enter).
inline void HookKey(wxWindow& window, int keyCode) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = keyCode;
    event.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(event);
}
