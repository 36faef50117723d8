#pragma once
// One run from the texts of the Maps tab (or the batch tool's arguments) to
// the written output map. The window and arbrel-cli both call this.

#include <cstdint>
#include <optional>
#include <string>

#include "config/message_text.h"
#include "engine/foliage_engine.h"
#include "engine/map_statistics.h"

struct RunRequest {
    std::string inputText;   // a map name of the installation, or a path
    std::string outputText;  // a map name (goes into map_source, ".map" added unless it ends in it) or a full path
    std::string installDir;  // empty when no installation directory is chosen
    bool mapClassChosen = false;
    std::string mapClassName;
    // The generator's state when placement starts. Empty: the engine's
    // sequence goes on (a fresh engine starts at 1, so a seed of 1 repeats
    // the default output).
    std::optional<std::uint32_t> seed;
    // Place and count without writing: no output path is needed, no output
    // directory is made, and the statistics come back in the result.
    bool dryRun = false;
    // Also receives every placement that is counted or written (a preview).
    PlacementSink* observer = nullptr;
    // Marking, replacing an earlier run's marked models, a model limit.
    OutputOptions output;
};

struct RunResult {
    bool ok = false;
    std::string message;     // the failure message (untranslated); empty on success
    std::string detail;      // the system's account of a read or write failure, if any
    // The same two as templates and data, for showing them translated.
    MessageText messageText, detailText;
    std::string inputPath;   // the resolved paths, once known
    std::string outputPath;
    DryRunStatistics statistics;  // filled by a dry run
    ModelBudget budget;           // the output's static models, once placed (or stripped)
    bool stopped = false;    // the progress receiver asked to stop; nothing was written
};

// The receiver's KeepGoing() can stop the run between meshes, cells and
// models. No exception leaves: a failed allocation or any other exception
// ends the run with a message, and no temporary file is left behind. A run
// that does not succeed leaves the engine's random sequence as it was.
RunResult RunFoliage(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request);

// Writes the input without the marked models of earlier runs (input and
// output resolved as for a run; the input needs no terrain). The number
// removed is budget.removed.
RunResult StripMarkedModels(FoliageEngine& engine, const RunRequest& request);
// Inside a catch block: the failure a run reports for the exception being
// handled (for a driver whose own code around the run threw).
RunResult CurrentExceptionAsFailure();

// Only the first steps of a run: resolves the input as a run does, reads it
// and checks that it has terrain (for the texture report). The output and
// the map class are not looked at.
RunResult ReadRequestedMap(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request);

// The texture report of the requested map. When the map class has slope,
// height or spacing rules, a dry run from the request's seed (or the
// engine's sequence, which is left where it was) adds what each rule would
// remove, so the rows tell what a run would do.
RunResult ReportTextures(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request,
                         std::vector<TextureReportRow>& rows);
