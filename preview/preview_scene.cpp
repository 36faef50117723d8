#include "preview/preview_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/mesh_cells.h"

PreviewScene PreviewScene::OfTerrain(std::shared_ptr<const std::vector<TerrainMesh>> terrain) {
    PreviewScene scene;
    if (!terrain) terrain = std::make_shared<std::vector<TerrainMesh>>();
    std::map<std::string, std::uint64_t> perTexture;
    for (const TerrainMesh& mesh : *terrain) ++perTexture[mesh.texture];
    for (const auto& [texture, count] : perTexture) {
        scene.textures.push_back(texture);
        scene.meshesPerTexture.push_back(count);
    }
    scene.marksPerTexture.assign(scene.textures.size(), 0);
    const double inf = std::numeric_limits<double>::infinity();
    SceneBounds b{inf, -inf, inf, -inf, inf, -inf};
    for (const TerrainMesh& mesh : *terrain) {
        scene.meshTexture.push_back(scene.TextureIndex(mesh.texture));
        const std::size_t count = WalkedRows(mesh) * static_cast<std::size_t>(std::max(mesh.columns, 0));
        for (std::size_t i = 0; i < count; ++i) {
            const MeshVertex& v = mesh.vertices[i];
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) continue;
            b.minX = std::min(b.minX, double{v.x});
            b.maxX = std::max(b.maxX, double{v.x});
            b.minY = std::min(b.minY, double{v.y});
            b.maxY = std::max(b.maxY, double{v.y});
            b.minZ = std::min(b.minZ, double{v.z});
            b.maxZ = std::max(b.maxZ, double{v.z});
        }
    }
    if (b.minX <= b.maxX) scene.bounds = b;
    scene.terrain = std::move(terrain);
    return scene;
}

std::uint32_t PreviewScene::TextureIndex(const std::string& texture) const {
    const auto found = std::lower_bound(textures.begin(), textures.end(), texture);
    return static_cast<std::uint32_t>(found != textures.end() && *found == texture ? found - textures.begin()
                                                                                   : textures.size());
}

SceneRecorder::SceneRecorder(std::shared_ptr<const std::vector<TerrainMesh>> terrain)
    : started_(true), scene_(PreviewScene::OfTerrain(std::move(terrain))) {}

void SceneRecorder::Start() {
    if (started_) return;
    started_ = true;
    scene_ = PreviewScene::OfTerrain(meshes_ != nullptr ? std::make_shared<const std::vector<TerrainMesh>>(*meshes_)
                                                        : nullptr);
}

void SceneRecorder::Place(const ModelPlacement& p) {
    Start();
    if (p.modelOption != lastOption_ || modelsFound_.empty()) {
        lastOption_ = p.modelOption;
        const std::string name = p.modelOption != nullptr ? p.modelOption->modelName : std::string();
        const auto found = modelIndex_.emplace(name, static_cast<std::uint32_t>(modelsFound_.size()));
        if (found.second) modelsFound_.push_back(name);
        lastModel_ = found.first->second;
    }
    if (p.modelClassName != lastClass_ || scene_.modelClasses.empty()) {
        lastClass_ = p.modelClassName;
        const std::string name = p.modelClassName != nullptr ? *p.modelClassName : std::string();
        const auto at = std::find(scene_.modelClasses.begin(), scene_.modelClasses.end(), name);
        lastClassIndex_ = static_cast<std::uint32_t>(at - scene_.modelClasses.begin());
        if (at == scene_.modelClasses.end()) scene_.modelClasses.push_back(name);
    }
    PreviewMark mark;
    mark.x = p.x;
    mark.y = p.y;
    mark.z = p.z;
    mark.scale = p.scale;
    mark.pitch = p.pitch;
    mark.yaw = p.yaw;
    mark.roll = p.roll;
    mark.model = lastModel_;
    mark.modelClass = lastClassIndex_;
    mark.texture = mesh_ < scene_.meshTexture.size() ? scene_.meshTexture[mesh_]
                                                     : static_cast<std::uint32_t>(scene_.textures.size());
    scene_.marks.push_back(mark);
}

PreviewScene SceneRecorder::Finish(const ModelBudget& budget,
                                   const std::map<std::string, RuleRejections>& rejections) {
    Start();
    // modelIndex_ is ordered by name: renumber the marks from first-placement
    // order to name order, so colours do not hop when the placement order does.
    std::vector<std::uint32_t> byName(modelsFound_.size());
    std::uint32_t rank = 0;
    for (const auto& entry : modelIndex_) {
        byName[entry.second] = rank++;
        scene_.models.push_back(entry.first);
    }
    scene_.marksPerModel.assign(scene_.models.size(), 0);
    for (PreviewMark& mark : scene_.marks) {
        mark.model = byName[mark.model];
        ++scene_.marksPerModel[mark.model];
        if (mark.texture < scene_.marksPerTexture.size()) ++scene_.marksPerTexture[mark.texture];
    }
    scene_.budget = budget;
    scene_.rejectionsPerTexture = rejections;
    return std::move(scene_);
}

std::shared_ptr<const std::vector<std::vector<PointXY>>> BrushOutlines(std::string_view map, const MapIndex& index) {
    auto outlines = std::make_shared<std::vector<std::vector<PointXY>>>();
    for (Brush& brush : ReadBrushes(map, index))
        if (!brush.empty && !brush.toolOnly && brush.outline.size() >= 2) outlines->push_back(std::move(brush.outline));
    return outlines;
}
