#include "engine/placement_driver.h"

RunInput PrepareRunInput(const FoliageEngine& engine, const OutputOptions& options) {
    RunInput input;
    input.bytes = std::string_view(engine.mapBuffer.get(), engine.mapSize);
    // The entities were found by the same scan that read the meshes.
    input.budget.inInput = engine.mapIndex.entities.miscModels;
    if (options.replace) input.removed = engine.mapIndex.entities.marked;
    input.budget.removed = input.removed.size();
    return input;
}

PlacementOutcome PlaceAll(FoliageEngine& engine, ProgressReceiver& progress, const std::string& mapClassName,
                          RunSink& sink, const OutputOptions& options, ModelBudget& budget) {
    PlacementOutcome outcome;
    engine.BeginPlacementRun(mapClassName);
    for (const TerrainMesh& mesh : engine.meshes) {
        sink.BeginMesh(mesh);
        engine.PlaceOnMesh(mesh, mapClassName, sink);
        // A failed write, or an edge that refuses the run, makes the rest pointless.
        if (sink.Failed() || engine.placementRun.edgeOverflow) break;
        if (sink.Stopped()) break;
        ++outcome.meshesProcessed;
        progress.MeshProcessed();
    }
    budget.placed = sink.Placed();
    budget.modelNames = sink.ModelNames();
    engine.budget = budget;
    if (sink.Stopped()) {
        outcome.end = PlacementEnd::Stopped;
    } else if (engine.placementRun.edgeOverflow) {
        outcome.end = PlacementEnd::Refused;
        outcome.refusal = EdgeOverflowMessage(*engine.placementRun.edgeOverflow);
    } else if (options.maxModels && budget.Total() > *options.maxModels) {
        outcome.end = PlacementEnd::Refused;
        outcome.refusal = ModelLimitMessage(budget, *options.maxModels);
    }
    return outcome;
}
