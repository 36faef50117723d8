// The Run button and the status display of the Maps tab. The run itself is
// the core's pipeline; this only gathers the texts and shows the outcome.

#include <wx/evtloop.h>
#include <wx/intl.h>

#include "app/arbrel_frame.h"
#include "dialogs/narrow_text.h"
#include "engine/run_pipeline.h"

namespace {

// Labels and gauge are repainted at most this often during a run.
const long kStatusRefreshMilliseconds = 100;

wxString CountText(int count) { return wxString::Format(_T("%d"), count); }

}  // namespace

void ArbrelFrame::OnRun(wxCommandEvent&) {
    if (running) return;
    ResetStatus();

    RunRequest request;
    request.inputText = ToNarrow(inputField->GetValue());
    request.outputText = ToNarrow(outputField->GetValue());
    request.installDir = SelectedInstallDirectory();
    request.mapClassChosen = mapClassChoice->GetSelection() != wxNOT_FOUND;
    if (request.mapClassChosen) request.mapClassName = ToNarrow(mapClassChoice->GetStringSelection());

    running = true;
    statusClock.Start();
    lastStatusRefresh = 0;
    const RunResult result = RunFoliage(engine, *this, request);
    running = false;
    ShowStatus();

    if (!result.ok) {
        wxString message = wxGetTranslation(FromNarrow(result.message));
        if (!result.detail.empty()) message += _T("\n\n") + FromNarrow(result.detail);
        ShowError(message);
    }
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
