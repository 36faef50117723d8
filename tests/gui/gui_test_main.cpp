// Entry of the GUI test binary: starts the toolkit without its main loop,
// turns toolkit assertions into test failures, and runs every test.

#include <gtest/gtest.h>

#include <filesystem>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "dialogs/error_dialog.h"
#include "dialogs/screen_fit.h"
#include "preview/png_encoder.h"
#include "tests/gui/gui_test_support.h"

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        FitDialogsToScreen();
        return true;
    }
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "toolkit assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " "
        << msg.utf8_str();
}

// Registered first, so asked last: after every wxTEST_DIALOG, and only about
// dialogs none of them answered.
class UnansweredDialogGuard : public wxModalDialogHook {
public:
    wxDialog* shown = nullptr;

protected:
    int Enter(wxDialog* dialog) override {
        if (dialog == shown) return wxID_NONE;
        wxString text = dialog->GetTitle();
        if (auto* message = dynamic_cast<wxMessageDialog*>(dialog)) text += ": " + message->GetMessage();
        if (auto* error = dynamic_cast<ErrorDialog*>(dialog)) text += ": " + error->messageText->GetLabel();
        ADD_FAILURE() << "a dialog no test answers was shown (and cancelled): " << text.utf8_str();
        return wxID_CANCEL;
    }
};

UnansweredDialogGuard* unansweredDialogs = nullptr;

}  // namespace

void ExpectShownModal(wxDialog* dialog) { unansweredDialogs->shown = dialog; }

void PumpEvents(int milliseconds) {
    wxStopWatch watch;
    do {
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (loop) {
            // Bounded: a file chooser watching a removed directory keeps
            // the queue busy for ever.
            while (loop->Pending() && watch.Time() < milliseconds) loop->Dispatch();
        }
        wxTheApp->ProcessIdle();
        wxYield();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool PumpEventsUntil(const std::function<bool()>& done, int milliseconds) {
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > milliseconds) return false;
        PumpEvents(10);
    }
    return true;
}

std::string SaveScreenshot(wxWindow* window, const std::string& name) {
    window->Show();
    window->Raise();
    window->Layout();
    PumpEvents(150);
    std::error_code ec;
    std::filesystem::create_directories(ARBREL_SCREENSHOT_DIR, ec);
    // Pictures taken at another DPI than 96 say so in their name.
    const int dpi = static_cast<int>(96 * window->GetDPIScaleFactor() + 0.5);
    const std::string suffix = dpi != 96 ? "_" + std::to_string(dpi) + "dpi" : "";
    const std::string path = std::string(ARBREL_SCREENSHOT_DIR) + "/" + name + suffix + ".png";
#ifdef __WXGTK3__
    // Let the widgets paint themselves into an image: independent of what
    // else is on the screen and of window-manager timing.
    GtkWidget* widget = window->GetHandle();
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cairo = cairo_create(surface);
    gtk_widget_draw(widget, cairo);
    cairo_destroy(cairo);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
#else
    // What the screen shows of the window, written by the core's encoder:
    // the Windows toolkit is built without image libraries. Only the client
    // area: under Wine without a window manager the frame and caption are
    // not drawn, and the screen there shows whatever lies beneath.
    const wxRect rect(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize());
    wxBitmap bitmap(rect.width, rect.height);
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    const wxImage image = bitmap.ConvertToImage();
    RgbImage picture;
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    picture.pixels.assign(image.GetData(), image.GetData() + 3 * picture.width * picture.height);
    std::string error;
    WritePng(path, picture, error);
#endif
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
    UnansweredDialogGuard guard;
    guard.Register();
    unansweredDialogs = &guard;
    // Modal dialogs run nested event loops; give them an outer one to nest in.
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    const int result = RUN_ALL_TESTS();
    guard.Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
