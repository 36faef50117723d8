#pragma once
// Formatting the misc_model blocks of a run on worker threads. Placement
// stays on the thread that runs it (one random sequence, in order); it hands
// its placements over in chunks, the workers format the chunks, and the
// placing thread writes the formatted chunks in the order they were made.
// At most a fixed number of chunks is in flight, so memory does not grow
// with the output: when the placer is that far ahead it formats a waiting
// chunk itself, or waits for the oldest one.

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
    // (fewer when the system refuses more; the placer then formats more).
    BlockPipeline(AtomicFileWriter& writer, unsigned threads, bool mark);
    // Stops the workers; chunks not yet written are dropped.
    ~BlockPipeline();
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // From the placing thread only, which also does the writing.
    void Add(const ModelPlacement& placement);
    // Formats and writes everything still held, in order.
    void Finish();

private:
    enum class State { Waiting, Formatting, Formatted };
    struct Chunk {
        std::vector<ModelPlacement> placements;
        std::unique_ptr<char[]> text;
        std::size_t capacity = 0, size = 0;
        State state = State::Waiting;
    };

    void Submit();
    // Writes the formatted chunks at the front; with `wait`, waits for the
    // oldest one first (formatting a waiting chunk meanwhile).
    void WriteFormatted(bool wait);
    void Work();
    Chunk* ClaimWaiting();  // under the lock
    void Format(Chunk& chunk) const;

    AtomicFileWriter& writer_;
    const bool mark_;
    std::size_t maxInFlight_;
    std::unique_ptr<Chunk> filling_;
    std::vector<std::unique_ptr<Chunk>> spare_;  // placer only

    std::mutex mutex_;
    std::condition_variable workAvailable_, chunkFormatted_;
    std::deque<std::unique_ptr<Chunk>> inFlight_;  // oldest first
    bool quit_ = false;
    std::vector<std::thread> workers_;
};
