#include "preview/preview_runner.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/map_statistics.h"
#include "io/platform.h"

namespace fs = std::filesystem;

// The dry run's progress: counts meshes for the gauge, gives the recorder
// each mesh's end, and stops when a newer request has come.
class PreviewRunner::Relay : public ProgressReceiver {
public:
    Relay(PreviewRunner& runner, std::uint64_t id, SceneRecorder* recorder)
        : runner_(runner), id_(id), recorder_(recorder) {}
    void MeshRead() override {}
    void MeshProcessed() override {
        if (recorder_ != nullptr) recorder_->MeshDone();
        ++runner_.meshesDone_;
    }
    void ModelPlaced() override {}
    bool KeepGoing() override { return !runner_.Superseded(id_); }

private:
    PreviewRunner& runner_;
    std::uint64_t id_;
    SceneRecorder* recorder_;
};

namespace {

// The file's size and modification time, to tell whether it changed since it was read.
bool FileStamp(const std::string& path, std::uintmax_t& size, std::int64_t& time) {
    std::error_code error;
    size = fs::file_size(platform::FsPath(path), error);
    if (error) return false;
    const auto written = fs::last_write_time(platform::FsPath(path), error);
    if (error) return false;
    time = static_cast<std::int64_t>(written.time_since_epoch().count());
    return true;
}

std::string Said(const RunResult& result) {
    return result.detail.empty() ? result.message : result.message + "\n" + result.detail;
}

}  // namespace

bool SameRequest(const PreviewRequest& a, const PreviewRequest& b) {
    return a.run.inputText == b.run.inputText && a.run.installDir == b.run.installDir &&
           a.run.mapClassChosen == b.run.mapClassChosen && a.run.mapClassName == b.run.mapClassName &&
           a.seed == b.seed && a.mapClasses == b.mapClasses && a.modelClasses == b.modelClasses;
}

PreviewRunner::PreviewRunner(std::function<void(PreviewOutcome)> done)
    : done_(std::move(done)), thread_([this] { Work(); }) {}

PreviewRunner::~PreviewRunner() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::uint64_t PreviewRunner::Request(PreviewRequest request) {
    std::uint64_t id;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = std::move(request);
        id = latest_.load() + 1;
        latest_ = id;  // the dry run under way sees this at its next step and stops
        busy_ = true;
    }
    wake_.notify_all();
    return id;
}

double PreviewRunner::Progress() const {
    const std::uint64_t total = meshesTotal_.load();
    return total == 0 ? 0.0 : static_cast<double>(meshesDone_.load()) / static_cast<double>(total);
}

void PreviewRunner::Work() {
    for (;;) {
        PreviewRequest request;
        std::uint64_t id;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return quit_.load() || pending_.has_value(); });
            if (quit_) return;
            request = std::move(*pending_);
            pending_.reset();
            id = latest_.load();
        }
        PreviewOutcome outcome;
        try {
            outcome = Compute(request, id);
        } catch (...) {
            const RunResult failure = CurrentExceptionAsFailure();
            outcome.id = id;
            outcome.message = Said(failure);
            terrain_.reset();  // the engine may be half-filled: read again next time
            readPath_.clear();
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (Superseded(id)) continue;
        busy_ = false;
        done_(std::move(outcome));
    }
}

PreviewOutcome PreviewRunner::Compute(PreviewRequest& request, std::uint64_t id) {
    PreviewOutcome outcome;
    outcome.id = id;
    meshesDone_ = 0;
    meshesTotal_ = 0;

    std::uintmax_t size = 0;
    std::int64_t time = 0;
    const bool unchanged = terrain_ && request.run.inputText == readInput_ &&
                           request.run.installDir == readInstall_ && FileStamp(readPath_, size, time) &&
                           size == readSize_ && time == readTime_;
    if (!unchanged) {
        terrain_.reset();
        Relay reading(*this, id, nullptr);
        const RunResult read = ReadRequestedMap(engine_, reading, request.run);
        if (!read.ok) {
            outcome.message = Said(read);
            return outcome;
        }
        terrain_ = std::make_shared<const std::vector<TerrainMesh>>(engine_.meshes);
        brushes_ = BrushOutlines(std::string_view(engine_.mapBuffer.get(), engine_.mapSize), engine_.mapIndex);
        readInput_ = request.run.inputText;
        readInstall_ = request.run.installDir;
        readPath_ = read.inputPath;
        if (!FileStamp(readPath_, readSize_, readTime_)) readPath_.clear();
    }

    engine_.mapClasses = std::move(request.mapClasses);
    engine_.modelClasses = std::move(request.modelClasses);
    engine_.random.Seed(request.seed);
    meshesTotal_ = engine_.meshes.size();
    SceneRecorder recorder(terrain_);
    Relay relay(*this, id, &recorder);
    DryRunStatistics statistics;
    if (request.run.mapClassChosen)
        statistics = DryRun(engine_, relay, request.run.mapClassName, &recorder);
    else
        outcome.message = "Map configuration not set.";
    if (engine_.placementRun.edgeOverflow && request.run.mapClassChosen)
        outcome.message = EdgeOverflowMessage(*engine_.placementRun.edgeOverflow);
    else if (statistics.budget.OverLimit())
        outcome.message = BudgetWarning(statistics.budget);
    outcome.ok = true;
    PreviewScene scene = recorder.Finish(statistics.budget, statistics.rejectionsPerTexture);
    scene.brushOutlines = brushes_;
    outcome.scene = std::make_shared<const PreviewScene>(std::move(scene));
    return outcome;
}
