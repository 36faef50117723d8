// "Textures in map" and "Preview...": what the input map holds and what the
// next run would place, so a designer can write rules for the real texture names
// and see where the foliage went before opening the level editor.

#include <wx/intl.h>

#include "app/maps_panel.h"
#include "dialogs/narrow_text.h"
#include "app/preview_frame.h"
#include "dialogs/texture_report_dialog.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "text/number_text.h"
#include "io/paths.h"

namespace {

// Reading the map for the report leaves the last run's counters as they
// are; Stop, Escape and the close box still end the read.
class QuietProgress : public ProgressReceiver {
public:
    explicit QuietProgress(ProgressReceiver& window) : window_(window) {}
    void MeshRead() override {}
    void MeshProcessed() override {}
    void ModelPlaced() override {}
    bool KeepGoing() override { return window_.KeepGoing(); }

private:
    ProgressReceiver& window_;
};

}  // namespace

void MapsPanel::OnShowTextures(wxCommandEvent&) {
    if (running) return;
    RunRequest request = GatherRunRequest();
    // The rules' counts come from the seed a run would use; a seed that does
    // not parse is left to the run to report.
    std::uint32_t seed = 0;
    if (ParseSeedText(ToNarrow(seedField->GetValue().Strip(wxString::both)), seed)) request.seed = seed;
    std::vector<TextureReportRow> rows;
    QuietProgress quiet(progress);
    const RunResult read = RunGuarded([&] { return ReportTextures(context.engine, quiet, request, rows); });
    if (closeAfterRun) return;
    if (!read.ok) {
        ShowRunFailure(read);
        return;
    }
    TextureReportDialog report(wxGetTopLevelParent(this), FromNarrow(paths::LastComponent(read.inputPath)),
                               FromNarrow(request.mapClassName), rows,
                               MapClassHasModelRules(context.engine, request.mapClassName));
    if (report.ShowModal() != wxID_ADD) return;
    const std::string texture = report.SelectedTexture();
    if (!request.mapClassChosen) {
        ShowError(this, _("Choose a map class on the Maps tab first: the new texture option goes "
                    "into that class."));
        return;
    }
    if (newTextureOption) newTextureOption(request.mapClassName, texture);
}

void MapsPanel::OnShowPreview(wxCommandEvent&) {
    wxWindow* top = wxGetTopLevelParent(this);
    if (wxWindow* open = FindWindowByName(_T("PreviewFrame"), top)) {
        open->Raise();
        return;
    }
    // The preview asks for the next run's request whenever it looks for
    // changes; during a run it waits.
    PreviewFrame* preview = new PreviewFrame(top, [this]() -> std::optional<PreviewRequest> {
        if (running) return std::nullopt;
        PreviewRequest request;
        request.run = GatherRunRequest();
        request.seed = context.engine.random.State();
        std::uint32_t seed = 0;
        if (ParseSeedText(ToNarrow(seedField->GetValue().Strip(wxString::both)), seed)) request.seed = seed;
        request.mapClasses = context.engine.mapClasses;
        request.modelClasses = context.engine.modelClasses;
        return request;
    }, paths::Join(context.dataDirectory, "preview_window.txt"));
    preview->Show();
}
