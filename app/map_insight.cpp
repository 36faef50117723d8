// "Textures in map" and "Preview": what the input map holds and what the
// last run placed, so a designer can write rules for the real texture names
// and see where the foliage went before opening the level editor.

#include <wx/intl.h>

#include "app/maps_panel.h"
#include "dialogs/narrow_text.h"
#include "dialogs/preview_dialog.h"
#include "dialogs/texture_report_dialog.h"
#include "engine/map_statistics.h"
#include "engine/run_pipeline.h"
#include "text/number_text.h"
#include "io/paths.h"

void MapsPanel::OnShowTextures(wxCommandEvent&) {
    if (running) return;
    ResetStatus();
    RunRequest request = GatherRunRequest();
    // The rules' counts come from the seed a run would use; a seed that does
    // not parse is left to the run to report.
    std::uint32_t seed = 0;
    if (ParseSeedText(ToNarrow(seedField->GetValue().Strip(wxString::both)), seed)) request.seed = seed;
    std::vector<TextureReportRow> rows;
    const RunResult read = RunGuarded([&] { return ReportTextures(context.engine, progress, request, rows); });
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
    if (lastPreview.width == 0) return;
    PreviewDialog dialog(wxGetTopLevelParent(this), lastPreview, lastPreviewCaption);
    dialog.ShowModal();
}
