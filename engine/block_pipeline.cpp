#include "engine/block_pipeline.h"

#include <system_error>

#include "engine/placement_block.h"

namespace {

// About 0.7 MB of text a chunk: large enough that handing it over costs
// nothing against formatting it, small enough that a few stay in memory.
constexpr std::size_t kChunkPlacements = 4096;

std::size_t BlockCapacity(const ModelPlacement& p, bool mark) {
    return PlacementBlockCapacity(p.modelOption->modelName.size(),
                                  mark && p.modelClassName ? p.modelClassName->size() : 0);
}

}  // namespace

unsigned MachineThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

BlockPipeline::BlockPipeline(AtomicFileWriter& writer, unsigned threads, bool mark)
    : writer_(writer), mark_(mark), maxInFlight_(2 * std::size_t{threads} + 2) {
    for (unsigned i = 1; i < threads; ++i) {
        try {
            workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;  // the placer does what the missing workers would have
        }
    }
}

BlockPipeline::~BlockPipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void BlockPipeline::Add(const ModelPlacement& placement) {
    if (!filling_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!spare_.empty()) {
                filling_ = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        if (!filling_) {
            filling_.reset(new Chunk);
            filling_->placements.reserve(kChunkPlacements);
        }
    }
    filling_->placements.push_back(placement);
    if (filling_->placements.size() == kChunkPlacements) Submit();
}

void BlockPipeline::Finish() {
    if (filling_ && !filling_->placements.empty()) Submit();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!inFlight_.empty() || writing_)
        if (!Step(lock)) changed_.wait(lock);
}

void BlockPipeline::Submit() {
    // The text buffer is sized here, on the placing thread, so a failed
    // allocation fails the run where it can be reported.
    Chunk& chunk = *filling_;
    std::size_t capacity = 0;
    for (const ModelPlacement& p : chunk.placements) capacity += BlockCapacity(p, mark_);
    if (chunk.capacity < capacity) {
        chunk.text.reset();
        chunk.text.reset(new char[capacity]);
        chunk.capacity = capacity;
    }
    chunk.state = State::Waiting;
    std::unique_lock<std::mutex> lock(mutex_);
    inFlight_.push_back(std::move(filling_));
    changed_.notify_all();
    while (inFlight_.size() >= maxInFlight_)
        if (!Step(lock)) changed_.wait(lock);
}

bool BlockPipeline::Step(std::unique_lock<std::mutex>& lock) {
    if (!writing_ && !inFlight_.empty() && inFlight_.front()->state == State::Formatted) {
        std::unique_ptr<Chunk> chunk = std::move(inFlight_.front());
        inFlight_.pop_front();
        writing_ = true;
        lock.unlock();
        if (!Failed()) {
            writer_.Write(chunk->text.get(), chunk->size);
            if (writer_.Failed()) failed_.store(true, std::memory_order_relaxed);
        }
        chunk->placements.clear();
        lock.lock();
        writing_ = false;
        spare_.push_back(std::move(chunk));
        changed_.notify_all();
        return true;
    }
    for (const std::unique_ptr<Chunk>& chunk : inFlight_) {
        if (chunk->state != State::Waiting) continue;
        chunk->state = State::Formatting;
        Chunk& claimed = *chunk;  // stays in place: only formatted chunks leave
        lock.unlock();
        Format(claimed);
        lock.lock();
        claimed.state = State::Formatted;
        changed_.notify_all();
        return true;
    }
    return false;
}

void BlockPipeline::Format(Chunk& chunk) const {
    char* out = chunk.text.get();
    for (const ModelPlacement& p : chunk.placements) out += FormatPlacementBlock(p, out, mark_);
    chunk.size = static_cast<std::size_t>(out - chunk.text.get());
}

void BlockPipeline::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_)
        if (!Step(lock)) changed_.wait(lock);
}
