// The output map: the input's bytes unchanged, then one misc_model block per
// placement. Blocks are formatted in place into the file writer's buffer, and
// the file replaces its target only when everything was written.

#include <cstdio>
#include <set>
#include <string_view>
#include <unordered_set>

#include "engine/foliage_engine.h"
#include "engine/map_entities.h"
#include "engine/placement_block.h"
#include "io/atomic_file.h"

namespace {

// Hands each placement to the writer as it is made; nothing is collected.
class BlockSink : public PlacementSink {
public:
    BlockSink(AtomicFileWriter& writer, ProgressReceiver& progress, PlacementSink* observer, bool mark)
        : writer_(writer), progress_(progress), observer_(observer), mark_(mark) {}

    void Place(const ModelPlacement& p) override {
        if (Stopped()) return;
        if (PlacementHasNaN(p)) {
            char warning[kNaNWarningCapacity];
            std::fwrite(warning, 1, FormatNaNWarning(p, warning), stderr);
            return;
        }
        const std::string& name = p.modelOption->modelName;
        const std::size_t classSize = mark_ && p.modelClassName ? p.modelClassName->size() : 0;
        // nullptr only when the writer has failed (it remembers why).
        char* out = writer_.Reserve(PlacementBlockCapacity(name.size(), classSize));
        if (out == nullptr) return;
        writer_.Advance(FormatPlacementBlock(p, out, mark_));
        ++placed_;
        if (p.modelOption != lastOption_) {
            lastOption_ = p.modelOption;
            options_.insert(lastOption_);
        }
        progress_.ModelPlaced();
        if (observer_ != nullptr) observer_->Place(p);
    }

    bool Stopped() override {
        if (!stopped_) stopped_ = !progress_.KeepGoing();
        return stopped_;
    }

    std::uint64_t Placed() const { return placed_; }
    std::uint64_t ModelNames() const {
        std::set<std::string> names;
        for (const ModelOption* option : options_) names.insert(option->modelName);
        return names.size();
    }

private:
    AtomicFileWriter& writer_;
    ProgressReceiver& progress_;
    PlacementSink* observer_;
    bool mark_;
    bool stopped_ = false;
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
    const std::string_view input(mapBuffer.get(), mapSize);
    budget = ModelBudget();
    budget.inInput = mapIndex.entities.miscModels;
    std::vector<ByteRange> removed;
    if (options.replace) removed = mapIndex.entities.marked;
    budget.removed = removed.size();

    AtomicFileWriter writer(outputPath, std::size_t{1} << 20);
    if (!writer.Open()) {
        lastError = writer.Error();
        return false;
    }
    ForEachKeptPiece(input, removed, [&writer](const char* data, std::size_t size) { writer.Write(data, size); });
    if (writer.Failed()) {
        lastError = writer.Error();
        return false;  // the writer's destructor removes the temporary file
    }

    BeginPlacementRun(mapClassName);
    BlockSink sink(writer, progress, observer, options.mark);
    for (const TerrainMesh& mesh : meshes) {
        PlaceOnMesh(mesh, mapClassName, sink);
        // A write that failed (a full disk), or an edge that refuses the
        // run, makes the rest pointless.
        if (writer.Failed() || placementRun.edgeOverflow) break;
        if (sink.Stopped()) {
            lastError = "Stopped before '" + outputPath + "' was written.";
            return false;  // the writer's destructor removes the temporary file
        }
        progress.MeshProcessed();
    }
    budget.placed = sink.Placed();
    budget.modelNames = sink.ModelNames();
    if (placementRun.edgeOverflow) {
        refusal = EdgeOverflowMessage(*placementRun.edgeOverflow);
        return false;
    }
    if (options.maxModels && budget.Total() > *options.maxModels) {
        refusal = ModelLimitMessage(budget, *options.maxModels);
        return false;
    }
    if (!writer.Commit()) {
        lastError = writer.Error();
        return false;
    }
    return true;
}
