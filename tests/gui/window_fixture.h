#pragma once
// The real main window on a data directory of its own (by default a copy of
// the bundled sample classes), and small ways to drive it as a user would.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <filesystem>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

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

// What the tests reach inside the window beyond its controls.
struct ArbrelFrameTestAccess {
    static FoliageEngine& Engine(ArbrelFrame* frame) { return frame->engine; }
    static wxFileDialog* OpenMapDialog(ArbrelFrame* frame) { return frame->openMapDialog; }
    static void UseScriptedDialogs(ArbrelFrame* frame) {
        frame->installDirDialog->Destroy();
        frame->openMapDialog->Destroy();
        frame->saveMapDialog->Destroy();
        frame->installDirDialog = new ScriptedPathDialog<wxDirDialog>(frame);
        frame->openMapDialog = new ScriptedPathDialog<wxFileDialog>(frame);
        frame->saveMapDialog = new ScriptedPathDialog<wxFileDialog>(frame);
    }
};

// The window's controls, found by their window names (their identifiers).
template <class T>
T* Named(wxWindow* window, const char* name) {
    T* control = dynamic_cast<T*>(wxWindow::FindWindowByName(name, window));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

struct MainWindowControls {
    explicit MainWindowControls(wxWindow* w)
        : rootPanel(Named<wxPanel>(w, "ID_PANEL1")),
          installDirChoice(Named<wxChoice>(w, "ID_CHOICE2")),
          setInstallDirButton(Named<wxButton>(w, "ID_BUTTON1")),
          notebook(Named<wxNotebook>(w, "ID_NOTEBOOK1")),
          mapsPage(Named<wxPanel>(w, "ID_PANEL2")),
          mapsList(Named<wxListBox>(w, "ID_LISTBOX1")),
          inputField(Named<wxTextCtrl>(w, "ID_TEXTCTRL8")),
          selectInputButton(Named<wxButton>(w, "ID_BUTTON13")),
          mapClassChoice(Named<wxChoice>(w, "ID_CHOICE1")),
          outputField(Named<wxTextCtrl>(w, "ID_TEXTCTRL2")),
          selectOutputButton(Named<wxButton>(w, "ID_BUTTON14")),
          seedField(Named<wxTextCtrl>(w, "ID_TEXTCTRL9")),
          texturesButton(Named<wxButton>(w, "ID_BUTTON15")),
          markCheck(Named<wxCheckBox>(w, "ID_CHECKBOX1")),
          replaceCheck(Named<wxCheckBox>(w, "ID_CHECKBOX2")),
          gauge(Named<wxGauge>(w, "ID_GAUGE1")),
          meshesReadCount(Named<wxStaticText>(w, "ID_STATICTEXT9")),
          meshesProcessedCount(Named<wxStaticText>(w, "ID_STATICTEXT8")),
          modelsPlacedCount(Named<wxStaticText>(w, "ID_STATICTEXT11")),
          staticModelsCount(Named<wxStaticText>(w, "ID_STATICTEXT14")),
          runButton(Named<wxButton>(w, "ID_BUTTON2")),
          previewButton(Named<wxButton>(w, "ID_BUTTON16")),
          mapClassesPage(Named<wxPanel>(w, "ID_PANEL3")),
          mapClassesList(Named<wxListBox>(w, "ID_LISTBOX2")),
          addMapClassButton(Named<wxButton>(w, "ID_BUTTON6")),
          removeMapClassButton(Named<wxButton>(w, "ID_BUTTON7")),
          textureOptionsList(Named<wxListBox>(w, "ID_LISTBOX3")),
          newTextureButton(Named<wxButton>(w, "ID_BUTTON5")),
          editTextureButton(Named<wxButton>(w, "ID_BUTTON4")),
          removeTextureButton(Named<wxButton>(w, "ID_BUTTON3")),
          modelClassesPage(Named<wxPanel>(w, "ID_PANEL4")),
          modelClassesList(Named<wxListBox>(w, "ID_LISTBOX4")),
          addModelClassButton(Named<wxButton>(w, "ID_BUTTON8")),
          removeModelClassButton(Named<wxButton>(w, "ID_BUTTON9")),
          modelOptionsList(Named<wxListBox>(w, "ID_LISTBOX5")),
          newModelButton(Named<wxButton>(w, "ID_BUTTON10")),
          editModelButton(Named<wxButton>(w, "ID_BUTTON11")),
          removeModelButton(Named<wxButton>(w, "ID_BUTTON12")),
          informationText(Named<wxTextCtrl>(w, "ID_TEXTCTRL1")),
          tutorialText(Named<wxTextCtrl>(w, "ID_TEXTCTRL3")) {}

    wxPanel* rootPanel;
    wxChoice* installDirChoice;
    wxButton* setInstallDirButton;
    wxNotebook* notebook;
    wxPanel* mapsPage;
    wxListBox* mapsList;
    wxTextCtrl* inputField;
    wxButton* selectInputButton;
    wxChoice* mapClassChoice;
    wxTextCtrl* outputField;
    wxButton* selectOutputButton;
    wxTextCtrl* seedField;
    wxButton* texturesButton;
    wxCheckBox* markCheck;
    wxCheckBox* replaceCheck;
    wxGauge* gauge;
    wxStaticText* meshesReadCount;
    wxStaticText* meshesProcessedCount;
    wxStaticText* modelsPlacedCount;
    wxStaticText* staticModelsCount;
    wxButton* runButton;
    wxButton* previewButton;
    wxPanel* mapClassesPage;
    wxListBox* mapClassesList;
    wxButton* addMapClassButton;
    wxButton* removeMapClassButton;
    wxListBox* textureOptionsList;
    wxButton* newTextureButton;
    wxButton* editTextureButton;
    wxButton* removeTextureButton;
    wxPanel* modelClassesPage;
    wxListBox* modelClassesList;
    wxButton* addModelClassButton;
    wxButton* removeModelClassButton;
    wxListBox* modelOptionsList;
    wxButton* newModelButton;
    wxButton* editModelButton;
    wxButton* removeModelButton;
    wxTextCtrl* informationText;
    wxTextCtrl* tutorialText;
};

// An installation whose map_source holds one map, and a file the listing
// leaves out (its rules are the core's). It has no Docs/model_pics, as with
// the mod tools of other games, and is still kept across a restart.
inline std::string MakeInstallation(const TempDir& dir, const std::string& name = "game") {
    const std::string install = dir.File(name);
    std::filesystem::create_directories(install + "/map_source");
    std::filesystem::copy_file(kSampleMap, install + "/map_source/mp_a.map");
    WriteFileBytes(install + "/map_source/mp_b.MAP", "");
    return install;
}

// A window whose `data` is a copy of the bundled sample classes (or empty).
struct WindowFixture {
    TempDir dir;
    ArbrelFrame* frame = nullptr;
    std::optional<MainWindowControls> controls;

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
    void Open() { Adopt(new ArbrelFrame(nullptr, -1, dir.path() + "/")); }
    // A window made by the test (say of a class derived from the main window).
    void Adopt(ArbrelFrame* made) {
        frame = made;
        controls.emplace(frame);
        ArbrelFrameTestAccess::UseScriptedDialogs(frame);
        frame->Show();
        PumpEvents();
    }
    const MainWindowControls& ui() const { return *controls; }
    FoliageEngine& engine() { return ArbrelFrameTestAccess::Engine(frame); }
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
    void Run() { Click(ui().runButton); }
    void ChooseMapClass(const wxString& name) {
        ui().mapClassChoice->SetSelection(ui().mapClassChoice->FindString(name));
    }
    // The sample map with the class "demo" into `output` in the test directory.
    void PrepareDemoRun(const std::string& output, const wxString& mapClass = "demo") {
        ui().inputField->SetValue(FromNarrow(kSampleMap));
        ui().outputField->SetValue(FromNarrow(dir.File(output)));
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
