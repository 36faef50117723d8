// arbrel-cli: one run of the foliage placement from the command line, with
// the configuration of a data directory that it only reads; or a dry run,
// or the texture report of a map.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/reports.h"
#include "cli/terminal_progress.h"
#include "cli/translation.h"
#include "engine/store_loader.h"
#include "engine/block_pipeline.h"
#include "engine/foliage_engine.h"
#include "engine/map_statistics.h"
#include "preview/preview_scene.h"
#include "preview/top_down_picture.h"
#include "preview/png_encoder.h"
#include "engine/run_pipeline.h"
#include "io/paths.h"
#include "io/platform.h"

namespace {

const char kProgram[] = "arbrel-cli: ";

// A run's failure: the window's message on the first line, then what the
// system or the pipeline knows about it.
void PrintFailure(const RunResult& result) {
    const auto translate = [](const std::string& text) { return std::string(_(text.c_str())); };
    std::fprintf(stderr, "%s%s\n", kProgram, ComposeMessage(result.messageText, translate).c_str());
    if (!result.detail.empty())
        std::fprintf(stderr, "%s\n", ComposeMessage(result.detailText, translate).c_str());
}

// In name order: the directory's own order differs between file systems.
std::string JoinNames(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

// Loads the data directory's classes; false (with the message printed) when
// the directory is missing or the named map class is not among them.
bool LoadClasses(FoliageEngine& engine, const CliArguments& args) {
    std::string dataDir = args.dataDir;
    if (dataDir.empty()) {
        const std::string executableDir = platform::ExecutableDirectory();
        if (executableDir.empty()) {
            std::fprintf(stderr, "%s%s\n", kProgram, _("Cannot find the directory of arbrel-cli; give --data-dir."));
            return false;
        }
        dataDir = paths::Join(executableDir, "data");
    }
    const StoreContents store = LoadConfigurationStore(engine, dataDir, /*readOnly=*/true);
    // The texture report needs no classes unless a map class or a data
    // directory was named.
    if (store.dataDirectoryMissing && (args.haveMapClass || !args.dataDir.empty())) {
        std::fprintf(stderr, "%s", kProgram);
        std::fprintf(stderr, _("The data directory '%s' does not exist."), dataDir.c_str());
        std::fputc('\n', stderr);
        if (args.dataDir.empty()) std::fprintf(stderr, "%s\n", _("Give one with --data-dir DIR."));
        return false;
    }
    for (const std::string& error : store.errors) std::fprintf(stderr, "%s%s\n", kProgram, error.c_str());
    if (!args.haveMapClass) return true;
    for (const std::string& name : store.mapClassNames)
        if (name == args.mapClass) return true;
    std::fprintf(stderr, "%s", kProgram);
    std::fprintf(stderr, _("Map class '%s' is not loaded from '%s'."), args.mapClass.c_str(), dataDir.c_str());
    std::fputc('\n', stderr);
    if (store.mapClassNames.empty()) {
        std::fprintf(stderr, "%s\n", _("It has no map classes."));
    } else {
        std::fprintf(stderr, _("Its map classes: %s."), JoinNames(store.mapClassNames).c_str());
        std::fputc('\n', stderr);
    }
    return false;
}

RunRequest RequestFrom(const CliArguments& args) {
    RunRequest request;
    request.inputText = args.input;
    request.outputText = args.output;
    request.installDir = args.installDir;
    request.mapClassChosen = args.haveMapClass;
    request.mapClassName = args.mapClass;
    request.seed = args.seed;
    request.dryRun = args.dryRun;
    request.output.mark = args.mark;
    request.output.replace = args.replace;
    request.output.maxModels = args.maxModels;
    request.output.threads = args.threads != 0 ? args.threads : MachineThreads();
    return request;
}

// The static models of the output against the engine's limit; a warning on
// standard error when over it (the run itself has succeeded).
void PrintBudget(const ModelBudget& budget, bool alreadyReported) {
    if (!alreadyReported) std::printf("%s\n", BudgetLine(budget).c_str());
    if (budget.OverLimit()) std::fprintf(stderr, "%s\n", BudgetWarning(budget).c_str());
}

int Strip(const CliArguments& args) {
    FoliageEngine engine;
    const RunResult result = StripMarkedModels(engine, RequestFrom(args));
    if (!result.ok) {
        PrintFailure(result);
        return 1;
    }
    std::printf("Removed %s marked models; %s misc_model entities remain.\n",
                std::to_string(result.budget.removed).c_str(), std::to_string(result.budget.Total()).c_str());
    return 0;
}

int Textures(const CliArguments& args) {
    FoliageEngine engine;
    if (!LoadClasses(engine, args)) return 1;
    NullProgress progress;
    std::vector<TextureReportRow> rows;
    const RunResult result = ReportTextures(engine, progress, RequestFrom(args), rows);
    if (!result.ok) {
        PrintFailure(result);
        return 1;
    }
    std::fputs(FormatTextureReport(rows, args.haveMapClass, MapClassHasModelRules(engine, args.mapClass),
                                   args.format).c_str(), stdout);
    return 0;
}

int Place(const CliArguments& args) {
    FoliageEngine engine;
    if (!LoadClasses(engine, args)) return 1;
    RunRequest request = RequestFrom(args);
    SceneRecorder preview(engine.meshes);
    if (!args.previewPath.empty()) request.observer = &preview;

    // Ctrl-C and the like end the run through its failure path, which
    // removes the temporary output file.
    platform::CatchInterrupts();
    const bool terminal = platform::IsTerminal(stderr);
    TerminalProgress progress(terminal, terminal && platform::TerminalUnderstandsEscapes(stderr));
    RecordingProgress recording(progress, preview);
    const RunResult result = RunFoliage(engine, recording, request);
    progress.Finish();
    if (!result.ok) {
        PrintFailure(result);
        return platform::InterruptRequested() ? 130 : 1;
    }
    if (args.dryRun)
        std::fputs(FormatDryRun(result.statistics, static_cast<std::uint64_t>(progress.meshesRead),
                                args.format).c_str(), stdout);
    else
        std::printf("Meshes read: %d\nMeshes processed: %d\nModels placed: %d\n", progress.meshesRead,
                    progress.meshesProcessed, progress.modelsPlaced);
    if (args.replace)
        std::printf("Marked models removed: %s\n", std::to_string(result.budget.removed).c_str());
    PrintBudget(result.budget, args.dryRun);
    if (!args.previewPath.empty()) {
        std::string error;
        PreviewScene scene = preview.Finish(result.budget, result.statistics.rejectionsPerTexture);
        scene.brushOutlines = BrushOutlines(std::string_view(engine.mapBuffer.get(), engine.mapSize), engine.mapIndex);
        if (!WritePng(args.previewPath, PreviewPicture(scene, args.previewSize), error)) {
            std::fprintf(stderr, "%s", kProgram);
            std::fprintf(stderr, _("Cannot write the preview: %s"), error.c_str());
            std::fputc('\n', stderr);
            return 1;
        }
    }
    if (!args.dryRun && (terminal || args.verbose)) {
        std::fprintf(stderr, _("Output: %s"), result.outputPath.c_str());
        std::fputc('\n', stderr);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        platform::UseUtf8Console();
        LoadTranslations();
        const std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
        CliArguments args;
        std::string error;
        if (!ParseCliArguments(arguments, args, error)) {
            std::fprintf(stderr, "arbrel-cli: %s\n%s", error.c_str(), kCliUsage);
            return 2;
        }
        if (args.help) {
            std::fputs(kCliUsage, stdout);
            return 0;
        }
        if (args.version) {
            std::printf("arbrel-cli %s\n", ARBREL_VERSION);
            return 0;
        }
        if (args.command == CliCommand::Strip) return Strip(args);
        return args.command == CliCommand::Textures ? Textures(args) : Place(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "arbrel-cli: %s\n", e.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "arbrel-cli: unexpected failure\n");
        return 1;
    }
}
