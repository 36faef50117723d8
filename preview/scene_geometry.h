#pragma once
// The preview scene as the 3D view uploads it: the terrain as one list of
// triangles, and one instance record per placed model.

#include <vector>

#include "preview/preview_scene.h"

// Floats per terrain corner: x y z, the triangle's normal (unit length,
// pointing up), and its texture's colour r g b (0 .. 1).
constexpr int kTerrainVertexFloats = 9;
std::vector<float> TerrainVertices(const PreviewScene& scene);

// Floats per marker: x y z scale, pitch yaw roll (degrees), the model's
// colour r g b (0 .. 1).
constexpr int kMarkerInstanceFloats = 10;
std::vector<float> MarkerInstances(const PreviewScene& scene);
