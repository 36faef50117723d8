#pragma once
// What a map holds and what a run would do with it, without writing anything:
// the texture report of the loaded meshes, and a dry run that walks the very
// placement code of a real run through a counting sink.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/foliage_engine.h"
#include "engine/placement_driver.h"

struct TextureReportRow {
    std::string texture;
    std::uint64_t meshes = 0;
    std::uint64_t cells = 0;   // grid cells of complete rows, two triangles each
    double area = 0.0;         // surface in 64x64-unit squares
    bool hasRule = false;      // the chosen map class has a rule for it
    RuleRejections removed;    // what the slope, height and spacing rules would remove
};

// One row per texture, in byte-wise order of the texture names. With an
// empty (or unknown) map class name no texture has a rule. The catalogue is
// only read: unknown names are not inserted.
std::vector<TextureReportRow> BuildTextureReport(const std::vector<TerrainMesh>& meshes,
                                                 const MapClassTable& mapClasses,
                                                 const std::string& mapClassName);

struct DryRunStatistics {
    std::uint64_t meshesProcessed = 0;
    std::uint64_t modelsPlaced = 0;
    std::map<std::string, std::uint64_t> modelsPerModel;    // by model name
    std::map<std::string, std::uint64_t> modelsPerTexture;  // by mesh texture
    std::uint64_t outputSize = 0;  // bytes the written map would have
    ModelBudget budget;            // the output's static models
    std::map<std::string, RuleRejections> rejectionsPerTexture;  // only textures with some
    PlacementEnd end = PlacementEnd::Finished;  // stopped or refused (with the refusal)
    std::string refusal;
};

// Places on every loaded mesh as PlaceAndWrite does, counting instead of
// writing, and tells `progress` what the writer would. Placements the writer
// would drop (NaN) are not counted. Each counted placement is also handed to
// `also` when given (the preview). Textures that got nothing are not listed.
// The output options change the size and the budget as they would change the
// output. A run the writer would refuse (an edge too long to walk, the model
// limit) ends as refused, with the writer's message.
// Whether a model option reached through the map class has a slope, height
// or spacing rule.
bool MapClassHasModelRules(const FoliageEngine& engine, const std::string& mapClassName);

DryRunStatistics DryRun(FoliageEngine& engine, ProgressReceiver& progress,
                        const std::string& mapClassName, PlacementSink* also = nullptr,
                        const OutputOptions& options = {});
