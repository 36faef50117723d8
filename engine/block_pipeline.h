#pragma once
// Formatting and writing the misc_model blocks of a run on worker threads.
// Placement stays on the thread that runs it (one random sequence, in
// order); it hands its placements over in chunks, the workers format the
// chunks and write them, one writer at a time, in the order they were made.
// At most a fixed number of chunks is in flight, so memory does not grow
// with the output: when the placer is that far ahead it lends a hand
// (formats or writes) or waits.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/model_placement.h"
#include "io/atomic_file.h"

// The threads a run uses by default: one per core of the machine.
unsigned MachineThreads();

class BlockPipeline {
public:
    // `threads` counts the placing thread: threads - 1 workers are started
    // (fewer when the system refuses more; the placer then does more).
    // Until Finish() returns, only the pipeline touches the writer.
    BlockPipeline(AtomicFileWriter& writer, unsigned threads, bool mark);
    // Stops the workers; chunks not yet written are dropped.
    ~BlockPipeline();
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // From the placing thread only.
    void Add(const ModelPlacement& placement);
    // Formats and writes everything still held, in order; the writer is
    // the caller's again afterwards.
    void Finish();
    // A write failed: the rest is not written, and the writer says why.
    bool Failed() const { return failed_.load(std::memory_order_relaxed); }

private:
    enum class State { Waiting, Formatting, Formatted };
    struct Chunk {
        std::vector<ModelPlacement> placements;
        std::unique_ptr<char[]> text;
        std::size_t capacity = 0, size = 0;
        State state = State::Waiting;
    };

    void Submit();
    // Under the lock: writes the oldest chunk when it is formatted and no
    // one else is writing, else formats a waiting chunk. False when there
    // is nothing to do now.
    bool Step(std::unique_lock<std::mutex>& lock);
    void Work();
    void Format(Chunk& chunk) const;

    AtomicFileWriter& writer_;
    const bool mark_;
    const std::size_t maxInFlight_;
    std::unique_ptr<Chunk> filling_;  // placer only
    std::atomic<bool> failed_{false};

    std::mutex mutex_;
    std::condition_variable changed_;  // a chunk came, was formatted or written, or quit
    std::deque<std::unique_ptr<Chunk>> inFlight_;  // oldest first
    std::vector<std::unique_ptr<Chunk>> spare_;
    bool writing_ = false;
    bool quit_ = false;
    std::vector<std::thread> workers_;
};
