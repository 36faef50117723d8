#include "engine/block_pipeline.h"

#include <new>
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
            break;  // the placer formats what the missing workers would have
        }
    }
}

BlockPipeline::~BlockPipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    workAvailable_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void BlockPipeline::Add(const ModelPlacement& placement) {
    if (!filling_) {
        if (spare_.empty()) {
            filling_.reset(new Chunk);
            filling_->placements.reserve(kChunkPlacements);
        } else {
            filling_ = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    filling_->placements.push_back(placement);
    if (filling_->placements.size() == kChunkPlacements) Submit();
}

void BlockPipeline::Finish() {
    if (filling_ && !filling_->placements.empty()) Submit();
    while (true) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (inFlight_.empty()) return;
        }
        WriteFormatted(true);
    }
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        inFlight_.push_back(std::move(filling_));
    }
    workAvailable_.notify_one();
    WriteFormatted(false);
    while (true) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (inFlight_.size() < maxInFlight_) return;
        }
        WriteFormatted(true);
    }
}

void BlockPipeline::WriteFormatted(bool wait) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (wait) {
        while (!inFlight_.empty() && inFlight_.front()->state != State::Formatted) {
            // Rather than idle, format a chunk no worker has taken yet.
            if (Chunk* chunk = ClaimWaiting()) {
                lock.unlock();
                Format(*chunk);
                lock.lock();
                chunk->state = State::Formatted;
                continue;
            }
            chunkFormatted_.wait(lock);
        }
    }
    while (!inFlight_.empty() && inFlight_.front()->state == State::Formatted) {
        std::unique_ptr<Chunk> chunk = std::move(inFlight_.front());
        inFlight_.pop_front();
        lock.unlock();
        writer_.Write(chunk->text.get(), chunk->size);
        chunk->placements.clear();
        spare_.push_back(std::move(chunk));
        lock.lock();
    }
}

BlockPipeline::Chunk* BlockPipeline::ClaimWaiting() {
    for (const std::unique_ptr<Chunk>& chunk : inFlight_) {
        if (chunk->state == State::Waiting) {
            chunk->state = State::Formatting;
            return chunk.get();
        }
    }
    return nullptr;
}

void BlockPipeline::Format(Chunk& chunk) const {
    char* out = chunk.text.get();
    for (const ModelPlacement& p : chunk.placements) out += FormatPlacementBlock(p, out, mark_);
    chunk.size = static_cast<std::size_t>(out - chunk.text.get());
}

void BlockPipeline::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        Chunk* chunk = ClaimWaiting();
        if (chunk == nullptr) {
            workAvailable_.wait(lock);
            continue;
        }
        lock.unlock();
        Format(*chunk);
        lock.lock();
        chunk->state = State::Formatted;
        chunkFormatted_.notify_all();
    }
}
