#pragma once
// A top-down picture of a map's terrain and of a run's placements: every mesh
// cell filled in its texture's colour (darker where it is steep), one dot per
// placed model in that model's colour, and a legend of both below. North (+Y)
// is up, +X to the right. It is a placement sink, so a run or a dry run can
// draw as it goes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/model_placement.h"
#include "preview/png_encoder.h"
#include "engine/terrain_mesh.h"

// Colours (0xRRGGBB) by position: the map's textures in name order get
// distinct muted tones, the models in order of their first placement
// distinct bright ones, so dots stand out from the ground and no two
// textures look alike. The same run gives the same colours everywhere.
std::uint32_t TextureColour(std::size_t index);
std::uint32_t ModelColour(std::size_t index);

// One line of the legend: a colour, a name and how many (meshes of a
// texture, or models placed).
struct LegendEntry {
    std::uint32_t colour = 0;
    std::string name;
    std::uint64_t count = 0;
};

class PlacementPreview : public PlacementSink {
public:
    static constexpr std::uint32_t kBackground = 0x202020;
    static constexpr int kMargin = 8;  // pixels around the terrain

    // Fits the meshes into an image whose longer side is `longerSide` pixels
    // (at least 16) and draws them.
    explicit PlacementPreview(const std::vector<TerrainMesh>& meshes, int longerSide = 1024);

    // A 3x3 dot at the placement, counted in the legend; points outside the
    // picture are counted but not drawn.
    void Place(const ModelPlacement& placement) override;

    // The pixel of a world point; false when it falls outside the image.
    bool ToPixel(double x, double y, int& px, int& py) const;

    const RgbImage& Image() const { return image_; }
    std::uint32_t ColourOfTexture(const std::string& texture) const;
    // Textures by name, then models by first placement.
    const std::vector<LegendEntry>& TextureLegend() const { return textures_; }
    const std::vector<LegendEntry>& ModelLegend() const { return models_; }
    // The picture with the legend drawn below it (what is shown and saved).
    RgbImage WithLegend() const;

private:
    void DrawMesh(const TerrainMesh& mesh);
    void FillTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c,
                      std::uint32_t colour);

    RgbImage image_;
    double minX_ = 0.0, maxY_ = 0.0, scale_ = 1.0;
    int dotRadius_ = 1;  // 0 on a large map, so the ground shows between dots
    const ModelOption* lastOption_ = nullptr;
    std::size_t lastModel_ = 0;
    std::vector<LegendEntry> textures_;
    std::vector<LegendEntry> models_;
    std::unordered_map<std::string, std::size_t> modelIndex_;
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
