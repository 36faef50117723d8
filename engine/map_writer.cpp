// The output map: the input's bytes unchanged, then one misc_model block per
// placement. Blocks are formatted in place into the file writer's buffer, and
// the file replaces its target only when everything was written.

#include <cstdio>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_set>

#include "engine/block_pipeline.h"
#include "engine/foliage_engine.h"
#include "engine/map_entities.h"
#include "engine/placement_block.h"
#include "engine/placement_driver.h"
#include "io/atomic_file.h"

namespace {

// Hands each placement to the writer as it is made; nothing is collected.
class BlockSink : public RunSink {
public:
    // With a pipeline the blocks are formatted and written on its threads;
    // without one they are formatted straight into the writer's buffer.
    BlockSink(AtomicFileWriter& writer, BlockPipeline* pipeline, ProgressReceiver& progress,
              PlacementSink* observer, bool mark)
        : RunSink(progress), writer_(writer), pipeline_(pipeline), observer_(observer), mark_(mark) {}

    void Place(const ModelPlacement& p) override {
        if (Stopped()) return;
        if (PlacementHasNaN(p)) {
            char warning[kNaNWarningCapacity];
            std::fwrite(warning, 1, FormatNaNWarning(p, warning), stderr);
            return;
        }
        if (pipeline_ != nullptr) {
            if (pipeline_->Failed()) return;
            pipeline_->Add(p);
        } else {
            const std::string& name = p.modelOption->modelName;
            const std::size_t classSize = mark_ && p.modelClassName ? p.modelClassName->size() : 0;
            // nullptr only when the writer has failed (it remembers why).
            char* out = writer_.Reserve(PlacementBlockCapacity(name.size(), classSize));
            if (out == nullptr) return;
            writer_.Advance(FormatPlacementBlock(p, out, mark_));
        }
        ++placed_;
        if (p.modelOption != lastOption_) {
            lastOption_ = p.modelOption;
            options_.insert(lastOption_);
        }
        progress_.ModelPlaced();
        if (observer_ != nullptr) observer_->Place(p);
    }

    // With a pipeline, the writer is its own until it has finished.
    bool Failed() const override { return pipeline_ != nullptr ? pipeline_->Failed() : writer_.Failed(); }
    std::uint64_t Placed() const override { return placed_; }
    std::uint64_t ModelNames() const override {
        std::set<std::string> names;
        for (const ModelOption* option : options_) names.insert(option->modelName);
        return names.size();
    }

private:
    AtomicFileWriter& writer_;
    BlockPipeline* pipeline_;
    PlacementSink* observer_;
    bool mark_;
    std::uint64_t placed_ = 0;
    const ModelOption* lastOption_ = nullptr;
    std::unordered_set<const ModelOption*> options_;
};

}  // namespace

bool FoliageEngine::PlaceAndWrite(ProgressReceiver& progress, const std::string& outputPath,
                                  const std::string& mapClassName, PlacementSink* observer,
                                  const OutputOptions& options) {
    lastError.clear();
    refusal.clear();
    const RunInput input = PrepareRunInput(*this, options);
    budget = input.budget;

    AtomicFileWriter writer(outputPath, std::size_t{1} << 20);
    if (!writer.Open()) {
        lastError = writer.Error();
        return false;
    }
    ForEachKeptPiece(input.bytes, input.removed,
                     [&writer](const char* data, std::size_t size) { writer.Write(data, size); });
    if (writer.Failed()) {
        lastError = writer.Error();
        return false;  // the writer's destructor removes the temporary file
    }

    // One thread formats in place, as it places; more hand the formatting
    // and writing to a pipeline (declared after the writer, so it is gone first).
    std::optional<BlockPipeline> pipeline;
    if (options.threads > 1) pipeline.emplace(writer, options.threads, options.mark);
    BlockSink sink(writer, pipeline ? &*pipeline : nullptr, progress, observer, options.mark);
    ModelBudget placedBudget = input.budget;
    const PlacementOutcome outcome = PlaceAll(*this, progress, mapClassName, sink, options, placedBudget);
    if (outcome.end == PlacementEnd::Finished && pipeline) pipeline->Finish();
    if (outcome.end == PlacementEnd::Stopped) {
        lastError = "Stopped before '" + outputPath + "' was written.";
        return false;  // the writer's destructor removes the temporary file
    }
    if (outcome.end == PlacementEnd::Refused) {
        refusal = outcome.refusal;
        return false;
    }
    if (!writer.Commit()) {
        lastError = writer.Error();
        return false;
    }
    return true;
}
