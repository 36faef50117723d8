#include "engine/map_statistics.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "engine/map_class_options.h"
#include "engine/map_entities.h"
#include "engine/placement_driver.h"
#include "engine/placement_block.h"
#include "engine/placement_rules.h"
#include "engine/mesh_cells.h"

namespace {

double TriangleArea(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double area = 0.5 * std::sqrt(nx * nx + ny * ny + nz * nz);
    return std::isfinite(area) ? area : 0.0;
}

class CountingSink : public RunSink {
public:
    CountingSink(DryRunStatistics& stats, ProgressReceiver& progress, PlacementSink* also, bool mark)
        : RunSink(progress), stats_(stats), also_(also), mark_(mark) {}

    void Place(const ModelPlacement& p) override {
        if (Stopped() || PlacementHasNaN(p)) return;  // the writer drops these too
        const std::string& name = p.modelOption->modelName;
        const std::size_t capacity =
            PlacementBlockCapacity(name.size(), p.modelClassName ? p.modelClassName->size() : 0);
        if (buffer_.size() < capacity) buffer_.resize(capacity);
        stats_.outputSize += FormatPlacementBlock(p, buffer_.data(), mark_);
        ++stats_.modelsPlaced;
        ++stats_.modelsPerModel[name];
        ++*textureCount_;
        progress_.ModelPlaced();
        if (also_ != nullptr) also_->Place(p);
    }

    void BeginMesh(const TerrainMesh& mesh) override { textureCount_ = &stats_.modelsPerTexture[mesh.texture]; }
    std::uint64_t Placed() const override { return stats_.modelsPlaced; }
    std::uint64_t ModelNames() const override { return stats_.modelsPerModel.size(); }

private:
    DryRunStatistics& stats_;
    PlacementSink* also_;
    bool mark_;
    std::uint64_t* textureCount_ = nullptr;
    std::vector<char> buffer_;
};

}  // namespace

std::vector<TextureReportRow> BuildTextureReport(const std::vector<TerrainMesh>& meshes,
                                                 const MapClassTable& mapClasses,
                                                 const std::string& mapClassName) {
    std::map<std::string, TextureReportRow> rows;
    for (const TerrainMesh& mesh : meshes) {
        TextureReportRow& row = rows[mesh.texture];
        row.texture = mesh.texture;
        ++row.meshes;
        ForEachCell(mesh, [&row](const MeshVertex& v00, const MeshVertex& v10,
                                 const MeshVertex& v01, const MeshVertex& v11) {
            row.area += (TriangleArea(v00, v10, v01) + TriangleArea(v11, v01, v10)) / 4096.0;
            ++row.cells;
        });
    }
    const auto mapClass = mapClasses.find(mapClassName);
    if (mapClass != mapClasses.end()) {
        for (const TextureOption& option : mapClass->second) {
            const auto row = rows.find(option.textureName);
            if (row != rows.end()) row->second.hasRule = true;
        }
    }
    std::vector<TextureReportRow> report;
    for (auto& entry : rows) report.push_back(std::move(entry.second));
    return report;
}

bool MapClassHasModelRules(const FoliageEngine& engine, const std::string& mapClassName) {
    bool any = false;
    ForEachModelOption(engine, mapClassName, [&any](const TextureOption&, const std::string&, const ModelOption& model) {
        any = ModelRules::From(model).any;
        return !any;
    });
    return any;
}

DryRunStatistics DryRun(FoliageEngine& engine, ProgressReceiver& progress,
                        const std::string& mapClassName, PlacementSink* also,
                        const OutputOptions& options) {
    DryRunStatistics stats;
    const RunInput input = PrepareRunInput(engine, options);
    stats.outputSize = input.bytes.size();
    for (const ByteRange& range : input.removed) stats.outputSize -= range.end - range.begin;
    stats.budget = input.budget;
    CountingSink sink(stats, progress, also, options.mark);
    const PlacementOutcome outcome = PlaceAll(engine, progress, mapClassName, sink, options, stats.budget);
    stats.meshesProcessed = outcome.meshesProcessed;
    stats.end = outcome.end;
    stats.refusal = outcome.refusal;
    stats.rejectionsPerTexture = engine.placementRun.rejectionsPerTexture;
    for (auto it = stats.modelsPerTexture.begin(); it != stats.modelsPerTexture.end();)
        it = it->second == 0 ? stats.modelsPerTexture.erase(it) : std::next(it);
    return stats;
}
