#pragma once
// The grid walk shared by placement, the texture report and the preview:
// cells of the complete rows only, so a short vertex list is never read past.

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "engine/terrain_mesh.h"

// The rows that are walked: none for a mesh too small to have a cell.
inline std::size_t WalkedRows(const TerrainMesh& mesh) {
    if (mesh.rows < 2 || mesh.columns < 2) return 0;
    const std::size_t rows = std::min(static_cast<std::size_t>(mesh.rows),
                                      mesh.vertices.size() / static_cast<std::size_t>(mesh.columns));
    return rows < 2 ? 0 : rows;
}

// Calls visit(v00, v10, v01, v11) for every cell, row by row, where vRC is
// the vertex at row r + R and column c + C. A visit that returns bool ends
// the walk by returning false (a stopped run).
template <class Visit>
void ForEachCell(const TerrainMesh& mesh, Visit visit) {
    const std::size_t rows = WalkedRows(mesh);
    if (rows == 0) return;
    const std::size_t columns = static_cast<std::size_t>(mesh.columns);
    const auto& v = mesh.vertices;
    for (std::size_t r = 0; r + 1 < rows; ++r)
        for (std::size_t c = 0; c + 1 < columns; ++c) {
            const MeshVertex& v00 = v[r * columns + c];
            const MeshVertex& v10 = v[(r + 1) * columns + c];
            const MeshVertex& v01 = v[r * columns + c + 1];
            const MeshVertex& v11 = v[(r + 1) * columns + c + 1];
            if constexpr (std::is_same_v<decltype(visit(v00, v10, v01, v11)), bool>) {
                if (!visit(v00, v10, v01, v11)) return;
            } else {
                visit(v00, v10, v01, v11);
            }
        }
}
