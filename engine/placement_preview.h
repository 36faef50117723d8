#pragma once
// A top-down picture of a map's terrain and of a run's placements: every mesh
// cell filled in its texture's colour (darker where it is steep), one dot per
// placed model in that model's colour. North (+Y) is up, +X to the right.
// It is a placement sink, so a run or a dry run can draw as it goes.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/model_placement.h"
#include "engine/png_encoder.h"
#include "engine/terrain_mesh.h"

// Stable colours (0xRRGGBB) from a name: the same name always gets the same
// colour, in the window and in arbrel-cli. Textures get muted tones, models
// bright ones, so dots stand out from the ground.
std::uint32_t TextureColour(const std::string& texture);
std::uint32_t ModelColour(const std::string& modelName);

class PlacementPreview : public PlacementSink {
public:
    static constexpr std::uint32_t kBackground = 0x202020;
    static constexpr int kMargin = 8;  // pixels around the terrain

    // Fits the meshes into an image whose longer side is `longerSide` pixels
    // (at least 16) and draws them.
    explicit PlacementPreview(const std::vector<TerrainMesh>& meshes, int longerSide = 1024);

    // A 3x3 dot at the placement; points outside the picture are left out.
    void Place(const ModelPlacement& placement) override;

    // The pixel of a world point; false when it falls outside the image.
    bool ToPixel(double x, double y, int& px, int& py) const;

    const RgbImage& Image() const { return image_; }

private:
    void DrawMesh(const TerrainMesh& mesh);
    void FillTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c,
                      std::uint32_t colour);

    RgbImage image_;
    double minX_ = 0.0, maxY_ = 0.0, scale_ = 1.0;
    const ModelOption* lastOption_ = nullptr;
    std::uint32_t lastColour_ = 0;
    std::unordered_map<std::string, std::uint32_t> modelColours_;
};

// Draws a run's placements on a picture of the map it reads: the picture is
// made from the meshes when the first placement arrives (the whole map has
// been read by then), or by Picture() after a run that placed nothing.
class PreviewRecorder : public PlacementSink {
public:
    PreviewRecorder(const std::vector<TerrainMesh>& meshes, int longerSide)
        : meshes_(meshes), longerSide_(longerSide) {}
    void Place(const ModelPlacement& placement) override { Picture().Place(placement); }
    PlacementPreview& Picture() {
        if (!preview_) preview_.emplace(meshes_, longerSide_);
        return *preview_;
    }

private:
    const std::vector<TerrainMesh>& meshes_;
    int longerSide_;
    std::optional<PlacementPreview> preview_;
};
