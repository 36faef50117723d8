// The Run button and the status display of the Maps tab. The run itself is
// the core's pipeline; this only gathers the texts and shows the outcome.

#include <cstdint>
#include <initializer_list>
#include <string>

#include <wx/evtloop.h>
#include <wx/intl.h>

#include "app/maps_panel.h"
#include "dialogs/narrow_text.h"
#include "engine/block_pipeline.h"
#include "engine/foliage_engine.h"
#include "engine/run_pipeline.h"
#include "text/number_text.h"

namespace {

// Labels and gauge are repainted at most this often during a run.
const long kStatusRefreshMilliseconds = 100;

wxString CountText(int count) { return wxString::Format(_T("%d"), count); }
wxString BigCountText(std::uint64_t count) { return FromNarrow(std::to_string(count)); }

}  // namespace

RunRequest MapsPanel::GatherRunRequest() const {
    RunRequest request;
    request.inputText = ToNarrow(inputField->GetValue());
    request.outputText = ToNarrow(outputField->GetValue());
    request.installDir = SelectedInstallDirectory();
    request.mapClassChosen = mapClassChoice->GetSelection() != wxNOT_FOUND;
    if (request.mapClassChosen) request.mapClassName = ToNarrow(mapClassChoice->GetStringSelection());
    request.output.mark = markCheck->GetValue();
    request.output.replace = replaceCheck->GetValue();
    // Blocks are formatted on the other cores while this thread places.
    request.output.threads = MachineThreads();
    return request;
}

bool MapsPanel::GatherSeed(RunRequest& request) {
    const std::string seedText = ToNarrow(seedField->GetValue().Strip(wxString::both));
    if (seedText.empty()) return true;
    std::uint32_t seed = 0;
    if (!ParseSeedText(seedText, seed)) {
        ShowError(this, _("Seed must be empty or a whole number from 0 to 4294967295."));
        return false;
    }
    request.seed = seed;
    return true;
}

RunResult MapsPanel::RunGuarded(const std::function<RunResult()>& steps) {
    RunResult result;
    BeginRun();
    try {
        result = steps();
    } catch (...) {
        result = CurrentExceptionAsFailure();
    }
    EndRun();
    return result;
}

void MapsPanel::OnRun() {
    // During a run this button reads "Stop".
    if (running) {
        stopRequested = true;
        return;
    }
    ResetStatus();
    RunRequest request = GatherRunRequest();
    if (!GatherSeed(request)) return;

    const RunResult result = RunGuarded([&] { return RunFoliage(context.engine, progress, request); });
    if (closeAfterRun) return;
    if (!result.ok) {
        ShowRunFailure(result);
        return;
    }
    ListNewMaps();
    ShowBudget(result.budget);
}

void MapsPanel::ShowBudget(const ModelBudget& budget) {
    wxString text = wxString::Format(wxPLURAL("%s of %s (%s model name)", "%s of %s (%s model names)",
                                              budget.modelNames),
                                     BigCountText(budget.Total()), BigCountText(kStaticModelLimit),
                                     BigCountText(budget.modelNames));
    staticModelsCount->SetLabel(text);
    // What this run's models replaced, beside them.
    if (budget.removed > 0)
        modelsPlacedCount->SetLabel(wxString::Format(_("%s (%s replaced)"), CountText(modelsPlaced),
                                                     BigCountText(budget.removed)));
    if (!budget.OverLimit()) return;
    // The output is written as asked; the warning says what the game will do with it.
    ShowNotice(this, NoticeKind::Warning, _("Too many static models"),
               wxString::Format(_("The output map holds %s static models (misc_model), more than the "
                                  "%s that Call of Duty 4 can load. Lower the densities before "
                                  "compiling the map."),
                                BigCountText(budget.Total()), BigCountText(kStaticModelLimit)));
}

void MapsPanel::ShowRunFailure(const RunResult& result) {
    const auto translate = [](const std::string& text) {
        return ToNarrow(wxGetTranslation(FromNarrow(text)));
    };
    wxString message = FromNarrow(ComposeMessage(result.messageText, translate));
    if (!result.detail.empty()) message += _T("\n\n") + FromNarrow(ComposeMessage(result.detailText, translate));
    // Stopping is what the user asked for, not a failure.
    if (result.stopped) ShowNotice(this, NoticeKind::Information, _("Run stopped"), message);
    else ShowError(this, message);
}

void MapsPanel::BeginRun() {
    running = true;
    stopRequested = false;
    SetRunInputsEnabled(false);
    runButton->SetLabel(_("Stop"));
    runButton->SetToolTip(_("Stop the run (Escape); nothing is written"));
    statusClock.Start();
    lastStatusRefresh = 0;
}

void MapsPanel::EndRun() {
    // Input made during the run that the toolkit still holds is taken while
    // the run's rules hold: a late click on Stop must not start a new run.
    TakeInput();
    running = false;
    runButton->SetLabel(_("Run"));
    runButton->UnsetToolTip();
    ShowStatus();
    if (closeAfterRun) {
        wxGetTopLevelParent(this)->Destroy();
        return;
    }
    // Clicks and keys of the run that the toolkit still holds are delivered
    // before this, to controls that are still disabled.
    CallAfter([this] {
        if (!running) SetRunInputsEnabled(true);
    });
}

void MapsPanel::SetRunInputsEnabled(bool enabled) {
    for (wxWindow* control : std::initializer_list<wxWindow*>{
             installDirChoice, setInstallDirButton, mapsList, inputField, selectInputButton,
             mapClassChoice, outputField, selectOutputButton, seedField, texturesButton, markCheck,
             replaceCheck})
        control->Enable(enabled);
    previewButton->Enable(enabled);
}

bool MapsPanel::KeepGoing() {
    RefreshStatusIfDue();
    return !stopRequested;
}

void MapsPanel::StopRun(bool thenClose) {
    stopRequested = true;
    if (thenClose) closeAfterRun = true;
}

void MapsPanel::ResetStatus() {
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

void MapsPanel::MeshRead() {
    ++meshesRead;
    RefreshStatusIfDue();
}

void MapsPanel::MeshProcessed() {
    ++meshesProcessed;
    RefreshStatusIfDue();
}

void MapsPanel::ModelPlaced() {
    ++modelsPlaced;
    RefreshStatusIfDue();
}

void MapsPanel::ShowStatus() {
    meshesReadCount->SetLabel(CountText(meshesRead));
    meshesProcessedCount->SetLabel(CountText(meshesProcessed));
    modelsPlacedCount->SetLabel(CountText(modelsPlaced));
    gauge->SetRange(meshesRead);
    gauge->SetValue(meshesProcessed < meshesRead ? meshesProcessed : meshesRead);
}

void MapsPanel::RefreshStatusIfDue() {
    if (!running) {
        ShowStatus();
        return;
    }
    const long now = statusClock.Time();
    if (now - lastStatusRefresh < kStatusRefreshMilliseconds) return;
    lastStatusRefresh = now;
    ShowStatus();
    TakeInput();
}

void MapsPanel::TakeInput() {
    // Clicks and keys are handled now, not replayed after the run: every
    // control but Stop is disabled, and tab changes are vetoed.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
}
