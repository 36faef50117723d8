// The whole job as its first description words it, against the program's
// own pipeline, measured side by side in one process: one thread, each
// number turned into text through a string stream of the classic locale,
// each block built in a string stream and written with one fprintf("%s")
// to a file opened with fopen, no buffering beyond stdio's. Each iteration
// runs the literal job, then arbrel's at one and at two threads, on the
// same generated map (about 1.23 million placements), so a busy machine
// slows all three alike; the counters give the ratios. The commit of a file
// of the output's size (sync and rename, which the literal job does not do)
// is timed apart, untimed by the benchmark itself.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <locale>
#include <sstream>
#include <string>

#include "bench/generated_map_file.h"
#include "engine/foliage_engine.h"
#include "engine/placement_block.h"
#include "io/atomic_file.h"

namespace {

std::string StreamFloat(float value) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;  // six significant digits, the "%g" form
    return stream.str();
}

class LiteralBlockSink : public PlacementSink {
public:
    explicit LiteralBlockSink(std::FILE* file) : file_(file) {}
    void Place(const ModelPlacement& p) override {
        if (PlacementHasNaN(p)) return;
        std::ostringstream block;
        block << "{\n\"origin\" \"" << StreamFloat(p.x) << ' ' << StreamFloat(p.y) << ' ' << StreamFloat(p.z)
              << "\"\n\"modelscale\" \"" << StreamFloat(p.scale) << "\"\n\"angles\" \"" << StreamFloat(p.pitch)
              << ' ' << StreamFloat(p.yaw) << ' ' << StreamFloat(p.roll) << "\"\n\"model\" \""
              << p.modelOption->modelName << "\"\n\"classname\" \"misc_model\"\n}\n";
        std::fprintf(file_, "%s", block.str().c_str());
        ++placed;
    }
    long placed = 0;

private:
    std::FILE* file_;
};

// Reads the map and writes it with its blocks, as worded; false on failure.
bool LiteralJob(const GeneratedMapFile& files, long& placed) {
    FoliageEngine engine;
    ConfigureForGeneratedMap(engine);
    CountingReceiver progress;
    if (!engine.ReadMap(progress, files.input, files.bytes)) return false;
    std::FILE* file = std::fopen(files.output.c_str(), "wb+");
    if (file == nullptr) return false;
    bool ok = std::fwrite(engine.mapBuffer.get(), 1, engine.mapSize, file) == engine.mapSize;
    LiteralBlockSink sink(file);
    for (const TerrainMesh& mesh : engine.meshes) engine.PlaceOnMesh(mesh, "bench", sink);
    ok = std::fclose(file) == 0 && ok;
    placed = sink.placed;
    return ok;
}

bool ProgramJob(const GeneratedMapFile& files, unsigned threads, long& placed) {
    FoliageEngine engine;
    ConfigureForGeneratedMap(engine);
    CountingReceiver progress;
    OutputOptions options;
    options.threads = threads;
    const bool ok = engine.ReadMap(progress, files.input, files.bytes) &&
                    engine.PlaceAndWrite(progress, files.output, "bench", nullptr, options);
    placed = progress.placed;
    return ok;
}

// What the program does beyond the literal job at the end of a run: it syncs
// the finished output to the disk and renames it over the previous one. Here
// a file of the same size is written from memory and only the commit timed.
double CommitSeconds(const GeneratedMapFile& files, std::uintmax_t size, bool& ok) {
    AtomicFileWriter writer(files.output);
    if (!writer.Open()) {
        ok = false;
        return 0;
    }
    const std::string megabyte(std::size_t{1} << 20, 'x');
    for (std::uintmax_t left = size; left > 0;) {
        const std::size_t part = left < megabyte.size() ? static_cast<std::size_t>(left) : megabyte.size();
        writer.Write(megabyte.data(), part);
        left -= part;
    }
    const auto start = std::chrono::steady_clock::now();
    ok = writer.Commit() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double SecondsOf(const std::function<bool()>& job, bool& ok) {
    const auto start = std::chrono::steady_clock::now();
    ok = job() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LiteralPipelineSideBySide(benchmark::State& state) {
    GeneratedMapFile files(200, 33);
    double literal = 0, one = 0, two = 0, commit = 0;
    long placed = 0, literalPlaced = 0;
    std::uintmax_t literalSize = 0, programSize = 0;
    for (auto _ : state) {
        bool ok = files.Ok();
        literal += SecondsOf([&] { return LiteralJob(files, literalPlaced); }, ok);
        literalSize = std::filesystem::file_size(files.output);
        one += SecondsOf([&] { return ProgramJob(files, 1, placed); }, ok);
        const double twoThreads = SecondsOf([&] { return ProgramJob(files, 2, placed); }, ok);
        two += twoThreads;
        programSize = std::filesystem::file_size(files.output);
        if (!ok || literalPlaced != placed || literalSize != programSize) {
            state.SkipWithError("a job failed, or the two wrote different outputs");
            return;
        }
        state.SetIterationTime(twoThreads);  // the reported time is the two-thread run's
        state.PauseTiming();
        commit += CommitSeconds(files, programSize, ok);
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError("the commit of a same-size file failed");
            return;
        }
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["literal_s"] = literal / runs;
    state.counters["threads1_s"] = one / runs;
    state.counters["threads2_s"] = two / runs;
    state.counters["literal_Mps"] = placed * runs / literal / 1e6;
    state.counters["threads1_Mps"] = placed * runs / one / 1e6;
    state.counters["threads2_Mps"] = placed * runs / two / 1e6;
    state.counters["x_threads1"] = literal / one;
    state.counters["x_threads2"] = literal / two;
    state.counters["placements"] = static_cast<double>(placed);
    state.counters["commit_s"] = commit / runs;
    state.counters["threads2_Mps_before_commit"] = placed * runs / (two - commit) / 1e6;
}
BENCHMARK(BM_LiteralPipelineSideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The literal job alone: its CPU time, for comparing with the CPU time of
// BM_ReadPlaceWrite's placing thread when the machine is too busy for wall
// time to tell.
void BM_LiteralPipeline(benchmark::State& state) {
    GeneratedMapFile files(200, 33);
    long placed = 0, total = 0;
    for (auto _ : state) {
        if (!files.Ok() || !LiteralJob(files, placed)) {
            state.SkipWithError("the literal job failed");
            break;
        }
        total += placed;
    }
    state.SetItemsProcessed(total);
}
BENCHMARK(BM_LiteralPipeline)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
