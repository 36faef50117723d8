#pragma once
// One placement over every loaded mesh, shared by the written run and the
// dry run: the budget of the input, the walk mesh by mesh with its progress
// and stop checks, and the two refusals (an edge too long to walk, a model
// limit). What happens to each placement is the sink's business: the writer
// formats it into the output, the dry run counts it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/foliage_engine.h"
#include "engine/map_entities.h"

// A sink that a run's placements go to. Stopped() asks the receiver once
// per call and stays stopped.
class RunSink : public PlacementSink {
public:
    explicit RunSink(ProgressReceiver& progress) : progress_(progress) {}
    bool Stopped() final {
        if (!stopped_) stopped_ = !progress_.KeepGoing();
        return stopped_;
    }
    // Before each mesh is walked.
    virtual void BeginMesh(const TerrainMesh&) {}
    // A failure of the sink's own (a write) that makes the rest pointless.
    virtual bool Failed() const { return false; }
    // What was placed so far: models and distinct model names.
    virtual std::uint64_t Placed() const = 0;
    virtual std::uint64_t ModelNames() const = 0;

protected:
    ProgressReceiver& progress_;

private:
    bool stopped_ = false;
};

// The input as the output will hold it: its bytes, the marked entities a
// replacing run leaves out, and its static models.
struct RunInput {
    std::string_view bytes;
    std::vector<ByteRange> removed;
    ModelBudget budget;  // inInput and removed
};
RunInput PrepareRunInput(const FoliageEngine& engine, const OutputOptions& options);

enum class PlacementEnd {
    Finished,  // every mesh was walked (or the sink failed: it says so itself)
    Stopped,   // the receiver asked to stop
    Refused,   // an edge too long to walk, or over the model limit: see the message
};

struct PlacementOutcome {
    PlacementEnd end = PlacementEnd::Finished;
    std::uint64_t meshesProcessed = 0;
    std::string refusal;  // why the run was refused
};

// Walks every loaded mesh into `sink`, calling MeshProcessed after each, and
// fills budget.placed and budget.modelNames. Engine's budget is left as the
// result's.
PlacementOutcome PlaceAll(FoliageEngine& engine, ProgressReceiver& progress, const std::string& mapClassName,
                          RunSink& sink, const OutputOptions& options, ModelBudget& budget);
