// arbrel-cli: one run of the foliage placement from the command line, with
// the configuration of a data directory that it only reads.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/terminal_progress.h"
#include "config/configuration_store.h"
#include "config/paths.h"
#include "config/platform.h"
#include "engine/foliage_engine.h"
#include "engine/run_pipeline.h"

namespace {

int Run(const CliArguments& args) {
    std::string dataDir = args.dataDir;
    if (dataDir.empty()) {
        const std::string executableDir = platform::ExecutableDirectory();
        if (executableDir.empty()) {
            std::fputs("Cannot find the directory of arbrel-cli; give --data-dir.\n", stderr);
            return 1;
        }
        dataDir = paths::Join(executableDir, "data");
    }

    FoliageEngine engine;
    const StoreContents store = LoadConfigurationStore(engine, dataDir, /*readOnly=*/true);
    for (const std::string& error : store.errors) std::fprintf(stderr, "%s\n", error.c_str());
    bool loaded = false;
    for (const std::string& name : store.mapClassNames) loaded = loaded || name == args.mapClass;
    if (!loaded) {
        std::fprintf(stderr, "Map class '%s' is not loaded from '%s'.\n", args.mapClass.c_str(),
                     dataDir.c_str());
        return 1;
    }

    RunRequest request;
    request.inputText = args.input;
    request.outputText = args.output;
    request.installDir = args.installDir;
    request.mapClassChosen = true;
    request.mapClassName = args.mapClass;

    TerminalProgress progress(platform::IsTerminal(stderr));
    const RunResult result = RunFoliage(engine, progress, request);
    progress.Finish();
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.message.c_str());
        if (!result.detail.empty()) std::fprintf(stderr, "%s\n", result.detail.c_str());
        return 1;
    }
    std::printf("Meshes read: %d\nMeshes processed: %d\nModels placed: %d\n", progress.meshesRead,
                progress.meshesProcessed, progress.modelsPlaced);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
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
        return Run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "arbrel-cli: %s\n", e.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "arbrel-cli: unexpected failure\n");
        return 1;
    }
}
