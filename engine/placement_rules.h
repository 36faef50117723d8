#pragma once
// The optional rules of a model option (slope, height, spacing) prepared for
// the walk: checked on a candidate only after all of its random draws, so a
// rule never changes the random sequence, only removes blocks.

#include <limits>

#include "config/foliage_records.h"

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

    static ModelRules From(const ModelOption& option);

    // Whether a triangle of normal (nx, ny, nz) lies in the slope window.
    bool SlopeAccepts(float nx, float ny, float nz) const;
    bool HeightAccepts(float surfaceZ) const { return heightMin <= surfaceZ && surfaceZ <= heightMax; }
};
