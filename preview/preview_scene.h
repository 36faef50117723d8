#pragma once
// What a dry run placed on a map, kept for drawing: the terrain, one mark per
// placed model (where, how large, how turned, which model, class and
// texture) and the counts of the legend. The top-down picture, the 3D view
// and the hover look-up all draw from it, so a zoom or a hover needs no new
// run.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/brush_geometry.h"
#include "engine/model_placement.h"
#include "engine/placement_run.h"
#include "engine/progress_receiver.h"
#include "engine/terrain_mesh.h"

struct PreviewMark {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float scale = 1.0f;
    float pitch = 0.0f, yaw = 0.0f, roll = 0.0f;
    std::uint32_t model = 0;       // index into PreviewScene::models
    std::uint32_t modelClass = 0;  // index into PreviewScene::modelClasses
    std::uint32_t texture = 0;     // index into PreviewScene::textures
};

struct SceneBounds {
    double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0, minZ = 0.0, maxZ = 0.0;
};

struct PreviewScene {
    std::shared_ptr<const std::vector<TerrainMesh>> terrain;
    std::vector<std::uint32_t> meshTexture;  // index into textures, per mesh
    std::vector<std::string> textures;       // byte-wise order
    std::vector<std::uint64_t> meshesPerTexture, marksPerTexture;
    std::vector<std::string> models;         // byte-wise order: colour i is ModelColour(i)
    std::vector<std::uint64_t> marksPerModel;
    std::vector<std::string> modelClasses;   // in order of first placement
    std::vector<PreviewMark> marks;
    ModelBudget budget;
    std::map<std::string, RuleRejections> rejectionsPerTexture;
    SceneBounds bounds;  // of the finite terrain vertices (all 0 without terrain)
    // The outlines from above of the map's brushes that are not tool-only.
    std::shared_ptr<const std::vector<std::vector<PointXY>>> brushOutlines;

    // The scene of a map before anything is placed on it.
    static PreviewScene OfTerrain(std::shared_ptr<const std::vector<TerrainMesh>> terrain);
    std::uint32_t TextureIndex(const std::string& texture) const;  // textures.size() if absent
};

// The outlines of the brushes of a read map (buffer and index), for the scene.
std::shared_ptr<const std::vector<std::vector<PointXY>>> BrushOutlines(std::string_view map, const MapIndex& index);

// Builds a scene while a dry run walks the map: one mark per placement, and
// the texture of the mesh being walked (MeshDone after each, as the dry run
// tells its progress receiver) for each mark. Finish() sorts the models by name.
class SceneRecorder : public PlacementSink {
public:
    explicit SceneRecorder(std::shared_ptr<const std::vector<TerrainMesh>> terrain);
    // For a run that reads the map itself: the meshes are copied when the
    // first placement arrives (the whole map has been read by then) or at Finish.
    explicit SceneRecorder(const std::vector<TerrainMesh>& meshes) : meshes_(&meshes) {}
    void Place(const ModelPlacement& placement) override;
    void MeshDone() { ++mesh_; }
    PreviewScene Finish(const ModelBudget& budget,
                        const std::map<std::string, RuleRejections>& rejections);

private:
    void Start();
    const std::vector<TerrainMesh>* meshes_ = nullptr;
    bool started_ = false;
    PreviewScene scene_;
    std::size_t mesh_ = 0;
    std::map<std::string, std::uint32_t> modelIndex_;  // by name, in order of first placement
    std::vector<std::string> modelsFound_;
    const ModelOption* lastOption_ = nullptr;
    std::uint32_t lastModel_ = 0;
    const std::string* lastClass_ = nullptr;
    std::uint32_t lastClassIndex_ = 0;
};

// Passes a run's progress on and tells the recorder where each mesh ends.
class RecordingProgress : public ProgressReceiver {
public:
    RecordingProgress(ProgressReceiver& inner, SceneRecorder& recorder) : inner_(inner), recorder_(recorder) {}
    void MeshRead() override { inner_.MeshRead(); }
    void MeshProcessed() override {
        recorder_.MeshDone();
        inner_.MeshProcessed();
    }
    void ModelPlaced() override { inner_.ModelPlaced(); }
    bool KeepGoing() override { return inner_.KeepGoing(); }

private:
    ProgressReceiver& inner_;
    SceneRecorder& recorder_;
};
