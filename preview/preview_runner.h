#pragma once
// Runs the preview's dry runs on a worker thread, so the window never waits
// for one. Each request carries its own copy of the catalogue and the seed
// the next run would use; the worker keeps an engine of its own with the map
// read (read again only when the input or its file changes). So a preview
// never touches the window's engine or its random sequence, and what Run
// writes is the same with or without it. A newer request stops an older one
// at its next step: only the newest request's outcome is delivered.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "config/catalogue.h"
#include "engine/run_pipeline.h"
#include "preview/preview_scene.h"

struct PreviewRequest {
    RunRequest run;  // input, installation, map class; output and observer are not used
    std::uint32_t seed = 1;  // the generator state the next run would start from
    MapClassTable mapClasses;
    ModelClassTable modelClasses;
};

// Whether two requests would show the same: same input, installation, map
// class, seed and catalogue. The window asks for a new dry run only when not.
bool SameRequest(const PreviewRequest& a, const PreviewRequest& b);

struct PreviewOutcome {
    std::uint64_t id = 0;  // as returned by Request
    bool ok = false;
    std::string message;   // why there is no picture, or a warning beside it (untranslated)
    std::shared_ptr<const PreviewScene> scene;  // null when the map could not be read
};

class PreviewRunner {
public:
    // `done` is called on the worker thread, once per request that was not
    // superseded before it finished; it must not call Request.
    explicit PreviewRunner(std::function<void(PreviewOutcome)> done);
    ~PreviewRunner();  // stops the current dry run and waits for the thread
    PreviewRunner(const PreviewRunner&) = delete;
    PreviewRunner& operator=(const PreviewRunner&) = delete;

    // Queues the request in place of any waiting one and stops the one being
    // worked on. Returns its id (1, 2, ...).
    std::uint64_t Request(PreviewRequest request);

    // Whether a request is waiting or being worked on, and how far the
    // current one is (meshes walked of all meshes, 0 .. 1).
    bool Busy() const { return busy_.load(); }
    double Progress() const;

private:
    class Relay;
    void Work();
    PreviewOutcome Compute(PreviewRequest& request, std::uint64_t id);
    bool Superseded(std::uint64_t id) const { return latest_.load() != id || quit_.load(); }

    std::function<void(PreviewOutcome)> done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<PreviewRequest> pending_;
    std::atomic<std::uint64_t> latest_{0};
    std::atomic<bool> quit_{false}, busy_{false};
    std::atomic<std::uint64_t> meshesDone_{0}, meshesTotal_{0};

    // Worker-only state: the engine with the map read, and what it was read from.
    FoliageEngine engine_;
    std::shared_ptr<const std::vector<TerrainMesh>> terrain_;
    std::shared_ptr<const std::vector<std::vector<PointXY>>> brushes_;
    std::string readInput_, readInstall_, readPath_;
    std::uintmax_t readSize_ = 0;
    std::int64_t readTime_ = 0;

    std::thread thread_;  // last: started when everything above exists
};
