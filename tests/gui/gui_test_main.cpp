// Entry of the GUI test binary: starts the toolkit without its main loop,
// turns toolkit assertions into test failures, and runs every test.

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "tests/gui/gui_test_support.h"

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "toolkit assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " "
        << msg.utf8_str();
}

}  // namespace

void PumpEvents(int milliseconds) {
    wxStopWatch watch;
    do {
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (loop) {
            while (loop->Pending()) loop->Dispatch();
        }
        wxTheApp->ProcessIdle();
        wxYield();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

std::string SaveScreenshot(wxWindow* window, const std::string& name) {
    window->Show();
    window->Raise();
    window->Refresh();
    window->Update();
    PumpEvents(400);
    const wxRect rect = window->GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height);
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    boost::system::error_code ec;
    boost::filesystem::create_directories(ARBREL_SCREENSHOT_DIR, ec);
    const std::string path = std::string(ARBREL_SCREENSHOT_DIR) + "/" + name + ".png";
    bitmap.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    return path;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start the toolkit (is there a display?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    wxLog::EnableLogging(false);
    // Modal dialogs run nested event loops; give them an outer one to nest in.
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
