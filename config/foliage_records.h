#pragma once
// The plain value records a user configures: one model of a model class and
// one texture rule of a map class.

#include <optional>
#include <string>
#include <vector>

struct ModelOption {
    std::string modelName;
    float densityMin = 1.0f;
    float densityMax = 1.0f;
    bool evenlyDistributed = true;
    bool surfaceAligned = true;
    float zOffset = 0.0f;
    float opacityMin = 0.0f;
    float opacityMax = 256.0f;  // the opacity scale runs to 256, not 255
    float scaleMin = 0.5f;
    float scaleMax = 1.0f;
    // Optional rules, each off while unset: the surface's angle from the
    // horizontal in degrees, the Z of the surface point, and the distance in
    // X and Y to every model with a spacing radius already placed in the run.
    std::optional<float> slopeMin, slopeMax;
    std::optional<float> heightMin, heightMax;
    std::optional<float> spacingRadius;
    // Fields 16 to 19, each unset by default. Clusters keep a candidate only
    // where a smooth noise field of clusterSize units lies inside the share
    // clusterCover (0 to 1] of the ground; clearance refuses a candidate
    // inside a solid brush or with another surface above it within that many
    // units. spawnflags, when set (0 to 7), is written into each placed block.
    std::optional<float> clusterSize, clusterCover;
    std::optional<float> clearance;
    std::optional<int> spawnflags;

    ModelOption() = default;
    ModelOption(std::string name, float densityMin_, float densityMax_ = 1.0f,
                bool evenly = true, bool aligned = true, float zOffset_ = 0.0f,
                float opacityMin_ = 0.0f, float opacityMax_ = 256.0f,
                float scaleMin_ = 0.5f, float scaleMax_ = 1.0f)
        : modelName(std::move(name)), densityMin(densityMin_), densityMax(densityMax_),
          evenlyDistributed(evenly), surfaceAligned(aligned), zOffset(zOffset_),
          opacityMin(opacityMin_), opacityMax(opacityMax_), scaleMin(scaleMin_),
          scaleMax(scaleMax_) {}

    // Every field of the record's table (config/option_fields.h) equal.
    bool operator==(const ModelOption& o) const;

    bool HasRules() const {
        return slopeMin || slopeMax || heightMin || heightMax || spacingRadius || clusterSize ||
               clusterCover || clearance;
    }
};

struct TextureOption {
    std::string textureName;
    bool useOpacity = true;
    float densityMultiplier = 1.0f;
    std::vector<std::string> modelClassNames;

    TextureOption() = default;
    TextureOption(std::string name, bool useOpacity_ = true, float multiplier = 1.0f,
                  std::vector<std::string> classes = {})
        : textureName(std::move(name)), useOpacity(useOpacity_),
          densityMultiplier(multiplier), modelClassNames(std::move(classes)) {}

    bool operator==(const TextureOption& o) const;
};
