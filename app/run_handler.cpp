// The Run button and the status display of the Maps tab. The run itself is
// the core's pipeline; this only gathers the texts and shows the outcome.

#include <cstdint>
#include <string>

#include <wx/evtloop.h>
#include <wx/intl.h>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "engine/placement_preview.h"
#include "engine/run_pipeline.h"
#include "engine/number_text.h"

namespace {

// Labels and gauge are repainted at most this often during a run.
const long kStatusRefreshMilliseconds = 100;
// Longer side of the picture of a run, in pixels.
const int kPreviewSize = 640;

wxString CountText(int count) { return wxString::Format(_T("%d"), count); }
wxString BigCountText(std::uint64_t count) { return FromNarrow(std::to_string(count)); }

}  // namespace

bool ArbrelFrame::GatherRunRequest(RunRequest& request) {
    request.inputText = ToNarrow(inputField->GetValue());
    request.outputText = ToNarrow(outputField->GetValue());
    request.installDir = SelectedInstallDirectory();
    request.mapClassChosen = mapClassChoice->GetSelection() != wxNOT_FOUND;
    if (request.mapClassChosen) request.mapClassName = ToNarrow(mapClassChoice->GetStringSelection());
    request.output.mark = markCheck->GetValue();
    request.output.replace = replaceCheck->GetValue();
    const std::string seedText = ToNarrow(seedField->GetValue().Strip(wxString::both));
    if (seedText.empty()) return true;
    std::uint32_t seed = 0;
    if (!ParseSeedText(seedText, seed)) {
        ShowError(_("Seed must be empty or a whole number from 0 to 4294967295."));
        return false;
    }
    request.seed = seed;
    return true;
}

void ArbrelFrame::OnRun(wxCommandEvent&) {
    if (running) return;
    ResetStatus();
    RunRequest request;
    if (!GatherRunRequest(request)) return;

    // The picture of this run is drawn as the models are written.
    PreviewRecorder preview(engine.meshes, kPreviewSize);
    request.observer = &preview;
    running = true;
    statusClock.Start();
    lastStatusRefresh = 0;
    const RunResult result = RunFoliage(engine, *this, request);
    running = false;
    ShowStatus();

    if (!result.ok) {
        ShowRunFailure(result);
        return;
    }
    lastPreview = preview.Picture().Image();
    lastPreviewCaption = wxString::Format(_("%d models placed on %d meshes. North is up."),
                                          modelsPlaced, meshesProcessed);
    previewButton->Enable(true);
    ShowBudget(result.budget);
}

void ArbrelFrame::ShowBudget(const ModelBudget& budget) {
    wxString text = wxString::Format(_("%s of %s (%s model names)"), BigCountText(budget.Total()),
                                     BigCountText(kStaticModelLimit), BigCountText(budget.modelNames));
    if (budget.removed > 0) text += wxString::Format(_(", %s replaced"), BigCountText(budget.removed));
    staticModelsCount->SetLabel(text);
    staticModelsCount->GetParent()->Layout();
    if (!budget.OverLimit()) return;
    // The output is written as asked; the warning says what the game will do with it.
    ShowError(wxString::Format(_("The output map holds %s static models (misc_model), more than the "
                                 "%s that Call of Duty 4 can load. Lower the densities before "
                                 "compiling the map."),
                               BigCountText(budget.Total()), BigCountText(kStaticModelLimit)));
}

void ArbrelFrame::ShowRunFailure(const RunResult& result) {
    wxString message = wxGetTranslation(FromNarrow(result.message));
    if (!result.detail.empty()) message += _T("\n\n") + FromNarrow(result.detail);
    ShowError(message);
}

void ArbrelFrame::OnCloseWindow(wxCloseEvent& event) {
    // A run lets the toolkit repaint; it must not let the window go away
    // under the engine.
    if (running && event.CanVeto()) {
        event.Veto();
        return;
    }
    event.Skip();
}

void ArbrelFrame::ResetStatus() {
    meshesProcessed = 0;
    meshesRead = 0;
    modelsPlaced = 0;
    gauge->SetValue(0);
    gauge->SetRange(0);
    meshesProcessedCount->SetLabel(_("0"));
    meshesReadCount->SetLabel(_("0"));
    modelsPlacedCount->SetLabel(_("0"));
    staticModelsCount->SetLabel(_("0"));
}

void ArbrelFrame::MeshRead() {
    ++meshesRead;
    RefreshStatusIfDue();
}

void ArbrelFrame::MeshProcessed() {
    ++meshesProcessed;
    RefreshStatusIfDue();
}

void ArbrelFrame::ModelPlaced() {
    ++modelsPlaced;
    RefreshStatusIfDue();
}

void ArbrelFrame::ShowStatus() {
    meshesReadCount->SetLabel(CountText(meshesRead));
    meshesProcessedCount->SetLabel(CountText(meshesProcessed));
    modelsPlacedCount->SetLabel(CountText(modelsPlaced));
    gauge->SetRange(meshesRead);
    gauge->SetValue(meshesProcessed < meshesRead ? meshesProcessed : meshesRead);
}

void ArbrelFrame::RefreshStatusIfDue() {
    if (!running) {
        ShowStatus();
        return;
    }
    const long now = statusClock.Time();
    if (now - lastStatusRefresh < kStatusRefreshMilliseconds) return;
    lastStatusRefresh = now;
    ShowStatus();
    // Paint and layout only: no click or key reaches a handler meanwhile,
    // so no second run and no edit can start during this one.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}
