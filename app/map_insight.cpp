// "Textures in map" and "Preview...": what the input map holds and what the
// next run would place, so a designer can write rules for the real texture names
// and see where the foliage went before opening the level editor.

#include <wx/intl.h>

#include "app/arbrel_frame.h"
#include "config/store_loader.h"
#include "dialogs/class_configuration_line.h"
#include "dialogs/narrow_text.h"
#include "app/preview_frame.h"
#include "dialogs/texture_report_dialog.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "text/number_text.h"
#include "io/paths.h"

void ArbrelFrame::OnShowTextures(wxCommandEvent&) {
    if (running) return;
    ResetStatus();
    RunRequest request = GatherRunRequest();
    // The rules' counts come from the seed a run would use; a seed that does
    // not parse is left to the run to report.
    std::uint32_t seed = 0;
    if (ParseSeedText(ToNarrow(seedField->GetValue().Strip(wxString::both)), seed)) request.seed = seed;
    std::vector<TextureReportRow> rows;
    const RunResult read = RunGuarded([&] { return ReportTextures(engine, *this, request, rows); });
    if (closeAfterRun) return;
    if (!read.ok) {
        ShowRunFailure(read);
        return;
    }
    TextureReportDialog report(this, FromNarrow(paths::LastComponent(read.inputPath)),
                               FromNarrow(request.mapClassName), rows,
                               MapClassHasModelRules(engine, request.mapClassName));
    if (report.ShowModal() != wxID_ADD) return;
    const std::string texture = report.SelectedTexture();
    if (!request.mapClassChosen) {
        ShowError(_("Choose a map class on the Maps tab first: the new texture option goes "
                    "into that class."));
        return;
    }
    StartTextureOption(request.mapClassName, texture);
}

void ArbrelFrame::StartTextureOption(const std::string& mapClassName, const std::string& texture) {
    ClassConfigurationLine dialog(this);
    OfferModelClasses(dialog);
    dialog.textureNameField->ChangeValue(FromNarrow(texture));
    if (dialog.ShowModal() == 0) return;
    std::vector<TextureOption>& options = engine.mapClasses[mapClassName];
    options.push_back(dialog.GetOption());
    // The Map classes tab shows the class it has selected, which may be another.
    if (SaveMapClassOrReport(mapClassName)) RefreshTextureList(SelectedMapClass());
    else options.pop_back();
}

void ArbrelFrame::OnShowPreview(wxCommandEvent&) {
    if (wxWindow* open = FindWindowByName(_T("PreviewFrame"), this)) {
        open->Raise();
        return;
    }
    // The preview asks for the next run's request whenever it looks for
    // changes; during a run it waits.
    PreviewFrame* preview = new PreviewFrame(this, [this]() -> std::optional<PreviewRequest> {
        if (running) return std::nullopt;
        PreviewRequest request;
        request.run = GatherRunRequest();
        request.seed = engine.random.State();
        std::uint32_t seed = 0;
        if (ParseSeedText(ToNarrow(seedField->GetValue().Strip(wxString::both)), seed)) request.seed = seed;
        request.mapClasses = engine.mapClasses;
        request.modelClasses = engine.modelClasses;
        return request;
    }, paths::Join(DataDirectory(), "preview_window.txt"));
    preview->Show();
}
