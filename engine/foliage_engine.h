#pragma once
// The GUI-free heart of the program: the loaded map, the class catalogue and
// the operations on them. The window (or the batch tool) owns one by value.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "engine/map_index.h"
#include "engine/model_placement.h"
#include "engine/placement_run.h"
#include "engine/progress_receiver.h"
#include "engine/random_generator.h"
#include "engine/terrain_mesh.h"

// The catalogue's tables (installations, mapClasses, modelClasses) are the
// engine's own: it passes itself wherever config/ takes a Catalogue.
class FoliageEngine : public Catalogue {
public:
    // The loaded map: the whole input file, and every mesh found in it.
    std::unique_ptr<char[]> mapBuffer;
    std::uint32_t mapSize = 0;
    std::vector<TerrainMesh> meshes;
    MapIndex mapIndex;  // its entities, brushes and curves

    // The one random source of placement; lives as long as the engine.
    RandomGenerator random;

    // Configuration store (data directory files). All return true on success;
    // on failure LastError() says why.
    // The class loads add a line naming the file and line to `warnings`
    // (when given) for each line they leave out.
    bool LoadConfig(const std::string& path, std::uint64_t size);
    bool LoadMapClass(const std::string& path, std::uint64_t size, std::vector<std::string>* warnings = nullptr);
    bool LoadModelClass(const std::string& path, std::uint64_t size, std::vector<std::string>* warnings = nullptr);
    bool SaveConfig(const std::string& directory, const std::string& baseName);
    bool SaveMapClass(const std::string& directory, const std::string& className);
    bool SaveModelClass(const std::string& directory, const std::string& className);

    // Reads `size` bytes of the map at `path` and scans them for meshes.
    // Sizes over 4 GiB are refused. On failure the loaded map is unchanged.
    bool ReadMap(ProgressReceiver& progress, std::string path, std::uint64_t size);

    // Walks one mesh for the named map class, handing each placement to sink.
    void PlaceOnMesh(const TerrainMesh& mesh, const std::string& mapClassName, PlacementSink& sink);

    // Starts the run state of a placement over the loaded meshes: no edge
    // overflow, no rule counts, and an empty spacing grid as wide as the
    // largest spacing radius of the map class's model options. PlaceAndWrite and DryRun call it.
    void BeginPlacementRun(const std::string& mapClassName);

    // Writes the loaded map plus one misc_model per placement to outputPath,
    // atomically: on failure the target is untouched. Each written placement
    // is also handed to `observer` when one is given (a preview). A run that
    // meets an edge too long to walk, or whose output would hold more than
    // options.maxModels static models, writes nothing and returns false with
    // the reason in Refusal().
    bool PlaceAndWrite(ProgressReceiver& progress, const std::string& outputPath,
                       const std::string& mapClassName, PlacementSink* observer = nullptr,
                       const OutputOptions& options = {});

    // The system's description of the last file failure (path and reason),
    // for callers that want to say more than the fixed message.
    const std::string& LastError() const { return lastError; }

    // Why the last run was refused (empty when it was not).
    const std::string& Refusal() const { return refusal; }

    // The last run's state and its static-model count.
    PlacementRun placementRun;
    ModelBudget budget;

    // A draw from min up to (about) max, rounded down to five decimals.
    float RandomRange(float min, float max);

private:
    std::string lastError;
    std::string refusal;
};
