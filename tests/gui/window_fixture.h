#pragma once
// The real main window on a data directory of its own (by default a copy of
// the bundled sample classes), and small ways to drive it as a user would.

#include <functional>
#include <string>
#include <vector>

#include <filesystem>
#include <wx/testing.h>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"
#include "tests/test_support.h"

inline const std::string kSampleMap =
    std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map";

// GTK's file and directory dialogs report only what their native chooser
// accepted. The window's dialogs are replaced by these, which return the
// path they were last given, so wxTEST_DIALOG answers can choose one.
template <class Dialog>
class ScriptedPathDialog : public Dialog {
public:
    using Dialog::Dialog;
    void SetPath(const wxString& path) override { lastPath = path; }
    wxString GetPath() const override { return lastPath; }
    wxString lastPath;
};

inline void UseScriptedDialogs(ArbrelFrame* frame) {
    frame->installDirDialog->Destroy();
    frame->openMapDialog->Destroy();
    frame->saveMapDialog->Destroy();
    frame->installDirDialog = new ScriptedPathDialog<wxDirDialog>(frame);
    frame->openMapDialog = new ScriptedPathDialog<wxFileDialog>(frame);
    frame->saveMapDialog = new ScriptedPathDialog<wxFileDialog>(frame);
}

// A window whose `data` is a copy of the bundled sample classes (or empty).
struct WindowFixture {
    TempDir dir;
    ArbrelFrame* frame = nullptr;

    explicit WindowFixture(bool withSamples = true) {
        namespace fs = std::filesystem;
        if (!withSamples) return;
        for (const char* sub : {"maps", "models"}) {
            const fs::path target = fs::path(dir.File("data")) / sub;
            fs::create_directories(target);
            for (const auto& entry :
                 fs::directory_iterator(fs::path(ARBREL_SOURCE_DIR) / "samples/data" / sub))
                fs::copy_file(entry.path(), target / entry.path().filename());
        }
    }
    void Open() {
        frame = new ArbrelFrame(nullptr, -1, dir.path() + "/");
        UseScriptedDialogs(frame);
        frame->Show();
        PumpEvents();
    }
    // Closes the window and opens a new one on the same data directory, as a
    // restart of the program would.
    void Reopen() {
        frame->Destroy();
        PumpEvents(10);
        Open();
    }
    ~WindowFixture() {
        if (frame) frame->Destroy();
        PumpEvents(10);
    }
    void Run() { Click(frame->runButton); }
    void ChooseMapClass(const wxString& name) {
        frame->mapClassChoice->SetSelection(frame->mapClassChoice->FindString(name));
    }
    // The sample map with the class "demo" into `output` in the test directory.
    void PrepareDemoRun(const std::string& output, const wxString& mapClass = "demo") {
        frame->inputField->SetValue(FromNarrow(kSampleMap));
        frame->outputField->SetValue(FromNarrow(dir.File(output)));
        ChooseMapClass(mapClass);
    }
};

// Answers a modal dialog of type T inside wxTEST_DIALOG with a function that
// may fill its controls and returns the dialog's result.
template <class T>
class AnswerDialog : public wxExpectModalBase<T, AnswerDialog<T>> {
public:
    explicit AnswerDialog(std::function<int(T*)> answer) : answer_(std::move(answer)) {}

protected:
    int OnInvoked(T* dialog) const override { return answer_(dialog); }

private:
    std::function<int(T*)> answer_;
};

// Selects an entry and sends the selection event, as a click would.
inline void SelectEntry(wxControlWithItems* control, const wxString& text, wxEventType type) {
    control->SetSelection(control->FindString(text, true));
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(control->GetSelection());
    control->GetEventHandler()->ProcessEvent(event);
}
inline void ChooseEntry(wxChoice* choice, const wxString& text) {
    SelectEntry(choice, text, wxEVT_COMMAND_CHOICE_SELECTED);
}
inline void PickEntry(wxListBox* list, const wxString& text) {
    SelectEntry(list, text, wxEVT_COMMAND_LISTBOX_SELECTED);
}

// Answers the directory dialog with a chosen path.
inline AnswerDialog<wxDirDialog> ChooseDirectory(const std::string& path) {
    return AnswerDialog<wxDirDialog>([path](wxDirDialog* dialog) {
        dialog->SetPath(FromNarrow(path));
        return wxID_OK;
    });
}

// The texts of a list or choice, in order.
inline std::vector<std::string> Entries(const wxItemContainerImmutable* control) {
    std::vector<std::string> entries;
    for (unsigned int i = 0; i < control->GetCount(); ++i)
        entries.push_back(ToNarrow(control->GetString(i)));
    return entries;
}
