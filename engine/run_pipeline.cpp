// One run, from the texts the user gave to the written output map: input and
// output paths, the output directory, the map class check, read, terrain
// check, place and write. Every failure ends the run with one message.

#include "engine/run_pipeline.h"

#include <cstdint>
#include <exception>
#include <new>
#include <string_view>
#include <system_error>
#include <vector>

#include "config/translatable.h"
#include "engine/map_entities.h"
#include "io/atomic_file.h"
#include "io/paths.h"
#include "io/platform.h"

namespace {

const char kInputNotAFile[] = N_("Path specified for the .map input file is not a file.");
const char kNoMapClass[] = N_("Map configuration not set.");
const char kReadFailed[] = N_("An error occured while reading the map file.");
const char kNoTerrain[] =
    N_("Your map does not have any terrain meshes, which is required to add models to.");
const char kWriteFailed[] = N_("An error occured while writing the map file.");
const char kStopped[] = N_("The run was stopped. Nothing was written.");
const char kOutputIsDirectory[] = N_("Path specified for the .map output file is a directory.");
const char kOutOfMemory[] = N_("There was not enough memory to finish the run. Nothing was written.");
const char kUnexpected[] = N_("The run ended with an unexpected failure. Nothing was written.");

MessageText Data(const std::string& text) { return MessageText::Verbatim(text); }

// A file failure: `format` names the path and then the system's reason.
MessageText Describe(const char* format, const std::string& path, const std::string& reason) {
    return MessageText(format, {Data(path), Data(reason)});
}

// Two lines of a detail.
MessageText Lines(MessageText first, MessageText second) {
    return MessageText("%s\n%s", {std::move(first), std::move(second)});
}

RunResult Fail(RunResult result, MessageText message, MessageText detail = {}) {
    result.ok = false;
    result.message = ComposeMessage(message);
    result.detail = ComposeMessage(detail);
    result.messageText = std::move(message);
    result.detailText = std::move(detail);
    return result;
}

// A step that returned false because the receiver asked to stop is a stop,
// not a failure.
RunResult FailOrStop(RunResult result, ProgressReceiver& progress, const MessageText& message,
                     const MessageText& detail) {
    if (progress.KeepGoing()) return Fail(result, message, detail);
    result = Fail(result, kStopped);
    result.stopped = true;
    return result;
}

// Runs the steps; whatever they throw ends the run with one message.
template <class Steps>
RunResult Guarded(Steps steps) {
    try {
        return steps();
    } catch (...) {
        return CurrentExceptionAsFailure();
    }
}

// "'path' (not found)" or "'path' (a directory)", for the account of what
// was tried.
MessageText Tried(const std::string& path) {
    const platform::PathKind kind = platform::QueryPath(path).kind;
    const char* format = kind == platform::PathKind::Directory ? N_("'%s' (a directory)")
                         : kind == platform::PathKind::RegularFile || kind == platform::PathKind::Other
                             ? N_("'%s' (not a regular file)")
                             : N_("'%s' (not found)");
    return MessageText(format, {Data(path)});
}

bool EndsWithMap(const std::string& text) {
    return text.size() > 4 && text.compare(text.size() - 4, 4, ".map") == 0;
}

// An output name gets ".map" unless it ends in it already (in any case:
// "mp_x.MAP" names the file the user means, not "mp_x.MAP.map").
std::string WithMapExtension(const std::string& name) {
    if (name.size() > 4) {
        std::string ending = name.substr(name.size() - 4);
        for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (ending == ".map") return name;
    }
    return name + ".map";
}

// Input: a map of the installation, else the text as typed. On failure the
// detail names both paths tried.
bool ResolveInput(const RunRequest& request, RunResult& result) {
    std::string candidate;
    if (!request.installDir.empty()) {
        candidate = paths::Join(paths::Join(request.installDir, "map_source"), request.inputText + ".map");
        if (platform::QueryPath(candidate).kind == platform::PathKind::RegularFile) result.inputPath = candidate;
    }
    if (result.inputPath.empty() && !request.inputText.empty() &&
        platform::QueryPath(request.inputText).kind == platform::PathKind::RegularFile)
        result.inputPath = request.inputText;
    if (!result.inputPath.empty()) return true;

    MessageText detail = candidate.empty()
                             ? MessageText(N_("Tried %s."), {Tried(request.inputText)})
                             : MessageText(N_("Tried %s and %s."), {Tried(candidate), Tried(request.inputText)});
    if (request.installDir.empty() && paths::DirectoryPart(request.inputText).empty())
        detail = Lines(detail, N_("No installation directory is chosen, so a map name alone is not found."));
    else if (EndsWithMap(request.inputText))
        detail = Lines(detail, MessageText(N_("A map of the installation is named without \".map\": '%s'."),
                                           {Data(request.inputText.substr(0, request.inputText.size() - 4))}));
    result = Fail(result, kInputNotAFile, detail);
    return false;
}

// Reads the resolved input and checks that it has terrain (unless it need
// not); false with the failure in `result`.
bool ReadInput(FoliageEngine& engine, ProgressReceiver& progress, RunResult& result,
               bool needTerrain = true) {
    std::uint64_t size = 0;
    const platform::Outcome sized = platform::FileSize(result.inputPath, size);
    if (!sized.ok) {
        result = Fail(result, kReadFailed, Describe(N_("Cannot read '%s': %s."), result.inputPath, sized.reason));
        return false;
    }
    if (size > UINT32_MAX) {
        result = Fail(result, kReadFailed, MessageText(N_("'%s' is larger than 4 GiB."), {Data(result.inputPath)}));
        return false;
    }
    if (!engine.ReadMap(progress, result.inputPath, size)) {
        result = FailOrStop(result, progress, kReadFailed, Data(engine.LastError()));
        return false;
    }
    if (needTerrain && engine.meshes.empty()) {
        result = Fail(result, kNoTerrain);
        return false;
    }
    return true;
}

// Output: a full path as typed, or a name in the installation's map_source.
// The output directory is made here, before the later checks.
bool ResolveOutput(const RunRequest& request, RunResult& result) {
    std::string outputDirectory;
    if (request.outputText.empty()) {
        result = Fail(result, N_("Path specified for the .map output file is empty."));
        return false;
    }
    if (paths::IsFullPath(request.outputText)) {
        result.outputPath = request.outputText;
        outputDirectory = paths::DirectoryPart(request.outputText);
    } else {
        if (request.installDir.empty()) {
            result = Fail(result, MessageText(N_("No installation directory is chosen, so the output map file "
                                                 "'%s' has no map_source directory to go into. Give a "
                                                 "full path instead."),
                                              {Data(request.outputText)}));
            return false;
        }
        outputDirectory = paths::Join(request.installDir, "map_source");
        result.outputPath = paths::Join(outputDirectory, WithMapExtension(request.outputText));
    }
    // The output directory is made when missing (one level: its parent must
    // exist). An empty directory means the current one.
    const platform::Outcome made =
        outputDirectory.empty() ? platform::Outcome() : platform::MakeDirectory(outputDirectory);
    if (!made.ok) {
        result = Fail(result, Describe(N_("Cannot create the output directory '%s': %s."), outputDirectory,
                                       made.reason));
        return false;
    }
    // Said now rather than after the whole run, when the rename would fail.
    if (platform::QueryPath(result.outputPath).kind == platform::PathKind::Directory) {
        result = Fail(result, kOutputIsDirectory, Data(result.outputPath));
        return false;
    }
    return true;
}

}  // namespace

RunResult CurrentExceptionAsFailure() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return Fail(RunResult(), kOutOfMemory);
    } catch (const std::exception& e) {
        return Fail(RunResult(), kUnexpected, Data(e.what()));
    } catch (...) {
        return Fail(RunResult(), kUnexpected);
    }
}

RunResult ReadRequestedMap(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request) {
    return Guarded([&] {
        RunResult result;
        if (!ResolveInput(request, result)) return result;
        if (ReadInput(engine, progress, result)) result.ok = true;
        return result;
    });
}

namespace {

class StopCheckOnly : public NullProgress {
public:
    explicit StopCheckOnly(ProgressReceiver& progress) : progress_(progress) {}
    bool KeepGoing() override { return progress_.KeepGoing(); }

private:
    ProgressReceiver& progress_;
};

}  // namespace

RunResult ReportTextures(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request,
                         std::vector<TextureReportRow>& rows) {
    RunResult result = ReadRequestedMap(engine, progress, request);
    if (!result.ok) return result;
    return Guarded([&] {
        rows = BuildTextureReport(engine.meshes, engine.mapClasses, request.mapClassName);
        if (!MapClassHasModelRules(engine, request.mapClassName)) return result;
        const RandomGenerator sequence = engine.random;
        if (request.seed) engine.random.Seed(*request.seed);
        // The counts of this dry run are not a run's; only the stop check goes through.
        StopCheckOnly stopCheck(progress);
        const DryRunStatistics stats = DryRun(engine, stopCheck, request.mapClassName);
        engine.random = sequence;
        if (!progress.KeepGoing()) return FailOrStop(result, progress, kStopped, {});
        for (TextureReportRow& row : rows) {
            const auto removed = stats.rejectionsPerTexture.find(row.texture);
            if (removed != stats.rejectionsPerTexture.end()) row.removed = removed->second;
        }
        return result;
    });
}

namespace {

RunResult RunSteps(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request) {
    RunResult result;
    if (!ResolveInput(request, result)) return result;
    // A dry run writes nothing, so it needs no output and makes no directory.
    if (!request.dryRun && !ResolveOutput(request, result)) return result;
    if (!request.mapClassChosen) return Fail(result, kNoMapClass);
    if (!ReadInput(engine, progress, result)) return result;

    if (request.seed) engine.random.Seed(*request.seed);
    const OutputOptions& output = request.output;
    if (request.dryRun) {
        result.statistics = DryRun(engine, progress, request.mapClassName, request.observer, output);
        if (!progress.KeepGoing()) return FailOrStop(result, progress, kStopped, {});
        result.budget = result.statistics.budget;
        if (result.statistics.end == PlacementEnd::Refused) return Fail(result, Data(result.statistics.refusal));
    } else {
        const bool written = engine.PlaceAndWrite(progress, result.outputPath, request.mapClassName,
                                                  request.observer, output);
        result.budget = engine.budget;
        if (!written && !engine.Refusal().empty()) return Fail(result, Data(engine.Refusal()));
        if (!written) return FailOrStop(result, progress, kWriteFailed, Data(engine.LastError()));
    }
    result.ok = true;
    return result;
}

}  // namespace

RunResult RunFoliage(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request) {
    // A run that wrote nothing (stopped, or failed) leaves the random
    // sequence where it found it, so the next run places as this one would
    // have, as the texture report does.
    const RandomGenerator sequence = engine.random;
    RunResult result = Guarded([&] { return RunSteps(engine, progress, request); });
    if (!result.ok) engine.random = sequence;
    return result;
}

RunResult StripMarkedModels(FoliageEngine& engine, const RunRequest& request) {
    return Guarded([&] {
        RunResult result;
        if (!ResolveInput(request, result) || !ResolveOutput(request, result)) return result;
        NullProgress progress;
        if (!ReadInput(engine, progress, result, /*needTerrain=*/false)) return result;
        const std::string_view input(engine.mapBuffer.get(), engine.mapSize);
        const std::vector<ByteRange>& removed = engine.mapIndex.entities.marked;
        result.budget.inInput = engine.mapIndex.entities.miscModels;
        result.budget.removed = removed.size();
        AtomicFileWriter writer(result.outputPath);
        if (writer.Open())
            ForEachKeptPiece(input, removed, [&writer](const char* data, std::size_t size) { writer.Write(data, size); });
        if (!writer.Commit()) return Fail(result, kWriteFailed, Data(writer.Error()));
        result.ok = true;
        return result;
    });
}
