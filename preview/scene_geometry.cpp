#include "preview/scene_geometry.h"

#include <cmath>

#include "engine/mesh_cells.h"
#include "preview/map_colours.h"

namespace {

void PushColour(std::vector<float>& out, std::uint32_t rgb) {
    out.push_back(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f);
    out.push_back(static_cast<float>((rgb >> 8) & 0xFF) / 255.0f);
    out.push_back(static_cast<float>(rgb & 0xFF) / 255.0f);
}

bool Finite(const MeshVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void PushTriangle(std::vector<float>& out, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c,
                  std::uint32_t colour) {
    if (!Finite(a) || !Finite(b) || !Finite(c)) return;
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0)) return;
    const double sign = nz < 0.0 ? -1.0 : 1.0;  // either winding: the normal faces up
    nx *= sign / length;
    ny *= sign / length;
    nz *= sign / length;
    for (const MeshVertex* v : {&a, &b, &c}) {
        out.insert(out.end(), {v->x, v->y, v->z, static_cast<float>(nx), static_cast<float>(ny),
                               static_cast<float>(nz)});
        PushColour(out, colour);
    }
}

}  // namespace

std::vector<float> TerrainVertices(const PreviewScene& scene) {
    std::vector<float> out;
    if (!scene.terrain) return out;
    std::vector<std::uint32_t> colours;
    for (const std::string& texture : scene.textures) colours.push_back(TextureColour(texture));
    const std::vector<TerrainMesh>& meshes = *scene.terrain;
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        const std::uint32_t colour = colours[scene.meshTexture[m]];
        ForEachCell(meshes[m], [&](const MeshVertex& v00, const MeshVertex& v10, const MeshVertex& v01,
                                   const MeshVertex& v11) {
            PushTriangle(out, v00, v10, v01, colour);
            PushTriangle(out, v11, v10, v01, colour);
        });
    }
    return out;
}

std::vector<float> MarkerInstances(const PreviewScene& scene) {
    std::vector<float> out;
    out.reserve(scene.marks.size() * kMarkerInstanceFloats);
    for (const PreviewMark& mark : scene.marks) {
        if (!std::isfinite(mark.x) || !std::isfinite(mark.y) || !std::isfinite(mark.z)) continue;
        out.insert(out.end(), {mark.x, mark.y, mark.z, mark.scale, mark.pitch, mark.yaw, mark.roll});
        PushColour(out, ModelColour(mark.model));
    }
    return out;
}
