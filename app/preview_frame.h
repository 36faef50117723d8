#pragma once
// The live preview: a window beside the main one that shows the next run's
// placement on the current input map, from above (and in 3D), without
// writing anything. It asks its source for the current request a few times
// a second and starts a dry run on the worker thread when anything that
// alters the result changed (a class or rule edit, the Seed, the map, the
// map class); the newest change wins, and the window never waits for it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "app/preview_top_down.h"
#include "preview/preview_runner.h"

class PreviewFrame : public wxFrame {
public:
    // What the next run would do, or nothing while a run is under way.
    using Source = std::function<std::optional<PreviewRequest>()>;

    // `placeFile` remembers the window's size and place.
    PreviewFrame(wxWindow* parent, Source source, std::string placeFile);
    ~PreviewFrame() override;

    // Asks the source and starts a dry run if the request changed (the
    // timer calls this; tests call it to skip the wait).
    void CheckForChanges();
    // The scene shown, and the id of the request it came from.
    std::shared_ptr<const PreviewScene> Scene() const { return scene_; }
    std::uint64_t ShownRequest() const { return shown_; }
    std::uint64_t LatestRequest() const { return latest_; }
    std::uint64_t DryRunsStarted() const { return started_; }

    wxNotebook* views;
    PreviewTopDown* topDown;
    wxWindow* view3d;  // the 3D page
    wxStaticText* status;
    wxGauge* gauge;
    wxScrolledWindow* legendPane;
    wxStaticBitmap* legend;
    wxTextCtrl* details;
    wxButton* fitButton;
    wxButton* saveButton;

private:
    void OnTimer(wxTimerEvent& event);
    void OnOutcome(const PreviewOutcome& outcome);
    void OnTextureClicked(std::optional<std::size_t> texture);
    void OnSave(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void PlaceWindow();

    Source source_;
    std::string placeFile_;
    std::optional<PreviewRequest> last_;
    std::shared_ptr<const PreviewScene> scene_;
    std::string clickedTexture_;  // whose rules the details show; empty for none
    std::uint64_t latest_ = 0, shown_ = 0, started_ = 0;
    wxTimer timer_;
    std::unique_ptr<PreviewRunner> runner_;  // last: its thread may call back until it is gone
};
