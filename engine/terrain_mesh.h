#pragma once
// One `mesh` block of the input map as the reader keeps it.

#include <cstdint>
#include <string>
#include <vector>

struct MeshVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float alpha = 255.0f;  // opacity 0..255; 255 when the line has no colour
};

struct TerrainMesh {
    std::string texture;
    // The size line's first number counts the "(" ")" groups (rows); the
    // second counts the vertex lines in each group (columns, the stride).
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::vector<MeshVertex> vertices;  // row-major: V(r,c) = vertices[r * columns + c]
};
