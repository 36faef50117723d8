// arbrel-cli: one run of the foliage placement from the command line, with
// the configuration of a data directory that it only reads; or a dry run,
// or the texture report of a map.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/reports.h"
#include "cli/terminal_progress.h"
#include "config/configuration_store.h"
#include "config/paths.h"
#include "config/platform.h"
#include "engine/foliage_engine.h"
#include "engine/map_statistics.h"
#include "engine/placement_preview.h"
#include "engine/png_encoder.h"
#include "engine/run_pipeline.h"

namespace {

void PrintFailure(const RunResult& result) {
    std::fprintf(stderr, "%s\n", result.message.c_str());
    if (!result.detail.empty()) std::fprintf(stderr, "%s\n", result.detail.c_str());
}

// Loads the data directory's classes; false (with the message printed) when
// the named map class is not among them.
bool LoadClasses(FoliageEngine& engine, const CliArguments& args) {
    std::string dataDir = args.dataDir;
    if (dataDir.empty()) {
        const std::string executableDir = platform::ExecutableDirectory();
        if (executableDir.empty()) {
            std::fputs("Cannot find the directory of arbrel-cli; give --data-dir.\n", stderr);
            return false;
        }
        dataDir = paths::Join(executableDir, "data");
    }
    const StoreContents store = LoadConfigurationStore(engine, dataDir, /*readOnly=*/true);
    for (const std::string& error : store.errors) std::fprintf(stderr, "%s\n", error.c_str());
    if (!args.haveMapClass) return true;
    for (const std::string& name : store.mapClassNames)
        if (name == args.mapClass) return true;
    std::fprintf(stderr, "Map class '%s' is not loaded from '%s'.\n", args.mapClass.c_str(), dataDir.c_str());
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
    return request;
}

int Textures(const CliArguments& args) {
    FoliageEngine engine;
    if (!LoadClasses(engine, args)) return 1;
    NullProgress progress;
    const RunResult result = ReadRequestedMap(engine, progress, RequestFrom(args));
    if (!result.ok) {
        PrintFailure(result);
        return 1;
    }
    const auto rows = BuildTextureReport(engine.meshes, engine.mapClasses, args.mapClass);
    std::fputs(FormatTextureReport(rows, args.haveMapClass, args.format).c_str(), stdout);
    return 0;
}

int Place(const CliArguments& args) {
    FoliageEngine engine;
    if (!LoadClasses(engine, args)) return 1;
    RunRequest request = RequestFrom(args);
    PreviewRecorder preview(engine.meshes, args.previewSize);
    if (!args.previewPath.empty()) request.observer = &preview;

    const bool console = platform::IsTerminal(stderr);
    TerminalProgress progress(console, console && platform::TerminalUnderstandsEscapes(stderr));
    const RunResult result = RunFoliage(engine, progress, request);
    progress.Finish();
    if (!result.ok) {
        PrintFailure(result);
        return 1;
    }
    if (args.dryRun)
        std::fputs(FormatDryRun(result.statistics, static_cast<std::uint64_t>(progress.meshesRead),
                                args.format).c_str(), stdout);
    else
        std::printf("Meshes read: %d\nMeshes processed: %d\nModels placed: %d\n", progress.meshesRead,
                    progress.meshesProcessed, progress.modelsPlaced);
    if (!args.previewPath.empty()) {
        std::string error;
        if (!WritePng(args.previewPath, preview.Picture().WithLegend(), error)) {
            std::fprintf(stderr, "Cannot write the preview: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        platform::UseUtf8Console();
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
        return args.command == CliCommand::Textures ? Textures(args) : Place(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "arbrel-cli: %s\n", e.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "arbrel-cli: unexpected failure\n");
        return 1;
    }
}
