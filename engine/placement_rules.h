#pragma once
// The optional rules of a model option (slope, height, spacing) prepared for
// the walk: checked on a candidate only after all of its random draws, so a
// rule never changes the random sequence, only removes blocks.

#include <cstdint>
#include <limits>

#include "config/foliage_records.h"
#include "engine/cluster_noise.h"

// cos(degrees) from +, -, *, / alone (a fixed Taylor series on 0..90
// degrees), so the slope bounds are the same bits on every platform.
double CosineOfDegrees(double degrees);

struct ModelRules {
    bool any = false;
    bool slope = false;
    // The surface's angle θ from horizontal lies in the window when
    // cos²(max) <= cos²θ <= cos²(min); cos²θ = N.z² / |N|².
    double cosSquaredMin = 1.0, cosSquaredMax = 0.0;
    float heightMin = -std::numeric_limits<float>::infinity();
    float heightMax = std::numeric_limits<float>::infinity();
    float spacing = 0.0f;  // 0: off
    // Clusters: kept where the option's noise field covers the point.
    bool cluster = false;
    ClusterField clusters{0, 0.0, 1.0};
    // Clearance: refused inside a solid brush or under another surface
    // closer above than this many units.
    bool clearance = false;
    float clearanceUnits = 0.0f;

    // The clusters follow the run's generator state at its start.
    static ModelRules From(const ModelOption& option, std::uint32_t runState = 0);

    // Whether a triangle of normal (nx, ny, nz) lies in the slope window.
    bool SlopeAccepts(float nx, float ny, float nz) const;
    bool HeightAccepts(float surfaceZ) const { return heightMin <= surfaceZ && surfaceZ <= heightMax; }
};
