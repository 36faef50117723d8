// The real main window on a prepared data directory: what the user sees at
// start, what Run reports, and that its output equals the batch tool's.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <new>
#include <vector>
#include <string>

#include <wx/statbox.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "tests/gui/expect_error_dialog.h"
#include "tests/gui/gui_test_support.h"
#include "tests/gui/queued_input.h"
#include "tests/gui/window_fixture.h"
#include "ui_logic/option_text.h"
#include "tests/test_support.h"

namespace {

// The frame of a static box, found by its caption.
wxRect BoxRect(wxWindow* page, const wxString& caption) {
    for (wxWindow* child : page->GetChildren())
        if (wxDynamicCast(child, wxStaticBox) && child->GetLabel() == caption) return child->GetRect();
    ADD_FAILURE() << "no box " << caption;
    return wxRect();
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

int RunCli(const std::string& output) {
    std::string command = Quote(std::string(ARBREL_BIN_DIR) + "/arbrel-cli") + " --data-dir " +
                          Quote(std::string(ARBREL_SOURCE_DIR) + "/samples/data") +
                          " --map-class demo " + Quote(kSampleMap) + " " + Quote(output) + " > " +
                          Quote(output + ".txt") + " 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd.exe strips one outer pair of quotes
#endif
    return std::system(command.c_str());
}

}  // namespace

// Screenshots of every tab for people to look at, and what should fill does,
// in pixels: the notebook spans the window, boxes side by side start and end
// together, lists and texts fill their boxes.
TEST(MainWindow, EachTabFillsTheWindow) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    ASSERT_EQ(ui.notebook->GetPageCount(), 5u);
    const char* shots[] = {"main_maps", "main_map_classes", "main_model_classes",
                           "main_information", "main_tutorial"};
    for (size_t i = 0; i < 5; ++i) {
        ui.notebook->SetSelection(i);
        SaveScreenshot(window.frame, shots[i]);
    }
    EXPECT_EQ(ui.notebook->GetSize().x, ui.rootPanel->GetClientSize().x - 2 * window.frame->FromDIP(5));
    const wxRect maps = BoxRect(ui.mapsPage, "Maps");
    const wxRect settings = BoxRect(ui.mapsPage, "Settings");
    const wxRect status = BoxRect(ui.mapsPage, "Status");
    EXPECT_EQ(maps.y, settings.y);
    EXPECT_EQ(maps.GetBottom(), ui.runButton->GetRect().GetBottom());
    EXPECT_EQ(status.width, settings.width);
    EXPECT_EQ(ui.gauge->GetSize().x, status.width - 2 * (ui.gauge->GetPosition().x - status.x));
    // Counts of ten digits fit their places and move nothing.
    ui.notebook->SetSelection(0);
    const wxRect processedLabel = Named<wxWindow>(window.frame, "ID_STATICTEXT10")->GetRect();
    ui.meshesReadCount->SetLabel("2147483647");
    ui.modelsPlacedCount->SetLabel("2147483647 (4294967295 replaced)");
    ui.staticModelsCount->SetLabel("4294967295 of 65536 (1234 model names)");
    window.frame->Layout();
    PumpEvents();
    SaveScreenshot(window.frame, "main_maps_ten_digit_counts");
    EXPECT_EQ(BoxRect(ui.mapsPage, "Status"), status);
    EXPECT_EQ(Named<wxWindow>(window.frame, "ID_STATICTEXT10")->GetRect(), processedLabel);
    for (wxStaticText* count : {ui.meshesReadCount, ui.modelsPlacedCount, ui.staticModelsCount}) {
        EXPECT_LE(count->GetTextExtent(count->GetLabel()).x, count->GetSize().x) << count->GetLabel();
        EXPECT_LE(count->GetScreenRect().GetRight(), ui.gauge->GetScreenRect().GetRight());
    }
    window.frame->ResetStatus();
    for (wxWindow* page : {ui.mapClassesPage, ui.modelClassesPage}) {
        ui.notebook->SetSelection(page == ui.mapClassesPage ? 1 : 2);
        const wxRect classes = BoxRect(page, "Classes");
        const wxRect options = BoxRect(page, page == ui.mapClassesPage ? "Textures" : "Models");
        EXPECT_EQ(classes.y, options.y);
        EXPECT_EQ(classes.GetBottom(), options.GetBottom());
        wxWindow* list = page == ui.mapClassesPage ? ui.mapClassesList : ui.modelClassesList;
        EXPECT_EQ(list->GetSize().x, classes.width - 2 * (list->GetPosition().x - classes.x));
    }
    for (wxTextCtrl* text : {ui.informationText, ui.tutorialText})
        EXPECT_EQ(text->GetSize(), text->GetParent()->GetClientSize() - 2 * window.frame->FromDIP(wxSize(5, 5)));
    ui.notebook->SetSelection(0);
}

#ifdef __WXGTK3__
// A window whose user acts while its run goes on. From the run's first
// progress report on, `act` is asked at every report until it answers that
// the window has taken what it did; until then each report waits a
// millisecond, so that the run cannot end before the window has looked at
// its input, however fast the run or slow the machine. After 20 s the run
// is let go, and the test fails on what it then finds.
class InputDuringRunFrame : public ArbrelFrame {
public:
    using ArbrelFrame::ArbrelFrame;
    void MeshRead() override {
        ArbrelFrame::MeshRead();
        Act();
    }
    void MeshProcessed() override {
        ArbrelFrame::MeshProcessed();
        Act();
    }
    void ModelPlaced() override {
        ArbrelFrame::ModelPlaced();
        Act();
    }
    void DuringNextRun(std::function<bool()> act) {
        act_ = std::move(act);
        started_ = false;
    }

private:
    void Act() {
        if (!act_) return;
        if (!started_) {
            clock_.Start();
            started_ = true;
        }
        if (act_()) {
            act_ = nullptr;
        } else if (clock_.Time() > 20000) {
            ADD_FAILURE() << "the window did not take the input made during its run";
            act_ = nullptr;
        } else {
            wxMilliSleep(1);
        }
    }
    std::function<bool()> act_;
    bool started_ = false;
    wxStopWatch clock_;
};

// Where a click lands on the tab of `page`, measured from the notebook's top left.
wxPoint TabPoint(wxNotebook* notebook, int page) {
    wxPoint tab(0, 15);
    while (tab.x < notebook->GetSize().x && notebook->HitTest(tab) != page) tab.x += 4;
    return tab;
}

wxPoint Centre(wxWindow* control) { return wxPoint(control->GetSize().x / 2, control->GetSize().y / 2); }

// A run stopped by Escape, by the Stop button or by closing the window
// writes nothing. Clicks made during a run are handled during it, where they
// find every control but Stop locked; none comes back once the run ends.
// The clicks go into the toolkit's queue as the display would deliver them,
// and the run's own look at its input takes them.
TEST(MainWindow, AStoppedRunWritesNothingAndInputMadeDuringARunIsNotReplayed) {
    WindowFixture window;
    WriteFileBytes(window.dir.File("data/maps/heavy.csv"), "ground_grass_field,0,30,grass\r\n");
    const std::string install = MakeInstallation(window.dir);
    InputDuringRunFrame* frame = new InputDuringRunFrame(nullptr, -1, window.dir.path() + "/");
    window.Adopt(frame);
    const MainWindowControls& ui = window.ui();
    // A heavy run of a map picked from the list, so that a toggled box
    // would be remembered in config.csv.
    wxTEST_DIALOG(Click(ui.setInstallDirButton), ChooseDirectory(install));
    PickEntry(ui.mapsList, "mp_a");
    ChooseEntry(ui.mapClassChoice, "heavy");
    const std::string config = window.dir.File("data/config.csv");
    const std::string remembered = ReadFileBytes(config);
    ASSERT_EQ(remembered, install + ",mp_a|heavy\r\n");
    const std::string mapSource = install + "/map_source";
    const std::vector<std::string> sources = FileNames(mapSource);
    const std::string stopped = "The run was stopped. Nothing was written.";
    // What the window took during a run (the test's handlers come first).
    bool tabClicked = false, stopClicked = false, closeAsked = false;
    ui.notebook->Bind(wxEVT_COMMAND_NOTEBOOK_PAGE_CHANGING, [&](wxBookCtrlEvent& event) {
        tabClicked = true;
        event.Skip();
    });
    ui.runButton->Bind(wxEVT_COMMAND_BUTTON_CLICKED, [&](wxCommandEvent& event) {
        if (ui.runButton->GetLabel() == "Stop") stopClicked = true;
        event.Skip();
    });
    frame->Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
        closeAsked = true;
        event.Skip();
    });

    // A click on the mark box and one on the "Model classes" tab; once the
    // window has taken them (the tab's click asks to change pages), a click
    // on Stop and at once Escape: the run ends before it looks at its input
    // again, and the click it still holds must not start a new run.
    std::vector<std::string> unlocked;
    bool queued = false;
    frame->DuringNextRun([&] {
        if (!queued) {
            for (wxWindow* control : std::initializer_list<wxWindow*>{
                     ui.installDirChoice, ui.setInstallDirButton, ui.mapsList, ui.inputField,
                     ui.selectInputButton, ui.mapClassChoice, ui.outputField, ui.selectOutputButton,
                     ui.seedField, ui.texturesButton, ui.markCheck, ui.replaceCheck, ui.previewButton})
                if (control->IsEnabled()) unlocked.push_back(ToNarrow(control->GetName()));
            EXPECT_TRUE(ui.runButton->IsEnabled());
            EXPECT_EQ(ui.runButton->GetLabel(), "Stop");
            queued_input::Click(ui.markCheck, wxPoint(8, 8));
            queued_input::Click(ui.notebook, TabPoint(ui.notebook, 2));
            queued = true;
        }
        if (!tabClicked) return false;
        queued_input::Click(ui.runButton, Centre(ui.runButton));
        HookKey(*frame, WXK_ESCAPE);
        return true;
    });
    wxTEST_DIALOG(window.Run(), ExpectNotice(stopped));
    PumpEvents(300);  // whatever the toolkit still held
    EXPECT_EQ(unlocked, std::vector<std::string>{}) << "enabled during the run";
    EXPECT_EQ(ui.notebook->GetSelection(), 0);
    EXPECT_FALSE(ui.markCheck->GetValue());
    EXPECT_EQ(ReadFileBytes(config), remembered);
    EXPECT_EQ(FileNames(mapSource), sources);  // no output, no temporary
    EXPECT_NE(ui.meshesReadCount->GetLabel(), "0");  // how far it got
    EXPECT_EQ(ui.runButton->GetLabel(), "Run");
    EXPECT_TRUE(ui.inputField->IsEnabled());
    EXPECT_TRUE(ui.markCheck->IsEnabled());

    // The Run button reads "Stop" during a run; its click stops the run and
    // starts no second one afterwards (whose notice would fail the test).
    queued = stopClicked = false;
    frame->DuringNextRun([&] {
        if (!queued) queued_input::Click(ui.runButton, Centre(ui.runButton));
        queued = true;
        return stopClicked;
    });
    wxTEST_DIALOG(window.Run(), ExpectNotice(stopped));
    PumpEvents(300);
    EXPECT_EQ(FileNames(mapSource), sources);  // no output, no temporary
    EXPECT_EQ(ui.runButton->GetLabel(), "Run");
    SaveScreenshot(window.frame, "main_maps_stopped");

    // The stopped runs left the random sequence alone: with an empty Seed the
    // next run writes what a fresh start writes.
    const std::string fromCli = window.dir.File("cli.map"), output = window.dir.File("after.map");
    ASSERT_EQ(RunCli(fromCli), 0);
    window.PrepareDemoRun("after.map");
    window.Run();
    EXPECT_TRUE(ReadFileBytes(output) == ReadFileBytes(fromCli));
    for (const std::string& name : {fromCli, fromCli + ".txt", output}) std::remove(name.c_str());

    // Closing the window during a run stops the run, then the window goes
    // without a message.
    window.PrepareDemoRun("heavy.map", "heavy");
    wxWeakRef<ArbrelFrame> closing(window.frame);
    queued = false;
    frame->DuringNextRun([&] {
        if (!queued) queued_input::CloseBox(frame);
        queued = true;
        return closeAsked;
    });
    window.Run();
    PumpEvents(100);
    EXPECT_FALSE(closing);
    if (!closing) window.frame = nullptr;
    EXPECT_EQ(FileNames(window.dir.path()), (std::vector<std::string>{"data", "game"}));  // no output, no temporary
}
#endif

// A frame whose progress display fails in the middle of a run.
class FailingFrame : public ArbrelFrame {
public:
    using ArbrelFrame::ArbrelFrame;
    void ModelPlaced() override {
        ArbrelFrame::ModelPlaced();
        if (++placed == 50) throw std::bad_alloc();
    }
    int placed = 0;
};

// The messages are the core's; the window adds the reason below a blank line.
TEST(MainWindow, AFailedRunEndsInOneMessageAndLeavesTheWindowUsable) {
    WindowFixture window;
    window.Adopt(new FailingFrame(nullptr, -1, window.dir.path() + "/"));
    const MainWindowControls& ui = window.ui();
    window.PrepareDemoRun("out.map");
    ui.inputField->SetValue(FromNarrow(window.dir.path()));  // a directory
    wxTEST_DIALOG(window.Run(),
                  ExpectErrorDialog("Path specified for the .map input file is not a file.\n\nTried '" +
                                    window.dir.path() + "' (a directory)."));
    ui.inputField->SetValue(FromNarrow(kSampleMap));
    wxTEST_DIALOG(window.Run(),
                  ExpectErrorDialog("There was not enough memory to finish the run. Nothing was "
                                    "written."));
    PumpEvents(100);
    EXPECT_EQ(FileNames(window.dir.path()), std::vector<std::string>{"data"});  // no output, no temporary
    EXPECT_EQ(ui.runButton->GetLabel(), "Run");
    EXPECT_TRUE(ui.inputField->IsEnabled());
}

TEST(MainWindow, ADataDirectoryThatIsAFileIsReportedAndTheWindowStillOpens) {
    WindowFixture window(false);
    WriteFileBytes(window.dir.File("data"), "in the way");
    window.Open();
    wxTEST_DIALOG(window.frame->ReportStartupErrors(),
                  ExpectErrorDialog("Cannot create directory '", true));
    EXPECT_EQ(window.ui().mapClassesList->GetCount(), 0u);
}

namespace {

// Keeps the message of the error dialog it answers.
class KeepErrorDialog : public wxExpectModalBase<ErrorDialog, KeepErrorDialog> {
public:
    explicit KeepErrorDialog(std::string& shown) : shown_(shown) {}

protected:
    int OnInvoked(ErrorDialog* dialog) const override {
        shown_ = ToNarrow(dialog->messageText->GetLabel());
        return 1;
    }

private:
    std::string& shown_;
};

}  // namespace

// Broken class files are reported at start-up with file and line; a line of
// 10 MB is listed cut, and its file stays whole.
TEST(MainWindow, BrokenClassFilesAreReportedAndLongLinesListedCut) {
    WindowFixture window;
    const std::string longFile = window.dir.File("data/models/long.csv");
    const std::string longLine = std::string(10u << 20, 'g') + ",1,1\r\n";
    WriteFileBytes(longFile, longLine);
    WriteFileBytes(window.dir.File("data/models/broken.csv"), "d,x,y,z\r\nm,1,1,1,1,0,0,256,0.5,1.99102,extra,1\r\n");
    WriteFileBytes(window.dir.File("data/maps/picture.csv"), std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    WriteFileBytes(window.dir.File("data/maps/zero.csv"), "mud,1,0,grass\r\n");
    window.Open();
    std::string shown;
    wxTEST_DIALOG(window.frame->ReportStartupErrors(), KeepErrorDialog(shown));
    for (const char* part : {
             "broken.csv' line 1: Density minimum must be a number.",
             "broken.csv' line 2: Slope minimum must be a number, or empty for no rule.",
             "picture.csv': it is not a text file",
             "zero.csv' line 1: Density multiplier '0' reads as 0, so the line is left out"})
        EXPECT_NE(shown.find(part), std::string::npos) << part << " in " << shown;
    PickEntry(window.ui().modelClassesList, "long");
    ASSERT_EQ(window.ui().modelOptionsList->GetCount(), 1u);
    EXPECT_EQ(ToNarrow(window.ui().modelOptionsList->GetString(0)), std::string(kMaxListedTextSize, 'g') + "...");
    EXPECT_EQ(ReadFileBytes(longFile), longLine);
}

TEST(MainWindow, RunWritesWhatTheBatchToolWritesAndASecondRunContinues) {
    WindowFixture window;
    window.Open();
    const MainWindowControls& ui = window.ui();
    const std::string fromCli = window.dir.File("cli.map");
    ASSERT_EQ(RunCli(fromCli), 0) << ReadFileBytes(fromCli + ".txt");

    const std::string output = window.dir.File("window.map");
    window.PrepareDemoRun("window.map");
    window.Run();  // a dialog here would fail the toolkit's modal check
    ASSERT_TRUE(FileExists(output));
    EXPECT_TRUE(ReadFileBytes(output) == ReadFileBytes(fromCli));

    const std::string counts = "Meshes read: " + ToNarrow(ui.meshesReadCount->GetLabel()) +
                               "\nMeshes processed: " +
                               ToNarrow(ui.meshesProcessedCount->GetLabel()) +
                               "\nModels placed: " + ToNarrow(ui.modelsPlacedCount->GetLabel()) +
                               "\n";
    std::string report = ReadFileBytes(fromCli + ".txt");
    report.erase(std::remove(report.begin(), report.end(), '\r'), report.end());  // Windows console text
    EXPECT_NE(report.find(counts), std::string::npos) << counts;
    EXPECT_EQ(ui.gauge->GetValue(), ui.gauge->GetRange());
    EXPECT_GT(ui.gauge->GetRange(), 0);
    SaveScreenshot(window.frame, "main_maps_after_run");

    const std::string meshes = ToNarrow(ui.meshesReadCount->GetLabel());
    const std::string second = window.dir.File("second.map");
    ui.outputField->SetValue(FromNarrow(second));
    window.Run();
    ASSERT_TRUE(FileExists(second));
    EXPECT_FALSE(ReadFileBytes(second) == ReadFileBytes(output));
    EXPECT_EQ(ToNarrow(ui.meshesReadCount->GetLabel()), meshes);

    // Seed 1 restarts the generator: the first run again.
    ui.seedField->SetValue("1");
    window.PrepareDemoRun("one.map");
    window.Run();
    EXPECT_TRUE(ReadFileBytes(window.dir.File("one.map")) == ReadFileBytes(output));
}
